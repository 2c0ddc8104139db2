#include "gui/wordlist/frmliste01.h"

#include "commands/printcommand.h"
#include "commands/savecommand.h"
#include "gui/concordance/concordancewindow.h"
#include "gui/look/accessibility.h"
#include "gui/look/pushbutton.h"
#include "gui/look/windowlook.h"
#include "gui/platform/taskrunner.h"
#include "gui/statistics/statisticswindow.h"
#include "gui/wordlist/wordlistmodel.h"
#include "gui/wordlist/wordlistview.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/messagebox.h"
#include "platform/interaction/twips.h"
#include "wordforms/analysis.h"
#include "wordforms/concordance.h"
#include "wordforms/figures.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/wordlist.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <new>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr int clientWidth = 9810;
inline constexpr int clientHeight = 7185;

inline constexpr auto titleText = u"Listes du lexalon";
inline constexpr QRect titleGeometry = twipsRect(120, 120, 9375, 615);
// The title: a transparent caption laid exactly over the same caption in
// white on a band.
inline constexpr LabelLook titleLook{24, true, false, Qt::AlignCenter, QColor(0, 0, 0), std::nullopt};
inline constexpr LabelLook bandLook{24, true, false, Qt::AlignCenter, QColor(255, 255, 255), titleBand};

inline constexpr QRect frame1Geometry = twipsRect(120, 840, 4815, 1335);
inline constexpr QRect frame2Geometry = twipsRect(240, 2520, 4335, 975);
inline constexpr QRect frame3Geometry = twipsRect(5040, 840, 4695, 6255);
inline constexpr qreal frameCaptionPoints = 9.75;
inline constexpr QColor frameCaptionColour{255, 0, 0};

inline constexpr auto totalCaption = u"Nombre total de formes de l'extrait :";
inline constexpr auto differentCaption = u"Nombre total de formes différentes :";
inline constexpr LabelLook statisticCaptionLook{12, false, true, Qt::AlignLeft | Qt::AlignTop,
                                                 QColor(0, 0, 192), std::nullopt};
inline constexpr LabelLook statisticValueLook{12, true, true, Qt::AlignLeft | Qt::AlignTop,
                                               QColor(192, 0, 0), std::nullopt};

inline constexpr QRect grille01Geometry = twipsRect(5160, 1080, 4455, 5895);

inline constexpr QRect command1Geometry = twipsRect(720, 2880, 3135, 375);
inline constexpr qreal command1Points = 9;

QFont command1Font()
{
    QFont font = labelFont(command1Points);
    font.setBold(true);
    return font;
}

// A statistic's figure, named for screen readers after the caption beside it.
void showStatistic(QLabel *label, const char16_t *caption, qint64 value)
{
    const QString figure = QString::number(value);
    showFigure(label, lookFont(statisticValueLook), figure);
    label->setAccessibleName(QString::fromUtf16(caption) + u' ' + figure);
}

// The button names the order its next press applies.
QString orderCaption(WordList::Order shown)
{
    return QString::fromUtf16(shown == WordList::Order::Alphabetical ? u"Tri par fréquences décroissantes"
                                                                     : u"Tri alphabétique");
}

QGroupBox *frame(QWidget *client, const QString &name, const QRect &geometry)
{
    auto *box = new QGroupBox(client);
    box->setObjectName(name);
    box->setGeometry(geometry);
    setBackground(box, lightYellow);
    return box;
}

} // namespace

frmListe01::frmListe01(const QString &text, const WindowServices &services, QWidget *parent)
    : QDialog(parent)
    , m_text(text)
    , m_services(services)
    , m_pointer(services.busyPointer(*this))
    , m_tasks(new TaskRunner(*this))
    , m_model(new WordListModel(this))
{
    setWindowTitle(QString::fromUtf16(programCaption));
    QMenuBar *menus = createMenus();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(createClientArea());
    setAccessibleDescription(u"Les formes du texte avec leurs nombres d'attestations, les statistiques de "
                             "l'extrait et le bouton qui change l'ordre de la liste."_s);
    resizeWithinScreen(*this, QSize(twips(clientWidth), twips(clientHeight) + menus->sizeHint().height()));
}

