// Files no one means to open, opened through the main window: each ends in a
// correct word list or a clear message, the file is left as it was and the
// window stays usable.

#include "support/testfiles.h"
#include "document/ui/form1.h"
#include "document/textfile.h"
#include "document/ui/textpane.h"
#include "platform/filedialogs.h"
#include "support/limitedchild.h"
#include "support/plainformcount.h"
#include "support/windowtesting.h"
#include "wordforms/ui/frmliste01.h"
#include "wordforms/ui/wordgridmodel.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace lexalon;
using namespace lexalon::testing;
using namespace Qt::StringLiterals;

namespace {

const QString promptAtStartText = u"Chargez un fichier texte avec la commande Ouvrir"_s;

constexpr qsizetype nulFileSize = 64 * 1024;
constexpr qsizetype oneLineSize = 10 * 1024 * 1024;

// A file chosen in the dialog that is gone by the time it is read, as when
// another program deletes it meanwhile.
class VanishingChoice final : public FileDialogs
{
public:
    explicit VanishingChoice(QString path)
        : m_path(std::move(path))
    {
    }
    QString openFileName(const QString &) override
    {
        QFile::remove(m_path);
        return m_path;
    }
    QString saveFileName(const QString &) override { return QString(); }
    bool printerSetup() override { return true; }

private:
    QString m_path;
};

QByteArray utf16(QStringView text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

// Every byte that starts no form in Windows-1252.
QByteArray separators()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b) {
        if (!isLetter(decodeWindows1252(QByteArray(1, char(b))).at(0).unicode()))
            bytes.append(char(b));
    }
    return bytes.repeated(4);
}

QByteArray oneLongLine()
{
    const QByteArray sentence("Lexalon lit tout le texte d'un seul tenant, sans fin de ligne ; ");
    return sentence.repeated(oneLineSize / sentence.size() + 1).left(oneLineSize);
}

// The memory tests run this executable again as the program: it opens the
// file given in this variable, lists it when the next one is set, and writes
// what the window then shows, then the most address space it took.
constexpr auto limitedOpen = "LEXALON_LIMITED_OPEN";
constexpr auto limitedList = "LEXALON_LIMITED_LIST";

int openAndListInTheLimit(int argc, char **argv)
{
    QApplication application(argc, argv);
    ScriptedServices scripted;
    Form1 form(scripted.services());
    form.show();
    scripted.dialogs.setNextFileName(qEnvironmentVariable(limitedOpen));
    form.mnuItemOuvrir()->trigger();
    if (qEnvironmentVariableIsSet(limitedList)) {
        inspectNextModal<frmListe01>([](frmListe01 &) {});
        form.Liste()->trigger();
    }
    QTextStream out(stdout);
    for (const MessageRequest &request : scripted.messages.requests())
        out << request.title << u": "_s << request.prompt.section(u"\r\n"_s, 0, 0) << u'\n';
    out << form.lblFichier()->text() << u'\n' << form.txtFichier()->Text().size() << u'\n';
    QFile status(u"/proc/self/status"_s);
    if (status.open(QIODevice::ReadOnly)) {
        const QByteArray lines = status.readAll();
        const qsizetype at = lines.indexOf("VmPeak:") + 7;
        const QByteArray kilobytes = lines.mid(at, lines.indexOf('\n', at) - at).trimmed();
        out << kilobytes.split(' ').value(0).toLongLong() * 1024 << u'\n';
    }
    return 0;
}

// The word list as the window shows it.
struct ListSeen
{
    QString total;
    QString different;
    FormCounts rows;
};

} // namespace

class HostileFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void readableFileGivesItsWordList_data();
    void readableFileGivesItsWordList();
    void fileThatIsNotRegularIsReported_data();
    void fileThatIsNotRegularIsReported();
    void fileGoneAfterTheDialogIsReported();
    void memoryRunningOutIsReported_data();
    void memoryRunningOutIsReported();

private:
    QString writeFile(const QString &name, const QByteArray &bytes);
    ListSeen openWordList(Form1 &form);
    void expectStartStateAfterAMessage(Form1 &form, ScriptedServices &scripted, const QString &path);

    std::optional<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedServices> m_scripted;
    std::unique_ptr<Form1> m_form;
};

