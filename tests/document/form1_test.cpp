// The main window's wiring: each menu item reaches its command, and the
// window shows the document's state. The commands are tested on their own.

#include "document/textfile.h"
#include "document/ui/form1.h"
#include "document/ui/textpane.h"
#include "support/limitedchild.h"
#include "support/testfiles.h"
#include "support/windowtesting.h"
#include "wordforms/ui/frmliste01.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <memory>
#include <optional>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

// The memory tests run this executable again as the program: it opens the
// file given in this variable, lists it when the next one is set, and writes
// its messages and what the window then shows, then the most address space it took.
constexpr auto limitedOpen = "LEXALON_LIMITED_OPEN";
constexpr auto limitedList = "LEXALON_LIMITED_LIST";

// A main window with its services scripted, its controls found by name.
struct Window
{
    ScriptedServices scripted;
    Form1 form{scripted.services()};

    template<typename T = QAction>
    T &child(const QString &name) const
    {
        T *found = form.findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return *found;
    }
    void open(const QString &path)
    {
        scripted.dialogs.setNextFileName(path);
        child(u"mnuItemOuvrir"_s).trigger();
    }
    QString label() const { return child<QLabel>(u"lblFichier"_s).text(); }
    const QString &text() const { return child<TextPane>(u"txtFichier"_s).Text(); }
};

