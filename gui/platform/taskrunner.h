// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QEvent;
class QProgressDialog;
class QWidget;

namespace lexalon {

class TaskProgress;

// Runs long work on a worker thread while the window's thread keeps
// repainting. Once the work has lasted 400 ms, a progress dialog shows over
// the window: what is being done, how far it has come, and "Annuler".
// Meanwhile the user's input to every other window is held back, so that no
// command can conflict with the work, and closing the window stops the work.
// Keys and clicks held back are given back once the work has ended, in the
// order typed, unless it was stopped.
class TaskRunner final : public QObject
{
    Q_OBJECT

public:
    // A child of the window it shows its progress over.
    explicit TaskRunner(QWidget &owner);

    // False when the user asked the work to stop: its result is then to be
    // dropped. Any exception of the work but TaskCancelled is thrown again
    // here.
    bool run(const QString &label, const std::function<void(TaskProgress &)> &work);
    bool running() const { return m_progress != nullptr; }
    // Asks the running work to stop, as "Annuler" does.
    void cancel();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void giveBackHeldInput();

    QWidget &m_owner;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> m_held;
    TaskProgress *m_progress = nullptr;
    QProgressDialog *m_dialog = nullptr;
};

} // namespace lexalon