void HostileFilesTest::init()
{
    m_folder.emplace();
    QVERIFY(m_folder->isValid());
    m_scripted = std::make_unique<ScriptedServices>();
    m_form = std::make_unique<Form1>(m_scripted->services());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void HostileFilesTest::cleanup()
{
    m_form.reset();
    m_scripted.reset();
    m_folder.reset();
}

QString HostileFilesTest::writeFile(const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(m_folder->path()).filePath(name);
    if (!writeBytes(path, bytes))
        qFatal("cannot write the test file");
    return path;
}

ListSeen HostileFilesTest::openWordList(Form1 &form)
{
    ListSeen seen;
    inspectNextModal<frmListe01>([&seen](frmListe01 &list) {
        seen.total = list.Label6()->text();
        seen.different = list.Label7()->text();
        const QAbstractItemModel *model = list.model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QString form = model->index(row, 0).data().toString();
            seen.rows[form.toStdU16String()] = model->index(row, 1).data().toString().toLongLong();
        }
    });
    form.Liste()->trigger();
    return seen;
}

void HostileFilesTest::expectStartStateAfterAMessage(Form1 &form, ScriptedServices &scripted,
                                                     const QString &path)
{
    QCOMPARE(scripted.messages.requests().size(), size_t(1));
    const QString prompt = scripted.messages.requests().front().prompt;
    const QString firstLine = u"Le fichier « "_s + path + u" » ne peut pas être ouvert.\r\n"_s;
    QVERIFY2(prompt.startsWith(firstLine), qPrintable(prompt));
    QVERIFY2(prompt.size() > firstLine.size(), "the system's reason is missing");
    QCOMPARE(form.lblFichier()->text(), promptAtStartText);
    QVERIFY(form.txtFichier()->Text().isEmpty());
    QVERIFY(form.mnuItemOuvrir()->isEnabled());
    QVERIFY(!form.mnuItemFermer()->isEnabled());
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
}

void HostileFilesTest::readableFileGivesItsWordList_data()
{
    const QString executable = QStandardPaths::findExecutable(u"true"_s);
    QVERIFY2(!executable.isEmpty(), "an executable to read: true, from coreutils");

    // A file of the system's that announces no size: read where it is.
    QTest::addColumn<QString>("systemFile");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text"); // as the pane shows it
    const auto windows1252 = [](const char *name, const QByteArray &bytes) {
        QTest::newRow(name) << QString() << bytes << decodeWindows1252(bytes);
    };
    windows1252("robustness: empty file", QByteArray());
    windows1252("robustness: an executable", contentOf(executable));
    windows1252("robustness: NUL bytes only", QByteArray(nulFileSize, '\0'));
    windows1252("robustness: invalid UTF-8",
                QByteArray("caf\xC3\xA9 cr\xE8me br\xFBl\xE9" "e \xC3\x28 \xF0\x28\x8C\x28 \xED\xA0\x80 fin\xC3"));
    windows1252("robustness: separators only", separators());
    windows1252("robustness: 10 MB on one line", oneLongLine());
    const QString accents = u"L'ÉTÉ, l'été\r\nœuvre à Noël"_s;
    QTest::newRow("robustness: UTF-16 LE with its mark")
        << QString() << utf16(accents, QStringConverter::Utf16LE) << accents;
    QTest::newRow("robustness: UTF-16 BE with its mark")
        << QString() << utf16(accents, QStringConverter::Utf16BE) << accents;
    QTest::newRow("robustness: decomposed accents")
        << QString() << u"L'E\u0301TE\u0301, l'e\u0301te\u0301\r\nœuvre a\u0300 Noe\u0308l"_s.toUtf8() << accents;
    if (QFile::exists(u"/proc/version"_s)) {
        QTest::newRow("robustness: a file that announces no size")
            << u"/proc/version"_s << QByteArray() << decodeWindows1252(contentOf(u"/proc/version"_s));
    }
}

void HostileFilesTest::readableFileGivesItsWordList()
{
    QFETCH(QString, systemFile);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const QString path = systemFile.isEmpty() ? writeFile(u"hostile.txt"_s, bytes) : systemFile;
    if (!systemFile.isEmpty())
        bytes = contentOf(path);
    const FormCounts expected = countFormsPlainly(text);

    m_scripted->dialogs.setNextFileName(path);
    m_form->mnuItemOuvrir()->trigger();

    QVERIFY(m_scripted->messages.requests().empty());
    QCOMPARE(m_form->lblFichier()->text(), path);
    QCOMPARE(m_form->txtFichier()->Text().size(), text.size());
    QVERIFY(m_form->txtFichier()->Text() == text);

    const ListSeen seen = openWordList(*m_form);
    QCOMPARE(seen.total, QString::number(totalOf(expected)));
    QCOMPARE(seen.different, QString::number(expected.size()));
    QVERIFY(seen.rows == expected);

    m_form->mnuItemFermer()->trigger();
    QVERIFY(m_form->mnuItemOuvrir()->isEnabled());
    QVERIFY(contentOf(path) == bytes);
}

