// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup/aboutwindow.h"

#include "gui/look/accessibility.h"
#include "gui/look/windowlook.h"
#include "gui/startup/applicationidentity.h"
#include "gui/startup/etchedrule.h"
#include "platform/interaction/twips.h"
#include "shell/programversion.h"
#include "shell/sysinfo.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr int clientWidth = 7740;
constexpr int clientHeight = 4365;
constexpr int ruleLeft = 2400;
constexpr int ruleRight = 7440;
constexpr int upperRuleTop = 960;
constexpr int lowerRuleTop = 1560;

constexpr QColor versionBlue{0, 0, 255};
constexpr QColor creditsRed{255, 0, 0};
constexpr QColor organisationBlue{0, 0, 192};
constexpr LabelLook versionLook{14.25, true, true, Qt::AlignHCenter | Qt::AlignTop, versionBlue, creditsPeach};
constexpr qreal creditsPoints = 9.75;
constexpr int creditsFrameWidth = 4815;
constexpr int creditsLineHeight = 255;
constexpr int creditsCaptionLeft = 120;
constexpr int creditsCaptionWidth = 1200;

// A caption of the credits, on the line at top.
QRect creditsCaption(int top)
{
    return twipsRect(creditsCaptionLeft, top, creditsCaptionWidth, creditsLineHeight);
}

// A line of the credits from left to the frame's inner margin.
QRect creditsLine(int left, int top)
{
    return twipsRect(left, top, creditsFrameWidth - creditsCaptionLeft - left, creditsLineHeight);
}

} // namespace

AboutWindow::AboutWindow(SysInfoLauncher &launcher, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_launcher(launcher)
{
    setObjectName(u"frmAbout"_s);
    setWindowTitle(u"Projet Orvanta Calvexia - A propos de"_s);
    setWindowIcon(programIcon());
    setFixedSize(twips(clientWidth), twips(clientHeight));
    setBackground(this, lightYellow);
    setFont(controlFont());
    setAccessibleDescription(u"Le programme, sa version et ses auteurs ; le bouton Infos système "
                             "ouvre les informations sur le système."_s);

    createButtons();
    createTitle();
    new EtchedRule(twips(ruleLeft), twips(ruleRight), twips(upperRuleTop), this);
    new EtchedRule(twips(ruleLeft), twips(ruleRight), twips(lowerRuleTop), this);
    addPicture(this, u"imgLogo"_s, QString::fromUtf16(logoResource),
               twipsRect(0, 960, 2295, 2655));
    m_versionLabel = addLabel(this, u"lblVersion"_s, u"Version 1.0"_s, twipsRect(3480, 1080, 2805, 375), versionLook);
    createCredits();

    showVersion();
}

void AboutWindow::showModal(QWidget *parent, SysInfoLauncher &launcher)
{
    AboutWindow about(launcher, parent);
    about.exec();
}

// The transparent title is created last so that it lies over its box.
void AboutWindow::createTitle()
{
    const QString title = u"Listes du lexalon"_s;
    const QRect place = twipsRect(240, 120, 7215, 615);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
    // Screen readers read the title once, from the caption on top.
    hideFromAccessibility(addLabel(this, u"Label1"_s, title, place, {24, true, false, centred, Qt::white, titleBand}));
    addLabel(this, u"Label2"_s, title, place, {24, true, false, centred, Qt::black, {}});
}

void AboutWindow::createCredits()
{
    auto *credits = new QGroupBox(u"Crédits"_s, this);
    credits->setObjectName(u"Frame1"_s);
    credits->setGeometry(twipsRect(2400, 1680, creditsFrameWidth, 2175));
    QFont captionFont = labelFont(creditsPoints);
    captionFont.setBold(true);
    captionFont.setItalic(true);
    credits->setFont(captionFont);
    setBackground(credits, creditsPeach);
    QPalette palette = credits->palette();
    palette.setColor(QPalette::WindowText, creditsRed);
    credits->setPalette(palette);

    const LabelLook caption{creditsPoints, true, false, Qt::AlignLeft | Qt::AlignTop, Qt::black, {}};
    const LabelLook entry{creditsPoints, true, true, Qt::AlignLeft | Qt::AlignTop, creditsRed, {}};
    const LabelLook organisation{creditsPoints, true, false, Qt::AlignLeft | Qt::AlignTop,
                                 organisationBlue, {}};

    addLabel(credits, u"lblResponsable"_s, u"Responsable: "_s, creditsCaption(360), caption);
    addLabel(credits, u"lblResponsableNom"_s, u"Équipe Lexalon"_s, creditsLine(1320, 360), entry);
    addLabel(credits, u"lblRealisation"_s, u"Réalisation :"_s, creditsCaption(600), caption);
    addLabel(credits, u"lblRealisationNom"_s, u"Atelier Orvanta"_s, creditsLine(1320, 600), entry);
    addLabel(credits, u"lblAtelier"_s, u"Atelier d'étude des textes"_s, creditsLine(360, 840), organisation);
    addLabel(credits, u"lblSection"_s, u"Section des lettres et des langues"_s, creditsLine(360, 1080),
             organisation);
    addLabel(credits, u"lblCollectif"_s, u"Collectif Lexalon"_s, creditsLine(360, 1320), organisation);
    addLabel(credits, u"lblCourriel"_s, u"Courriel:"_s, creditsCaption(1560), caption);
    addLabel(credits, u"lblCourrielAdresse"_s, u"lexalon@example.org"_s, creditsLine(1320, 1560), entry);
    addLabel(credits, u"lblSite"_s, u"Site:"_s, creditsCaption(1800), caption);
    addLabel(credits, u"lblSiteAdresse"_s, u"https://lexalon.example.org/"_s, creditsLine(600, 1800), entry);
}

// OK comes first in the tab order, so it has the focus when the window opens.
void AboutWindow::createButtons()
{
    auto *okButton = new QPushButton(u"OK"_s, this);
    okButton->setObjectName(u"cmdOK"_s);
    okButton->setGeometry(twipsRect(3120, 3960, 1260, 345));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *systemButton = new QPushButton(u"&Infos système..."_s, this);
    systemButton->setObjectName(u"cmdSysInfo"_s);
    systemButton->setGeometry(twipsRect(4800, 3960, 1245, 345));
    fitFont(systemButton, controlFont());
    connect(systemButton, &QPushButton::clicked, this, &AboutWindow::showSystemInformation);
}

void AboutWindow::showVersion()
{
    m_versionLabel->setText(programVersionText());
    fitFont(m_versionLabel, lookFont(versionLook));
}

void AboutWindow::showSystemInformation()
{
    m_launcher.launch();
}

} // namespace lexalon
