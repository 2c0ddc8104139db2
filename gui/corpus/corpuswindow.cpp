// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/corpus/corpuswindow.h"

#include "commands/printcommand.h"
#include "commands/savecommand.h"
#include "formats/concordancefile.h"
#include "formats/lafonscoresfile.h"
#include "formats/stoplistfile.h"
#include "formats/wordlistfile.h"
#include "formats/wordlistreading.h"
#include "gui/concordance/concordanceorders.h"
#include "gui/corpus/concordancelinedelegate.h"
#include "gui/corpus/corpusconcordancemodel.h"
#include "gui/corpus/corpuslistmodel.h"
#include "gui/corpus/corpusstatisticsview.h"
#include "gui/corpus/corpustable.h"
#include "gui/corpus/corpustextsmodel.h"
#include "gui/corpus/lafonscoresview.h"
#include "gui/corpus/textview.h"
#include "gui/look/windowlook.h"
#include "gui/platform/runthenshow.h"
#include "gui/platform/taskrunner.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/filedialogs.h"
#include "platform/interaction/messagebox.h"
#include "platform/interaction/taskprogress.h"
#include "wordforms/corpus.h"
#include "wordforms/figures.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/lafonscores.h"
#include "wordforms/stoplist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr QSize designedSize{1240, 760};
// Long enough for a key held down on the list to make one concordance.
constexpr int concordanceDelayMilliseconds = 120;

constexpr int concordanceTab = 0;
constexpr int textTab = 1;
constexpr int statisticsTab = 2;
constexpr int lafonScoresTab = 3;

// The choices of the exclusion list, in order.
enum ExclusionChoice { NoExclusion, FunctionWords, ExclusionFile };

// Entrée on a view does what a double-click does.
template <typename Handler>
void onEnter(QTableView *view, QObject *receiver, Handler handler)
{
    auto *enter = new QShortcut(view);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setContext(Qt::WidgetShortcut);
    QObject::connect(enter, &QShortcut::activated, receiver, handler);
}

QLabel *buddyLabel(const QString &caption, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

QComboBox *orderChoice(QWidget *parent, const QString &name, const QString &accessibleName)
{
    auto *choice = new QComboBox(parent);
    choice->setObjectName(name);
    choice->setAccessibleName(accessibleName);
    for (const auto &[caption, order] : concordanceOrders)
        choice->addItem(caption.toString());
    return choice;
}

MessageRequest concordanceTooLarge()
{
    return notEnoughMemoryFor(u"La concordance ne peut pas être établie"_s, u"Corpus trop volumineux"_s);
}

} // namespace

QString corpusCaption(const QStringList &names)
{
    if (names.size() == 1)
        return names.constFirst();
    return u"Corpus – "_s + countOf(names.size(), u"texte", u"textes");
}

