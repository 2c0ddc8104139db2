// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace lexalon {

// The filter the program offers for saving, and first for opening.
inline constexpr auto textFileFilter = u"Fichiers Texte (*.TXT)|*.TXT";
// Opening a text: text files first, then the documents read as text, then
// both together.
inline constexpr auto openTextFilter =
    u"Fichiers Texte (*.TXT)|*.TXT"
    u"|Documents (*.docx *.odt *.html *.htm *.xhtml *.xml *.epub *.pdf)|*.docx;*.odt;*.html;*.htm;*.xhtml;*.xml;*.epub;*.pdf"
    u"|Tous les textes lisibles|*.TXT;*.docx;*.odt;*.html;*.htm;*.xhtml;*.xml;*.epub;*.pdf";

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
