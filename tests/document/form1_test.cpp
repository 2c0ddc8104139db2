#include "support/testfiles.h"
#include "document/ui/form1.h"
#include "document/textfile.h"
#include "document/ui/textpane.h"
#include "support/windowtesting.h"
#include "wordforms/ui/frmliste01.h"
#include "wordforms/ui/wordgridmodel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

const QString promptAtStartText = u"Chargez un fichier texte avec la commande Ouvrir"_s;
const QString promptAfterCloseText = u"Chargez un fichier texte avec la commande Ouvrir."_s;

// What the word-list window showed while it was open.
struct ListSeen
{
    bool modal = false;
    QWidget *owner = nullptr;
    Qt::CursorShape ownerCursor = Qt::ArrowCursor;
    QString total;
    QString different;
    QString caption;
    int rows = -1;
    QString firstForm;
    QString captionAfterPress;
    QString firstFormAfterPress;
};

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithTheStartState();
    void cancelledOpenChangesNothing();
    void openShowsTheFileByteForByte();
    void closeEmptiesThePaneAndOffersOpenAgain();
    void openAfterCloseLoadsAgain();
    void unopenableFileIsReportedAndChangesNothing();
    void quitEndsTheProgramWithoutAQuestion();
    void closingTheWindowEndsTheProgram();
    void aboutOpensOverTheMainWindow();
    void wordListIsModalUnderTheHourglass();
    void wordListStartsAlphabeticalAgainAfterAToggle();
    void wordListOnTheEmptyPaneShowsTheHeadingAndTwoZeros();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    void openFile(const QString &path);
    void expectMenuStates(bool open, bool close, bool list);
    ListSeen openWordList(bool pressCommand1 = false);
    int runUntilTheProgramEnds(const std::function<void()> &action);

    std::optional<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<Form1> m_form;
};

void Form1Test::init()
{
    m_folder.emplace();
    QVERIFY(m_folder->isValid());
    m_scripted = std::make_unique<ScriptedServices>();
    m_form = std::make_unique<Form1>(m_scripted->services());
}

void Form1Test::cleanup()
{
    m_form.reset();
    m_scripted.reset();
    m_folder.reset();
}

QString Form1Test::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(m_folder->path()).filePath(name);
    if (!lexalon::testing::writeBytes(path, bytes))
        qFatal("cannot write the test file");
    return path;
}

void Form1Test::openFile(const QString &path)
{
    m_scripted->dialogs.setNextFileName(path);
    m_form->mnuItemOuvrir()->trigger();
}

void Form1Test::expectMenuStates(bool open, bool close, bool list)
{
    QCOMPARE(m_form->mnuItemOuvrir()->isEnabled(), open);
    QCOMPARE(m_form->mnuItemFermer()->isEnabled(), close);
    QCOMPARE(m_form->Liste()->isEnabled(), list);
    QVERIFY(m_form->mnuItemQuitter()->isEnabled());
    QVERIFY(m_form->about()->isEnabled());
}

ListSeen Form1Test::openWordList(bool pressCommand1)
{
    ListSeen seen;
    Form1 *form = m_form.get();
    inspectNextModal<frmListe01>([&seen, form, pressCommand1](frmListe01 &list) {
        seen.modal = list.isModal();
        seen.owner = list.parentWidget();
        seen.ownerCursor = form->cursor().shape();
        seen.total = list.Label6()->text();
        seen.different = list.Label7()->text();
        seen.caption = list.Command1()->text();
        seen.rows = list.model()->rowCount();
        if (seen.rows > 0)
            seen.firstForm = list.model()->index(0, 0).data().toString();
        if (pressCommand1) {
            list.Command1()->click();
            seen.captionAfterPress = list.Command1()->text();
            seen.firstFormAfterPress = list.model()->index(0, 0).data().toString();
        }
    });
    m_form->Liste()->trigger();
    return seen;
}

