// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

#include <functional>

class QCloseEvent;
class QKeyEvent;
class QShowEvent;
class QTimer;

namespace lexalon {

// The window the program opens on. After three seconds, or at once on a
// character key or a click, it unloads itself and hands over to the main
// window, exactly once.
class SplashWindow final : public QFrame
{
    Q_OBJECT

public:
    // loadAndShowMainWindow loads the main window and shows it modeless.
    explicit SplashWindow(std::function<void()> loadAndShowMainWindow, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls(QWidget *client);
    void giveWayToMainWindow();
    bool unload();

    std::function<void()> m_loadAndShowMainWindow;
    bool m_unloaded = false;
    QTimer *m_timer = nullptr;
};

} // namespace lexalon
