// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/windowservices.h"
#include "wordforms/wordlist.h"

#include <QDialog>

#include <memory>

class QGroupBox;
class QLabel;
class QAction;
class QMenuBar;
class QPushButton;
class QWidget;

namespace lexalon {

class BusyPointer;
class TaskRunner;
class TextStudy;
class WordListModel;
class WordListView;

// The word-list window: the forms of a study of the main window's text with
// their numbers of attestations, two statistics, and the button that switches
// the order of the list. A chosen form opens its concordance beside it.
class WordListWindow final : public QDialog
{
    Q_OBJECT

public:
    WordListWindow(std::shared_ptr<TextStudy> study, const WindowServices &services, QWidget *parent = nullptr);
    ~WordListWindow() override;

    void toggleOrder();
    void save();
    void print();
    void closeWindow();
    void showAbout();
    void showConcordance();
    void showStatistics();

Q_SIGNALS:
    // The characters of an attestation, to select in the main window's text.
    void attestationShown(qsizetype start, qsizetype end);

private:
    QWidget *createClientArea();
    void createTitle(QWidget *client);
    void createStatistics(QGroupBox *statisticsFrame);
    void createList(QWidget *client);
    void createButton(QWidget *client);
    void showOrder(WordList::Order shown);
    QMenuBar *createMenus();
    void showConcordanceOf(int row);
    void showBeside(QDialog *window);

    std::shared_ptr<TextStudy> m_study;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    TaskRunner *m_tasks;
    WordListModel *m_model; // holds grille01

    WordListView *m_view = nullptr;
    QPushButton *m_orderButton = nullptr;
    QLabel *m_totalFormsFigure = nullptr;
    QLabel *m_differentFormsFigure = nullptr;
    QAction *m_concordanceCommand = nullptr;
};

} // namespace lexalon
