// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/platform/taskrunner.h"

#include "platform/interaction/taskprogress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <atomic>
#include <exception>
#include <thread>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr int showAfterMilliseconds = 400;
constexpr int refreshMilliseconds = 50;
constexpr int barSteps = 1000;

// Input given back once the work ends.
bool isHeldForLater(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

// Input held back while the work runs: besides the above, what comes again
// with it (shortcut overrides, context menus), and drags, over by then.
bool isUserInput(QEvent::Type type)
{
    return isHeldForLater(type) || type == QEvent::ShortcutOverride || type == QEvent::ContextMenu
           || type == QEvent::DragEnter || type == QEvent::Drop;
}

} // namespace

TaskRunner::TaskRunner(QWidget &owner)
    : QObject(&owner)
    , m_owner(owner)
{
}

bool TaskRunner::run(const QString &label, const std::function<void(TaskProgress &)> &work)
{
    TaskProgress progress;
    // From here on a cancel stops the work, even before it has begun.
    m_progress = &progress;
    QProgressDialog dialog(label, u"Annuler"_s, 0, barSteps, &m_owner);
    dialog.setWindowTitle(m_owner.windowTitle());
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(showAfterMilliseconds);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setValue(0); // starts the wait before the dialog shows
    connect(&dialog, &QProgressDialog::canceled, &dialog, [&progress] { progress.cancel(); });

    QEventLoop loop;
    QTimer refresh;
    connect(&refresh, &QTimer::timeout, &dialog, [&] {
        const qint64 total = progress.total();
        if (total > 0)
            dialog.setValue(int(std::min<qint64>(barSteps, progress.done() * barSteps / total)));
    });
    refresh.start(refreshMilliseconds);

    bool cancelled = false;
    std::atomic<bool> finished = false;
    std::exception_ptr failure;
    m_dialog = &dialog;
    QCoreApplication::instance()->installEventFilter(this);
    std::thread worker([&] {
        try {
            work(progress);
        } catch (const TaskCancelled &) {
            cancelled = true;
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop also ends when the program quits: the work is then stopped.
    // Work asked to stop that ended all the same is dropped too.
    const bool stopped = progress.cancelled() || !finished;
    progress.cancel();
    worker.join();
    QCoreApplication::instance()->removeEventFilter(this);
    m_progress = nullptr;
    m_dialog = nullptr;
    if (cancelled || stopped)
        m_held.clear();
    else
        giveBackHeldInput();
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled && !stopped;
}

// Posted, so that they come once the caller has taken the work's result, as
// they would have had the work been done on this thread.
void TaskRunner::giveBackHeldInput()
{
    for (auto &[receiver, event] : std::exchange(m_held, {})) {
        if (receiver)
            QCoreApplication::postEvent(receiver, event.release());
    }
}

void TaskRunner::cancel()
{
    if (m_progress)
        m_progress->cancel();
}

bool TaskRunner::eventFilter(QObject *watched, QEvent *event)
{
    // Closing the window stops the work; the window then closes.
    if (event->type() == QEvent::Close && watched == &m_owner)
        cancel();
    if (!isUserInput(event->type()))
        return false;
    bool held = false;
    if (auto *window = qobject_cast<QWindow *>(watched)) {
        held = window != m_dialog->windowHandle();
    } else {
        auto *widget = qobject_cast<QWidget *>(watched);
        held = !widget || (widget != m_dialog && !m_dialog->isAncestorOf(widget));
    }
    if (held && isHeldForLater(event->type()))
        m_held.emplace_back(watched, event->clone());
    return held;
}

} // namespace lexalon
