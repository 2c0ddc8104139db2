// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/platform/windowservices.h"
#include "wordforms/concordance.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QSpinBox;
class QTabWidget;
class QTableView;
class QTimer;

namespace lexalon {

class BusyPointer;
class ConcordanceLineDelegate;
class Corpus;
class CorpusConcordanceModel;
class CorpusListModel;
class CorpusStatisticsView;
class CorpusTextsModel;
class LafonScoresView;
class WordList;
class StopList;
class TaskRunner;
class TextView;

// The workspace of a corpus: its texts, the list of their forms that can be
// searched, filtered and sorted, and beside it the concordance of the form
// chosen, the text at an attestation and the statistics of every text.
// Non-modal: several may be open beside the other windows.
class CorpusWindow final : public QMainWindow
{
    Q_OBJECT

public:
    CorpusWindow(std::unique_ptr<Corpus> corpus, const WindowServices &services, QWidget *parent = nullptr);
    ~CorpusWindow() override;

    const Corpus &corpus() const { return *m_corpus; }

    void saveList();
    void saveConcordance();
    void print();
    void closeWindow();
    void focusSearch();
    void pinConcordance();
    void showNextAttestation();
    void showPreviousAttestation();
    void compareWithReference();
    void saveLafonScores();

private:
    void createMenus();
    QWidget *createTexts();
    QWidget *createList();
    QWidget *createConcordance();
    QTableView *createConcordanceView(QWidget *parent);

    void filterChanged();
    void exclusionChosen(int choice);
    void sortByHeading(int column);
    void showCountLine();
    void scheduleConcordance();
    void makeConcordance();
    void concordanceSortChosen();
    void textChosen();
    void showAttestationAt(QTableView *view, const QModelIndex &index);
    void stepAttestation(int step);
    void updateNavigation();
    void tabShown(int tab);
    // The Lafon scores of the corpus, or of its texts against a saved list;
    // false when they were not made.
    bool makeLafonScores(const WordList *reference, const QString &referenceName);
    void showConcordanceIn(qsizetype listRow, qsizetype text);
    void listRowChosen(qsizetype listRow);
    std::optional<qsizetype> chosenText() const;
    Concordance::Order orderAt(const QComboBox *choice) const;

    std::unique_ptr<Corpus> m_corpus;
    WindowServices m_services;
    std::unique_ptr<BusyPointer> m_pointer;
    TaskRunner *m_tasks;

    CorpusTextsModel *m_textsModel = nullptr;
    QTableView *m_texts = nullptr;

    CorpusListModel *m_listModel = nullptr;
    QTableView *m_list = nullptr;
    QLineEdit *m_search = nullptr;
    QCheckBox *m_regularExpression = nullptr;
    QLabel *m_searchProblem = nullptr;
    QSpinBox *m_minimumCount = nullptr;
    QComboBox *m_exclusion = nullptr;
    std::shared_ptr<const StopList> m_excluded;
    int m_exclusionShown = 0;
    QLabel *m_countLine = nullptr;

    QTabWidget *m_tabs = nullptr;
    QComboBox *m_concordanceOf = nullptr;
    QComboBox *m_firstKey = nullptr;
    QComboBox *m_secondKey = nullptr;
    QSpinBox *m_words = nullptr;
    QLabel *m_concordanceLine = nullptr;
    QTableView *m_concordance = nullptr;
    CorpusConcordanceModel *m_concordanceModel = nullptr;
    ConcordanceLineDelegate *m_lineDelegate = nullptr;
    QString m_concordanceTitle;
    QTimer *m_concordanceTimer = nullptr;
    // The concordance whose order F3 follows: the one last opened in the text.
    QTableView *m_followed = nullptr;

    TextView *m_textView = nullptr;
    qsizetype m_textShown = -1;
    CorpusStatisticsView *m_statistics = nullptr;
    bool m_statisticsMade = false;
    LafonScoresView *m_lafonScores = nullptr;
};

// The caption of a corpus's workspace: its text's name, or its number of texts.
QString corpusCaption(const QStringList &names);

} // namespace lexalon