CorpusWindow::CorpusWindow(std::unique_ptr<Corpus> corpus, const WindowServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_corpus(std::move(corpus))
    , m_services(services)
    , m_pointer(services.busyPointer(*this))
    , m_tasks(new TaskRunner(*this))
{
    setObjectName(u"corpus"_s);
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(corpusCaption(m_corpus->textNames()));
    setAccessibleDescription(u"Les textes du corpus, la liste de leurs formes, et la concordance, le texte et les "
                             u"statistiques de la forme choisie."_s);
    setToolWindowLook(*this);

    m_concordanceTimer = new QTimer(this);
    m_concordanceTimer->setSingleShot(true);
    m_concordanceTimer->setInterval(concordanceDelayMilliseconds);
    connect(m_concordanceTimer, &QTimer::timeout, this, &CorpusWindow::makeConcordance);

    auto *panes = new QSplitter(Qt::Horizontal, this);
    panes->setObjectName(u"volets"_s);
    panes->setChildrenCollapsible(false);
    panes->addWidget(createTexts());
    panes->addWidget(createList());
    m_tabs = new QTabWidget(panes);
    m_tabs->setObjectName(u"onglets"_s);
    m_tabs->setAccessibleName(u"Concordance, texte et statistiques"_s);
    m_tabs->addTab(createConcordance(), u"&Concordance"_s);
    m_textView = new TextView(m_tabs);
    m_textView->setObjectName(u"texte"_s);
    connect(m_textView, &TextView::nextRequested, this, &CorpusWindow::showNextAttestation);
    connect(m_textView, &TextView::previousRequested, this, &CorpusWindow::showPreviousAttestation);
    m_tabs->addTab(m_textView, u"Te&xte"_s);
    m_statistics = new CorpusStatisticsView(m_tabs);
    m_statistics->setObjectName(u"statistiques"_s);
    m_tabs->addTab(m_statistics, u"&Statistiques"_s);
    m_lafonScores = new LafonScoresView(*m_corpus, m_tabs);
    m_lafonScores->setObjectName(u"ongletSpecificites"_s);
    connect(m_lafonScores, &LafonScoresView::formChosen, this, &CorpusWindow::listRowChosen);
    connect(m_lafonScores, &LafonScoresView::concordanceAsked, this, &CorpusWindow::showConcordanceIn);
    m_tabs->addTab(m_lafonScores, u"Spécif&icités"_s);
    // Only pinned concordances close.
    m_tabs->setTabsClosable(true);
    for (int tab = 0; tab < m_tabs->count(); ++tab)
        m_tabs->tabBar()->setTabButton(tab, QTabBar::RightSide, nullptr);
    connect(m_tabs, &QTabWidget::tabCloseRequested, this, [this](int tab) {
        QWidget *page = m_tabs->widget(tab);
        if (m_followed && page->isAncestorOf(m_followed))
            m_followed = m_concordance;
        m_tabs->removeTab(tab);
        page->deleteLater();
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, &CorpusWindow::tabShown);
    panes->addWidget(m_tabs);
    panes->setStretchFactor(0, 2);
    panes->setStretchFactor(1, 4);
    panes->setStretchFactor(2, 6);
    panes->setSizes({240, 480, 720});
    setCentralWidget(panes);
    createMenus();

    // Ctrl+Tab goes from tab to tab wherever the focus is.
    auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this, [this] { m_tabs->setCurrentIndex((m_tabs->currentIndex() + 1) % m_tabs->count()); });
    auto *previousTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), this);
    connect(previousTab, &QShortcut::activated, this, [this] {
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + m_tabs->count() - 1) % m_tabs->count());
    });

    m_followed = m_concordance;
    resizeWithinScreen(*this, designedSize);
    showCountLine();
    m_search->setFocus();
    if (m_listModel->rowCount() > 0)
        m_list->setCurrentIndex(m_listModel->index(0, CorpusListModel::formColumn));
}

CorpusWindow::~CorpusWindow()
{
    // The views and their models read the corpus: they go before it.
    delete centralWidget();
    delete m_listModel;
    delete m_textsModel;
}

