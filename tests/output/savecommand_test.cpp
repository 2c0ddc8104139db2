#include "support/testfiles.h"
#include "output/savecommand.h"

#include "output/wordlistfile.h"
#include "tests/support/scripteddialogs.h"
#include "tests/output/pointerawaremessagebox.h"
#include "tests/output/wordlists.h"
#include "tests/support/qt_printers.h"
#include "tests/support/restrictedstorage.h"
#include "wordforms/wordgrid.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <unistd.h>

#include <cerrno>

#include <optional>
#include <ostream>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

using testing::PointerAwareMessageBox;
using testing::wordList;
using testing::contentOf;
using testing::writeBytes;

using History = std::vector<MousePointer>;
const History busyThenDefault{MousePointer::Hourglass, MousePointer::Default};

class SaveWordListTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString pathOf(const QString &name) const { return dir.filePath(name); }

    void save(WordGrid &grid, const QString &chosenName)
    {
        dialogs.setNextFileName(chosenName);
        saveWordList(grid, dialogs, messages, pointer);
    }

    const std::vector<MessageRequest> &requests() const { return messages.requests(); }

    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    RecordingBusyPointer pointer;
    PointerAwareMessageBox messages{pointer};
};

void expectCompletionMessage(const MessageRequest &request)
{
    EXPECT_EQ(request.prompt, u"L'enregistrement est terminé."_s);
    EXPECT_EQ(request.buttons, MessageButtons::Ok);
    EXPECT_EQ(request.icon, MessageIcon::None);
    EXPECT_TRUE(request.title.isEmpty()) << "the program's own title, Lexalon";
}

// The bytes themselves are the writer's; see wordlistfile_test.cpp.
TEST_F(SaveWordListTest, WritesTheListAndLeavesTheCursorOnTheLastRow)
{
    WordGrid grid = wordList({{u"alors"_s, u"12"_s}, {u"bien"_s, u"3"_s}, {u"ça"_s, u"1"_s}});
    const QString path = pathOf(u"liste.txt"_s);
    save(grid, path);

    EXPECT_EQ(contentOf(path), wordListBytes(grid));
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, ScriptedFileDialogs::Kind::Save);
    ASSERT_EQ(requests().size(), 1u);
    expectCompletionMessage(requests()[0]);
    EXPECT_EQ(pointer.history(), busyThenDefault);
    EXPECT_EQ(messages.pointerAtShow(), std::vector{MousePointer::Default});
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 1);
}

TEST_F(SaveWordListTest, YesToTheOverwriteQuestionReplacesTheFile)
{
    const QString path = pathOf(u"deux fois.TXT"_s);
    ASSERT_TRUE(writeBytes(path, "une version plus ancienne et bien plus longue\r\n"));
    WordGrid grid = wordList({{u"neuf"_s, u"4"_s}});

    messages.box().setNextAnswer(MessageAnswer::Yes);
    save(grid, path);

    EXPECT_EQ(contentOf(path), wordListBytes(grid));
    EXPECT_EQ(pointer.history(), busyThenDefault);
    ASSERT_EQ(requests().size(), 2u);
    const MessageRequest &question = requests()[0];
    EXPECT_EQ(question.prompt, path + u" existe.\r\nDésirez-vous l'écraser?"_s);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MessageAnswer::Yes);
    EXPECT_EQ(question.icon, MessageIcon::None);
    EXPECT_EQ(question.title, u"Fichier existant"_s);
    expectCompletionMessage(requests()[1]);
}

TEST_F(SaveWordListTest, NoLeavesTheFileAndEndsSilently)
{
    const QString path = pathOf(u"liste.txt"_s);
    const QByteArray before("le premier enregistrement\r\n");
    ASSERT_TRUE(writeBytes(path, before));
    WordGrid grid = wordList({{u"neuf"_s, u"4"_s}, {u"vieux"_s, u"2"_s}});
    grid.setRow(1);
    grid.setCol(0);

    messages.box().setNextAnswer(MessageAnswer::No);
    save(grid, path);

    EXPECT_EQ(contentOf(path), before);
    EXPECT_EQ(requests().size(), 1u) << "the question alone";
    EXPECT_TRUE(pointer.history().empty());
    EXPECT_EQ(grid.Row(), 1) << "no row was read";
    EXPECT_EQ(grid.Col(), 0);
}