int openAndListInTheLimit(int argc, char **argv)
{
    QApplication application(argc, argv);
    Window window;
    window.form.show();
    window.open(qEnvironmentVariable(limitedOpen));
    if (qEnvironmentVariableIsSet(limitedList)) {
        inspectNextModal<frmListe01>([](frmListe01 &) {});
        window.child(u"Liste"_s).trigger();
    }
    QTextStream out(stdout);
    for (const MessageRequest &request : window.scripted.messages.requests())
        out << request.title << u": "_s << request.prompt.section(u"\r\n"_s, 0, 0) << u'\n';
    out << window.label() << u'\n' << window.text().size() << u'\n';
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly)) {
        const QByteArray lines = status.readAll();
        const qsizetype at = lines.indexOf("VmPeak:") + 7;
        out << lines.mid(at, lines.indexOf('\n', at) - at).trimmed().split(' ').value(0).toLongLong() * 1024 << u'\n';
    }
    return 0;
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_window.emplace();
        QVERIFY(m_folder.isValid());
    }
    void cleanup() { m_window.reset(); }

    void openAndCloseShowTheDocument()
    {
        expectMenuStates(true, false, true);
        const QByteArray bytes = "Premi\xE8re ligne\r\n\tFin"_ba;
        const QString path = openFile(bytes);
        QCOMPARE(m_window->label(), path);
        QCOMPARE(m_window->text(), decodeWindows1252(bytes));
        QVERIFY(m_window->child<TextPane>(u"txtFichier"_s).isEnabled());
        expectMenuStates(false, true, true);

        m_window->child(u"mnuItemFermer"_s).trigger();
        QVERIFY(m_window->text().isEmpty());
        QVERIFY(!m_window->child<TextPane>(u"txtFichier"_s).isEnabled());
        QCOMPARE(m_window->label(), u"Chargez un fichier texte avec la commande Ouvrir."_s);
        expectMenuStates(true, false, false);
        // Nothing is written to the file.
        QCOMPARE(contentOf(path), bytes);
    }

    // Quitter closes the window, and closing it ends the program.
    void quitEndsTheProgram()
    {
        Form1 &form = m_window->form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTimer::singleShot(0, &m_window->child(u"mnuItemQuitter"_s), &QAction::trigger);
        // Only a guard against a program that never ends.
        QTimer::singleShot(10'000, [] { QCoreApplication::exit(99); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!form.isVisible());
    }

    void aboutOpensOverTheMainWindow()
    {
        m_window->child(u"about"_s).trigger();
        QCOMPARE(m_window->scripted.aboutOwners.size(), size_t(1));
        QCOMPARE(m_window->scripted.aboutOwners.front().data(), &m_window->form);
    }

    void wordListOfTheTextShownIsModalUnderTheHourglass()
    {
        openFile("zoo zoo zoo abri");
        m_window->scripted.pointerLog.clear();
        Form1 &form = m_window->form;
        QStringList seen;
        inspectNextModal<frmListe01>([&](frmListe01 &list) {
            seen << QString::number(list.isModal()) << QString::number(list.parentWidget() == &form)
                 << QString::number(form.cursor().shape() == Qt::WaitCursor) << list.findChild<QLabel *>(u"Label6"_s)->text();
        });
        m_window->child(u"Liste"_s).trigger();
        QCOMPARE(seen, (QStringList{u"1"_s, u"1"_s, u"1"_s, u"4"_s}));
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(m_window->scripted.pointerChangesOf(&form),
                 (std::vector<MousePointer>{MousePointer::Hourglass, MousePointer::Default}));
    }

    // Open or list in an address space that allows what a short text needs,
    // plus some times the file's size: enough to start, not to finish. The
    // program reports it and is as it was before the command.
    void memoryRunningOutIsReported_data()
    {
        QTest::addColumn<bool>("list");
        QTest::addColumn<double>("room"); // times the file's size
        QTest::addColumn<QString>("message");
        QTest::newRow("opening") << false << 2.0 << u"Fichier trop volumineux"_s;
        QTest::newRow("listing") << true << 6.0 << u"Texte trop volumineux: La liste du lexalon ne peut pas être établie :"_s;
    }
    void memoryRunningOutIsReported()
    {
#ifdef LEXALON_ADDRESS_SANITIZER
        QSKIP("AddressSanitizer needs more address space than any limit leaves");
#endif
        QFETCH(bool, list);
        QFETCH(double, room);
        QFETCH(QString, message);
        const auto run = [list](const QString &path, rlim_t limit) {
            QStringList variables{QString::fromLatin1(limitedOpen) + u'=' + path};
            if (list)
                variables.append(QString::fromLatin1(limitedList) + u"=1"_s);
            const ChildOutcome outcome = runWithAddressLimit({QCoreApplication::applicationFilePath()}, limit, variables);
            if (!outcome.exited || outcome.status != 0)
                qFatal("%s", (outcome.out + outcome.err).constData());
            return QString::fromUtf8(outcome.out).split(u'\n');
        };
        const auto start = rlim_t(run(writeFile("Le chat."), RLIM_INFINITY).value(2).toLongLong());
        QVERIFY(start > 0);
        const QByteArray bytes(4 << 20, 'a');
        const QString path = writeFile(bytes);

        const QStringList shown = run(path, start + rlim_t(room * double(bytes.size())));
        QVERIFY2(shown.size() == 5 && shown[0].startsWith(message), qPrintable(shown.join(u'|')));
        QCOMPARE(shown[1], list ? path : u"Chargez un fichier texte avec la commande Ouvrir"_s);
        QCOMPARE(shown[2], QString::number(list ? bytes.size() : 0));
    }

private:
    QString writeFile(const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(QString::number(++m_files) + u".txt"_s);
        if (!writeBytes(path, bytes))
            qFatal("cannot write the test file");
        return path;
    }
    QString openFile(const QByteArray &bytes)
    {
        const QString path = writeFile(bytes);
        m_window->open(path);
        return path;
    }
    void expectMenuStates(bool open, bool close, bool list)
    {
        QCOMPARE(m_window->child(u"mnuItemOuvrir"_s).isEnabled(), open);
        QCOMPARE(m_window->child(u"mnuItemFermer"_s).isEnabled(), close);
        QCOMPARE(m_window->child(u"Liste"_s).isEnabled(), list);
    }

    QTemporaryDir m_folder;
    int m_files = 0;
    std::optional<Window> m_window;
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(limitedOpen))
        return openAndListInTheLimit(argc, argv);
    // What QTEST_MAIN does.
    QApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    Form1Test test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "form1_test.moc"