void CorpusWindow::createMenus()
{
    QMenu *menu = addMenu(menuBar(), u"fichier"_s, u"&Fichier"_s);
    addCommand(menu, u"enregistrerListe"_s, u"Enregistrer la &liste sous…"_s, this, &CorpusWindow::saveList,
               QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(menu, u"enregistrerConcordance"_s, u"Enregistrer la &concordance sous…"_s, this,
               &CorpusWindow::saveConcordance, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addCommand(menu, u"enregistrerSpecificites"_s, u"Enregistrer les s&pécificités sous…"_s, this,
               &CorpusWindow::saveLafonScores);
    addCommand(menu, u"comparerReference"_s, u"C&omparer à une liste de référence…"_s, this,
               &CorpusWindow::compareWithReference);
    addCommand(menu, u"imprimer"_s, u"&Imprimer"_s, this, &CorpusWindow::print, QKeySequence(Qt::CTRL | Qt::Key_P));
    menu->addSeparator();
    addCommand(menu, u"fermer"_s, u"&Fermer"_s, this, &CorpusWindow::closeWindow, QKeySequence(Qt::CTRL | Qt::Key_W));
    QMenu *search = addMenu(menuBar(), u"recherche"_s, u"&Recherche"_s);
    addCommand(search, u"rechercher"_s, u"&Rechercher une forme"_s, this, &CorpusWindow::focusSearch,
               QKeySequence(Qt::CTRL | Qt::Key_F));
    addCommand(search, u"epingler"_s, u"É&pingler la concordance"_s, this, &CorpusWindow::pinConcordance);
    // F3 and Maj+F3 are the text view's, wherever the focus is.
    search->addAction(m_textView->nextAction());
    search->addAction(m_textView->previousAction());
}

QWidget *CorpusWindow::createTexts()
{
    m_textsModel = new CorpusTextsModel(*m_corpus, this);
    m_texts = newCorpusTable(this, u"textes"_s, u"Textes du corpus"_s);
    m_texts->setModel(m_textsModel);
    m_texts->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_texts->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_texts->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_texts->setMinimumWidth(180);
    m_texts->setTextElideMode(Qt::ElideMiddle);
    m_texts->setToolTip(u"Un texte choisi ici restreint la concordance et le texte affiché à ce texte"_s);
    m_texts->setCurrentIndex(m_textsModel->index(CorpusTextsModel::wholeCorpusRow, 0));
    connect(m_texts->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CorpusWindow::textChosen);
    return m_texts;
}

QWidget *CorpusWindow::createList()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *filters = new QGridLayout;
    m_search = new QLineEdit(page);
    m_search->setObjectName(u"rechercher"_s);
    m_search->setAccessibleName(u"Rechercher"_s);
    m_search->setClearButtonEnabled(true);
    m_search->setToolTip(u"Les formes qui commencent ainsi, sans égard aux majuscules ni aux accents ; "
                         u"* et ? remplacent des lettres dans toute la forme"_s);
    connect(m_search, &QLineEdit::textChanged, this, &CorpusWindow::filterChanged);
    m_regularExpression = new QCheckBox(u"&Expression régulière"_s, page);
    m_regularExpression->setObjectName(u"expressionReguliere"_s);
    connect(m_regularExpression, &QCheckBox::toggled, this, &CorpusWindow::filterChanged);
    m_searchProblem = new QLabel(page);
    m_searchProblem->setObjectName(u"erreurRecherche"_s);
    m_searchProblem->setStyleSheet(u"color: #a00000;"_s);
    m_searchProblem->setWordWrap(true);
    m_searchProblem->hide();

    m_minimumCount = new QSpinBox(page);
    m_minimumCount->setObjectName(u"frequenceMinimale"_s);
    m_minimumCount->setAccessibleName(u"Fréquence minimale"_s);
    m_minimumCount->setRange(1, 999'999'999);
    connect(m_minimumCount, &QSpinBox::valueChanged, this, &CorpusWindow::filterChanged);
    m_exclusion = new QComboBox(page);
    m_exclusion->setObjectName(u"listeExclusion"_s);
    m_exclusion->setAccessibleName(u"Liste d'exclusion"_s);
    m_exclusion->addItems({u"Aucune"_s, u"Mots-outils du français"_s, u"Fichier…"_s});
    connect(m_exclusion, &QComboBox::activated, this, &CorpusWindow::exclusionChosen);

    filters->addWidget(buddyLabel(u"&Rechercher :"_s, m_search, page), 0, 0);
    filters->addWidget(m_search, 0, 1);
    filters->addWidget(m_regularExpression, 1, 1);
    filters->addWidget(m_searchProblem, 2, 1);
    filters->addWidget(buddyLabel(u"Fréquence &minimale :"_s, m_minimumCount, page), 3, 0);
    filters->addWidget(m_minimumCount, 3, 1, Qt::AlignLeft);
    filters->addWidget(buddyLabel(u"Liste d'e&xclusion :"_s, m_exclusion, page), 4, 0);
    filters->addWidget(m_exclusion, 4, 1);
    filters->setColumnStretch(1, 1);
    layout->addLayout(filters);

    m_countLine = new QLabel(page);
    m_countLine->setObjectName(u"formesAffichees"_s);
    layout->addWidget(m_countLine);

    m_listModel = new CorpusListModel(*m_corpus, this);
    m_list = newCorpusTable(page, u"liste"_s, u"Liste des formes"_s);
    m_list->setModel(m_listModel);
    QHeaderView *headings = m_list->horizontalHeader();
    headings->setSectionResizeMode(QHeaderView::Interactive);
    headings->setSectionsClickable(true);
    headings->setSortIndicatorShown(true);
    headings->setSortIndicator(CorpusListModel::formColumn, Qt::AscendingOrder);
    m_list->setColumnWidth(CorpusListModel::formColumn, 150);
    for (int column = CorpusListModel::totalColumn; column < m_listModel->columnCount(); ++column)
        m_list->setColumnWidth(column, 90);
    connect(headings, &QHeaderView::sectionClicked, this, &CorpusWindow::sortByHeading);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CorpusWindow::scheduleConcordance);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex &current) {
        if (current.isValid())
            m_lafonScores->setCurrentListRow(m_listModel->listRow(current.row()));
    });
    layout->addWidget(m_list, 1);
    return page;
}

