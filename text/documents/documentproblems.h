// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a document gives no text, in French, naming no file: the caller
// names it.
namespace lexalon::documentProblem {

inline QString damaged()
{
    return QStringLiteral("le document est endommagé ou tronqué");
}

inline QString encrypted()
{
    return QStringLiteral("le document est chiffré");
}

inline QString passwordProtected()
{
    return QStringLiteral("le document est protégé par un mot de passe");
}

inline QString tooLarge()
{
    return QStringLiteral("le document décompressé dépasserait 20 fois sa taille ou 2 Go");
}

inline QString entities()
{
    return QStringLiteral("le document déclare des entités externes");
}

inline QString imageOnly()
{
    return QStringLiteral("le document est une image et ne contient pas de texte");
}

// Longer than a parser can take in one piece (2 GB).
inline QString tooLongToParse()
{
    return QStringLiteral("le document est trop long pour être lu");
}

inline QString nestedTooDeeply()
{
    return QStringLiteral("le document imbrique ses éléments trop profondément");
}

inline QString missingPart(const QString &name)
{
    return QStringLiteral("il manque au document sa partie « %1 »").arg(name);
}

inline QString malformedXml(qint64 line, qint64 column)
{
    return QStringLiteral("le XML du document est mal formé (ligne %1, colonne %2)").arg(line).arg(column);
}

} // namespace lexalon::documentProblem
