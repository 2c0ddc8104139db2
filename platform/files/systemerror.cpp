// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/systemerror.h"

#include <QString>
#include <QtGlobal>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

struct Reason
{
    int errorNumber;
    const char16_t *text;
};

constexpr Reason reasons[] = {
    {ENOENT, u"Aucun fichier ou dossier"},
    {EACCES, u"Autorisation refusée"},
    {EPERM, u"Autorisation refusée"},
    {EISDIR, u"C'est un dossier"},
    {ENOTDIR, u"Un élément du chemin n'est pas un dossier"},
    {ENOSPC, u"Aucun espace disponible sur le disque"},
#ifdef EDQUOT
    {EDQUOT, u"Quota d'espace disque dépassé"},
#endif
    {EROFS, u"Système de fichiers en lecture seule"},
    {EFBIG, u"Fichier trop grand"},
    {ENAMETOOLONG, u"Nom de fichier trop long"},
#ifdef ELOOP
    {ELOOP, u"Trop de liens symboliques"},
#endif
    {ENXIO, u"Aucun périphérique ni programme à l'autre bout"},
    {ENODEV, u"Périphérique inexistant"},
    {EIO, u"Erreur d'entrée-sortie"},
    {ENOMEM, u"Mémoire insuffisante"},
    {EMFILE, u"Trop de fichiers ouverts"},
    {ENFILE, u"Trop de fichiers ouverts"},
    {EBUSY, u"Périphérique ou ressource occupé"},
#ifdef ETXTBSY
    {ETXTBSY, u"Fichier exécutable en cours d'utilisation"},
#endif
    {EPIPE, u"Plus aucun programme ne lit la sortie"},
    {EAGAIN, u"Ressource temporairement indisponible"},
    {EINVAL, u"Opération invalide pour ce fichier"},
    {EINTR, u"Appel système interrompu"},
};

} // namespace

QString systemErrorReason(int errorNumber)
{
    for (const Reason &reason : reasons) {
        if (reason.errorNumber == errorNumber)
            return QString::fromUtf16(reason.text);
    }
    return u"Erreur système n° %1"_s.arg(errorNumber);
}

QString systemErrorReason(const QString &qtReason)
{
    for (const Reason &reason : reasons) {
        if (qtReason == qt_error_string(reason.errorNumber))
            return QString::fromUtf16(reason.text);
    }
    return qtReason;
}

} // namespace lexalon