void HostileFilesTest::fileGoneAfterTheDialogIsReported()
{
    const QString path = writeFile(u"bientot-parti.txt"_s, "un texte qui s'en va");
    VanishingChoice dialogs(path);
    ScriptedServices scripted;
    WindowServices services = scripted.services();
    Form1 form(WindowServices{services.messages, dialogs, services.printing, services.busyPointer,
                              services.showAbout});

    form.mnuItemOuvrir()->trigger();

    expectStartStateAfterAMessage(form, scripted, path);
}

void HostileFilesTest::fileThatIsNotRegularIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("robustness: a folder") << u"dossier"_s;
    QTest::newRow("robustness: a FIFO no program writes to") << u"tube"_s;
    QTest::newRow("robustness: a device") << u"/dev/zero"_s;
}

// Refused at once, never waited on or read without end; the window stays usable.
void HostileFilesTest::fileThatIsNotRegularIsReported()
{
    QFETCH(QString, kind);
    QString path = QDir(m_folder->path()).filePath(kind);
    if (kind == u"dossier")
        QVERIFY(QDir().mkdir(path));
    else if (kind == u"tube")
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        path = kind;

    m_scripted->dialogs.setNextFileName(path);
    m_form->mnuItemOuvrir()->trigger();

    expectStartStateAfterAMessage(*m_form, *m_scripted, path);
    const QString next = writeFile(u"ensuite.txt"_s, "ensuite");
    m_scripted->dialogs.setNextFileName(next);
    m_form->mnuItemOuvrir()->trigger();
    QCOMPARE(m_form->lblFichier()->text(), next);
}

// Open or list in an address space that allows what a short text needs,
// plus some times the file's size: enough to start, not to finish. The
// program reports it and is as it was before the command.
void HostileFilesTest::memoryRunningOutIsReported_data()
{
    QTest::addColumn<bool>("list");
    QTest::addColumn<double>("room"); // times the file's size
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("textShown");
    QTest::newRow("robustness: opening a text too large for the memory left")
        << false << 2.0 << u"Fichier trop volumineux"_s << false;
    QTest::newRow("robustness: listing a text too large for the memory left")
        << true << 6.0 << u"Texte trop volumineux: La liste du lexalon ne peut pas être établie :"_s << true;
}

void HostileFilesTest::memoryRunningOutIsReported()
{
#ifdef LEXALON_ADDRESS_SANITIZER
    QSKIP("AddressSanitizer needs more address space than any limit leaves");
#endif
    QFETCH(bool, list);
    QFETCH(double, room);
    QFETCH(QString, message);
    QFETCH(bool, textShown);
    const QStringList program{QCoreApplication::applicationFilePath()};
    const auto environment = [list](const QString &path) {
        QStringList variables{QString::fromLatin1(limitedOpen) + u'=' + path};
        if (list)
            variables.append(QString::fromLatin1(limitedList) + u"=1"_s);
        return variables;
    };
    const ChildOutcome small = runWithAddressLimit(program, RLIM_INFINITY,
                                                   environment(writeFile(u"court.txt"_s, "Le chat.")));
    const auto start = rlim_t(QString::fromUtf8(small.out).split(u'\n').value(2).toLongLong());
    QVERIFY(start > 0);
    const QByteArray bytes(4 << 20, 'a');
    const QString path = writeFile(u"mot.txt"_s, bytes);

    const ChildOutcome outcome =
        runWithAddressLimit(program, start + rlim_t(room * double(bytes.size())), environment(path));

    QVERIFY2(outcome.exited && outcome.status == 0, (outcome.out + outcome.err).constData());
    const QStringList shown = QString::fromUtf8(outcome.out).split(u'\n');
    QVERIFY2(shown.size() == 5, outcome.out.constData());
    QVERIFY2(shown[0].startsWith(message), qPrintable(shown[0]));
    QCOMPARE(shown[1], textShown ? path : promptAtStartText);
    QCOMPARE(shown[2], QString::number(textShown ? bytes.size() : 0));
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet(limitedOpen))
        return openAndListInTheLimit(argc, argv);
    // What QTEST_MAIN does.
    QApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    HostileFilesTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "hostilefiles_test.moc"