QTableView *CorpusWindow::createConcordanceView(QWidget *parent)
{
    QTableView *view = newCorpusTable(parent, u"concordance"_s, u"Concordance"_s);
    // The line's column: after the text's when there are several texts.
    view->setItemDelegateForColumn(m_corpus->textCount() > 1 ? 2 : 1, m_lineDelegate);
    connect(view, &QTableView::doubleClicked, this, [this, view](const QModelIndex &index) { showAttestationAt(view, index); });
    onEnter(view, this, [this, view] { showAttestationAt(view, view->currentIndex()); });
    return view;
}

QWidget *CorpusWindow::createConcordance()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);

    auto *choices = new QGridLayout;
    m_concordanceOf = new QComboBox(page);
    m_concordanceOf->setObjectName(u"concordanceDe"_s);
    m_concordanceOf->setAccessibleName(u"Concordance de"_s);
    m_concordanceOf->addItems({u"la forme choisie"_s, u"toutes les formes affichées"_s});
    connect(m_concordanceOf, &QComboBox::currentIndexChanged, this, &CorpusWindow::scheduleConcordance);
    m_firstKey = orderChoice(page, u"tri"_s, u"Tri"_s);
    m_secondKey = orderChoice(page, u"puis"_s, u"puis"_s);
    connect(m_firstKey, &QComboBox::currentIndexChanged, this, &CorpusWindow::concordanceSortChosen);
    connect(m_secondKey, &QComboBox::currentIndexChanged, this, &CorpusWindow::concordanceSortChosen);
    m_words = new QSpinBox(page);
    m_words->setObjectName(u"contexte"_s);
    m_words->setAccessibleName(u"Contexte"_s);
    m_words->setRange(Concordance::fewestWords, Concordance::mostWords);
    m_words->setValue(Concordance::defaultWords);
    m_words->setSuffix(u" mots"_s);
    connect(m_words, &QSpinBox::valueChanged, this, [this](int words) {
        m_words->setSuffix(u" "_s + agreeing(words, u"mot", u"mots").toString());
        if (m_concordanceModel)
            m_concordanceModel->setWords(words);
    });
    auto *pin = new QPushButton(u"É&pingler"_s, page);
    pin->setObjectName(u"epingler"_s);
    pin->setToolTip(u"Garde cette concordance dans un onglet à elle, pour la comparer à une autre"_s);
    pin->setAutoDefault(false);
    connect(pin, &QPushButton::clicked, this, &CorpusWindow::pinConcordance);

    choices->addWidget(buddyLabel(u"&De :"_s, m_concordanceOf, page), 0, 0);
    choices->addWidget(m_concordanceOf, 0, 1, 1, 3);
    choices->addWidget(pin, 0, 5);
    choices->addWidget(buddyLabel(u"&Tri :"_s, m_firstKey, page), 1, 0);
    choices->addWidget(m_firstKey, 1, 1);
    choices->addWidget(buddyLabel(u"p&uis :"_s, m_secondKey, page), 1, 2);
    choices->addWidget(m_secondKey, 1, 3);
    choices->addWidget(buddyLabel(u"C&ontexte :"_s, m_words, page), 1, 4);
    choices->addWidget(m_words, 1, 5);
    choices->setColumnStretch(1, 1);
    choices->setColumnStretch(3, 1);
    layout->addLayout(choices);

    m_concordanceLine = new QLabel(page);
    m_concordanceLine->setObjectName(u"attestations"_s);
    layout->addWidget(m_concordanceLine);

    m_lineDelegate = new ConcordanceLineDelegate(this);
    m_concordance = createConcordanceView(page);
    layout->addWidget(m_concordance, 1);
    return page;
}

