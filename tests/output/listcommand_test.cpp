#include "support/testfiles.h"
#include "output/listcommand.h"

#include "../support/qt_printers.h"
#include "support/limitedchild.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

TEST_F(ListCommandTest, FrequencyOptionGivesDecreasingCounts)
{
    const CommandRun result = run({u"--frequences"_s, m_text});

    EXPECT_EQ(result.status, listSucceeded);
    EXPECT_EQ(result.out, frequencyList);
}

TEST_F(ListCommandTest, Utf8TextGivesTheSameList)
{
    const QString utf8 = write(u"texte-utf8.txt"_s, u"Le chat, le CHAT et l'été.\r\nL'ÉTÉ !\r\n"_s.toUtf8());

    EXPECT_EQ(run({utf8}).out, alphabeticalList);
}

TEST_F(ListCommandTest, OutputOptionWritesTheFileAndNothingElse)
{
    const QString output = m_dir.filePath(u"liste.txt"_s);

    const CommandRun result = run({m_text, u"--frequences"_s, u"-o"_s, output});

    EXPECT_EQ(result.status, listSucceeded);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(contentOf(output), frequencyList);
}

TEST_F(ListCommandTest, HelpExplainsTheCommandInFrench)
{
    const CommandRun result = run({u"--help"_s});

    EXPECT_EQ(result.status, listSucceeded);
    const QString help = QString::fromLocal8Bit(result.out);
    EXPECT_TRUE(help.startsWith(u"Usage : lexalon-liste"_s));
    EXPECT_TRUE(help.contains(u"--frequences"_s));
    EXPECT_TRUE(help.contains(u"-o SORTIE"_s));
    EXPECT_TRUE(help.contains(u"Statut de sortie"_s));
    EXPECT_TRUE(result.err.isEmpty());
}

TEST_F(ListCommandTest, MissingTextIsReportedAndNothingIsWritten)
{
    const QString missing = m_dir.filePath(u"absent.txt"_s);
    const QString output = m_dir.filePath(u"liste.txt"_s);
    QFile probe(missing);
    ASSERT_FALSE(probe.open(QIODevice::ReadOnly));

    const CommandRun result = run({missing, u"-o"_s, output});

    EXPECT_EQ(result.status, listFailed);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains(missing));
    EXPECT_TRUE(result.err.contains(probe.errorString()));
    EXPECT_TRUE(result.err.contains(u"impossible d'ouvrir"_s));
    EXPECT_FALSE(QFileInfo::exists(output));
}

TEST_F(ListCommandTest, FolderGivenAsTextIsReported)
{
    const CommandRun result = run({m_dir.path()});

    EXPECT_EQ(result.status, listFailed);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains(m_dir.path()));
}

TEST_F(ListCommandTest, UnwritableOutputIsReported)
{
    const QString output = m_dir.filePath(u"absent/liste.txt"_s);

    const CommandRun result = run({m_text, u"-o"_s, output});

    EXPECT_EQ(result.status, listFailed);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.contains(output));
}

TEST_F(ListCommandTest, BadUsageShowsTheUsageLine)
{
    const QList<QStringList> usages = {
        {},
        {u"--frequences"_s},
        {m_text, m_text},
        {u"--inconnue"_s, m_text},
        {m_text, u"-o"_s},
    };
    for (const QStringList &arguments : usages) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const CommandRun result = run(arguments);
        EXPECT_EQ(result.status, listFailed);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(u"Usage : lexalon-liste"_s));
    }
}

TEST_F(ListCommandTest, DoubleDashEndsTheOptions)
{
    const CommandRun result = run({u"--"_s, u"--frequences"_s});

    EXPECT_EQ(result.status, listFailed);
    EXPECT_TRUE(result.err.contains(u"impossible d'ouvrir « --frequences »"_s));
}

// Memory running out once the text is read: a French message and status 2,
// never an abort. The address space allows what listing a short text needs,
// plus some times the file's size: enough to read the text, not to list it.
TEST_F(ListCommandTest, RunningOutOfMemoryIsReportedAndNothingIsWritten)
{
#ifdef LEXALON_ADDRESS_SANITIZER
    GTEST_SKIP() << "AddressSanitizer needs more address space than any limit leaves";
#endif
    const QString liste = QStringLiteral(LEXALON_LISTE_PATH);
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
        double room; // times the file's size
    } texts[] = {
        {u"mot.txt"_s, QByteArray(4 << 20, 'a'), 6.5},
        {u"formes.txt"_s, forms, 4},
    };
    for (const auto &[name, bytes, room] : texts) {
        SCOPED_TRACE(name.toStdString());
        const QString path = write(name, bytes);
        const auto limit = start + rlim_t(room * double(bytes.size()));
        const lexalon::testing::ChildOutcome outcome = lexalon::testing::runWithAddressLimit({liste, path}, limit);
        EXPECT_TRUE(outcome.exited);
        EXPECT_EQ(outcome.status, listFailed);
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_EQ(QString::fromLocal8Bit(outcome.err),
                  u"lexalon-liste : mémoire insuffisante : la liste de « %1 » ne peut pas être établie.\n"_s.arg(path));
    }
}
