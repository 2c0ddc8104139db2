// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wordlist/wordlistwindow.h"

#include "commands/printcommand.h"
#include "commands/savecommand.h"
#include "gui/concordance/concordancewindow.h"
#include "gui/look/accessibility.h"
#include "gui/look/pushbutton.h"
#include "gui/look/windowlook.h"
#include "gui/platform/runthenshow.h"
#include "gui/platform/taskrunner.h"
#include "gui/statistics/statisticswindow.h"
#include "gui/wordlist/wordlistmodel.h"
#include "gui/wordlist/wordlistview.h"
#include "platform/interaction/busypointer.h"
#include "platform/interaction/busyscope.h"
#include "platform/interaction/messagebox.h"
#include "platform/interaction/twips.h"
#include "wordforms/concordance.h"
#include "wordforms/figures.h"
#include "wordforms/lexicalstatistics.h"
#include "wordforms/textstudy.h"
#include "wordforms/wordlist.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>
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

inline constexpr QRect statisticsFrameGeometry = twipsRect(120, 840, 4815, 1335);
inline constexpr QRect buttonFrameGeometry = twipsRect(240, 2520, 4335, 975);
inline constexpr QRect listFrameGeometry = twipsRect(5040, 840, 4695, 6255);
inline constexpr qreal frameCaptionPoints = 9.75;
inline constexpr QColor frameCaptionColour{255, 0, 0};

inline constexpr auto totalCaption = u"Nombre total de formes de l'extrait :";
inline constexpr auto differentCaption = u"Nombre total de formes différentes :";
inline constexpr LabelLook statisticCaptionLook{12, false, true, Qt::AlignLeft | Qt::AlignTop,
                                                 QColor(0, 0, 192), std::nullopt};
inline constexpr LabelLook statisticValueLook{12, true, true, Qt::AlignLeft | Qt::AlignTop,
                                               QColor(192, 0, 0), std::nullopt};

inline constexpr QRect listGeometry = twipsRect(5160, 1080, 4455, 5895);

inline constexpr QRect orderButtonGeometry = twipsRect(720, 2880, 3135, 375);
inline constexpr qreal orderButtonPoints = 9;

QFont orderButtonFont()
{
    QFont font = labelFont(orderButtonPoints);
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

WordListWindow::WordListWindow(std::shared_ptr<TextStudy> study, const WindowServices &services, QWidget *parent)
    : QDialog(parent)
    , m_study(std::move(study))
    , m_services(services)
    , m_pointer(services.busyPointer(*this))
    , m_tasks(new TaskRunner(*this))
    , m_model(new WordListModel(m_study, this))
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

    m_concordanceCommand->setEnabled(m_model->rowCount() > 0);
    m_view->startAtFirstCount();
    showStatistic(m_totalFormsFigure, totalCaption, m_model->list().totalCount());
    showStatistic(m_differentFormsFigure, differentCaption, m_model->list().size());
}

WordListWindow::~WordListWindow()
{
    // A concordance reads the study, which goes before the window's children.
    qDeleteAll(findChildren<ConcordanceWindow *>(Qt::FindDirectChildrenOnly));
}

QWidget *WordListWindow::createClientArea()
{
    // Nothing follows the window's size: the controls keep their places. Each
    // control created lies over those created before it.
    auto *client = new QWidget(this);
    setBackground(client, lightYellow);
    createTitle(client);
    frame(client, u"Frame3"_s, listFrameGeometry);
    frame(client, u"Frame2"_s, buttonFrameGeometry);
    createStatistics(frame(client, u"Frame1"_s, statisticsFrameGeometry));
    createList(client);
    createButton(client);
    setTabOrder(m_view, m_orderButton);
    return client;
}

void WordListWindow::createTitle(QWidget *client)
{
    // Screen readers read the title once, from the caption on top.
    hideFromAccessibility(addLabel(client, u"fond"_s, QString::fromUtf16(titleText), titleGeometry, bandLook));
    addLabel(client, u"Label5"_s, QString::fromUtf16(titleText), titleGeometry, titleLook);
}

void WordListWindow::createStatistics(QGroupBox *statisticsFrame)
{
    statisticsFrame->setTitle(u"Statistiques"_s);
    QFont font = labelFont(frameCaptionPoints);
    font.setBold(true);
    font.setItalic(true);
    statisticsFrame->setFont(font);
    QPalette palette = statisticsFrame->palette();
    palette.setColor(QPalette::WindowText, frameCaptionColour);
    statisticsFrame->setPalette(palette);

    addLabel(statisticsFrame, u"Label2"_s, QString::fromUtf16(totalCaption),
             twipsRect(240, 360, 3615, 375), statisticCaptionLook);
    m_totalFormsFigure = addLabel(statisticsFrame, u"Label6"_s, u"tot"_s, twipsRect(3840, 360, 975, 375),
                                  statisticValueLook);
    addLabel(statisticsFrame, u"Label3"_s, QString::fromUtf16(differentCaption),
             twipsRect(240, 840, 3735, 375), statisticCaptionLook);
    m_differentFormsFigure = addLabel(statisticsFrame, u"Label7"_s, u"tot02"_s, twipsRect(3840, 840, 975, 375),
                                      statisticValueLook);
    // The mean frequency is never computed: its line stays hidden.
    QLabel *meanCaption = addLabel(statisticsFrame, u"Label4"_s, u"Fréquence moyenne d'attestation :"_s,
                                   twipsRect(240, 1320, 3735, 375), statisticCaptionLook);
    meanCaption->setToolTip(u"Fréquence moyenne théorique d'attestation de chaque forme"_s);
    hideFromAccessibility(meanCaption);
    meanCaption->hide();
    QLabel *meanFigure = addLabel(statisticsFrame, u"Label8"_s, u"tot"_s, twipsRect(3720, 1320, 975, 375), statisticValueLook);
    hideFromAccessibility(meanFigure);
    meanFigure->hide();
}

