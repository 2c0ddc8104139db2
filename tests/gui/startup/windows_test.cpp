// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup/aboutwindow.h"
#include "gui/startup/applicationidentity.h"
#include "gui/startup/splashwindow.h"
#include "platform/system/msinfoentries.h"
#include "tests/support/scriptedsystem.h"
#include "tests/support/windowtesting.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <functional>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace lexalon {

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
        QTest::newRow("keys without a character") << QStringList{u"key Left"_s, u"key Shift"_s} << 0;
        QTest::newRow("click") << QStringList{u"click Label3"_s} << 1;
        QTest::newRow("timer") << QStringList{u"tick"_s} << 1;
        QTest::newRow("click, timer, key") << QStringList{u"click imgLogo"_s, u"tick"_s, u"key Y"_s} << 1;
        QTest::newRow("closed, click") << QStringList{u"close"_s, u"click imgLogo"_s} << 0;
    }

    void splashHandsOverOnce()
    {
        QFETCH(QStringList, steps);
        int handedOver = 0;
        QPointer<SplashWindow> splash;
        splash = new SplashWindow([&] {
            ++handedOver;
            QVERIFY(!splash->isVisible());
        });
        splash->show();
        QVERIFY(QTest::qWaitForWindowActive(splash));
        for (const QString &step : steps) {
            const QString name = step.section(u' ', 1);
            if (step.startsWith(u"key")) {
                QTest::keyClick(splash, QKeySequence::fromString(name)[0].key());
            } else if (step.startsWith(u"click")) {
                QWidget *control = splash->findChild<QWidget *>(name);
                QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), control->mapToGlobal(QPointF(1, 1)),
                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
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

    // Each row: a key on the About window, then whether the tool was started;
    // the window stays open only then. A mnemonic presses the button as a click does.
    void aboutKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("toolStarted");
        QTest::newRow("Escape") << u"Escape"_s << false;
        QTest::newRow("Alt+I on SysInfo") << u"Alt+I"_s << true;
    }

    void aboutKeys()
    {
        QFETCH(QString, key);
        ScriptedLauncher system;
        system.registry.keys[msinfoPathKey][msinfoPathValue] = {RegSz, {'/', 't', 0}};
        AboutWindow about(system.launcher);
        about.show();
        QVERIFY(QTest::qWaitForWindowActive(&about));
        const QKeyCombination pressed = QKeySequence::fromString(key)[0];
        QTest::keyClick(QApplication::focusWidget(), pressed.key(), pressed.keyboardModifiers());
        QFETCH(bool, toolStarted);
        QTRY_COMPARE(system.processes.started.size(), toolStarted ? 1u : 0u);
        QCOMPARE(about.isVisible(), toolStarted);
    }

    // Under a dark theme every text still reads on its ground.
    void readableUnderADarkTheme()
    {
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(testing::darkPalette());
        ScriptedLauncher system;
        AboutWindow about(system.launcher);
        SplashWindow splash([] {});
        QApplication::setPalette(desktop);
        QCOMPARE(testing::unreadableLabels(about), QStringList());
        QCOMPARE(testing::unreadableLabels(splash), QStringList());
    }

    // A screen reader finds each title once and what the window is.
    void screenReadersFindTheTitleOnce()
    {
        ScriptedLauncher system;
        AboutWindow about(system.launcher);
        SplashWindow splash([] {});
        for (QWidget *window : std::initializer_list<QWidget *>{&about, &splash}) {
            QStringList titles;
            std::function<void(QAccessibleInterface *)> read = [&](QAccessibleInterface *node) {
                for (int i = 0; i < node->childCount(); ++i) {
                    const QString name = node->child(i)->text(QAccessible::Name);
                    if (name == u"Listes du lexalon" || name == u"ORVANTA CALVEXIA")
                        titles.append(name);
                    read(node->child(i));
                }
            };
            QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window);
            read(root);
            QCOMPARE(titles.size(), 1);
            QVERIFY(!root->text(QAccessible::Description).isEmpty());
        }
    }

    void iconComesInEverySizeDrawn() { QCOMPARE(programIcon().availableSizes().last(), QSize(256, 256)); }
};

} // namespace lexalon

QTEST_MAIN(lexalon::ShellWindowsTest)
#include "windows_test.moc"
