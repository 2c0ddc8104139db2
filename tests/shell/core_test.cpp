#include "platform/msinfoentries.h"
#include "platform/systemservices.h"
#include "shell/programversion.h"
#include "shell/sysinfo.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedsystem.h"
#ifndef Q_OS_WIN
#include "platform/registry_unix.h"
#endif

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <tuple>

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

// Sizes count the NUL: up to 1024 bytes fit the reader's buffer. Other types
// are read but give no text; a missing key or value gives nothing.
TEST(ReadRegistryText, ReadsEachTypeAsItSays)
{
    const std::pair<RegistryValue, std::optional<QString>> cases[] = {
        {text("C:\\Outils"), u"C:\\Outils"_s},
        {text("C:\\Outils", false), u"C:\\Outils"_s},
        {text(std::string(1023, 'x')), QString(1023, u'x')},
        {text(std::string(1024, 'x')), std::nullopt},
        {text(std::string(1024, 'y'), false), QString(1024, u'y')},
        {{RegDword, {0x78, 0x56, 0x34, 0xf2}}, u"4063516280"_s},
        {expandable, QString()},
        {{3, {1, 2, 3}}, QString()},
    };
    const auto read = [](FakeRegistry &registry, const QString &key, const QString &name) {
        return readRegistryText(registry, RegistryRoot::LocalMachine, key, name);
    };
    for (const auto &[value, expected] : cases) {
        FakeRegistry registry;
        registry.keys["Essai"]["Valeur"] = value;
        registry.keys["Essai"]["Vide"] = empty;
        EXPECT_EQ(read(registry, u"Essai"_s, u"Valeur"_s), expected);
        EXPECT_EQ(read(registry, u"Essai"_s, u"Autre"_s), std::nullopt);
        EXPECT_EQ(read(registry, u"Absente"_s, u"Valeur"_s), std::nullopt);
        EXPECT_THROW(read(registry, u"Essai"_s, u"Vide"_s), EmptyRegistryValue);
        EXPECT_TRUE(registry.openKeys.empty());
    }
}

// Where the tool is looked for: the full path first, else the folder, which
// must hold MSINFO32.EXE. When neither gives a tool that starts, a message.
struct LaunchCase
{
    std::optional<RegistryValue> path, folder; // a path of no type: the key alone
    bool toolInFolder, startSucceeds;
    QString started;
};

TEST(SysInfoLauncher, StartsTheToolFoundOrSaysItIsUnavailable)
{
    const RegistryValue folder = text("C:\\MSInfo");
    const QString inFolder = u"C:\\MSInfo\\MSINFO32.EXE"_s;
    const LaunchCase cases[] = {
        {text("C:\\Outils\\msinfo32.exe"), folder, true, true, u"C:\\Outils\\msinfo32.exe"_s},
        {text("C:\\Nulle part\\m.exe"), folder, true, false, u"C:\\Nulle part\\m.exe"_s},
        {std::nullopt, folder, true, true, inFolder},
        {std::nullopt, text("C:\\MSInfo\\"), true, true, u"C:\\MSInfo\\\\MSINFO32.EXE"_s},
        {std::nullopt, folder, false, true, QString()},
        {RegistryValue{}, folder, true, true, inFolder},
        {std::nullopt, std::nullopt, true, true, QString()},
        {expandable, folder, true, true, QString()},
        {empty, folder, true, true, QString()},
        {std::nullopt, empty, true, true, QString()},
    };
    for (const LaunchCase &c : cases) {
        SCOPED_TRACE(&c - cases);
        FakeRegistry registry;
        ScriptedFileProbe files;
        RecordingProcessStarter processes;
        ScriptedMessageBox messages;
        const bool pathRecorded = c.path && c.path->type != 0; // the folder is then not read
        if (pathRecorded)
            registry.keys[msinfoPathKey][msinfoPathValue] = *c.path;
        else if (c.path)
            registry.keys[msinfoPathKey];
        if (c.folder)
            registry.keys[msinfoFolderKey][msinfoFolderValue] = *c.folder;
        files.files = {u"C:\\MSInfo\\\\MSINFO32.EXE"_s};
        if (c.toolInFolder)
            files.files.insert(inFolder);
        processes.succeeds = c.startSucceeds;
        SysInfoLauncher launcher(registry, files, processes, messages);
        launcher.launch(); // each press starts another instance
        launcher.launch();

        EXPECT_EQ(processes.started, std::vector<QString>(c.started.isEmpty() ? 0 : 2, c.started));
        const std::vector<std::string> pathOnly{msinfoPathKey, msinfoPathKey};
        const std::vector<std::string> both{msinfoPathKey, msinfoFolderKey, msinfoPathKey, msinfoFolderKey};
        EXPECT_EQ(registry.openRequests, pathRecorded ? pathOnly : both);
        EXPECT_TRUE(registry.openKeys.empty());
        const bool unavailable = c.started.isEmpty() || !c.startSucceeds;
        ASSERT_EQ(messages.requests().size(), unavailable ? 2u : 0u);
        for (const MessageRequest &request : messages.requests()) { // titled with the program's name
            EXPECT_EQ(request.prompt, u"Les informations système ne sont pas disponibles actuellement"_s);
            EXPECT_EQ(std::tuple(request.icon, request.buttons, request.title),
                      std::tuple(MessageIcon::None, MessageButtons::Ok, QString()));
        }
    }
}

