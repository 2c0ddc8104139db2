#pragma once

#include "platform/qt/taskrunner.h"
#include "platform/qt/widgetbusypointer.h"
#include "platform/qt/windowservices.h"
#include "tests/support/recordingprintingservice.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>
#include <vector>

namespace lexalon::testing {

// A window's real busy pointer whose every change is also logged.
class LoggedBusyPointer final : public BusyPointer
{
public:
    using Log = std::vector<std::pair<QWidget *, MousePointer>>;

    LoggedBusyPointer(QWidget &window, Log &log) : m_pointer(window), m_window(window), m_log(log) {}
    void setMousePointer(MousePointer pointer) override
    {
        m_log.emplace_back(&m_window, pointer);
        m_pointer.setMousePointer(pointer);
    }
    MousePointer mousePointer() const override { return m_pointer.mousePointer(); }

private:
    WidgetBusyPointer m_pointer;
    QWidget &m_window;
    Log &m_log;
};

// The windows' services with every dialog scripted and every request logged.
struct ScriptedServices
{
    ScriptedMessageBox messages;
    ScriptedFileDialogs dialogs;
    RecordingPrintingService printing;
    LoggedBusyPointer::Log pointerLog;
    std::vector<QPointer<QWidget>> aboutOwners;

    WindowServices services()
    {
        return {messages, dialogs, printing,
                [this](QWidget &window) { return std::make_unique<LoggedBusyPointer>(window, pointerLog); },
                [this](QWidget &owner) { aboutOwners.emplace_back(&owner); }};
    }

    std::vector<MousePointer> pointerChangesOf(const QWidget *window) const
    {
        std::vector<MousePointer> changes;
        for (const auto &[w, pointer] : pointerLog)
            if (w == window)
                changes.push_back(pointer);
        return changes;
    }
};

// Once the next modal window is on screen, hands it to inspect (when it is a
// Window) and closes it, so that the command that showed it returns. Long
// work may come first: its progress dialog, and the modal window already on
// screen while the work runs, are passed over.
template<typename Window, typename Inspect>
void inspectNextModal(Inspect inspect)
{
    auto *poll = new QTimer;
    const QPointer<QWidget> current = QApplication::activeModalWidget();
    QObject::connect(poll, &QTimer::timeout, [poll, inspect, current] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == current || qobject_cast<QProgressDialog *>(modal))
            return;
        poll->stop();
        poll->deleteLater();
        if (auto *window = qobject_cast<Window *>(modal))
            inspect(*window);
        modal->close();
    });
    poll->start(5);
}

// Stops the next long work run over the window as soon as it starts, as
// "Annuler" would, whether or not its progress has shown yet.
class NextTaskCanceller final : public QObject
{
public:
    explicit NextTaskCanceller(QWidget &window)
        : QObject(&window)
        , m_runner(*window.findChild<TaskRunner *>(QString(), Qt::FindDirectChildrenOnly))
    {
        window.installEventFilter(this);
    }

protected:
    // The work's progress dialog becomes the window's child once it runs.
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::ChildAdded && m_runner.running() && !m_done) {
            m_runner.cancel();
            m_done = true;
            deleteLater();
        }
        return false;
    }

private:
    TaskRunner &m_runner;
    bool m_done = false;
};

} // namespace lexalon::testing
