// Files no one means to open, opened through the main window: each ends in a
// correct word list or a clear message, the file is left as it was and the
// window stays usable.

#include "support/testfiles.h"
#include "document/form1.h"
#include "document/textfile.h"
#include "document/textpane.h"
#include "platform/filedialogs.h"
#include "support/limitedchild.h"
#include "support/plainformcount.h"
#include "support/windowtesting.h"
#include "wordforms/frmliste01.h"
#include "wordforms/wordgridmodel.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <memory>
#include <optional>

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
    void printerSetup() override {}

private:
    QString m_path;
};

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Neither marked as UTF-8 nor valid UTF-8 beyond ASCII.
bool readsAsWindows1252(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return decoder.hasError() || text.size() == bytes.size();
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
    void fileGoneAfterTheDialogIsReported();
    void folderChosenAsAFileIsReported();
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
    if (!lexalon::testing::writeBytes(path, bytes))
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

    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("robustness: empty file") << QByteArray();
    QTest::newRow("robustness: an executable") << contentsOf(executable);
    QTest::newRow("robustness: NUL bytes only") << QByteArray(nulFileSize, '\0');
    QTest::newRow("robustness: invalid UTF-8")
        << QByteArray("caf\xC3\xA9 cr\xE8me br\xFBl\xE9" "e \xC3\x28 \xF0\x28\x8C\x28 \xED\xA0\x80 fin\xC3");
    QTest::newRow("robustness: separators only") << separators();
    QTest::newRow("robustness: 10 MB on one line") << oneLongLine();
}

void HostileFilesTest::readableFileGivesItsWordList()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(readsAsWindows1252(bytes));
    const QString path = writeFile(u"hostile.txt"_s, bytes);
    const QString text = decodeWindows1252(bytes);
    const FormCounts expected = countFormsPlainly(text);

    m_scripted->dialogs.setNextFileName(path);
    m_form->mnuItemOuvrir()->trigger();

    QVERIFY(m_scripted->messages.requests().empty());
    QCOMPARE(m_form->lblFichier()->text(), path);
    QCOMPARE(m_form->txtFichier()->Text().size(), bytes.size());
    QVERIFY(m_form->txtFichier()->Text() == text);

    const ListSeen seen = openWordList(*m_form);
    QCOMPARE(seen.total, QString::number(totalOf(expected)));
    QCOMPARE(seen.different, QString::number(expected.size()));
    QVERIFY(seen.rows == expected);

    m_form->mnuItemFermer()->trigger();
    QVERIFY(m_form->mnuItemOuvrir()->isEnabled());
    QVERIFY(contentsOf(path) == bytes);
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

void HostileFilesTest::folderChosenAsAFileIsReported()
{
    const QString folder = QDir(m_folder->path()).filePath(u"dossier.txt"_s);
    QVERIFY(QDir().mkdir(folder));
    writeFile(u"dossier.txt/dedans.txt"_s, "garder");

    m_scripted->dialogs.setNextFileName(folder);
    m_form->mnuItemOuvrir()->trigger();

    expectStartStateAfterAMessage(*m_form, *m_scripted, folder);
    QCOMPARE(contentsOf(folder + u"/dedans.txt"_s), QByteArray("garder"));
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
