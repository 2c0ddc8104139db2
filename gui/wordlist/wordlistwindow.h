#pragma once

#include "gui/platform/windowservices.h"
#include "wordforms/analysis.h"
#include "wordforms/texttokens.h"
#include "wordforms/wordlist.h"

#include <QDialog>
#include <QString>

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
class WordListModel;
class WordListView;

// The word-list window: the forms of the main window's text with their
// numbers of attestations, two statistics, and the button that switches the
// order of the list. Built for one showing: every load analyses afresh.
// A chosen form opens its concordance.
class WordListWindow final : public QDialog
{
    Q_OBJECT

public:
    WordListWindow(const QString &text, const WindowServices &services, QWidget *parent = nullptr);
    ~WordListWindow() override;

    // Analyses the text the window was given.
    void load();
    // Shows the analysis of that text, made beforehand.
    void load(TextAnalysis analysis);

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
    void createStatistics(QGroupBox *frame1);
    void createList(QWidget *client);
    void createButton(QWidget *client);
    void showOrder(WordList::Order shown);
    QMenuBar *createMenus();
    void showConcordanceOf(int row);

    QString m_text;
    TextTokens m_tokens;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    TaskRunner *m_tasks;
    WordListModel *m_model; // holds grille01

    WordListView *m_view = nullptr;
    QPushButton *m_orderButton = nullptr;
    QLabel *m_totalFormsFigure = nullptr;
    QLabel *m_differentFormsFigure = nullptr;
    QAction *m_concordance = nullptr;
};

} // namespace lexalon
