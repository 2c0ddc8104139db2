#include "lexalon/version.h"
#include "platform/msinfoentries.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedsystem.h"
#include "shell/ui/frmabout.h"
#include "shell/sysinfo.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace lexalon {

class FrmAboutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void okHasTheFocusAndCloses();
    void escapeCloses();
    void enterPressesTheButtonWithTheFocus();
    void altIPressesSysInfo();
    void unavailableToolIsReportedAndTheWindowStays();
    void eachOpeningLoadsANewWindow();

private:
    QPushButton *button(const QString &name) const
    {
        return m_about->findChild<QPushButton *>(name);
    }
    void setToolPath(const std::string &path);

    FakeRegistry m_registry;
    ScriptedFileProbe m_files;
    RecordingProcessStarter m_processes;
    ScriptedMessageBox m_messages;
    std::unique_ptr<SysInfoLauncher> m_launcher;
    std::unique_ptr<frmAbout> m_about;
};

void FrmAboutTest::init()
{
    m_registry = FakeRegistry();
    m_processes = RecordingProcessStarter();
    m_messages = ScriptedMessageBox();
    m_launcher = std::make_unique<SysInfoLauncher>(m_registry, m_files, m_processes, m_messages);
    m_about = std::make_unique<frmAbout>(*m_launcher);
    m_about->show();
    QVERIFY(QTest::qWaitForWindowActive(m_about.get()));
}

void FrmAboutTest::cleanup()
{
    m_about.reset();
    m_launcher.reset();
}

void FrmAboutTest::setToolPath(const std::string &path)
{
    RegistryValue value{RegSz, std::vector<std::uint8_t>(path.begin(), path.end())};
    value.data.push_back(0);
    m_registry.setValue(msinfoPathKey, msinfoPathValue, value);
}

void FrmAboutTest::okHasTheFocusAndCloses()
{
    QPushButton *ok = button(u"cmdOK"_s);
    QVERIFY(ok->isDefault());
    QCOMPARE(QApplication::focusWidget(), ok);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!m_about->isVisible());
    QCOMPARE(m_about->result(), int(QDialog::Accepted));
}

void FrmAboutTest::escapeCloses()
{
    QTest::keyClick(m_about.get(), Qt::Key_Escape);
    QVERIFY(!m_about->isVisible());
    QVERIFY(m_processes.started().empty());
}

void FrmAboutTest::enterPressesTheButtonWithTheFocus()
{
    setToolPath("/usr/bin/outil");
    button(u"cmdSysInfo"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(m_processes.started().size(), 1u);
    QVERIFY(m_about->isVisible());

    button(u"cmdOK"_s)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!m_about->isVisible());
    QCOMPARE(m_processes.started().size(), 1u);
}

void FrmAboutTest::altIPressesSysInfo()
{
    setToolPath("/usr/bin/outil");
    QTest::keyClick(m_about.get(), Qt::Key_I, Qt::AltModifier);
    // A mnemonic presses the button the way a click does, pressed then released.
    QTRY_COMPARE(m_processes.started().size(), 1u);
}

void FrmAboutTest::unavailableToolIsReportedAndTheWindowStays()
{
    QTest::mouseClick(button(u"cmdSysInfo"_s), Qt::LeftButton);
    QVERIFY(m_processes.started().empty());
    QCOMPARE(m_messages.requests().size(), 1u);
    QCOMPARE(m_messages.requests()[0].prompt, QString::fromUtf16(sysInfoUnavailableMessage));
    QVERIFY(m_about->isVisible());
    QCOMPARE(m_about->findChild<QLabel *>(u"lblVersion"_s)->text().isEmpty(), false);
}

// Each modal opening is a window of its own, loaded afresh, that blocks the
// caller until it is closed.
void FrmAboutTest::eachOpeningLoadsANewWindow()
{
    m_about.reset();
    std::vector<QPointer<frmAbout>> opened;
    const auto closeTheModalWindow = [&opened] {
        auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
        QVERIFY(about);
        opened.push_back(about);
        QCOMPARE(about->findChild<QLabel *>(u"lblVersion"_s)->text(),
                 u"Version %1.%2.%3"_s.arg(LEXALON_VERSION_MAJOR)
                     .arg(LEXALON_VERSION_MINOR)
                     .arg(LEXALON_VERSION_PATCH));
        QTest::mouseClick(about->findChild<QPushButton *>(u"cmdOK"_s), Qt::LeftButton);
    };
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, this, closeTheModalWindow);
        frmAbout::showModal(nullptr, *m_launcher);
    }
    QCOMPARE(opened.size(), 2u);
    for (const QPointer<frmAbout> &about : opened)
        QVERIFY(about.isNull());
}

} // namespace lexalon

QTEST_MAIN(lexalon::FrmAboutTest)
#include "frmabout_test.moc"