void CorpusWindow::focusSearch()
{
    m_search->setFocus();
    m_search->selectAll();
}

void CorpusWindow::filterChanged()
{
    const qsizetype current = m_list->currentIndex().isValid() ? m_listModel->listRow(m_list->currentIndex().row()) : -1;
    const FormMatcher matcher(m_search->text(), m_regularExpression->isChecked() ? FormMatcher::Syntax::RegularExpression
                                                                                  : FormMatcher::Syntax::Pattern);
    m_searchProblem->setText(matcher.isValid() ? QString() : matcher.problem());
    m_searchProblem->setVisible(!matcher.isValid());
    if (!matcher.isValid())
        return;
    m_listModel->setFilter({matcher, m_minimumCount->value(), m_excluded});
    m_lafonScores->setListRows(m_listModel->selection().shownRows());
    showCountLine();
    // The form chosen stays chosen while it is shown; else the first one is.
    const int row = current >= 0 ? m_listModel->rowOfListRow(current) : -1;
    if (m_listModel->rowCount() > 0) {
        const QModelIndex index = m_listModel->index(std::max(row, 0), CorpusListModel::formColumn);
        m_list->setCurrentIndex(index);
        m_list->scrollTo(index);
    }
    scheduleConcordance();
}

void CorpusWindow::exclusionChosen(int choice)
{
    if (choice == FunctionWords) {
        // The program's own list lives as long as the program.
        m_excluded = std::shared_ptr<const StopList>(std::shared_ptr<void>(), &StopList::frenchFunctionWords());
    } else if (choice == ExclusionFile) {
        const QString path = m_services.dialogs.openFileName(QString::fromUtf16(textFileFilter));
        auto list = std::make_shared<StopList>();
        QString problem;
        if (!path.isEmpty())
            problem = readStopList(path, *list);
        if (path.isEmpty() || !problem.isEmpty()) {
            if (!problem.isEmpty())
                m_services.messages.show(failureMessage(problem, QString(), u"Liste d'exclusion"_s));
            const QSignalBlocker quiet(m_exclusion);
            m_exclusion->setCurrentIndex(m_exclusionShown);
            return;
        }
        m_exclusion->setItemText(ExclusionFile, QFileInfo(path).fileName());
        m_excluded = std::move(list);
    } else {
        m_excluded.reset();
    }
    m_exclusionShown = choice;
    filterChanged();
}

void CorpusWindow::showCountLine()
{
    const qsizetype shown = m_listModel->rowCount();
    m_countLine->setText(u"%1 sur %2"_s.arg(countOf(shown, u"forme affichée", u"formes affichées"),
                                           groupedFigure(m_corpus->list().size())));
}

void CorpusWindow::sortByHeading(int column)
{
    const QModelIndex current = m_list->currentIndex();
    const qsizetype row = current.isValid() ? m_listModel->listRow(current.row()) : -1;
    const BusyScope busy(*m_pointer);
    m_listModel->sortByColumn(column);
    m_list->horizontalHeader()->setSortIndicator(column, column == CorpusListModel::formColumn ? Qt::AscendingOrder
                                                                                               : Qt::DescendingOrder);
    if (row >= 0) {
        const QModelIndex kept = m_listModel->index(m_listModel->rowOfListRow(row), std::max(current.column(), 0));
        m_list->setCurrentIndex(kept);
        m_list->scrollTo(kept, QAbstractItemView::PositionAtCenter);
    }
}

std::optional<qsizetype> CorpusWindow::chosenText() const
{
    const qsizetype text = CorpusTextsModel::textOfRow(m_texts->currentIndex().row());
    if (text < 0)
        return std::nullopt;
    return text;
}

Concordance::Order CorpusWindow::orderAt(const QComboBox *choice) const
{
    return concordanceOrders[std::max(choice->currentIndex(), 0)].second;
}

void CorpusWindow::scheduleConcordance()
{
    m_concordanceTimer->start();
}

