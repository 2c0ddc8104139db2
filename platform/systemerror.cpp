#include "platform/systemerror.h"

#include <cerrno>

using namespace Qt::StringLiterals;

namespace lexalon {

QString systemErrorReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return u"Aucun fichier ou dossier"_s;
    case EACCES:
    case EPERM:
        return u"Autorisation refusée"_s;
    case EISDIR:
        return u"C'est un dossier"_s;
    case ENOTDIR:
        return u"Un élément du chemin n'est pas un dossier"_s;
    case ENOSPC:
        return u"Aucun espace disponible sur le disque"_s;
#ifdef EDQUOT
    case EDQUOT:
        return u"Quota d'espace disque dépassé"_s;
#endif
    case EROFS:
        return u"Système de fichiers en lecture seule"_s;
    case EFBIG:
        return u"Fichier trop grand"_s;
    case ENAMETOOLONG:
        return u"Nom de fichier trop long"_s;
#ifdef ELOOP
    case ELOOP:
        return u"Trop de liens symboliques"_s;
#endif
    case ENXIO:
        return u"Aucun périphérique ni programme à l'autre bout"_s;
    case ENODEV:
        return u"Périphérique inexistant"_s;
    case EIO:
        return u"Erreur d'entrée-sortie"_s;
    case ENOMEM:
        return u"Mémoire insuffisante"_s;
    case EMFILE:
    case ENFILE:
        return u"Trop de fichiers ouverts"_s;
    case EBUSY:
        return u"Périphérique ou ressource occupé"_s;
#ifdef ETXTBSY
    case ETXTBSY:
        return u"Fichier exécutable en cours d'utilisation"_s;
#endif
    case EPIPE:
        return u"Plus aucun programme ne lit la sortie"_s;
    case EAGAIN:
        return u"Ressource temporairement indisponible"_s;
    case EINVAL:
        return u"Opération invalide pour ce fichier"_s;
    case EINTR:
        return u"Appel système interrompu"_s;
    default:
        return u"Erreur système n° %1"_s.arg(errorNumber);
    }
}

} // namespace lexalon