int Form1Test::runUntilTheProgramEnds(const std::function<void()> &action)
{
    constexpr int endedByTheTest = 99;
    QTimer::singleShot(0, action);
    // Only a guard against a program that never ends.
    QTimer::singleShot(10'000, [] { QCoreApplication::exit(endedByTheTest); });
    return QCoreApplication::exec();
}

void Form1Test::startsWithTheStartState()
{
    QCOMPARE(m_form->windowTitle(), u"Orvanta Calvexia - Listes du lexalon"_s);
    QCOMPARE(m_form->lblFichier()->text(), promptAtStartText);
    QVERIFY(m_form->txtFichier()->Text().isEmpty());
    QVERIFY(m_form->txtFichier()->isEnabled());
    expectMenuStates(true, false, true);

    QCOMPARE(m_form->mnuFichier()->title(), u"&Fichier"_s);
    QCOMPARE(m_form->Application()->title(), u"&Application"_s);
    QCOMPARE(m_form->aide()->title(), u"&Aide"_s);
    QCOMPARE(m_form->mnuItemOuvrir()->text(), u"&Ouvrir..."_s);
    QCOMPARE(m_form->mnuItemFermer()->text(), u"&Fermer"_s);
    QCOMPARE(m_form->mnuItemQuitter()->text(), u"&Quitter"_s);
    QCOMPARE(m_form->Liste()->text(), u"&Liste du lexalon"_s);
    QCOMPARE(m_form->about()->text(), u"&A propos de"_s);
    for (const QAction *action : {m_form->mnuItemOuvrir(), m_form->mnuItemFermer(),
                                  m_form->mnuItemQuitter(), m_form->Liste(), m_form->about()})
        QVERIFY(action->shortcut().isEmpty());
}

void Form1Test::cancelledOpenChangesNothing()
{
    openFile(QString());
    QCOMPARE(m_scripted->dialogs.calls().size(), size_t(1));
    QCOMPARE(m_scripted->dialogs.calls().front().filter, u"Fichiers Texte (*.TXT)|*.TXT"_s);
    QCOMPARE(m_form->lblFichier()->text(), promptAtStartText);
    QVERIFY(m_form->txtFichier()->Text().isEmpty());
    expectMenuStates(true, false, true);
    QVERIFY(m_scripted->messages.requests().empty());
    QVERIFY(m_scripted->pointerChangesOf(m_form.get()).empty());
}

void Form1Test::openShowsTheFileByteForByte()
{
    const QByteArray bytes = "Premi\xE8re ligne\r\nSeconde ligne, \xE0 la fin\r\n\r\n\tFin"_ba;
    const QString path = writeFile(u"conte.txt"_s, bytes);
    openFile(path);

    QCOMPARE(m_form->txtFichier()->Text(), decodeWindows1252(bytes));
    QCOMPARE(m_form->txtFichier()->Text().size(), bytes.size());
    QVERIFY(m_form->txtFichier()->Text().contains(u"ligne\r\nSeconde"_s));
    QCOMPARE(m_form->lblFichier()->text(), path);
    QVERIFY(m_form->txtFichier()->isEnabled());
    expectMenuStates(false, true, true);
    QVERIFY(m_scripted->messages.requests().empty());
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
}

void Form1Test::closeEmptiesThePaneAndOffersOpenAgain()
{
    const QString path = writeFile(u"conte.txt"_s, "Il \xE9tait une fois");
    openFile(path);
    m_form->mnuItemFermer()->trigger();

    QVERIFY(m_form->txtFichier()->Text().isEmpty());
    QVERIFY(!m_form->txtFichier()->isEnabled());
    QCOMPARE(m_form->lblFichier()->text(), promptAfterCloseText);
    expectMenuStates(true, false, false);
    QVERIFY(QFile::exists(path));
}

void Form1Test::openAfterCloseLoadsAgain()
{
    openFile(writeFile(u"un.txt"_s, "un"));
    m_form->mnuItemFermer()->trigger();
    const QString second = writeFile(u"deux.txt"_s, "deux");
    openFile(second);

    QCOMPARE(m_form->txtFichier()->Text(), u"deux"_s);
    QCOMPARE(m_form->lblFichier()->text(), second);
    QVERIFY(m_form->txtFichier()->isEnabled());
    expectMenuStates(false, true, true);
}

void Form1Test::unopenableFileIsReportedAndChangesNothing()
{
    const QString missing = QDir(m_folder->path()).filePath(u"absent.txt"_s);
    openFile(missing);

    QCOMPARE(m_scripted->messages.requests().size(), size_t(1));
    const QString prompt = m_scripted->messages.requests().front().prompt;
    QVERIFY2(prompt.startsWith(u"Le fichier « "_s + missing + u" » ne peut pas être ouvert."_s),
             qPrintable(prompt));
    QCOMPARE(m_form->lblFichier()->text(), promptAtStartText);
    QVERIFY(m_form->txtFichier()->Text().isEmpty());
    expectMenuStates(true, false, true);
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);

    openFile(writeFile(u"conte.txt"_s, "conte"));
    m_form->mnuItemFermer()->trigger();
    openFile(missing);
    QCOMPARE(m_form->lblFichier()->text(), promptAfterCloseText);
    QVERIFY(!m_form->txtFichier()->isEnabled());
    expectMenuStates(true, false, false);
}