void CorpusWindow::makeConcordance()
{
    // A concordance is being made: this one comes after it.
    if (m_tasks->running()) {
        m_concordanceTimer->start();
        return;
    }
    std::vector<std::uint32_t> rows;
    QString title;
    if (m_concordanceOf->currentIndex() == 0) {
        const QModelIndex current = m_list->currentIndex();
        if (current.isValid()) {
            const qsizetype row = m_listModel->listRow(current.row());
            rows.push_back(std::uint32_t(row));
            title = u"« %1 »"_s.arg(shownForm(m_corpus->list().form(row)));
        }
    } else {
        const auto shown = m_listModel->selection().shownRows();
        rows.assign(shown.begin(), shown.end());
        std::sort(rows.begin(), rows.end());
        title = m_search->text().isEmpty() ? u"toutes les formes"_s : u"« %1 »"_s.arg(m_search->text());
    }
    const std::optional<qsizetype> text = chosenText();
    const Concordance::Order first = orderAt(m_firstKey);
    const Concordance::Order second = orderAt(m_secondKey);
    const Corpus &corpus = *m_corpus;
    auto made = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Recherche des attestations de %1…"_s.arg(title),
        concordanceTooLarge(),
        [&](TaskProgress &progress) {
            CorpusConcordance concordance = corpus.concordance(rows, text, &progress);
            concordance.arrange(concordance.arranged(first, second, &progress));
            return std::optional<CorpusConcordance>(std::move(concordance));
        },
        [](std::optional<CorpusConcordance> concordance) { return concordance; });
    if (!made)
        return;
    auto *model = new CorpusConcordanceModel(std::move(*made), m_concordance);
    model->setWords(m_words->value());
    QAbstractItemModel *old = m_concordance->model();
    m_concordanceModel = model;
    m_concordanceTitle = title;
    m_concordance->setModel(model);
    delete old;
    m_lineDelegate->setSortKeys(first, second);
    QHeaderView *columns = m_concordance->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setSectionResizeMode(model->lineColumn(), QHeaderView::Stretch);
    m_concordance->setColumnWidth(CorpusConcordanceModel::numberColumn,
                                  m_concordance->fontMetrics().horizontalAdvance(groupedFigure(std::max<qsizetype>(model->rowCount(), 100)) + u"00"_s));
    m_concordanceLine->setText(countOf(model->rowCount(), u"attestation", u"attestations") + u" de "_s + title
                               + (text ? u" dans « %1 »"_s.arg(corpus.textName(*text)) : QString()));
    if (model->rowCount() > 0)
        m_concordance->setCurrentIndex(model->index(0, model->lineColumn()));
    updateNavigation();
}

void CorpusWindow::concordanceSortChosen()
{
    if (!m_concordanceModel)
        return;
    const QModelIndex current = m_concordance->currentIndex();
    const CorpusConcordance &concordance = m_concordanceModel->concordance();
    const qsizetype attestation = current.isValid() ? concordance.attestation(current.row()) : -1;
    const Concordance::Order first = orderAt(m_firstKey);
    const Concordance::Order second = orderAt(m_secondKey);
    const bool sorted = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Tri de la concordance…"_s,
        notEnoughMemoryFor(u"La concordance ne peut pas être triée"_s, u"Corpus trop volumineux"_s),
        [&](TaskProgress &progress) { return concordance.arranged(first, second, &progress); },
        [this](CorpusConcordance::Arrangement rows) {
            m_concordanceModel->arrange(std::move(rows));
            return true;
        });
    if (!sorted) {
        // The choices go back to the order still shown.
        const QSignalBlocker quietFirst(m_firstKey);
        const QSignalBlocker quietSecond(m_secondKey);
        m_firstKey->setCurrentIndex(concordanceOrderIndex(concordance.firstOrder()));
        m_secondKey->setCurrentIndex(concordanceOrderIndex(concordance.secondOrder()));
        return;
    }
    m_lineDelegate->setSortKeys(first, second);
    m_concordance->viewport()->update();
    if (attestation >= 0) {
        const QModelIndex row = m_concordanceModel->index(int(concordance.rowOf(attestation)), m_concordanceModel->lineColumn());
        m_concordance->setCurrentIndex(row);
        m_concordance->scrollTo(row, QAbstractItemView::PositionAtCenter);
    }
}