#ifndef Q_OS_WIN
// Without a Windows registry: the path entry names the first of the free
// desktops' tools found, executable, in the search path; no other entry exists.
TEST(SystemInfoToolRegistry, RecordsTheFirstToolFoundInTheSearchPath)
{
    QTemporaryDir folder;
    const auto install = [&folder](const char16_t *name, bool executable = true) {
        QFile file(folder.filePath(QString::fromUtf16(name)));
        const QFile::Permissions permissions = QFile::ReadOwner | (executable ? QFile::ExeOwner : QFile::ReadOwner);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.setPermissions(permissions));
        return file.fileName();
    };
    SystemInfoToolRegistry registry({folder.path()});
    const auto found = [&registry] {
        return readRegistryText(registry, RegistryRoot::LocalMachine, QString::fromLatin1(msinfoPathKey),
                                QString::fromLatin1(msinfoPathValue));
    };
    install(systemInfoPrograms[0], false);
    install(u"msinfo32");
    EXPECT_EQ(found(), std::nullopt);
    install(systemInfoPrograms[2]);
    EXPECT_EQ(found(), install(systemInfoPrograms[1]));
    const QString first = install(systemInfoPrograms[0]);
    EXPECT_EQ(found(), first);
    EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, msinfoFolderKey));
    const auto key = registry.openKey(RegistryRoot::LocalMachine, msinfoPathKey);
    ASSERT_TRUE(key);
    const std::size_t size = QFile::encodeName(first).size() + 1;
    EXPECT_TRUE(registry.queryValue(*key, msinfoPathValue, size));
    EXPECT_FALSE(registry.queryValue(*key, msinfoPathValue, size - 1));
    EXPECT_FALSE(registry.queryValue(*key, "Autre", 1024));
}

#endif

TEST(SystemServices, ProbeCountsOnlyOrdinaryFilesAndStarterReportsTheStart)
{
    QTemporaryDir folder;
    for (const QString &name : {u"MSINFO32.EXE"_s, u".cache"_s})
        ASSERT_TRUE(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
    const QtFileProbe probe;
    EXPECT_TRUE(probe.isOrdinaryFile(folder.filePath(u"MSINFO32.EXE"_s)));
    for (const QString &name : {u".cache"_s, QString(), u"absent.exe"_s})
        EXPECT_FALSE(probe.isOrdinaryFile(folder.filePath(name)));
    QtProcessStarter starter;
    for (const QString &program : {QString(), folder.path(), folder.filePath(u"absent"_s)})
        EXPECT_FALSE(starter.startDetached(program));
    EXPECT_TRUE(starter.startDetached(QStandardPaths::findExecutable(u"true"_s)));
}

TEST(ProgramVersion, TextsInPlainDecimal)
{
    EXPECT_EQ(versionText(12, 3, 405), u"Version 12.3.405"_s);
}

} // namespace
} // namespace lexalon
