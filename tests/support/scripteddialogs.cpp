#include "tests/support/scripteddialogs.h"

#include <utility>

namespace lexalon {

void ScriptedMessageBox::setNextAnswer(MessageAnswer answer)
{
    m_answers.push_back(answer);
}

MessageAnswer ScriptedMessageBox::show(const MessageRequest &request)
{
    m_requests.push_back(request);
    if (m_answers.empty())
        return request.defaultButton;
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void ScriptedFileDialogs::setNextFileName(const QString &name)
{
    m_names.push_back(name);
}

QString ScriptedFileDialogs::openFileName(const QString &filter)
{
    m_calls.push_back({Kind::Open, filter});
    return nextName();
}

QString ScriptedFileDialogs::saveFileName(const QString &filter)
{
    m_calls.push_back({Kind::Save, filter});
    return nextName();
}

void ScriptedFileDialogs::setNextPrinterCancelled()
{
    m_printerCancelled = true;
}

bool ScriptedFileDialogs::printerSetup()
{
    m_calls.push_back({Kind::PrinterSetup, QString()});
    return !std::exchange(m_printerCancelled, false);
}

QString ScriptedFileDialogs::nextName()
{
    if (m_names.empty())
        return QString();
    QString name = m_names.front();
    m_names.pop_front();
    return name;
}

void RecordingBusyPointer::setMousePointer(MousePointer pointer)
{
    m_current = pointer;
    m_history.push_back(pointer);
}

} // namespace lexalon