frmListe01::~frmListe01() = default;

QWidget *frmListe01::createClientArea()
{
    // Nothing follows the window's size: the controls keep their places. Each
    // control created lies over those created before it.
    auto *client = new QWidget(this);
    setBackground(client, lightYellow);
    createTitle(client);
    frame(client, u"Frame3"_s, frame3Geometry);
    frame(client, u"Frame2"_s, frame2Geometry);
    createStatistics(frame(client, u"Frame1"_s, frame1Geometry));
    createList(client);
    createButton(client);
    setTabOrder(m_view, m_Command1);
    return client;
}

void frmListe01::createTitle(QWidget *client)
{
    // Screen readers read the title once, from the caption on top.
    hideFromAccessibility(addLabel(client, u"fond"_s, QString::fromUtf16(titleText), titleGeometry, bandLook));
    addLabel(client, u"Label5"_s, QString::fromUtf16(titleText), titleGeometry, titleLook);
}

void frmListe01::createStatistics(QGroupBox *frame1)
{
    frame1->setTitle(u"Statistiques"_s);
    QFont font = labelFont(frameCaptionPoints);
    font.setBold(true);
    font.setItalic(true);
    frame1->setFont(font);
    QPalette palette = frame1->palette();
    palette.setColor(QPalette::WindowText, frameCaptionColour);
    frame1->setPalette(palette);

    addLabel(frame1, u"Label2"_s, QString::fromUtf16(totalCaption),
             twipsRect(240, 360, 3615, 375), statisticCaptionLook);
    m_Label6 = addLabel(frame1, u"Label6"_s, u"tot"_s, twipsRect(3840, 360, 975, 375),
                        statisticValueLook);
    addLabel(frame1, u"Label3"_s, QString::fromUtf16(differentCaption),
             twipsRect(240, 840, 3735, 375), statisticCaptionLook);
    m_Label7 = addLabel(frame1, u"Label7"_s, u"tot02"_s, twipsRect(3840, 840, 975, 375),
                        statisticValueLook);
    // The mean frequency is never computed: its line stays hidden.
    QLabel *label4 = addLabel(frame1, u"Label4"_s, u"Fréquence moyenne d'attestation :"_s,
                              twipsRect(240, 1320, 3735, 375), statisticCaptionLook);
    label4->setToolTip(u"Fréquence moyenne théorique d'attestation de chaque forme"_s);
    hideFromAccessibility(label4);
    label4->hide();
    QLabel *label8 = addLabel(frame1, u"Label8"_s, u"tot"_s, twipsRect(3720, 1320, 975, 375), statisticValueLook);
    hideFromAccessibility(label8);
    label8->hide();
}

void frmListe01::createList(QWidget *client)
{
    m_view = new WordListView(client);
    m_view->setObjectName(u"grille01"_s);
    m_view->setAccessibleName(u"Liste des formes"_s);
    m_view->setGeometry(grille01Geometry);
    m_view->setListModel(m_model);
    connect(m_view, &WordListView::formChosen, this, &frmListe01::openConcordance);
}

void frmListe01::createButton(QWidget *client)
{
    m_Command1 = new PushButton(client);
    m_Command1->setObjectName(u"Command1"_s);
    m_Command1->setGeometry(command1Geometry);
    showOrder(WordList::Order::Alphabetical);
    // Enter in the list must not press the button.
    m_Command1->setAutoDefault(false);
    connect(m_Command1, &QPushButton::clicked, this, &frmListe01::Command1_Click);
}