TEST_F(SaveWordListTest, CancelOnAFreshDialogDoesNothing)
{
    WordGrid grid = wordList({{u"mot"_s, u"1"_s}});
    grid.setRow(1);
    grid.setCol(0);

    saveWordList(grid, dialogs, messages, pointer);

    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(pointer.history().empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 0);
}

TEST_F(SaveWordListTest, AFolderIsNotAFileToReplace)
{
    const QString folder = pathOf(u"dossier.txt"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(writeBytes(folder + u"/dedans.txt"_s, "garder"));
    WordGrid grid = wordList({{u"mot"_s, u"1"_s}});

    save(grid, folder);

    ASSERT_EQ(requests().size(), 1u) << "no overwrite question, only the failure";
    EXPECT_NE(requests()[0].title, u"Fichier existant"_s);
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(contentOf(folder + u"/dedans.txt"_s), QByteArray("garder"));
}

// A failed save names the file and the reason, shows no completion message,
// restores the pointer and leaves nothing behind.
// What stands at the path before the save; it is never replaced.
enum class Existing { Nothing, Folder, FifoWithoutReader };

struct FailureCase
{
    const char *name;
    QString relativePath;
    Existing existing = Existing::Nothing;
};

void PrintTo(const FailureCase &failure, std::ostream *out)
{
    *out << failure.name;
}

class SaveFailureTest : public SaveWordListTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(SaveFailureTest, IsReportedAndLeavesNothing)
{
    const QString path = pathOf(GetParam().relativePath);
    if (GetParam().existing == Existing::Folder) {
        ASSERT_TRUE(QDir().mkpath(path));
    }
    if (GetParam().existing == Existing::FifoWithoutReader) {
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    WordGrid grid = wordList({{u"mot"_s, u"1"_s}});

    save(grid, path);

    ASSERT_EQ(requests().size(), 1u);
    const MessageRequest &failure = requests()[0];
    EXPECT_TRUE(failure.prompt.startsWith(u"Le fichier "_s + path + u" n'a pas pu être enregistré.\r\n"_s))
        << failure.prompt.toStdString();
    const QString reason = failure.prompt.section(u"\r\n"_s, 1);
    EXPECT_FALSE(reason.trimmed().isEmpty()) << "the system's reason";
    EXPECT_EQ(failure.buttons, MessageButtons::Ok);
    EXPECT_EQ(failure.icon, MessageIcon::Critical);
    EXPECT_EQ(pointer.history(), busyThenDefault);
    EXPECT_EQ(messages.pointerAtShow(), std::vector{MousePointer::Default});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 1);
    if (GetParam().existing != Existing::Nothing) {
        EXPECT_FALSE(QFileInfo(path).isFile()) << "replaced by a file";
    }
}

constexpr int tooLongForAName = 300;

INSTANTIATE_TEST_SUITE_P(
    Failures, SaveFailureTest,
    ::testing::Values(FailureCase{"folder_does_not_exist", u"absent/liste.txt"_s},
                      FailureCase{"path_is_a_folder", u"dossier"_s, Existing::Folder},
                      FailureCase{"fifo_without_reader", u"tube"_s, Existing::FifoWithoutReader},
                      FailureCase{"name_holds_a_nul", u"liste"_s + QChar(u'\0') + u".txt"_s},
                      FailureCase{"name_too_long", QString(tooLongForAName, u'n')}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return std::string(info.param.name); });

// A folder that takes no new file: by its permissions, or for root, who
// ignores them, by a file system mounted read-only.
class ReadOnlyFolderTest : public SaveWordListTest
{
protected:
    void SetUp() override
    {
        SaveWordListTest::SetUp();
        folder = pathOf(u"lecture-seule"_s);
        ASSERT_TRUE(QDir().mkdir(folder));
        if (geteuid() == 0) {
            disk.emplace(folder, scratchDiskBytes);
            if (!disk->mounted())
                GTEST_SKIP() << "permissions do not stop root, and "
                             << disk->failure().toStdString();
        }
    }

    void TearDown() override
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        disk.reset();
    }

    QString inFolder(const QString &name) const { return QDir(folder).filePath(name); }

    void makeReadOnly()
    {
        if (disk)
            ASSERT_TRUE(disk->makeReadOnly());
        else
            ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    }

    static constexpr qint64 scratchDiskBytes = 64 * 1024;
    QString folder;
    std::optional<testing::ScratchDisk> disk;
};

