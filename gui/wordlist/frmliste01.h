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
class frmListe01 final : public QDialog
{
    Q_OBJECT

public:
    frmListe01(const QString &text, const WindowServices &services, QWidget *parent = nullptr);
    ~frmListe01() override;

    // Analyses the text the window was given.
    void Form_Load();
    // Shows the analysis of that text, made beforehand.
    void Form_Load(TextAnalysis analysis);

    void Command1_Click();
    void enregistrer_Click();
    void imprimer_Click();
    void fermer_Click();
    void about_Click();
    void concordance_Click();
    void statistiques_Click();

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
    void openConcordance(int row);

    QString m_text;
    TextTokens m_tokens;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    TaskRunner *m_tasks;
    WordListModel *m_model; // holds grille01

    WordListView *m_view = nullptr;
    QPushButton *m_Command1 = nullptr;
    QLabel *m_Label6 = nullptr;
    QLabel *m_Label7 = nullptr;
    QAction *m_concordance = nullptr;
};

} // namespace lexalon
