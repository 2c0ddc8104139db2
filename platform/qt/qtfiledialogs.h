#pragma once

#include "platform/filedialogs.h"

class QPrinter;

namespace lexalon {

// Qt's file dialogs and print dialog, modal over the active window. The
// printer is the program's one printer: what the user sets up here is what
// the next print uses.
class QtFileDialogs final : public FileDialogs
{
public:
    explicit QtFileDialogs(QPrinter &printer);

    QString openFileName(const QString &filter) override;
    QString saveFileName(const QString &filter) override;
    bool printerSetup() override;

private:
    QPrinter &m_printer;
};

} // namespace lexalon
