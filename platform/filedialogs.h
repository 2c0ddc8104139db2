#pragma once

#include <QString>

namespace lexalon {

// The one filter the program offers, for opening and for saving.
inline constexpr auto textFileFilter = u"Fichiers Texte (*.TXT)|*.TXT";

// The system's standard dialogs. An empty name means the user cancelled.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString openFileName(const QString &filter) = 0;
    virtual QString saveFileName(const QString &filter) = 0;
    // The printer dialog; the printer chosen there is used by later prints.
    // False when the user cancelled it.
    virtual bool printerSetup() = 0;
};

} // namespace lexalon
