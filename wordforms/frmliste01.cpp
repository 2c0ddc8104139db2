#include "wordforms/frmliste01.h"

#include "platform/busypointer.h"
#include "platform/twips.h"
#include "platform/windowlook.h"
#include "wordforms/analysis.h"
#include "wordforms/wordgrid.h"
#include "wordforms/wordgridmodel.h"
#include "wordforms/wordlistview.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

inline constexpr auto caption = u"Orvanta Calvexia - Listes du lexalon";
inline constexpr QSize clientArea = twipsSize(9810, 7185);

inline constexpr auto titleText = u"Listes du lexalon";
inline constexpr QRect titleGeometry = twipsRect(120, 120, 9375, 615);
inline constexpr qreal titlePoints = 24;
inline constexpr QColor titleTextColour{0, 0, 0};
inline constexpr QColor bandTextColour{255, 255, 255};

inline constexpr QRect frame1Geometry = twipsRect(120, 840, 4815, 1335);
inline constexpr QRect frame2Geometry = twipsRect(240, 2520, 4335, 975);
inline constexpr QRect frame3Geometry = twipsRect(5040, 840, 4695, 6255);
inline constexpr qreal frameCaptionPoints = 9.75;
inline constexpr QColor frameCaptionColour{255, 0, 0};

inline constexpr qreal statisticPoints = 12;
inline constexpr QColor statisticCaptionColour{0, 0, 192};
inline constexpr QColor statisticValueColour{192, 0, 0};

inline constexpr QRect grille01Geometry = twipsRect(5160, 1080, 4455, 5895);
inline constexpr int grille01Rows = 3;
inline constexpr int grille01Cols = 2;
inline constexpr int grille01FixedRows = 1;
inline constexpr int grille01FixedCols = 1;

inline constexpr QRect command1Geometry = twipsRect(720, 2880, 3135, 375);
inline constexpr qreal command1Points = 9;

QGroupBox *frame(QWidget *client, const QRect &geometry)
{
    auto *box = new QGroupBox(client);
    box->setGeometry(geometry);
    setBackground(*box, windowBackground);
    return box;
}

QLabel *titleLabel(QWidget *client)
{
    auto *label = new QLabel(QString::fromUtf16(titleText), client);
    label->setGeometry(titleGeometry);
    label->setAlignment(Qt::AlignCenter);
    QFont font = timesNewRoman(titlePoints);
    font.setBold(true);
    label->setFont(font);
    return label;
}

// A statistics line: its caption or its value, transparent over the frame.
QLabel *statisticLabel(QWidget *frame, const QString &text, const QRect &geometry, bool isValue)
{
    auto *label = new QLabel(text, frame);
    label->setGeometry(geometry);
    QFont font = timesNewRoman(statisticPoints);
    font.setItalic(true);
    font.setBold(isValue);
    label->setFont(font);
    setTextColour(*label, isValue ? statisticValueColour : statisticCaptionColour);
    return label;
}

} // namespace

frmListe01::frmListe01(const QString &text, const WindowServices &services, QWidget *parent)
    : QDialog(parent)
    , m_text(text)
    , m_services(services)
    , m_pointer(services.busyPointer(*this))
    , m_CommonDialog1(services.dialogs)
    , m_CommonDialog2(services.dialogs)
    , m_model(new WordGridModel(
          WordGrid(grille01Rows, grille01Cols, grille01FixedRows, grille01FixedCols), this))
{
    setWindowTitle(QString::fromUtf16(caption));
    QMenuBar *menus = createMenus();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menus);
    layout->addWidget(createClientArea());
    resize(clientArea.width(), clientArea.height() + menus->sizeHint().height());
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
    setBackground(*client, windowBackground);
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
    m_fond = titleLabel(client);
    setBackground(*m_fond, titleBand);
    setTextColour(*m_fond, bandTextColour);
    m_Label5 = titleLabel(client);
    setTextColour(*m_Label5, titleTextColour);
}

void frmListe01::createStatistics()
{
    m_Frame1->setTitle(u"Statistiques"_s);
    QFont font = timesNewRoman(frameCaptionPoints);
    font.setBold(true);
    font.setItalic(true);
    m_Frame1->setFont(font);
    setTextColour(*m_Frame1, frameCaptionColour);

    m_Label2 = statisticLabel(m_Frame1, u"Nombre total de formes de l'extrait :"_s,
                              twipsRect(240, 360, 3615, 375), false);
    m_Label6 = statisticLabel(m_Frame1, u"tot"_s, twipsRect(3840, 360, 975, 375), true);
    m_Label3 = statisticLabel(m_Frame1, u"Nombre total de formes différentes :"_s,
                              twipsRect(240, 840, 3735, 375), false);
    m_Label7 = statisticLabel(m_Frame1, u"tot02"_s, twipsRect(3840, 840, 975, 375), true);
    // The mean frequency is never computed: its line stays hidden.
    m_Label4 = statisticLabel(m_Frame1, u"Fréquence moyenne d'attestation :"_s,
                              twipsRect(240, 1320, 3735, 375), false);
    m_Label4->setToolTip(u"Fréquence moyenne théorique d'attestation de chaque forme"_s);
    m_Label4->hide();
    m_Label8 = statisticLabel(m_Frame1, u"tot"_s, twipsRect(3720, 1320, 975, 375), true);
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
    QFont font = timesNewRoman(command1Points);
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

    connect(m_fermer, &QAction::triggered, this, &frmListe01::fermer_Click);
    connect(m_about, &QAction::triggered, this, &frmListe01::about_Click);
    return menuBar;
}

void frmListe01::Form_Load()
{
    m_grille02 = TokenList();
    m_order = OrderToggle();
    WordStatistics statistics;
    m_model->refill([&](WordGrid &grid) { statistics = analyseText(m_text, m_grille02, grid); });
    m_Label6->setText(QString::number(statistics.total));
    m_Label7->setText(QString::number(statistics.different));
    m_Command1->setText(m_order.caption());
}

void frmListe01::Command1_Click()
{
    m_model->edit([this](WordGrid &grid) { m_order.toggle(grid, *m_pointer); });
    m_Command1->setText(m_order.caption());
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
