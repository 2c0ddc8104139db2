// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup/splashwindow.h"

#include "gui/look/accessibility.h"
#include "gui/look/windowlook.h"
#include "platform/interaction/twips.h"

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

constexpr QColor versionNavy{0, 0, 128};
constexpr QColor systemsRed{255, 0, 0};
constexpr QColor creditsBlue{0, 0, 255};

} // namespace

SplashWindow::SplashWindow(std::function<void()> loadAndShowMainWindow, QWidget *parent)
    : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      m_loadAndShowMainWindow(std::move(loadAndShowMainWindow))
{
    setObjectName(u"frmSplash"_s);
    // Closed by the user, the splash is the last window: the program ends.
    setAttribute(Qt::WA_QuitOnClose);
    setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    setBackground(this, lightYellow);
    setAccessibleName(u"Lexalon"_s);
    setAccessibleDescription(u"Le programme se présente ; une touche ou un clic ouvre la fenêtre principale."_s);

    auto *client = new QWidget(this);
    client->setGeometry(borderWidth, borderWidth, twips(clientWidth), twips(clientHeight));
    setFixedSize(client->width() + 2 * borderWidth, client->height() + 2 * borderWidth);
    createControls(client);
    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());

    m_timer = new QTimer(this);
    m_timer->setObjectName(u"Timer1"_s);
    m_timer->setInterval(timerInterval);
    connect(m_timer, &QTimer::timeout, this, &SplashWindow::giveWayToMainWindow);
    m_timer->start();
}

// Created bottom to top: each transparent title lies over its coloured box.
// A click on the frame or on any control but the boxes and the date gives way.
void SplashWindow::createControls(QWidget *client)
{
    auto *frame = new QFrame(client);
    frame->setObjectName(u"Frame1"_s);
    frame->setGeometry(twipsRect(120, 0, 7080, 4050));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);

    const LabelLook titleBox{24, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::white, titleBand};
    const LabelLook titleText{24, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::black, {}};
    const QString name = u"ORVANTA CALVEXIA"_s;
    // Screen readers read the title once, from the caption on top, and not
    // the empty box under the version.
    hideFromAccessibility(addLabel(frame, u"Label1"_s, name, twipsRect(2520, 480, 3855, 1095), titleBox));
    QWidget *title = addLabel(frame, u"Label5"_s, name, twipsRect(2520, 480, 3855, 1095), titleText);

    QWidget *logo = addPicture(frame, u"imgLogo"_s, QString::fromUtf16(logoResource),
                               twipsRect(120, 480, 2295, 2655));

    hideFromAccessibility(addLabel(frame, u"Label7"_s, QString(), twipsRect(3240, 2040, 2175, 375),
                                   {12, false, false, Qt::AlignLeft | Qt::AlignTop, Qt::black, titleBand}));
    QWidget *version = addLabel(frame, u"Label2"_s, u"Version 1.0"_s, twipsRect(3120, 2040, 2175, 375),
                                {18, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::white, {}});

    QWidget *picture = addPicture(frame, u"Image1"_s, QString::fromUtf16(sidePictureResource),
                                  twipsRect(6000, 2040, 780, 1380));

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignTop;
    addLabel(frame, u"Label6"_s, u"Décembre 2001"_s, twipsRect(1560, 2520, 3735, 375),
             {12, true, true, right, versionNavy, {}});
    QWidget *systems = addLabel(frame, u"Label3"_s, u"Windows 95, 98, NT et 2000"_s,
                                twipsRect(1560, 2880, 3735, 375), {12, true, true, right, systemsRed, {}});

    QWidget *credits = addLabel(frame, u"Label4"_s, u"Équipe Lexalon · Atelier d'étude des textes"_s,
                                twipsRect(120, 3600, 6855, 255),
                                {9.75, true, false, Qt::AlignHCenter | Qt::AlignTop, Qt::white, creditsBlue});

    const std::array<QWidget *, 7> clickable{frame, title, logo, version, picture, systems, credits};
    for (QWidget *control : clickable)
        control->installEventFilter(this);
}

// A splash window is not always given the keyboard; it asks for it, so that
// a key press reaches it.
void SplashWindow::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    activateWindow();
}

// Only keys that produce a character count, as for a key-press event.
void SplashWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->text().isEmpty())
        QFrame::keyPressEvent(event);
    else
        giveWayToMainWindow();
}

// Closed from outside, the splash goes without handing over.
void SplashWindow::closeEvent(QCloseEvent *event)
{
    unload();
    QFrame::closeEvent(event);
}

// A click is a left button released over a watched control.
bool SplashWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonRelease
        || static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return QFrame::eventFilter(watched, event);
    giveWayToMainWindow();
    return true;
}

// An event already on its way when the splash unloaded finds it gone.
void SplashWindow::giveWayToMainWindow()
{
    if (!unload())
        return;
    m_loadAndShowMainWindow();
}

// Destroys the window with its timer; false when it was already unloaded.
bool SplashWindow::unload()
{
    if (m_unloaded)
        return false;
    m_unloaded = true;
    m_timer->stop();
    hide();
    deleteLater();
    return true;
}

} // namespace lexalon
