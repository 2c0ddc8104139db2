// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/msinfoentries.h"
#include "shell/commandline.h"
#include "tests/support/scriptedsystem.h"
#ifndef Q_OS_WIN
#include "platform/system/registry_unix.h"
#endif

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

RegistryValue text(const std::string &bytes, bool withNul = true)
{
    return {RegSz, std::vector<std::uint8_t>(bytes.c_str(), bytes.c_str() + bytes.size() + withNul)};
}

const RegistryValue expandable{2, {'%', 'X', '%', 0}}; // REG_EXPAND_SZ
const RegistryValue empty{RegSz, {}};

std::optional<QString> readText(RawRegistry &registry, const char *key, const char *name)
{
    return readRegistryText(registry, RegistryRoot::LocalMachine, QString::fromLatin1(key), QString::fromLatin1(name));
}

// The toolkit sees what comes before "--" and takes its options out (here
// the first `taken`); the rest and all after "--" are files, named by the
// system's bytes. --corpus first opens them as a corpus.
TEST(ProgramCommandLine, DoubleDashEndsTheToolkitsOptions)
{
    const struct { std::vector<const char *> arguments; int taken; QStringList toolkit; QStringList files; bool corpus = false; } cases[] = {
        {{}, 0, {}, {}},
        {{"conte.txt", "autre.txt"}, 0, {u"conte.txt"_s, u"autre.txt"_s}, {u"conte.txt"_s, u"autre.txt"_s}},
        {{"-reverse", "conte.txt"}, 1, {u"-reverse"_s, u"conte.txt"_s}, {u"conte.txt"_s}},
        {{"--", "-reverse", "--"}, 0, {}, {u"-reverse"_s, u"--"_s}},
        {{"-style", "fusion", "a", "--", "-style"}, 2, {u"-style"_s, u"fusion"_s, u"a"_s}, {u"a"_s, u"-style"_s}},
        {{"--", "lat\xE9in.txt"}, 0, {}, {u"lat"_s + QChar(0xDCE9) + u"in.txt"_s}},
        {{"-reverse", "--corpus", "a", "--", "--corpus"}, 1, {u"-reverse"_s, u"--corpus"_s, u"a"_s}, {u"a"_s, u"--corpus"_s}, true},
        {{"a", "--corpus"}, 0, {u"a"_s, u"--corpus"_s}, {u"a"_s, u"--corpus"_s}},
        {{"--", "--corpus"}, 0, {}, {u"--corpus"_s}},
    };
    for (const auto &c : cases) {
        std::vector<char *> argv{const_cast<char *>("lexalon")};
        for (const char *argument : c.arguments)
            argv.push_back(const_cast<char *>(argument));
        ProgramCommandLine commandLine(int(argv.size()), argv.data());
        int &count = commandLine.toolkitCount();
        char **toolkit = commandLine.toolkitArguments();
        QStringList seen;
        for (int i = 1; i < count; ++i)
            seen.append(QString::fromUtf8(toolkit[i]));
        EXPECT_EQ(seen, c.toolkit);
        EXPECT_EQ(toolkit[count], nullptr);
        std::copy(toolkit + 1 + c.taken, toolkit + count + 1, toolkit + 1);
        count -= c.taken;
        EXPECT_EQ(commandLine.files(), c.files) << c.arguments.size();
        EXPECT_EQ(commandLine.opensCorpus(), c.corpus) << c.arguments.size();
    }
}

// Sizes count the NUL: up to 1024 bytes fit the reader's buffer. Other types
// are read but give no text.
TEST(ReadRegistryText, ReadsEachTypeAsItSays)
{
    const std::pair<RegistryValue, std::optional<QString>> cases[] = {
        {text(std::string(1023, 'x')), QString(1023, u'x')},
        {text(std::string(1024, 'x')), std::nullopt},
        {text(std::string(1024, 'y'), false), QString(1024, u'y')},
        {{RegDword, {0x78, 0x56, 0x34, 0xf2}}, u"4063516280"_s},
        {expandable, QString()},
    };
    for (const auto &[value, expected] : cases) {
        FakeRegistry registry;
        registry.keys["Essai"] = {{"Valeur", value}};
        EXPECT_EQ(readText(registry, "Essai", "Valeur"), expected);
        EXPECT_TRUE(registry.openKeys.empty());
    }
}

