#include "support/testfiles.h"
#include "output/listcommand.h"

#include "../support/qt_printers.h"
#include "support/limitedchild.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

const QByteArray alphabeticalList("Formes\tNombre d'attestations\r\n"
                                  "chat\t2\r\n"
                                  "et\t1\r\n"
                                  "\xE9t\xE9\t2\r\n"
                                  "l\t2\r\n"
                                  "le\t2\r\n");
// Equal counts keep their alphabetical order.
const QByteArray frequencyList("Formes\tNombre d'attestations\r\n"
                               "chat\t2\r\n"
                               "\xE9t\xE9\t2\r\n"
                               "l\t2\r\n"
                               "le\t2\r\n"
                               "et\t1\r\n");

struct CommandRun
{
    int status = -1;
    QByteArray out;
    QString err;
};

class ListCommandTest : public ::testing::Test
{
protected:
    ListCommandTest()
    {
        m_text = write(u"texte.txt"_s, "Le chat, le CHAT et l'\xE9t\xE9.\r\nL'\xC9T\xC9 !\r\n");
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(lexalon::testing::writeBytes(path, bytes));
        return path;
    }

    static CommandRun run(const QStringList &arguments)
    {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        CommandRun result;
        result.status = runListCommand(arguments, out, err);
        result.out = out.data();
        result.err = QString::fromLocal8Bit(err.data());
        return result;
    }

    QTemporaryDir m_dir;
    QString m_text;
};

} // namespace

TEST_F(ListCommandTest, WritesTheAlphabeticalListAsSavingDoes)
{
    const CommandRun result = run({m_text});

    EXPECT_EQ(result.status, listSucceeded);
    EXPECT_EQ(result.out, alphabeticalList);
    EXPECT_TRUE(result.err.isEmpty());
}

TEST_F(ListCommandTest, OutputOptionWritesTheFileAndNothingElse)
{
    const QString output = m_dir.filePath(u"liste.txt"_s);

    const CommandRun result = run({m_text, u"--frequences"_s, u"-o"_s, output});

    EXPECT_EQ(result.status, listSucceeded);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(lexalon::testing::contentOf(output), frequencyList);
}

// The executable itself on inputs no one means to give it, through a shell so
// that names reach it as raw bytes. Each row: the shell lines run in a folder
// holding texte.txt (the text above), with $L the program; the status, a part
// of the message (none when empty) and what must hold afterwards.
struct HostileRun
{
    const char *name;
    const char *script;
    int status;
    QString message;
    std::function<bool(const QDir &)> afterwards = [](const QDir &) { return true; };
};

bool isKind(const QString &path, mode_t kind)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && (status.st_mode & S_IFMT) == kind;
}

const QByteArray text("Le chat, le CHAT et l'\xE9t\xE9.\r\nL'\xC9T\xC9 !\r\n");

const HostileRun hostileRuns[] = {
    {"missing text", R"sh("$L" absent.txt -o liste.txt)sh", listFailed,
     u"impossible d'ouvrir « absent.txt » : Aucun fichier ou dossier"_s,
     [](const QDir &d) { return !d.exists(u"liste.txt"_s); }},
    {"folder as text", R"sh(mkdir d; "$L" d)sh", listFailed, u"« d »"_s},
    {"output in a missing folder", R"sh("$L" texte.txt -o absent/liste.txt)sh", listFailed,
     u"impossible d'écrire « absent/liste.txt » : Aucun fichier ou dossier"_s},
    {"output onto the text", R"sh("$L" -o texte.txt texte.txt)sh", listFailed,
     u"« texte.txt » est le texte lu"_s,
     [](const QDir &d) { return lexalon::testing::contentOf(d.filePath(u"texte.txt"_s)) == text; }},
    {"output onto a link to the text", R"sh(ln -s texte.txt lien; "$L" -o lien texte.txt)sh", listFailed,
     u"« lien » est le texte lu"_s,
     [](const QDir &d) { return lexalon::testing::contentOf(d.filePath(u"texte.txt"_s)) == text; }},
    {"output onto a FIFO without a reader", R"sh(mkfifo tube; "$L" -o tube texte.txt)sh", listFailed,
     u"Aucun programme ne lit ce tube nommé (FIFO)."_s,
     [](const QDir &d) { return isKind(d.filePath(u"tube"_s), S_IFIFO); }},
    {"output onto a FIFO with a reader",
     R"sh(mkfifo tube; exec 3<>tube; "$L" -o tube texte.txt && dd iflag=nonblock bs=64k count=1 <&3 >recu 2>/dev/null; exit 0)sh",
     listSucceeded, QString(),
     [](const QDir &d) {
         return isKind(d.filePath(u"tube"_s), S_IFIFO) && lexalon::testing::contentOf(d.filePath(u"recu"_s)) == alphabeticalList;
     }},
    {"output onto a folder", R"sh(mkdir d; "$L" -o d texte.txt)sh", listFailed, u"c'est un dossier."_s,
     [](const QDir &d) { return isKind(d.filePath(u"d"_s), S_IFDIR); }},
    {"output onto a socket", R"sh(python3 -c 'import socket; socket.socket(socket.AF_UNIX).bind("prise")'; "$L" -o prise texte.txt)sh",
     listFailed, u"c'est un socket."_s, [](const QDir &d) { return isKind(d.filePath(u"prise"_s), S_IFSOCK); }},
    {"output onto /dev/null", R"sh("$L" -o /dev/null texte.txt)sh", listSucceeded, QString(),
     [](const QDir &) { return isKind(u"/dev/null"_s, S_IFCHR); }},
    {"output onto /dev/full", R"sh("$L" -o /dev/full texte.txt)sh", listFailed,
     u"impossible d'écrire « /dev/full » : Aucun espace disponible sur le disque"_s,
     [](const QDir &) { return isKind(u"/dev/full"_s, S_IFCHR); }},
    {"names that are not UTF-8",
     R"sh(n=$(printf 'lat\351in'); cp texte.txt "$n.txt" && "$L" -o "$n-liste.txt" "$n.txt" && cp "$n-liste.txt" copie)sh",
     listSucceeded, QString(),
     [](const QDir &d) { return lexalon::testing::contentOf(d.filePath(u"copie"_s)) == alphabeticalList; }},
    {"missing name that is not UTF-8", R"sh("$L" "$(printf 'lat\351in.txt')")sh", listFailed,
     u"lat\uFFFDin.txt"_s},
    {"version", R"sh("$L" --version)sh", listSucceeded, QString()},
    {"empty output name", R"sh("$L" -o '' texte.txt)sh", listFailed, u"Usage : lexalon-liste"_s},
    {"second output", R"sh("$L" -o a.txt -o b.txt texte.txt)sh", listFailed, u"qu'une fois"_s,
     [](const QDir &d) { return !d.exists(u"a.txt"_s) && !d.exists(u"b.txt"_s); }},
    {"no text", R"sh("$L" --frequences)sh", listFailed, u"Usage : lexalon-liste"_s},
    {"two texts", R"sh("$L" texte.txt texte.txt)sh", listFailed, u"Usage : lexalon-liste"_s},
    {"unknown option", R"sh("$L" --inconnue texte.txt)sh", listFailed, u"option inconnue"_s},
    {"-o without a name", R"sh("$L" texte.txt -o)sh", listFailed, u"Usage : lexalon-liste"_s},
    {"double dash ends the options", R"sh("$L" -- --frequences)sh", listFailed,
     u"impossible d'ouvrir « --frequences »"_s},
};