void CorpusWindow::textChosen()
{
    scheduleConcordance();
    const std::optional<qsizetype> text = chosenText();
    if (text && *text != m_textShown) {
        const TextStudy &study = m_corpus->text(*text);
        m_textView->setText(m_corpus->textName(*text), study.text());
        m_textShown = *text;
    }
}

void CorpusWindow::showAttestationAt(QTableView *view, const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const auto *model = static_cast<const CorpusConcordanceModel *>(view->model());
    const CorpusConcordance &concordance = model->concordance();
    const qsizetype attestation = concordance.attestation(index.row());
    const qsizetype text = concordance.textOf(attestation);
    if (text != m_textShown) {
        m_textView->setText(m_corpus->textName(text), m_corpus->text(text).text());
        m_textShown = text;
    }
    const TextSpan span = concordance.span(attestation);
    m_textView->showAttestation(span.begin, span.end);
    m_followed = view;
    updateNavigation();
    m_tabs->setCurrentWidget(m_textView);
}

void CorpusWindow::stepAttestation(int step)
{
    if (!m_followed || !m_followed->model())
        return;
    const QModelIndex current = m_followed->currentIndex();
    const int row = current.isValid() ? current.row() + step : 0;
    if (row < 0 || row >= m_followed->model()->rowCount())
        return;
    const QModelIndex next = m_followed->model()->index(row, current.isValid() ? current.column() : 0);
    m_followed->setCurrentIndex(next);
    m_followed->scrollTo(next);
    showAttestationAt(m_followed, next);
}

void CorpusWindow::showNextAttestation()
{
    stepAttestation(1);
}

void CorpusWindow::showPreviousAttestation()
{
    stepAttestation(-1);
}

void CorpusWindow::updateNavigation()
{
    const QAbstractItemModel *model = m_followed ? m_followed->model() : nullptr;
    const int row = m_followed ? m_followed->currentIndex().row() : -1;
    m_textView->setNavigation(model && row > 0, model && row >= 0 && row + 1 < model->rowCount());
}

void CorpusWindow::pinConcordance()
{
    if (!m_concordanceModel || m_concordanceModel->rowCount() == 0)
        return;
    auto *page = new QWidget(m_tabs);
    auto *layout = new QVBoxLayout(page);
    auto *line = new QLabel(m_concordanceLine->text(), page);
    layout->addWidget(line);
    QTableView *view = createConcordanceView(page);
    // The pinned concordance keeps its rows; the tab shows the next ones.
    m_concordanceModel->setParent(view);
    view->setModel(m_concordanceModel);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setSectionResizeMode(m_concordanceModel->lineColumn(), QHeaderView::Stretch);
    view->setColumnWidth(CorpusConcordanceModel::numberColumn, m_concordance->columnWidth(CorpusConcordanceModel::numberColumn));
    view->setCurrentIndex(m_concordance->currentIndex());
    layout->addWidget(view, 1);
    m_concordance->setModel(nullptr);
    m_concordanceModel = nullptr;
    const int tab = m_tabs->addTab(page, m_concordanceTitle);
    m_tabs->setTabToolTip(tab, line->text());
    m_tabs->setCurrentIndex(tab);
    if (m_followed == m_concordance)
        m_followed = view;
    makeConcordance();
}

void CorpusWindow::tabShown(int tab)
{
    if (tab == lafonScoresTab && !m_lafonScores->lafonScores())
        makeLafonScores(nullptr, QString());
    if (tab != statisticsTab || m_statisticsMade)
        return;
    const Corpus &corpus = *m_corpus;
    struct Made
    {
        std::vector<LexicalStatistics> texts;
        std::optional<LexicalStatistics> whole;
    };
    auto made = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Calcul des statistiques lexicales…"_s,
        notEnoughMemoryFor(u"Les statistiques ne peuvent pas être calculées"_s, u"Corpus trop volumineux"_s),
        [&](TaskProgress &progress) {
            std::optional<Made> result(std::in_place);
            for (qsizetype text = 0; text < corpus.textCount(); ++text)
                result->texts.push_back(corpus.text(text).statistics(&progress));
            result->whole.emplace(corpus.statistics(&progress));
            return result;
        },
        [](std::optional<Made> result) { return result; });
    if (!made)
        return;
    m_statistics->setStatistics(corpus.textNames(), std::move(made->texts), std::move(*made->whole));
    m_statisticsMade = true;
}

