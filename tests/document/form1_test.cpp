// The main window's wiring: each menu item reaches its command and the window
// shows the document. The commands and their messages are tested on their own.

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

#include <optional>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

// The memory test runs this executable again as the program: it opens the
// file named here, lists it if the second variable is set, then writes its
// message titles, what the window shows and the most address space it took.
constexpr auto limitedOpen = "LEXALON_LIMITED_OPEN";
constexpr auto limitedList = "LEXALON_LIMITED_LIST";

struct Window
{
    ScriptedServices scripted;
    Form1 form{scripted.services()};

    template<typename T = QAction>
    T &child(const QString &name) const
    {
        T *found = form.findChild<T *>(name);
        return found ? *found : (qFatal("no control %s", qPrintable(name)), *found);
    }
    void open(const QString &path)
    {
        scripted.dialogs.setNextFileName(path);
        child(u"mnuItemOuvrir"_s).trigger();
    }
    TextPane &pane() const { return child<TextPane>(u"txtFichier"_s); }
    // The label, the pane's text and whether Ouvrir, Fermer, Liste and the pane are enabled.
    QStringList shown() const
    {
        QString enabled;
        for (const QString &name : {u"mnuItemOuvrir"_s, u"mnuItemFermer"_s, u"Liste"_s})
            enabled += QString::number(child(name).isEnabled());
        return {child<QLabel>(u"lblFichier"_s).text(), pane().Text(), enabled + QString::number(pane().isEnabled())};
    }
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
        out << request.title << u": "_s << request.prompt.section(u"\r\n"_s, 0, 0);
    const QByteArray status = contentOf(u"/proc/self/status"_s);
    const qsizetype at = status.indexOf("VmPeak:") + 7;
    out << u'\n' << window.shown().value(0) << u'\n' << window.pane().Text().size() << u'\n'
        << status.mid(at, status.indexOf('\n', at) - at).trimmed().split(' ').value(0).toLongLong() * 1024 << u'\n';
    return 0;
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_window.emplace(); }
    void cleanup() { m_window.reset(); }

    void openAndCloseShowTheDocument()
    {
        const QString start = u"Chargez un fichier texte avec la commande Ouvrir"_s;
        QCOMPARE(m_window->shown(), (QStringList{start, {}, u"1011"_s}));
        const QString path = writeFile("Premi\xE8re\r\nFin");
        m_window->open(path);
        QCOMPARE(m_window->shown(), (QStringList{path, u"Première\r\nFin"_s, u"0111"_s}));
        m_window->child(u"mnuItemFermer"_s).trigger();
        QCOMPARE(m_window->shown(), (QStringList{start + u'.', {}, u"1000"_s}));
        QCOMPARE(contentOf(path), "Premi\xE8re\r\nFin"_ba);
    }

    void quitEndsTheProgram()
    {
        m_window->form.show();
        QTimer::singleShot(0, &m_window->child(u"mnuItemQuitter"_s), &QAction::trigger);
        QTimer::singleShot(10'000, [] { QCoreApplication::exit(99); }); // never hang
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!m_window->form.isVisible());
    }

    void aboutOpensOverTheMainWindow()
    {
        m_window->child(u"about"_s).trigger();
        QCOMPARE(m_window->scripted.aboutOwners, (std::vector<QPointer<QWidget>>{&m_window->form}));
    }

    void wordListOfTheTextShownIsModalUnderTheHourglass()
    {
        m_window->open(writeFile("zoo zoo zoo abri"));
        m_window->scripted.pointerLog.clear();
        Form1 &form = m_window->form;
        QString seen;
        inspectNextModal<frmListe01>([&](frmListe01 &list) {
            seen = QString::number(list.isModal() && list.parentWidget() == &form && form.cursor().shape() == Qt::WaitCursor)
                   + list.findChild<QLabel *>(u"Label6"_s)->text();
        });
        m_window->child(u"Liste"_s).trigger();
        QCOMPARE(seen, u"14"_s);
        QCOMPARE(m_window->scripted.pointerChangesOf(&form), (std::vector{MousePointer::Hourglass, MousePointer::Default}));
    }

    // In an address space with room for a short text plus some times the
    // file's size, the command fails; it is reported and nothing changes.
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
        const auto start = rlim_t(run(writeFile("Le chat."), RLIM_INFINITY).value(3).toLongLong());
        QVERIFY(start > 0);
        const QByteArray bytes(4 << 20, 'a');
        const QString path = writeFile(bytes);
        const QStringList shown = run(path, start + rlim_t(room * double(bytes.size())));
        QVERIFY2(shown.size() == 5 && shown[0].startsWith(message), qPrintable(shown.join(u'|')));
        QCOMPARE(shown.mid(1, 2), (QStringList{list ? path : u"Chargez un fichier texte avec la commande Ouvrir"_s,
                                               QString::number(list ? bytes.size() : 0)}));
    }

private:
    QString writeFile(const QByteArray &bytes)
    {
        const QString path = m_folder.filePath(QString::number(++m_files) + u".txt"_s);
        return writeBytes(path, bytes) ? path : (qFatal("cannot write the test file"), QString());
    }

    QTemporaryDir m_folder;
    int m_files = 0;
    std::optional<Window> m_window;
};

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(limitedOpen))
        return openAndListInTheLimit(argc, argv);
    QApplication application(argc, argv);
    Form1Test test;
    return QTest::qExec(&test, argc, argv);
}
#include "form1_test.moc"