void WordListWindow::createList(QWidget *client)
{
    m_view = new WordListView(client);
    m_view->setObjectName(u"grille01"_s);
    m_view->setAccessibleName(u"Liste des formes"_s);
    m_view->setGeometry(listGeometry);
    m_view->setListModel(m_model);
    connect(m_view, &WordListView::formChosen, this, &WordListWindow::showConcordanceOf);
}

void WordListWindow::createButton(QWidget *client)
{
    m_orderButton = new PushButton(client);
    m_orderButton->setObjectName(u"Command1"_s);
    m_orderButton->setGeometry(orderButtonGeometry);
    showOrder(m_model->list().order());
    // Enter in the list must not press the button.
    m_orderButton->setAutoDefault(false);
    connect(m_orderButton, &QPushButton::clicked, this, &WordListWindow::toggleOrder);
}

QMenuBar *WordListWindow::createMenus()
{
    auto *menuBar = new QMenuBar(this);
    addListFileMenu(menuBar, this, &WordListWindow::save, &WordListWindow::print, &WordListWindow::closeWindow);
    QMenu *toolsMenu = addMenu(menuBar, u"outils"_s, u"&Outils"_s);
    m_concordanceCommand = addCommand(toolsMenu, u"concordance"_s, u"&Concordance de la forme"_s, this,
                                      &WordListWindow::showConcordance);
    addCommand(toolsMenu, u"statistiques"_s, u"&Statistiques lexicales"_s, this, &WordListWindow::showStatistics);
    QMenu *helpMenu = addMenu(menuBar, u"aide"_s, u"&Aide"_s);
    addCommand(helpMenu, u"about"_s, u"&A propos de"_s, this, &WordListWindow::showAbout);
    return menuBar;
}

void WordListWindow::showOrder(WordList::Order shown)
{
    m_orderButton->setText(orderCaption(shown));
    fitFont(m_orderButton, orderButtonFont());
}

void WordListWindow::toggleOrder()
{
    const bool alphabetical = m_model->list().order() == WordList::Order::Alphabetical;
    {
        const BusyScope busy(*m_pointer);
        m_model->sort(alphabetical ? WordList::Order::DecreasingFrequency : WordList::Order::Alphabetical);
    }
    showOrder(m_model->list().order());
}

void WordListWindow::save()
{
    saveWordList(m_model->list(), m_services.dialogs, m_services.messages, *m_pointer);
}

void WordListWindow::print()
{
    printWordList(m_model->list(), m_services.dialogs, m_services.printing, m_services.messages, *m_pointer);
}

void WordListWindow::closeWindow()
{
    close();
}

void WordListWindow::showAbout()
{
    m_services.showAbout(*this);
}

void WordListWindow::showConcordance()
{
    if (m_view->currentIndex().isValid())
        showConcordanceOf(m_view->currentIndex().row());
}

void WordListWindow::showStatistics()
{
    std::unique_ptr<StatisticsWindow> window = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Calcul des statistiques lexicales…"_s,
        notEnoughMemoryFor(u"Les statistiques lexicales ne peuvent pas être établies"_s, u"Texte trop volumineux"_s),
        [this](TaskProgress &progress) { return m_study->statistics(&progress); },
        [this](LexicalStatistics statistics) {
            return std::make_unique<StatisticsWindow>(std::move(statistics), m_services, this);
        });
    if (window)
        showBeside(window.release());
}

void WordListWindow::showConcordanceOf(int row)
{
    const QString form = shownForm(m_study->list().form(row), longestNamedForm);
    std::unique_ptr<ConcordanceWindow> window = runThenShow(
        *m_tasks, m_pointer.get(), m_services.messages, u"Recherche des attestations de « %1 »…"_s.arg(form),
        notEnoughMemoryFor(u"La concordance ne peut pas être établie"_s, u"Texte trop volumineux"_s),
        [this, row](TaskProgress &progress) { return m_study->concordance(row, &progress); },
        [this, &form](Concordance concordance) {
            return std::make_unique<ConcordanceWindow>(std::move(concordance), form, m_services, this);
        });
    if (!window)
        return;
    connect(window.get(), &ConcordanceWindow::attestationShown, this, &WordListWindow::attestationShown);
    showBeside(window.release());
}

// Several may be open beside the list, which stays in use; each goes when
// closed, and all go with the list.
void WordListWindow::showBeside(QDialog *window)
{
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(this, &QDialog::finished, window, &QWidget::close);
    window->show();
}

} // namespace lexalon
