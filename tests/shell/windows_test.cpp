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

// A left button released over the control: at its centre, or where given.
void release(QWidget *control, QPointF at = {})
{
    QVERIFY(control);
    const QPointF where = at.isNull() ? QRectF(control->rect()).center() : at;
    QMouseEvent event(QEvent::MouseButtonRelease, where, control->mapToGlobal(where), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(control, &event);
}

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
        for (const char *key : {"A", "Return", "Escape", "Space"})
            QTest::newRow(key) << QStringList{u"key "_s + QLatin1StringView(key)} << 1;
        QTest::newRow("keys without a character") << QStringList{u"key Left"_s, u"key F1"_s, u"key Shift"_s} << 0;
        for (const char *control : {"Label5", "imgLogo", "Label2", "Image1", "Label3", "Label4", "Frame1"})
            QTest::newRow(control) << QStringList{u"click "_s + QLatin1StringView(control)} << 1;
        QTest::newRow("timer") << QStringList{u"tick"_s} << 1;
        QTest::newRow("click, timer") << QStringList{u"click imgLogo"_s, u"tick"_s} << 1;
        QTest::newRow("clicks") << QStringList{u"click Label2"_s, u"click Label4"_s, u"click Label2"_s} << 1;
        QTest::newRow("keys, click") << QStringList{u"key Z"_s, u"click Label3"_s, u"key Y"_s} << 1;
        QTest::newRow("closed, click") << QStringList{u"close"_s, u"click imgLogo"_s} << 0;
    }

    void splashHandsOverOnce()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, handOvers);
        int handedOver = 0;
        QPointer<frmSplash> splash;
        splash = new frmSplash([&] {
            ++handedOver;
            QVERIFY(!splash->isVisible());
        });
        splash->show();
        QVERIFY(QTest::qWaitForWindowActive(splash));
        auto *timer = splash->findChild<QTimer *>(u"Timer1"_s);
        for (const QString &step : steps) {
            const QString name = step.section(u' ', 1);
            if (step.startsWith(u"key"))
                QTest::keyClick(splash, QKeySequence::fromString(name)[0].key());
            else if (step.startsWith(u"click")) // the frame left of the logo, where no other control lies
                release(splash->findChild<QWidget *>(name), name == u"Frame1" ? QPointF(4, 100) : QPointF());
            else if (step == u"close")
                splash->close();
            else {
                QTimerEvent tick(timer->timerId());
                QCoreApplication::sendEvent(timer, &tick);
            }
        }
        QCOMPARE(handedOver, handOvers);
        if (handOvers == 0 && steps.last().startsWith(u"key"))
            QVERIFY(splash->isVisible());
        else
            QTRY_VERIFY(splash.isNull());
        delete splash;
    }

    // Each row: the key or click on the About window, whether the tool is
    // recorded, then whether the window stays open, the tools started and the
    // messages shown.
    void aboutButtons_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("tool");
        QTest::addColumn<bool>("stays");
        QTest::addColumn<int>("started");
        QTest::addColumn<int>("messages");
        QTest::newRow("OK") << u"click cmdOK"_s << true << false << 0 << 0;
        QTest::newRow("Escape") << u"key Escape"_s << true << false << 0 << 0;
        QTest::newRow("Return on OK, focused at opening") << u"key Return"_s << true << false << 0 << 0;
        QTest::newRow("SysInfo") << u"click cmdSysInfo"_s << true << true << 1 << 0;
        QTest::newRow("SysInfo without tool") << u"click cmdSysInfo"_s << false << true << 0 << 1;
        QTest::newRow("Alt+I") << u"key Alt+I"_s << true << true << 1 << 0;
        QTest::newRow("Return on SysInfo") << u"focus cmdSysInfo"_s << true << true << 1 << 0;
    }

    void aboutButtons()
    {
        QFETCH(QString, action);
        QFETCH(bool, tool);
        ScriptedLauncher system;
        if (tool)
            system.registry.keys[msinfoPathKey][msinfoPathValue] = {RegSz, {'/', 't', 0}};
        frmAbout about(system.launcher);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        const QString name = action.section(u' ', 1);
        if (action.startsWith(u"click")) {
            QTest::mouseClick(about.findChild<QPushButton *>(name), Qt::LeftButton);
        } else {
            if (action.startsWith(u"focus"))
                about.findChild<QPushButton *>(name)->setFocus();
            const QKeyCombination key = QKeySequence::fromString(action.startsWith(u"focus") ? u"Return"_s : name)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
        // A mnemonic presses the button the way a click does, pressed then released.
        QFETCH(int, started);
        QTRY_COMPARE(int(system.processes.started.size()), started);
        QFETCH(bool, stays);
        QCOMPARE(about.isVisible(), stays);
        QFETCH(int, messages);
        QCOMPARE(int(system.messages.requests().size()), messages);
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
        for (const QPointer<frmAbout> &about : opened)
            QVERIFY(about.isNull());
    }
};

} // namespace lexalon

QTEST_MAIN(lexalon::ShellWindowsTest)
#include "windows_test.moc"
