#include "platform/msinfoentries.h"
#include "shell/programversion.h"
#include "shell/sysinfo.h"
#include "shell/ui/frmabout.h"
#include "shell/ui/frmsplash.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedsystem.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

using namespace Qt::StringLiterals;

namespace lexalon {

// A launcher over stand-ins, the tool recorded or not.
struct ScriptedLauncher
{
    FakeRegistry registry;
    ScriptedFileProbe files;
    RecordingProcessStarter processes;
    ScriptedMessageBox messages;
    SysInfoLauncher launcher{registry, files, processes, messages};
};

// The splash and the About window, each opened afresh by a test.
class ShellWindowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: what happens to the splash, step after step, and how often it
    // hands over to the main window. The steps after the first come while the
    // splash unloads and must not hand over again.
    void splashHandsOverOnce_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("handOvers");
        QTest::newRow("key") << QStringList{u"key A"_s} << 1;
        QTest::newRow("keys without a character") << QStringList{u"key Left"_s, u"key F1"_s, u"key Shift"_s} << 0;
        for (const char *control : {"Label5", "imgLogo", "Label2", "Image1", "Label3", "Label4", "Frame1"})
            QTest::newRow(control) << QStringList{u"click "_s + QLatin1StringView(control)} << 1;
        QTest::newRow("timer") << QStringList{u"tick"_s} << 1;
        QTest::newRow("click, timer, key") << QStringList{u"click imgLogo"_s, u"tick"_s, u"key Y"_s} << 1;
        QTest::newRow("closed, click") << QStringList{u"close"_s, u"click imgLogo"_s} << 0;
    }

    void splashHandsOverOnce()
    {
        QFETCH(QStringList, steps);
        int handedOver = 0;
        QPointer<frmSplash> splash;
        splash = new frmSplash([&] {
            ++handedOver;
            QVERIFY(!splash->isVisible());
        });
        splash->show();
        QVERIFY(QTest::qWaitForWindowActive(splash));
        for (const QString &step : steps) {
            const QString name = step.section(u' ', 1);
            if (step.startsWith(u"key")) {
                QTest::keyClick(splash, QKeySequence::fromString(name)[0].key());
            } else if (step.startsWith(u"click")) { // in the frame, left of the logo, where no other control lies
                QWidget *control = splash->findChild<QWidget *>(name);
                const QPointF at = name == u"Frame1" ? QPointF(4, 100) : QRectF(control->rect()).center();
                QMouseEvent release(QEvent::MouseButtonRelease, at, control->mapToGlobal(at), Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(control, &release);
            } else if (step == u"close") {
                splash->close();
            } else {
                auto *timer = splash->findChild<QTimer *>(u"Timer1"_s);
                QTimerEvent tick(timer->timerId());
                QCoreApplication::sendEvent(timer, &tick);
            }
        }
        QFETCH(int, handOvers);
        QCOMPARE(handedOver, handOvers);
        if (handOvers == 0 && steps.last().startsWith(u"key"))
            QVERIFY(splash->isVisible());
        else
            QTRY_VERIFY(splash.isNull());
        delete splash;
    }

    // Each row: the key or click on the About window, then whether the window
    // stays open and whether the tool was started.
    void aboutButtons_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("toolStarted");
        QTest::newRow("OK") << u"click cmdOK"_s << false;
        QTest::newRow("Escape") << u"key Escape"_s << false;
        QTest::newRow("Return on OK, focused at opening") << u"key Return"_s << false;
        QTest::newRow("SysInfo") << u"click cmdSysInfo"_s << true;
        QTest::newRow("Alt+I") << u"key Alt+I"_s << true;
        QTest::newRow("Return on SysInfo") << u"focus cmdSysInfo"_s << true;
    }

    void aboutButtons()
    {
        QFETCH(QString, action);
        ScriptedLauncher system;
        system.registry.keys[msinfoPathKey][msinfoPathValue] = {RegSz, {'/', 't', 0}};
        frmAbout about(system.launcher);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        auto *button = about.findChild<QPushButton *>(action.section(u' ', 1));
        if (action.startsWith(u"click"))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (action.startsWith(u"focus"))
            button->setFocus(), QTest::keyClick(button, Qt::Key_Return);
        else {
            const QKeyCombination key = QKeySequence::fromString(action.section(u' ', 1))[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
        // A mnemonic presses the button the way a click does, pressed then released.
        QFETCH(bool, toolStarted);
        QTRY_COMPARE(system.processes.started.size(), toolStarted ? 1u : 0u);
        QCOMPARE(about.isVisible(), toolStarted);
    }

    // Each modal opening is a window of its own, loaded afresh with the
    // version, that blocks the caller until it is closed.
    void eachAboutOpeningLoadsANewWindow()
    {
        ScriptedLauncher system;
        std::vector<QPointer<frmAbout>> opened;
        for (int opening = 0; opening < 2; ++opening) {
            QTimer::singleShot(0, this, [&opened] {
                auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
                QVERIFY(about);
                opened.push_back(about);
                QCOMPARE(about->findChild<QLabel *>(u"lblVersion"_s)->text(), programVersionText());
                QTest::mouseClick(about->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
            });
            frmAbout::showModal(nullptr, system.launcher);
        }
        QCOMPARE(opened.size(), 2u);
        QVERIFY(opened[0].isNull() && opened[1].isNull());
    }
};

} // namespace lexalon

QTEST_MAIN(lexalon::ShellWindowsTest)
#include "windows_test.moc"
