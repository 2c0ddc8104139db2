#pragma once

#include <QFrame>

#include <functional>

class QCloseEvent;
class QKeyEvent;
class QLabel;
class QShowEvent;
class QTimer;

namespace lexalon {

// The window the program opens on. After three seconds, or at once on a
// character key or a click, it unloads itself and hands over to the main
// window, exactly once.
class frmSplash final : public QFrame
{
    Q_OBJECT

public:
    // loadAndShowMainWindow loads the main window and shows it modeless.
    explicit frmSplash(std::function<void()> loadAndShowMainWindow, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls(QWidget *client);
    void watchClicks();

    void Form_KeyPress();
    void Frame1_Click();
    void imgLogo_Click(int index);
    void Image1_Click();
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();
    void Timer1_Timer();

    void giveWayToMainWindow();
    bool Unload();

    std::function<void()> m_loadAndShowMainWindow;
    bool m_unloaded = false;

    QTimer *Timer1 = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
};

} // namespace lexalon