// A missing key or value gives nothing; an empty value is an error. Every
// key opened is closed.
TEST(ReadRegistryText, MissingGivesNothingAndEmptyIsAnError)
{
    FakeRegistry registry;
    registry.keys["Essai"] = {{"Valeur", text("x")}, {"Vide", empty}};
    EXPECT_EQ(readText(registry, "Essai", "Autre"), std::nullopt);
    EXPECT_EQ(readText(registry, "Absente", "Valeur"), std::nullopt);
    EXPECT_THROW(readText(registry, "Essai", "Vide"), EmptyRegistryValue);
    EXPECT_TRUE(registry.openKeys.empty());
}

// Where the tool is looked for: the full path first, taken as it stands (the
// folder is then not read), else the folder, which must hold MSINFO32.EXE.
// When neither gives a tool that starts, a message.
TEST(SysInfoLauncher, StartsTheToolFoundOrSaysItIsUnavailable)
{
    const RegistryValue folder = text("C:\\MSInfo");
    const QString inFolder = u"C:\\MSInfo\\MSINFO32.EXE"_s;
    // The path and folder recorded, the tool in the folder, the start succeeding, the program started.
    const struct { const char *name; std::optional<RegistryValue> path, folder; bool toolInFolder, startSucceeds; QString started; } cases[] = {
        {"full path", text("C:\\Outils\\msinfo32.exe"), empty, true, true, u"C:\\Outils\\msinfo32.exe"_s},
        {"full path failing to start, the folder not read", text("C:\\Nulle part\\m.exe"), folder, true, false, u"C:\\Nulle part\\m.exe"_s},
        {"folder", std::nullopt, folder, true, true, inFolder},
        {"folder without the tool", std::nullopt, folder, false, true, QString()},
        {"nothing recorded", std::nullopt, std::nullopt, true, true, QString()},
        {"path of another type", expandable, folder, true, true, QString()},
        {"empty folder", std::nullopt, empty, true, true, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedLauncher system;
        if (c.path)
            system.registry.keys[msinfoPathKey][msinfoPathValue] = *c.path;
        if (c.folder)
            system.registry.keys[msinfoFolderKey][msinfoFolderValue] = *c.folder;
        if (c.toolInFolder)
            system.files.files = {inFolder};
        system.processes.succeeds = c.startSucceeds;
        system.launcher.launch(); // each press starts another instance
        system.launcher.launch();
        EXPECT_EQ(system.processes.started, std::vector<QString>(c.started.isEmpty() ? 0 : 2, c.started));
        EXPECT_TRUE(system.registry.openKeys.empty());
        ASSERT_EQ(system.messages.requests().size(), c.started.isEmpty() || !c.startSucceeds ? 2u : 0u);
        for (const MessageRequest &r : system.messages.requests()) // titled with the program's name
            EXPECT_EQ(std::tuple(r.prompt, r.icon, r.buttons, r.title),
                      std::tuple(u"Les informations système ne sont pas disponibles actuellement"_s,
                                 MessageIcon::None, MessageButtons::Ok, QString()));
    }
}

#ifndef Q_OS_WIN
// Without a Windows registry: the path entry names the first of the free
// desktops' tools found, executable, in the search path at each opening; no
// other entry exists.
TEST(SystemInfoToolRegistry, RecordsTheFirstToolFoundInTheSearchPath)
{
    QTemporaryDir folder;
    const auto install = [&folder](const char16_t *name, bool executable = true) {
        QFile file(folder.filePath(QString::fromUtf16(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)
                    && file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
        return file.fileName();
    };
    SystemInfoToolRegistry registry({folder.path()});
    install(systemInfoPrograms[0], false);
    EXPECT_EQ(readText(registry, msinfoPathKey, msinfoPathValue), std::nullopt);
    install(systemInfoPrograms[2]);
    const QString second = install(systemInfoPrograms[1]);
    EXPECT_EQ(readText(registry, msinfoPathKey, msinfoPathValue), second);
    const QString first = install(systemInfoPrograms[0]);
    EXPECT_EQ(readText(registry, msinfoPathKey, msinfoPathValue), first);
    EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, msinfoFolderKey)) << "no folder entry";
    EXPECT_EQ(readText(registry, msinfoPathKey, "Autre"), std::nullopt);
}
#endif

} // namespace
} // namespace lexalon
