#include "shell/ui/frmsplash.h"

#include "platform/twips.h"
#include "ui/windowlook.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace lexalon {

namespace {

constexpr int timerInterval = 3000;
constexpr int clientWidth = 7275;
constexpr int clientHeight = 4110;
// The fixed dialog border drawn around the client area.
constexpr int borderWidth = 2;
// imgLogo is element 1 of its control array.
constexpr int logoIndex = 1;

constexpr QColor versionNavy{0, 0, 128};
constexpr QColor systemsRed{255, 0, 0};
constexpr QColor creditsBlue{0, 0, 255};

} // namespace

frmSplash::frmSplash(std::function<void()> loadAndShowMainWindow, QWidget *parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_loadAndShowMainWindow(std::move(loadAndShowMainWindow))
{
    setObjectName(u"frmSplash"_s);
    // Closed by the user, the splash is the last window: the program ends.
    setAttribute(Qt::WA_QuitOnClose);
    setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    setBackground(this, lightYellow);

    auto *client = new QWidget(this);
    client->setGeometry(borderWidth, borderWidth, twips(clientWidth), twips(clientHeight));
    setFixedSize(client->width() + 2 * borderWidth, client->height() + 2 * borderWidth);
    createControls(client);
    watchClicks();
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(u"Timer1"_s);
    Timer1->setInterval(timerInterval);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

// Created bottom to top: each transparent title lies over its coloured box.
void frmSplash::createControls(QWidget *client)
{
    Frame1 = new QFrame(client);
    Frame1->setObjectName(u"Frame1"_s);
    Frame1->setGeometry(twipsRect(120, 0, 7080, 4050));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);

    const LabelLook titleBox{24, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::white, titleBand};
    const LabelLook titleText{24, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::black, {}};
    const QString name = u"ORVANTA CALVEXIA"_s;
    Label1 = addLabel(Frame1, u"Label1"_s, name, twipsRect(2520, 480, 3855, 1095), titleBox);
    Label5 = addLabel(Frame1, u"Label5"_s, name, twipsRect(2520, 480, 3855, 1095), titleText);

    imgLogo = addPicture(Frame1, u"imgLogo"_s, QString::fromUtf16(logoResource),
                         twipsRect(120, 480, 2295, 2655));

    Label7 = addLabel(Frame1, u"Label7"_s, QString(), twipsRect(3240, 2040, 2175, 375),
                      {12, false, false, Qt::AlignLeft | Qt::AlignTop, Qt::black, titleBand});
    Label2 = addLabel(Frame1, u"Label2"_s, u"Version 1.0"_s, twipsRect(3120, 2040, 2175, 375),
                      {18, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::white, {}});

    Image1 = addPicture(Frame1, u"Image1"_s, QString::fromUtf16(sidePictureResource),
                        twipsRect(6000, 2040, 780, 1380));

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    Label6 = addLabel(Frame1, u"Label6"_s, u"Décembre 2001"_s, twipsRect(1560, 2520, 3735, 375),
                      {12, true, true, right, versionNavy, {}});
    Label3 = addLabel(Frame1, u"Label3"_s, u"Windows 95, 98, NT et 2000"_s,
                      twipsRect(1560, 2880, 3735, 375), {12, true, true, right, systemsRed, {}});

    Label4 = addLabel(Frame1, u"Label4"_s, u"Équipe Lexalon · Atelier d'étude des textes"_s,
                      twipsRect(120, 3600, 6855, 255),
                      {9.75, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::white, creditsBlue});
}

void frmSplash::watchClicks()
{
    const std::array<QWidget *, 7> clickable{Frame1, imgLogo, Image1, Label2, Label3, Label4, Label5};
    for (QWidget *control : clickable)
        control->installEventFilter(this);
}

// A splash window is not always given the keyboard; it asks for it, so that
// a key press reaches it.
void frmSplash::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    activateWindow();
}

// Only keys that produce a character count, as for a key-press event.
void frmSplash::keyPressEvent(QKeyEvent *event)
{
    if (event->text().isEmpty()) {
        QFrame::keyPressEvent(event);
        return;
    }
    Form_KeyPress();
}

// Closed from outside, the splash goes without handing over.
void frmSplash::closeEvent(QCloseEvent *event)
{
    Unload();
    QFrame::closeEvent(event);
}

// A click is a left button released over a control that has a handler; a
// click elsewhere in the frame reaches the frame's own handler.
bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease
        || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return QFrame::eventFilter(watched, event);
    if (watched == Label5)
        Label5_Click();
    else if (watched == imgLogo)
        imgLogo_Click(logoIndex);
    else if (watched == Label2)
        Label2_Click();
    else if (watched == Image1)
        Image1_Click();
    else if (watched == Label3)
        Label3_Click();
    else if (watched == Label4)
        Label4_Click();
    else if (watched == Frame1)
        Frame1_Click();
    else
        return QFrame::eventFilter(watched, event);
    return true;
}

void frmSplash::Form_KeyPress()
{
    giveWayToMainWindow();
}

void frmSplash::Frame1_Click()
{
    giveWayToMainWindow();
}

void frmSplash::imgLogo_Click(int)
{
    giveWayToMainWindow();
}

void frmSplash::Image1_Click()
{
    giveWayToMainWindow();
}

void frmSplash::Label2_Click()
{
    giveWayToMainWindow();
}

void frmSplash::Label3_Click()
{
    giveWayToMainWindow();
}

void frmSplash::Label4_Click()
{
    giveWayToMainWindow();
}

void frmSplash::Label5_Click()
{
    giveWayToMainWindow();
}

void frmSplash::Timer1_Timer()
{
    giveWayToMainWindow();
}

// An event already on its way when the splash unloaded finds it gone.
void frmSplash::giveWayToMainWindow()
{
    if (!Unload())
        return;
    m_loadAndShowMainWindow();
}

// Destroys the window with its timer; false when it was already unloaded.
bool frmSplash::Unload()
{
    if (m_unloaded)
        return false;
    m_unloaded = true;
    Timer1->stop();
    hide();
    deleteLater();
    return true;
}

} // namespace lexalon
