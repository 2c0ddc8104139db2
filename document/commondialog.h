#pragma once

#include <QString>

namespace lexalon {

class FileDialogs;

// The one filter the program offers, for opening and for saving.
inline constexpr auto textFileFilter = u"Fichiers Texte (*.TXT)|*.TXT";

// The dialog component the windows use for opening, saving and printer setup.
// Each window owns its own instances; FileName persists between uses.
class CommonDialog
{
public:
    // Flags bit that asks ShowPrinter for the printer setup dialog.
    static constexpr int PrintSetup = 64;

    explicit CommonDialog(FileDialogs &dialogs);

    QString Filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }
    QString FileName() const { return m_fileName; }
    int Flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = flags; }

    // A cancel leaves FileName empty, so that a name chosen earlier is never
    // taken for the answer to a dialog the user dismissed.
    void ShowOpen();
    void ShowSave();
    // False when the user cancelled the printer dialog.
    bool ShowPrinter();

private:
    FileDialogs &m_dialogs;
    QString m_filter;
    QString m_fileName;
    int m_flags = 0;
};

} // namespace lexalon
