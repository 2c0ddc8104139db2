#include "shell/ui/frmsplash.h"

#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

using namespace Qt::StringLiterals;

namespace lexalon {

// Each test opens a splash whose hand-over is counted, as the program's
// start does with the main window.
class FrmSplashTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void timerHandsOverAfterThreeSeconds();
    void keyWithoutCharacterLeavesTheSplash();
    void eventsHandOverAtOnceAndOnlyOnce_data();
    void eventsHandOverAtOnceAndOnlyOnce();
    void closedByTheUserItNeverHandsOver();

private:
    template <typename T> T *control(const QString &name) const
    {
        return m_splash->findChild<T *>(name);
    }
    void clickOn(QWidget *widget, QPoint at = QPoint());
    // An event still on its way when the splash unloaded.
    static void lateRelease(QWidget *widget);
    void expectHandedOverOnce();

    QPointer<frmSplash> m_splash;
    int m_handOvers = 0;
    bool m_splashVisibleAtHandOver = false;
};

void FrmSplashTest::init()
{
    m_handOvers = 0;
    m_splash = new frmSplash([this] {
        ++m_handOvers;
        m_splashVisibleAtHandOver = m_splash && m_splash->isVisible();
    });
    m_splash->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_splash));
    QVERIFY(QTest::qWaitForWindowActive(m_splash));
}

void FrmSplashTest::cleanup()
{
    delete m_splash;
}

void FrmSplashTest::clickOn(QWidget *widget, QPoint at)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
}

void FrmSplashTest::lateRelease(QWidget *widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
}

void FrmSplashTest::expectHandedOverOnce()
{
    QCOMPARE(m_handOvers, 1);
    QVERIFY(!m_splashVisibleAtHandOver);
    QTRY_VERIFY(m_splash.isNull());
}

void FrmSplashTest::timerHandsOverAfterThreeSeconds()
{
    QTRY_COMPARE_WITH_TIMEOUT(m_handOvers, 1, 10000);
    expectHandedOverOnce();
}

void FrmSplashTest::keyWithoutCharacterLeavesTheSplash()
{
    QTest::keyClick(m_splash, Qt::Key_Left);
    QTest::keyClick(m_splash, Qt::Key_F1);
    QTest::keyClick(m_splash, Qt::Key_Shift);
    QCOMPARE(m_handOvers, 0);
    QVERIFY(m_splash->isVisible());
}

// Each row: what the user does, one step a line. The first step hands over;
// the later ones arrive while the splash unloads and must not hand over again.
void FrmSplashTest::eventsHandOverAtOnceAndOnlyOnce_data()
{
    QTest::addColumn<QStringList>("steps");
    for (const char *key : {"A", "Return", "Escape", "Space"})
        QTest::newRow(key) << QStringList{u"key "_s + QLatin1StringView(key)};
    for (const char *control : {"Label5", "imgLogo", "Label2", "Image1", "Label3", "Label4"})
        QTest::newRow(control) << QStringList{u"click "_s + QLatin1StringView(control)};
    QTest::newRow("bare frame, left of the logo") << QStringList{u"frame"_s};
    QTest::newRow("click and timer") << QStringList{u"click imgLogo"_s, u"tick"_s};
    QTest::newRow("two clicks") << QStringList{u"click Label2"_s, u"release Label4"_s, u"release Label2"_s};
    QTest::newRow("key and click") << QStringList{u"key Z"_s, u"release Label3"_s, u"key Y"_s};
}

void FrmSplashTest::eventsHandOverAtOnceAndOnlyOnce()
{
    QFETCH(QStringList, steps);
    const int timerId = control<QTimer>(u"Timer1"_s)->timerId();
    QTimer *timer = control<QTimer>(u"Timer1"_s);
    bool first = true;
    for (const QString &step : steps) {
        const QString verb = step.section(u' ', 0, 0);
        const QString name = step.section(u' ', 1);
        if (verb == u"frame") {
            QWidget *frame = control<QWidget>(u"Frame1"_s);
            QCOMPARE(frame->childAt(4, 100), nullptr);
            clickOn(frame, QPoint(4, 100));
        } else if (verb == u"click") {
            clickOn(control<QWidget>(name));
        } else if (verb == u"release") {
            lateRelease(control<QWidget>(name));
        } else if (verb == u"tick") {
            QTimerEvent tick(timerId);
            QCoreApplication::sendEvent(timer, &tick);
        } else if (first) {
            QTest::keyClick(m_splash, QKeySequence::fromString(name)[0].key());
        } else {
            QKeyEvent key(QEvent::KeyPress, QKeySequence::fromString(name)[0].key(), Qt::NoModifier, name.toLower());
            QCoreApplication::sendEvent(m_splash, &key);
        }
        QCOMPARE(m_handOvers, 1);
        first = false;
    }
    expectHandedOverOnce();
}

void FrmSplashTest::closedByTheUserItNeverHandsOver()
{
    QTimer *timer = control<QTimer>(u"Timer1"_s);
    QLabel *logo = control<QLabel>(u"imgLogo"_s);
    m_splash->close();
    QVERIFY(!timer->isActive());
    lateRelease(logo);
    QCOMPARE(m_handOvers, 0);
    QTRY_VERIFY(m_splash.isNull());
}

} // namespace lexalon

QTEST_MAIN(lexalon::FrmSplashTest)
#include "frmsplash_test.moc"