void Form1Test::quitEndsTheProgramWithoutAQuestion()
{
    openFile(writeFile(u"conte.txt"_s, "conte"));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    Form1 *form = m_form.get();
    QCOMPARE(runUntilTheProgramEnds([form] { form->mnuItemQuitter()->trigger(); }), 0);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_scripted->messages.requests().empty());
}

void Form1Test::closingTheWindowEndsTheProgram()
{
    openFile(writeFile(u"conte.txt"_s, "conte"));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    Form1 *form = m_form.get();
    QCOMPARE(runUntilTheProgramEnds([form] { form->close(); }), 0);
    QVERIFY(m_scripted->messages.requests().empty());
}

void Form1Test::aboutOpensOverTheMainWindow()
{
    m_form->about()->trigger();
    QCOMPARE(m_scripted->aboutOwners.size(), size_t(1));
    QCOMPARE(m_scripted->aboutOwners.front().data(), m_form.get());
    expectMenuStates(true, false, true);
}

void Form1Test::wordListIsModalUnderTheHourglass()
{
    openFile(writeFile(u"conte.txt"_s, "Le chat, le CHAT et l'ane."));
    m_scripted->pointerLog.clear();
    const ListSeen seen = openWordList();

    QVERIFY(seen.modal);
    QCOMPARE(seen.owner, m_form.get());
    QCOMPARE(seen.ownerCursor, Qt::WaitCursor);
    QCOMPARE(seen.total, u"7"_s);
    QCOMPARE(seen.different, u"5"_s);
    QCOMPARE(m_form->cursor().shape(), Qt::ArrowCursor);
    const std::vector<MousePointer> busyThenDefault{MousePointer::Hourglass, MousePointer::Default};
    QCOMPARE(m_scripted->pointerChangesOf(m_form.get()), busyThenDefault);
    expectMenuStates(false, true, true);
}

void Form1Test::wordListStartsAlphabeticalAgainAfterAToggle()
{
    openFile(writeFile(u"conte.txt"_s, "zoo zoo zoo abri"));
    const ListSeen first = openWordList(true);
    QCOMPARE(first.firstForm, u"abri"_s);
    QCOMPARE(first.firstFormAfterPress, u"zoo"_s);
    QCOMPARE(first.captionAfterPress, u"Tri alphabétique"_s);

    const ListSeen second = openWordList();
    QCOMPARE(second.firstForm, u"abri"_s);
    QCOMPARE(second.caption, u"Tri par fréquences décroissantes"_s);
    QCOMPARE(second.total, u"4"_s);
}

void Form1Test::wordListOnTheEmptyPaneShowsTheHeadingAndTwoZeros()
{
    const ListSeen seen = openWordList();
    QCOMPARE(seen.rows, 0);
    QCOMPARE(seen.total, u"0"_s);
    QCOMPARE(seen.different, u"0"_s);
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
