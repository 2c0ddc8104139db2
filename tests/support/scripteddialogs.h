#pragma once

#include "platform/busypointer.h"
#include "platform/filedialogs.h"
#include "platform/messagebox.h"

#include <QString>

#include <deque>
#include <utility>
#include <vector>

namespace lexalon {

// Stand-ins for the modal dialogs, for tests and benchmarks: each answer is
// preset, each question asked is recorded.

class ScriptedMessageBox final : public MessageBox
{
public:
    // Without a preset answer the box answers with its default button.
    void setNextAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    MessageAnswer show(const MessageRequest &request) override
    {
        m_requests.push_back(request);
        if (m_answers.empty())
            return request.defaultButton;
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    const std::vector<MessageRequest> &requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

private:
    std::deque<MessageAnswer> m_answers;
    std::vector<MessageRequest> m_requests;
};

class ScriptedFileDialogs final : public FileDialogs
{
public:
    enum class Kind { Open, Save, PrinterSetup };
    struct Call
    {
        Kind kind;
        QString filter;
    };

    // The next open or save dialog returns this name; empty is a cancel.
    void setNextFileName(const QString &name) { m_names.push_back(name); }
    // The next printer dialog is cancelled; without this it is accepted.
    void setNextPrinterCancelled() { m_printerCancelled = true; }
    QString openFileName(const QString &filter) override { return nextName(Kind::Open, filter); }
    QString saveFileName(const QString &filter) override { return nextName(Kind::Save, filter); }
    bool printerSetup() override
    {
        m_calls.push_back({Kind::PrinterSetup, QString()});
        return !std::exchange(m_printerCancelled, false);
    }
    const std::vector<Call> &calls() const { return m_calls; }

private:
    QString nextName(Kind kind, const QString &filter)
    {
        m_calls.push_back({kind, filter});
        if (m_names.empty())
            return QString();
        QString name = m_names.front();
        m_names.pop_front();
        return name;
    }

    std::deque<QString> m_names;
    bool m_printerCancelled = false;
    std::vector<Call> m_calls;
};

class RecordingBusyPointer final : public BusyPointer
{
public:
    void setMousePointer(MousePointer pointer) override { m_history.push_back(m_current = pointer); }
    MousePointer mousePointer() const override { return m_current; }
    const std::vector<MousePointer> &history() const { return m_history; }

private:
    MousePointer m_current = MousePointer::Default;
    std::vector<MousePointer> m_history;
};

} // namespace lexalon
