// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lexalon {

// The one filter the program offers, for opening and for saving.
inline constexpr auto textFileFilter = u"Fichiers Texte (*.TXT)|*.TXT";

// A name to save under and the type chosen for it: the filter's
// "Description|pattern" pairs counted from 0.
struct SaveChoice
{
    QString path;
    int type = 0;
};

// The system's standard dialogs. An empty name means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(const QString &filter) = 0;
    // Several files at once; none when cancelled.
    virtual QStringList openFileNames(const QString &filter) = 0;
    // A folder; an empty name when cancelled.
    virtual QString folderName() = 0;
    virtual SaveChoice saveFileName(const QString &filter) = 0;
    // The printer dialog; the printer chosen there is used by later prints.
    // False when the user cancelled it.
    virtual bool printerSetup() = 0;
};

} // namespace lexalon
