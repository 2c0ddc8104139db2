#include "wordforms/ui/frmliste01.h"

#include "output/printcommand.h"
#include "output/savecommand.h"
#include "platform/busypointer.h"
#include "platform/messagebox.h"
#include "platform/twips.h"
#include "ui/windowlook.h"
#include "wordforms/analysis.h"
#include "wordforms/tokenlist.h"
#include "wordforms/ui/wordgridmodel.h"
#include "wordforms/ui/wordlistview.h"
#include "wordforms/wordgrid.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include <new>

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

inline constexpr LabelLook statisticCaptionLook{12, false, true, Qt::AlignLeft | Qt::AlignTop,
                                                 QColor(0, 0, 192), std::nullopt};
inline constexpr LabelLook statisticValueLook{12, true, true, Qt::AlignLeft | Qt::AlignTop,
                                               QColor(192, 0, 0), std::nullopt};

inline constexpr QRect grille01Geometry = twipsRect(5160, 1080, 4455, 5895);
inline constexpr int grille01Rows = 3;
inline constexpr int grille01Cols = 2;
inline constexpr int grille01FixedRows = 1;
inline constexpr int grille01FixedCols = 1;

inline constexpr QRect command1Geometry = twipsRect(720, 2880, 3135, 375);
inline constexpr qreal command1Points = 9;

// A list too large to be sorted keeps its order.
MessageRequest sortTooLargeMessage()
{
    return notEnoughMemoryFor(u"La liste ne peut pas être triée"_s, u"Liste trop volumineuse"_s);
}

QGroupBox *frame(QWidget *client, const QRect &geometry)
{
    auto *box = new QGroupBox(client);
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
    , m_model(new WordGridModel(
          WordGrid(grille01Rows, grille01Cols, grille01FixedRows, grille01FixedCols), this))
{
    setWindowTitle(QString::fromUtf16(programCaption));
    QMenuBar *menus = createMenus();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(createClientArea());
    resize(twips(clientWidth), twips(clientHeight) + menus->sizeHint().height());
}

frmListe01::~frmListe01() = default;

const WordGrid &frmListe01::grid() const
{
    return m_model->grid();
}

QWidget *frmListe01::createClientArea()
{
    // Nothing follows the window's size: the controls keep their places. Each
    // control created lies over those created before it.
    auto *client = new QWidget(this);
    setBackground(client, lightYellow);
    createTitle(client);
    m_Frame3 = frame(client, frame3Geometry);
    m_Frame2 = frame(client, frame2Geometry);
    m_Frame1 = frame(client, frame1Geometry);
    createStatistics();
    createList(client);
    createButton(client);
    setTabOrder(m_view, m_Command1);
    return client;
}

void frmListe01::createTitle(QWidget *client)
{
    m_fond = addLabel(client, u"fond"_s, QString::fromUtf16(titleText), titleGeometry, bandLook);
    m_Label5 = addLabel(client, u"Label5"_s, QString::fromUtf16(titleText), titleGeometry, titleLook);
}

void frmListe01::createStatistics()
{
    m_Frame1->setTitle(u"Statistiques"_s);
    QFont font = labelFont(frameCaptionPoints);
    font.setBold(true);
    font.setItalic(true);
    m_Frame1->setFont(font);
    QPalette palette = m_Frame1->palette();
    palette.setColor(QPalette::WindowText, frameCaptionColour);
    m_Frame1->setPalette(palette);

    m_Label2 = addLabel(m_Frame1, u"Label2"_s, u"Nombre total de formes de l'extrait :"_s,
                        twipsRect(240, 360, 3615, 375), statisticCaptionLook);
    m_Label6 = addLabel(m_Frame1, u"Label6"_s, u"tot"_s, twipsRect(3840, 360, 975, 375),
                        statisticValueLook);
    m_Label3 = addLabel(m_Frame1, u"Label3"_s, u"Nombre total de formes différentes :"_s,
                        twipsRect(240, 840, 3735, 375), statisticCaptionLook);
    m_Label7 = addLabel(m_Frame1, u"Label7"_s, u"tot02"_s, twipsRect(3840, 840, 975, 375),
                        statisticValueLook);
    // The mean frequency is never computed: its line stays hidden.
    m_Label4 = addLabel(m_Frame1, u"Label4"_s, u"Fréquence moyenne d'attestation :"_s,
                        twipsRect(240, 1320, 3735, 375), statisticCaptionLook);
    m_Label4->setToolTip(u"Fréquence moyenne théorique d'attestation de chaque forme"_s);
    m_Label4->hide();
    m_Label8 = addLabel(m_Frame1, u"Label8"_s, u"tot"_s, twipsRect(3720, 1320, 975, 375),
                        statisticValueLook);
    m_Label8->hide();
}

void frmListe01::createList(QWidget *client)
{
    m_view = new WordListView(client);
    m_view->setGeometry(grille01Geometry);
    m_view->setGridModel(m_model);
}

void frmListe01::createButton(QWidget *client)
{
    m_Command1 = new QPushButton(m_order.caption(), client);
    m_Command1->setGeometry(command1Geometry);
    QFont font = labelFont(command1Points);
    font.setBold(true);
    m_Command1->setFont(font);
    // Enter in the list must not press the button.
    m_Command1->setAutoDefault(false);
    connect(m_Command1, &QPushButton::clicked, this, &frmListe01::Command1_Click);
}

QMenuBar *frmListe01::createMenus()
{
    auto *menuBar = new QMenuBar(this);
    m_fichier = menuBar->addMenu(u"&Fichier"_s);
    m_enregistrer = m_fichier->addAction(u"&Enregistrer sous"_s);
    m_imprimer = m_fichier->addAction(u"&Imprimer"_s);
    m_fermer = m_fichier->addAction(u"&Fermer"_s);
    m_aide = menuBar->addMenu(u"&Aide"_s);
    m_about = m_aide->addAction(u"&A propos de"_s);

    connect(m_enregistrer, &QAction::triggered, this, &frmListe01::enregistrer_Click);
    connect(m_imprimer, &QAction::triggered, this, &frmListe01::imprimer_Click);
    connect(m_fermer, &QAction::triggered, this, &frmListe01::fermer_Click);
    connect(m_about, &QAction::triggered, this, &frmListe01::about_Click);
    return menuBar;
}

void frmListe01::Form_Load()
{
    m_order = OrderToggle();
    WordStatistics statistics;
    // The token list lives only while the list is made.
    TokenList grille02;
    m_model->refill([&](WordGrid &grid) { statistics = analyseText(m_text, grille02, grid); });
    m_Label6->setText(QString::number(statistics.total));
    m_Label7->setText(QString::number(statistics.different));
    m_Command1->setText(m_order.caption());
}

void frmListe01::Command1_Click()
{
    try {
        m_model->edit([this](WordGrid &grid) { m_order.toggle(grid, *m_pointer); });
    } catch (const std::bad_alloc &) {
        m_services.messages.show(sortTooLargeMessage());
        return;
    }
    m_Command1->setText(m_order.caption());
}

void frmListe01::enregistrer_Click()
{
    m_model->edit([this](WordGrid &grid) {
        saveWordList(grid, m_services.dialogs, m_services.messages, *m_pointer);
    });
}

void frmListe01::imprimer_Click()
{
    m_model->edit([this](WordGrid &grid) {
        printWordList(grid, m_services.dialogs, m_services.printing, m_services.messages, *m_pointer);
    });
}

void frmListe01::fermer_Click()
{
    close();
}

void frmListe01::about_Click()
{
    m_services.showAbout(*this);
}

} // namespace lexalon
