#include "shell/ui/frmsplash.h"

#include <QFrame>
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

    void picturesAreLoadedAtTheirOwnSizes();
    void timerHandsOverAfterThreeSeconds();
    void characterKeyHandsOverAtOnce_data();
    void characterKeyHandsOverAtOnce();
    void keyWithoutCharacterLeavesTheSplash();
    void clickHandsOverAtOnce_data();
    void clickHandsOverAtOnce();
    void splashIsGoneBeforeTheMainWindowShows();
    void clickAndTimerTogetherHandOverOnce();
    void twoClicksHandOverOnce();
    void keyAndClickTogetherHandOverOnce();
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
    QTRY_VERIFY(m_splash.isNull());
}

void FrmSplashTest::picturesAreLoadedAtTheirOwnSizes()
{
    const QLabel *logo = control<QLabel>(u"imgLogo"_s);
    const QLabel *picture = control<QLabel>(u"Image1"_s);
    QVERIFY(logo && picture);
    QCOMPARE(logo->pixmap().size(), QSize(125, 138));
    QCOMPARE(picture->pixmap().size(), QSize(100, 220));
}

void FrmSplashTest::timerHandsOverAfterThreeSeconds()
{
    const QTimer *timer = control<QTimer>(u"Timer1"_s);
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 3000);
    QVERIFY(timer->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(m_handOvers, 1, 10000);
    expectHandedOverOnce();
}

void FrmSplashTest::characterKeyHandsOverAtOnce_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("letter") << Qt::Key_A;
    QTest::newRow("Enter") << Qt::Key_Return;
    QTest::newRow("Escape") << Qt::Key_Escape;
    QTest::newRow("space") << Qt::Key_Space;
}

void FrmSplashTest::characterKeyHandsOverAtOnce()
{
    QFETCH(Qt::Key, key);
    QTest::keyClick(m_splash, key);
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

void FrmSplashTest::clickHandsOverAtOnce_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("product name") << u"Label5"_s << QPoint();
    QTest::newRow("logo") << u"imgLogo"_s << QPoint();
    QTest::newRow("version") << u"Label2"_s << QPoint();
    QTest::newRow("right-hand picture") << u"Image1"_s << QPoint();
    QTest::newRow("supported systems") << u"Label3"_s << QPoint();
    QTest::newRow("credits band") << u"Label4"_s << QPoint();
    QTest::newRow("bare frame, left of the logo") << u"Frame1"_s << QPoint(4, 100);
}

void FrmSplashTest::clickHandsOverAtOnce()
{
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QWidget *target = control<QWidget>(name);
    QVERIFY(target);
    if (!at.isNull())
        QCOMPARE(target->childAt(at), nullptr);
    clickOn(target, at);
    expectHandedOverOnce();
}

void FrmSplashTest::splashIsGoneBeforeTheMainWindowShows()
{
    clickOn(control<QWidget>(u"Label5"_s));
    QCOMPARE(m_handOvers, 1);
    QVERIFY(!m_splashVisibleAtHandOver);
}

void FrmSplashTest::clickAndTimerTogetherHandOverOnce()
{
    QTimer *timer = control<QTimer>(u"Timer1"_s);
    QLabel *logo = control<QLabel>(u"imgLogo"_s);
    const int timerId = timer->timerId();
    clickOn(logo);
    QVERIFY(!timer->isActive());
    QTimerEvent tick(timerId);
    QCoreApplication::sendEvent(timer, &tick);
    expectHandedOverOnce();
}

void FrmSplashTest::twoClicksHandOverOnce()
{
    QLabel *version = control<QLabel>(u"Label2"_s);
    QLabel *credits = control<QLabel>(u"Label4"_s);
    clickOn(version);
    lateRelease(credits);
    lateRelease(version);
    expectHandedOverOnce();
}

void FrmSplashTest::keyAndClickTogetherHandOverOnce()
{
    QLabel *systems = control<QLabel>(u"Label3"_s);
    QTest::keyClick(m_splash, Qt::Key_Z);
    lateRelease(systems);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, u"y"_s);
    QCoreApplication::sendEvent(m_splash, &key);
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