QMenuBar *frmListe01::createMenus()
{
    auto *menuBar = new QMenuBar(this);
    addListFileMenu(menuBar, this, &frmListe01::enregistrer_Click, &frmListe01::imprimer_Click, &frmListe01::fermer_Click);
    QMenu *outils = addMenu(menuBar, u"outils"_s, u"&Outils"_s);
    m_concordance = addCommand(outils, u"concordance"_s, u"&Concordance de la forme"_s, this,
                               &frmListe01::concordance_Click);
    m_concordance->setEnabled(false);
    addCommand(outils, u"statistiques"_s, u"&Statistiques lexicales"_s, this, &frmListe01::statistiques_Click);
    QMenu *aide = addMenu(menuBar, u"aide"_s, u"&Aide"_s);
    addCommand(aide, u"about"_s, u"&A propos de"_s, this, &frmListe01::about_Click);
    return menuBar;
}

void frmListe01::Form_Load()
{
    Form_Load(analyseTextWithTokens(m_text));
}

void frmListe01::Form_Load(TextAnalysis analysis)
{
    m_tokens = std::move(analysis.tokens);
    m_model->setList(std::move(analysis.list));
    m_concordance->setEnabled(m_model->rowCount() > 0);
    m_view->startAtFirstCount();
    showStatistic(m_Label6, totalCaption, m_model->list().totalCount());
    showStatistic(m_Label7, differentCaption, m_model->list().size());
    showOrder(WordList::Order::Alphabetical);
}

void frmListe01::showOrder(WordList::Order shown)
{
    m_Command1->setText(orderCaption(shown));
    fitFont(m_Command1, command1Font());
}

void frmListe01::Command1_Click()
{
    const bool alphabetical = m_model->list().order() == WordList::Order::Alphabetical;
    {
        const BusyScope busy(*m_pointer);
        m_model->sort(alphabetical ? WordList::Order::DecreasingFrequency : WordList::Order::Alphabetical);
    }
    showOrder(m_model->list().order());
}

void frmListe01::enregistrer_Click()
{
    saveWordList(m_model->list(), m_services.dialogs, m_services.messages, *m_pointer);
}

void frmListe01::imprimer_Click()
{
    printWordList(m_model->list(), m_services.dialogs, m_services.printing, m_services.messages, *m_pointer);
}

void frmListe01::fermer_Click()
{
    close();
}

void frmListe01::about_Click()
{
    m_services.showAbout(*this);
}

void frmListe01::concordance_Click()
{
    if (m_view->currentIndex().isValid())
        openConcordance(m_view->currentIndex().row());
}

void frmListe01::statistiques_Click()
{
    std::unique_ptr<StatisticsWindow> window;
    try {
        const BusyScope busy(*m_pointer);
        std::optional<LexicalStatistics> statistics;
        if (!m_tasks->run(u"Calcul des statistiques lexicales…"_s,
                          [&](TaskProgress &progress) { statistics.emplace(m_model->list(), m_tokens, &progress); }))
            return;
        window = std::make_unique<StatisticsWindow>(std::move(*statistics), m_services, this);
    } catch (const std::bad_alloc &) {
        window.reset();
        m_services.messages.show(notEnoughMemoryFor(u"Les statistiques lexicales ne peuvent pas être établies"_s,
                                                    u"Texte trop volumineux"_s));
        return;
    }
    window->exec();
}

void frmListe01::openConcordance(int row)
{
    const WordList &list = m_model->list();
    std::unique_ptr<ConcordanceWindow> window;
    try {
        const BusyScope busy(*m_pointer);
        const QString form = shownForm(list.form(row), longestNamedForm);
        std::optional<Concordance> concordance;
        if (!m_tasks->run(u"Recherche des attestations de « %1 »…"_s.arg(form),
                          [&](TaskProgress &progress) { concordance.emplace(m_text, m_tokens, list.rank(row), &progress); }))
            return;
        window = std::make_unique<ConcordanceWindow>(std::move(*concordance), form, m_services, this);
    } catch (const std::bad_alloc &) {
        window.reset();
        m_services.messages.show(notEnoughMemoryFor(u"La concordance ne peut pas être établie"_s,
                                                    u"Texte trop volumineux"_s));
        return;
    }
    connect(window.get(), &ConcordanceWindow::attestationShown, this, &frmListe01::attestationShown);
    window->exec();
}

} // namespace lexalon
