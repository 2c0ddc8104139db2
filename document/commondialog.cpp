#include "document/commondialog.h"

#include "platform/filedialogs.h"

#include <QStringList>

using namespace Qt::StringLiterals;

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

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(u';', u' ');
        filters.append(parts.at(i) + u" ("_s + patterns + u')');
    }
    return filters;
}

} // namespace lexalon
