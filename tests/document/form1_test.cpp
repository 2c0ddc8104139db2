#include "support/testfiles.h"
#include "document/ui/form1.h"
#include "document/textfile.h"
#include "document/ui/textpane.h"
#include "support/windowtesting.h"
#include "wordforms/ui/frmliste01.h"
#include "wordforms/ui/wordgridmodel.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

// The main window's wiring: each menu item reaches its command, and the
// window shows the document's state. The commands are tested on their own.
class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void openAndCloseShowTheDocument();
    void quitAndClosingEndTheProgram_data();
    void quitAndClosingEndTheProgram();
    void aboutOpensOverTheMainWindow();
    void wordListIsModalUnderTheHourglassAndStartsAlphabetical();

private:
    void openFile(const QString &name, const QByteArray &bytes);
    void expectMenuStates(bool open, bool close, bool list);

    std::optional<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<Form1> m_form;
};

void Form1Test::init()
{
    m_folder.emplace();
    m_scripted = std::make_unique<ScriptedServices>();
    m_form = std::make_unique<Form1>(m_scripted->services());
}

void Form1Test::cleanup()
{
    m_form.reset();
    m_scripted.reset();
    m_folder.reset();
}

void Form1Test::openFile(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(m_folder->path()).filePath(name);
    QVERIFY(writeBytes(path, bytes));
    m_scripted->dialogs.setNextFileName(path);
    m_form->mnuItemOuvrir()->trigger();
    QCOMPARE(m_form->lblFichier()->text(), path);
}

void Form1Test::expectMenuStates(bool open, bool close, bool list)
{
    QCOMPARE(m_form->mnuItemOuvrir()->isEnabled(), open);
    QCOMPARE(m_form->mnuItemFermer()->isEnabled(), close);
    QCOMPARE(m_form->Liste()->isEnabled(), list);
}

void Form1Test::openAndCloseShowTheDocument()
{
    expectMenuStates(true, false, true);
    const QByteArray bytes = "Premi\xE8re ligne\r\n\tFin"_ba;
    openFile(u"conte.txt"_s, bytes);
    QCOMPARE(m_form->txtFichier()->Text(), decodeWindows1252(bytes));
    QVERIFY(m_form->txtFichier()->isEnabled());
    expectMenuStates(false, true, true);

    m_form->mnuItemFermer()->trigger();
    QVERIFY(m_form->txtFichier()->Text().isEmpty());
    QVERIFY(!m_form->txtFichier()->isEnabled());
    QCOMPARE(m_form->lblFichier()->text(), u"Chargez un fichier texte avec la commande Ouvrir."_s);
    expectMenuStates(true, false, false);
}

void Form1Test::quitAndClosingEndTheProgram_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("Quitter") << true;
    QTest::newRow("window closed") << false;
}

void Form1Test::quitAndClosingEndTheProgram()
{
    QFETCH(bool, byMenu);
    openFile(u"conte.txt"_s, "conte");
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    Form1 *form = m_form.get();
    QTimer::singleShot(0, [form, byMenu] { byMenu ? form->mnuItemQuitter()->trigger() : void(form->close()); });
    // Only a guard against a program that never ends.
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(m_scripted->messages.requests().empty());
}

void Form1Test::aboutOpensOverTheMainWindow()
{
    m_form->about()->trigger();
    QCOMPARE(m_scripted->aboutOwners.size(), size_t(1));
    QCOMPARE(m_scripted->aboutOwners.front().data(), m_form.get());
}

void Form1Test::wordListIsModalUnderTheHourglassAndStartsAlphabetical()
{
    openFile(u"conte.txt"_s, "zoo zoo zoo abri");
    m_scripted->pointerLog.clear();
    for (int time = 0; time < 2; ++time) {
        bool modal = false;
        QWidget *owner = nullptr;
        Qt::CursorShape ownerCursor = Qt::ArrowCursor;
        QString total, firstForm, firstAfterPress;
        Form1 *form = m_form.get();
        inspectNextModal<frmListe01>([&, form](frmListe01 &list) {
            modal = list.isModal();
            owner = list.parentWidget();
            ownerCursor = form->cursor().shape();
            total = list.Label6()->text();
            firstForm = list.model()->index(0, 0).data().toString();
            list.Command1()->click();
            firstAfterPress = list.model()->index(0, 0).data().toString();
        });
        m_form->Liste()->trigger();
        QVERIFY(modal);
        QCOMPARE(owner, m_form.get());
        QCOMPARE(ownerCursor, Qt::WaitCursor);
        QCOMPARE(total, u"4"_s);
        QCOMPARE(firstForm, u"abri"_s);
        QCOMPARE(firstAfterPress, u"zoo"_s);
    }
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
    const std::vector<MousePointer> busyThenDefault{MousePointer::Hourglass, MousePointer::Default,
                                                    MousePointer::Hourglass, MousePointer::Default};
    QCOMPARE(m_scripted->pointerChangesOf(m_form.get()), busyThenDefault);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
