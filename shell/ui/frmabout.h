#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace lexalon {

class SysInfoLauncher;

// The About window: the program's title, its version, the credits, and a
// button that starts the system-information tool.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    // Loading the window sets its version text.
    explicit frmAbout(SysInfoLauncher &launcher, QWidget *parent = nullptr);

    // Loads a new About window and shows it modal; returns when it is closed.
    static void showModal(QWidget *parent, SysInfoLauncher &launcher);

private:
    void createTitle();
    void createCredits();
    void createButtons();

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    SysInfoLauncher &m_launcher;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *imgLogo = nullptr;
    QLabel *lblVersion = nullptr;
    QGroupBox *Frame1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};

} // namespace lexalon
