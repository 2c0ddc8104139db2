// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/interaction/busypointer.h"
#include "platform/interaction/filedialogs.h"
#include "platform/interaction/messagebox.h"

#include <QList>
#include <QString>

#include <utility>
#include <vector>

namespace lexalon {

// Stand-ins for the modal dialogs, for tests and benchmarks: each answer is
// preset (a message's is its default button), each question asked is recorded.

class ScriptedMessageBox final : public MessageBox
{
public:
    MessageAnswer show(const MessageRequest &request) override
    {
        m_requests.push_back(request);
        return request.defaultButton;
    }
    const std::vector<MessageRequest> &requests() const { return m_requests; }

private:
    std::vector<MessageRequest> m_requests;
};

class ScriptedFileDialogs final : public FileDialogs
{
public:
    enum class Kind { Open, OpenSeveral, Folder, Save, PrinterSetup };
    struct Call { Kind kind; QString filter; };

    // The next open or save dialog returns this name, with the filter's type
    // of this number; empty, or none set, is a cancel.
    void setNextFileName(const QString &name, int type = 0) { m_choices.append({name, type}); }
    // The next printer dialog is cancelled; without this it is accepted.
    void setNextPrinterCancelled() { m_printerCancelled = true; }
    QString openFileName(const QString &filter) override { return nextChoice(Kind::Open, filter).path; }
    // Several names are given to setNextFileName as one, separated by '\n'.
    QStringList openFileNames(const QString &filter) override
    {
        const QString names = nextChoice(Kind::OpenSeveral, filter).path;
        return names.isEmpty() ? QStringList() : names.split(u'\n');
    }
    QString folderName() override { return nextChoice(Kind::Folder, QString()).path; }
    SaveChoice saveFileName(const QString &filter) override { return nextChoice(Kind::Save, filter); }
    bool printerSetup() override
    {
        m_calls.push_back({Kind::PrinterSetup, QString()});
        return !std::exchange(m_printerCancelled, false);
    }
    const std::vector<Call> &calls() const { return m_calls; }

private:
    SaveChoice nextChoice(Kind kind, const QString &filter)
    {
        m_calls.push_back({kind, filter});
        return m_choices.isEmpty() ? SaveChoice() : m_choices.takeFirst();
    }

    QList<SaveChoice> m_choices;
    bool m_printerCancelled = false;
    std::vector<Call> m_calls;
};

class RecordingBusyPointer final : public BusyPointer
{
public:
    void setMousePointer(MousePointer pointer) override { m_history.push_back(pointer); }
    MousePointer mousePointer() const override { return m_history.empty() ? MousePointer::Default : m_history.back(); }
    const std::vector<MousePointer> &history() const { return m_history; }

private:
    std::vector<MousePointer> m_history;
};

} // namespace lexalon
