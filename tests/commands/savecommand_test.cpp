// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/savecommand.h"

#include "platform/files/systemerror.h"
#include "tests/support/commandlog.h"
#include "tests/support/obstacles.h"
#include "tests/support/qt_printers.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/wordlists.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <ostream>
#include <set>
#include <vector>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

using testing::Event;
using testing::fields;
using testing::Obstacle;
using enum Event;

// The name chosen in the folder "d" (empty: the dialog is cancelled) and what
// the user sees; the failure gives its reason when it is known.
// A name without an extension is saved under savedName; a failure whose
// cause the system tells gives the French reason of that error number.
struct SaveCase
{
    const char *name;
    Obstacle obstacle;
    QString chosenName;
    std::vector<Event> shown;
    MessageAnswer answer = MessageAnswer::Yes;
    int rows = 3;
    QString savedName = {};
    int reason = 0;
};

void PrintTo(const SaveCase &save, std::ostream *out) { *out << save.name; }

// The question to replace, the success, or the failure naming the file.
Event kindOf(const MessageRequest &m, const QString &path, const QString &reason)
{
    const QString failure = u"Le fichier "_s + path + u" n'a pas pu être enregistré.\r\n"_s;
    if (fields(m) == fields({path + u" existe.\r\nDésirez-vous l'écraser?"_s, MessageButtons::YesNo, MessageAnswer::Yes, MessageIcon::None, u"Fichier existant"_s}))
        return Question;
    if (fields(m) == fields({u"L'enregistrement est terminé."_s, {}, {}, {}, {}}))
        return Success;
    const bool failed = fields(m) == fields({m.prompt, {}, {}, MessageIcon::Critical, u"Erreur d'enregistrement"_s});
    return failed && m.prompt.startsWith(failure) && m.prompt.size() > failure.size() && (reason.isEmpty() || m.prompt == failure + reason) ? Failure : OtherMessage;
}

// Every name under the folder, a folder with "/", neither file nor folder with "|".
std::set<QString> entriesOf(const QString &folder)
{
    std::set<QString> entries;
    for (QDirIterator it(folder, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
        const QFileInfo info = it.nextFileInfo();
        entries.insert(info.filePath() + (info.isDir() ? u"/"_s : info.isFile() ? u""_s : u"|"_s));
    }
    return entries;
}

using SaveTest = ::testing::TestWithParam<SaveCase>;

TEST_P(SaveTest, ShowsTheOutcomeAndKeepsWhatItMayNotReplace)
{
    const SaveCase &save = GetParam();
    const QTemporaryDir dir;
    const testing::ObstacleSetup setup(dir.path(), save.obstacle, save.chosenName);
    if (!setup.skipReason.isEmpty())
        GTEST_SKIP() << setup.skipReason.toStdString();
    ASSERT_TRUE(setup.ok);
    const QString path = save.chosenName.isEmpty() ? QString() : setup.path;
    ScriptedFileDialogs dialogs;
    dialogs.setNextFileName(path);
    testing::CommandLog log;
    log.answer = save.answer;
    const QString reason = save.reason != 0 ? systemErrorReason(save.reason) : QString();
    log.kindOf = [&](const MessageRequest &m) { return kindOf(m, path, reason); };
    std::set<QString> entries = entriesOf(dir.path());

    const bool done = saveWordList(testing::numberedWordList(save.rows), dialogs, log, log);

    EXPECT_EQ(log.events, save.shown) << (log.messages.empty() ? QString() : log.messages.back().prompt).toStdString();
    EXPECT_EQ(done, std::ranges::count(log.events, Hourglass) != 0) << "true once the list was written or failed to be";
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls().at(0).kind, ScriptedFileDialogs::Kind::Save);
    if (!log.events.empty() && log.events.back() == Success)
        entries.insert(save.savedName.isEmpty() ? path : QFileInfo(path).dir().filePath(save.savedName));
    else if (QFileInfo(path).isFile()) {
        EXPECT_EQ(testing::contentOf(path), testing::oldContent);
    }
    EXPECT_EQ(entriesOf(dir.path()), entries) << "no other file made, nothing replaced, nothing left behind";
}

// A disk full at once by a large list, and one whose small list waits in a
// write buffer, so that its failure comes only when the file is closed.
INSTANTIATE_TEST_SUITE_P(Cases, SaveTest, ::testing::Values(
    SaveCase{"new_file", Obstacle::None, u"liste.txt"_s, {Hourglass, DefaultPointer, Success}},
    SaveCase{.name = "no_extension_gets_txt", .obstacle = Obstacle::None, .chosenName = u"liste"_s, .shown = {Hourglass, DefaultPointer, Success}, .savedName = u"liste.txt"_s},
    SaveCase{"other_extension_kept", Obstacle::None, u"liste.csv"_s, {Hourglass, DefaultPointer, Success}},
    SaveCase{"yes_replaces", Obstacle::OldFile, u"deux fois.TXT"_s, {Question, Hourglass, DefaultPointer, Success}},
    SaveCase{.name = "no_keeps", .obstacle = Obstacle::OldFile, .chosenName = u"liste.txt"_s, .shown = {Question}, .answer = MessageAnswer::No},
    SaveCase{"cancel", Obstacle::None, QString(), {}},
    SaveCase{"folder", Obstacle::Folder, u"liste.txt"_s, {Hourglass, DefaultPointer, Failure}},
    SaveCase{"fifo_without_reader", Obstacle::FifoWithoutReader, u"tube.fifo"_s, {Hourglass, DefaultPointer, Failure}},
    SaveCase{.name = "missing_folder", .obstacle = Obstacle::MissingFolder, .chosenName = u"liste.txt"_s, .shown = {Hourglass, DefaultPointer, Failure}, .reason = ENOENT},
    SaveCase{"nul_in_name", Obstacle::None, u"liste\0.txt"_s, {Hourglass, DefaultPointer, Failure}},
    SaveCase{.name = "name_too_long", .obstacle = Obstacle::None, .chosenName = QString(300, u'n') + u".txt"_s, .shown = {Hourglass, DefaultPointer, Failure}, .reason = ENAMETOOLONG},
    SaveCase{"read_only_file", Obstacle::ReadOnlyFile, u"protege.txt"_s, {Question, Hourglass, DefaultPointer, Failure}},
    SaveCase{.name = "read_only_folder", .obstacle = Obstacle::ReadOnlyFolder, .chosenName = u"liste.txt"_s,
             .shown = {Question, Hourglass, DefaultPointer, Failure}, .reason = geteuid() == 0 ? EROFS : EACCES},
    SaveCase{.name = "full_disk_beyond_the_buffer", .obstacle = Obstacle::FullDisk, .chosenName = u"liste.txt"_s, .shown = {Question, Hourglass, DefaultPointer, Failure}, .rows = 10'000, .reason = ENOSPC},
    SaveCase{.name = "full_disk_within_the_buffer", .obstacle = Obstacle::FullDisk, .chosenName = u"liste.txt"_s, .shown = {Question, Hourglass, DefaultPointer, Failure}, .rows = 1'000, .reason = ENOSPC}),
    [](const ::testing::TestParamInfo<SaveCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace lexalon