TEST_F(ReadOnlyFolderTest, ExistingFileIsKeptWhenTheFolderCannotBeWritten)
{
    const QString path = inFolder(u"liste.txt"_s);
    const QByteArray before("le premier enregistrement\r\n");
    ASSERT_TRUE(writeBytes(path, before));
    makeReadOnly();
    WordGrid grid = wordList({{u"mot"_s, u"1"_s}});

    messages.box().setNextAnswer(MessageAnswer::Yes);
    save(grid, path);

    EXPECT_EQ(contentOf(path), before);
    ASSERT_EQ(requests().size(), 2u) << "the question, then the failure";
    EXPECT_EQ(requests()[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(requests()[1].prompt.contains(path));
    EXPECT_EQ(pointer.history(), busyThenDefault);
}

// A disk with no room left, made of a small file system mounted for the
// test: a list larger than the disk, written at once, and one small enough
// to wait in a write buffer, whose failure would come only when the file is
// closed.
struct FullDiskCase
{
    const char *name;
    int rows;
};

void PrintTo(const FullDiskCase &full, std::ostream *out)
{
    *out << full.name;
}

class FullDiskTest : public SaveWordListTest, public ::testing::WithParamInterface<FullDiskCase>
{
protected:
    void SetUp() override
    {
        SaveWordListTest::SetUp();
        folder = pathOf(u"plein"_s);
        ASSERT_TRUE(QDir().mkdir(folder));
        disk.emplace(folder, diskBytes);
        if (!disk->mounted())
            GTEST_SKIP() << "a full disk is a small file system mounted by the test, and "
                         << disk->failure().toStdString();
    }

    void TearDown() override { disk.reset(); }

    static constexpr qint64 diskBytes = 8 * 1024;
    QString folder;
    std::optional<testing::ScratchDisk> disk;
};

TEST_P(FullDiskTest, ListThatDoesNotFitIsReportedAndTheOldOneKept)
{
    const QString path = QDir(folder).filePath(u"liste.txt"_s);
    const QByteArray before("le premier enregistrement\r\n");
    ASSERT_TRUE(writeBytes(path, before));
    WordGrid grid = testing::numberedWordList(GetParam().rows);
    ASSERT_GT(wordListBytes(grid).size(), diskBytes);

    messages.box().setNextAnswer(MessageAnswer::Yes);
    save(grid, path);

    EXPECT_EQ(contentOf(path), before);
    ASSERT_EQ(requests().size(), 2u) << "the question, then the failure";
    const MessageRequest &failure = requests()[1];
    EXPECT_EQ(failure.prompt, u"Le fichier "_s + path + u" n'a pas pu être enregistré.\r\n"_s
                                  + qt_error_string(ENOSPC));
    EXPECT_EQ(failure.icon, MessageIcon::Critical);
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"liste.txt"_s})
        << "no piece of the new list is left behind";
    EXPECT_EQ(pointer.history(), busyThenDefault);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FullDiskTest,
    ::testing::Values(FullDiskCase{"beyond_the_write_buffer", 10'000}, // about 150 KB
                      FullDiskCase{"within_the_write_buffer", 1'000}), // about 14 KB
    [](const ::testing::TestParamInfo<FullDiskCase> &info) { return std::string(info.param.name); });

// A file that may not be replaced: read-only by its permissions, or for
// root, by its immutable attribute.
TEST_F(SaveWordListTest, ReadOnlyFileIsNotReplaced)
{
    const QString path = pathOf(u"protege.txt"_s);
    const QByteArray before("le premier enregistrement\r\n");
    ASSERT_TRUE(writeBytes(path, before));
    std::optional<testing::ImmutableFile> immutable;
    if (geteuid() == 0) {
        immutable.emplace(path);
        if (!immutable->isSet())
            GTEST_SKIP() << "permissions do not stop root, and " << immutable->failure().toStdString();
    } else {
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    }
    WordGrid grid = wordList({{u"neuf"_s, u"4"_s}});

    messages.box().setNextAnswer(MessageAnswer::Yes);
    save(grid, path);

    EXPECT_EQ(contentOf(path), before);
    ASSERT_EQ(requests().size(), 2u) << "the question, then the failure";
    EXPECT_EQ(requests()[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(requests()[1].prompt.contains(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"protege.txt"_s});
}

} // namespace
} // namespace lexalon