TEST(ListExecutableTest, HostileInputsGiveAClearOutcome)
{
    for (const HostileRun &run : hostileRuns) {
        SCOPED_TRACE(run.name);
        QTemporaryDir folder;
        const QDir dir(folder.path());
        ASSERT_TRUE(lexalon::testing::writeBytes(dir.filePath(u"texte.txt"_s), text));
        QProcess shell;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"L"_s, QString::fromUtf8(LEXALON_LISTE));
        shell.setProcessEnvironment(environment);
        shell.setWorkingDirectory(folder.path());
        shell.start(u"sh"_s, {u"-c"_s, QString::fromUtf8(run.script)});
        ASSERT_TRUE(shell.waitForFinished(30'000)) << "the command hangs";
        const QString err = QString::fromUtf8(shell.readAllStandardError());

        EXPECT_EQ(shell.exitCode(), run.status) << err.toStdString();
        if (run.message.isEmpty())
            EXPECT_TRUE(err.isEmpty()) << err.toStdString();
        else
            EXPECT_TRUE(err.contains(run.message)) << err.toStdString();
        EXPECT_TRUE(run.afterwards(dir));
    }
}

// Memory running out at any step: a French message, status 2 and nothing
// written, never an abort. The address space allows what listing a short
// text needs, plus a growing share of the file's size, from too little to
// read it to enough to list it; on the way some limit lets the text be read
// but not listed.
TEST_F(ListCommandTest, RunningOutOfMemoryIsReportedAndNothingIsWritten)
{
#ifdef LEXALON_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer needs more address space than any limit leaves";
#endif
    const QString liste = QStringLiteral(LEXALON_LISTE);
    const rlim_t start = lexalon::testing::smallestAddressSpace({liste, m_text});
    QByteArray forms; // each number in letters, digit by digit
    for (int i = 0; i < 400'000; ++i) {
        for (int n = i;; n /= 26) {
            forms += char('a' + n % 26);
            if (n < 26)
                break;
        }
        forms += ' ';
    }
    const struct
    {
        QString name;
        QByteArray bytes;
    } texts[] = {{u"mot.txt"_s, QByteArray(4 << 20, 'a')}, {u"formes.txt"_s, forms}};
    for (const auto &[name, bytes] : texts) {
        SCOPED_TRACE(name.toStdString());
        const QString path = write(name, bytes);
        const QString notRead = u"lexalon-liste : mémoire insuffisante : le texte « %1 » ne peut pas être lu.\n"_s.arg(path);
        const QString notListed =
            u"lexalon-liste : mémoire insuffisante : la liste de « %1 » ne peut pas être établie.\n"_s.arg(path);
        bool listFailedAfterTheRead = false;
        bool listed = false;
        for (double room = 0.25; room < 64 && !listed; room *= 1.25) {
            const auto limit = start + rlim_t(room * double(bytes.size()));
            const lexalon::testing::ChildOutcome outcome = lexalon::testing::runWithAddressLimit({liste, path}, limit);
            SCOPED_TRACE(room);
            ASSERT_TRUE(outcome.exited);
            const QString err = QString::fromLocal8Bit(outcome.err);
            listed = outcome.status == listSucceeded;
            if (listed)
                continue;
            EXPECT_EQ(outcome.status, listFailed);
            EXPECT_TRUE(outcome.out.isEmpty());
            EXPECT_TRUE(err == notRead || err == notListed) << err.toStdString();
            listFailedAfterTheRead = listFailedAfterTheRead || err == notListed;
        }
        EXPECT_TRUE(listed) << "64 times the file's size is enough to list it";
        EXPECT_TRUE(listFailedAfterTheRead);
    }
}
