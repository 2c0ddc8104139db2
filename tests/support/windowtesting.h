// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/taskrunner.h"
#include "gui/platform/widgetbusypointer.h"
#include "gui/platform/windowservices.h"
#include "tests/support/recordingprintingservice.h"
#include "tests/support/scripteddialogs.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <functional>
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

// Acts on the next long work run over the window, as "Annuler" or the
// user's typing would: as soon as it starts, whether or not its progress has
// shown yet, or as it ends, once the work is done and before its result is
// taken.
class DuringNextTask final : public QObject
{
public:
    enum class When { AtStart, AsItEnds };

    DuringNextTask(QWidget &window, When when, std::function<void(TaskRunner &)> act)
        : QObject(&window)
        , m_runner(*window.findChild<TaskRunner *>(QString(), Qt::FindDirectChildrenOnly))
        , m_when(when)
        , m_act(std::move(act))
    {
        if (when == When::AtStart)
            window.installEventFilter(this);
        else
            QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    // The work's progress dialog becomes the window's child once it runs;
    // the worker, done, tells the runner's event loop to end.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool now = m_when == When::AtStart ? event->type() == QEvent::ChildAdded
                                                 : event->type() == QEvent::MetaCall && qobject_cast<QEventLoop *>(watched);
        if (now && m_runner.running() && !m_done) {
            m_act(m_runner);
            m_done = true;
            deleteLater();
        }
        return false;
    }

private:
    TaskRunner &m_runner;
    When m_when;
    std::function<void(TaskRunner &)> m_act;
    bool m_done = false;
};

// The contrast ratio of two colours, 1 to 21, as accessibility guides count it.
inline qreal contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const qreal la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop theme: light text on dark grounds.
inline QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53), QColor(35, 35, 35));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(239, 240, 241));
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    return dark;
}

// What a widget is painted on: itself if it fills its background, else a box
// laid under it, else its parent's ground.
inline const QWidget *groundOf(const QWidget *widget)
{
    for (; !widget->autoFillBackground() && !widget->isWindow(); widget = widget->parentWidget()) {
        const QObjectList siblings = widget->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(widget) - 1; i >= 0; --i) {
            const auto *under = qobject_cast<const QWidget *>(siblings.at(i));
            if (under && !under->isHidden() && under->autoFillBackground() && under->geometry().contains(widget->geometry().center()))
                return under;
        }
    }
    return widget;
}

// The labels shown whose text barely stands out from the ground they are
// painted on, with the ratio.
inline QStringList unreadableLabels(const QWidget &window)
{
    QStringList unreadable;
    for (const QLabel *label : window.findChildren<QLabel *>()) {
        const QWidget *ground = groundOf(label);
        const qreal ratio = contrast(label->palette().color(QPalette::WindowText), ground->palette().color(QPalette::Window));
        if (label->isVisibleTo(&window) && !label->text().isEmpty() && ratio < 3)
            unreadable.append(label->objectName() + u' ' + QString::number(ratio));
    }
    return unreadable;
}

} // namespace lexalon::testing