bool CorpusWindow::makeLafonScores(const WordList *reference, const QString &referenceName)
{
    const WordList &list = m_corpus->list();
    auto made = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Calcul des spécificités…"_s,
        notEnoughMemoryFor(u"Les spécificités ne peuvent pas être calculées"_s, u"Corpus trop volumineux"_s),
        [&](TaskProgress &progress) {
            return std::shared_ptr<const LafonScores>(reference ? new LafonScores(list, *reference, &progress)
                                                                  : new LafonScores(list, &progress));
        },
        [](std::shared_ptr<const LafonScores> lafonScores) { return lafonScores; });
    if (!made)
        return false;
    m_lafonScores->setListRows(m_listModel->selection().shownRows());
    m_lafonScores->setLafonScores(std::move(made), referenceName);
    if (const QModelIndex current = m_list->currentIndex(); current.isValid())
        m_lafonScores->setCurrentListRow(m_listModel->listRow(current.row()));
    return true;
}

void CorpusWindow::compareWithReference()
{
    const QString path = m_services.dialogs.openFileName(QString::fromUtf16(textFileFilter));
    if (path.isEmpty())
        return;
    const SavedWordList reference = readWordListFile(path);
    if (!reference.problem.isEmpty()) {
        m_services.messages.show(failureMessage(reference.problem, QString(), u"Liste de référence"_s));
        return;
    }
    if (makeLafonScores(&reference.list, QFileInfo(path).fileName()))
        m_tabs->setCurrentWidget(m_lafonScores);
}

void CorpusWindow::saveLafonScores()
{
    if (!m_lafonScores->lafonScores() && !makeLafonScores(nullptr, QString()))
        return;
    const std::vector<std::uint32_t> rows = m_lafonScores->shownRows();
    saveFile(QString::fromUtf16(textFileFilter),
             [&](int, QIODevice &device) {
                 return writeLafonScores(*m_lafonScores->lafonScores(), m_corpus->list(), m_corpus->textNames(),
                                           rows, device);
             },
             m_services.dialogs, m_services.messages, *m_pointer);
}

void CorpusWindow::listRowChosen(qsizetype listRow)
{
    const int row = m_listModel->rowOfListRow(listRow);
    if (row < 0 || row == m_list->currentIndex().row())
        return;
    const QModelIndex index = m_listModel->index(row, CorpusListModel::formColumn);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

// A click on a text's bar: the concordance of the form in that text.
void CorpusWindow::showConcordanceIn(qsizetype listRow, qsizetype text)
{
    listRowChosen(listRow);
    m_texts->setCurrentIndex(m_textsModel->index(int(text) + 1, 0));
    m_concordanceOf->setCurrentIndex(0);
    m_concordanceTimer->stop();
    makeConcordance();
    m_tabs->setCurrentIndex(concordanceTab);
}

void CorpusWindow::saveList()
{
    const auto rows = m_listModel->selection().shownRows();
    saveFile(QString::fromUtf16(textFileFilter),
             [&](int, QIODevice &device) { return writeWordListRows(m_corpus->list(), rows, device); },
             m_services.dialogs, m_services.messages, *m_pointer);
}

void CorpusWindow::saveConcordance()
{
    if (!m_concordanceModel)
        return;
    saveFile(QString::fromUtf16(textFileFilter),
             [this](int, QIODevice &device) {
                 return writeConcordance(m_concordanceModel->concordance(), m_concordanceModel->words(), device);
             },
             m_services.dialogs, m_services.messages, *m_pointer);
}

void CorpusWindow::print()
{
    printWordListRows(m_corpus->list(), m_listModel->selection().shownRows(), m_services.dialogs,
                      m_services.printing, m_services.messages, *m_pointer);
}

void CorpusWindow::closeWindow()
{
    close();
}

} // namespace lexalon
