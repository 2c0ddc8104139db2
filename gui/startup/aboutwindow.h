// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;

namespace lexalon {

class SysInfoLauncher;

// The About window: the program's title, its version, the credits, and a
// button that starts the system-information tool.
class AboutWindow final : public QDialog
{
    Q_OBJECT

public:
    // Loading the window sets its version text.
    explicit AboutWindow(SysInfoLauncher &launcher, QWidget *parent = nullptr);

    // Loads a new About window and shows it modal; returns when it is closed.
    static void showModal(QWidget *parent, SysInfoLauncher &launcher);

private:
    void createTitle();
    void createCredits();
    void createButtons();

    void showVersion();
    void showSystemInformation();

    SysInfoLauncher &m_launcher;
    QLabel *m_versionLabel = nullptr;
};

} // namespace lexalon
