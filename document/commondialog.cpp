#include "document/commondialog.h"

#include "platform/filedialogs.h"

namespace lexalon {

CommonDialog::CommonDialog(FileDialogs &dialogs)
    : m_dialogs(dialogs)
{
}

void CommonDialog::ShowOpen()
{
    m_fileName = m_dialogs.openFileName(m_filter);
}

void CommonDialog::ShowSave()
{
    m_fileName = m_dialogs.saveFileName(m_filter);
}

bool CommonDialog::ShowPrinter()
{
    return m_dialogs.printerSetup();
}

} // namespace lexalon
