#include "lexalon/version.h"
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

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

RegistryValue text(const std::string &bytes, bool withNul = true)
{
    RegistryValue value{RegSz, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
    if (withNul)
        value.data.push_back(0);
    return value;
}

constexpr std::uint32_t regExpandSz = 2;
const RegistryValue expandable{regExpandSz, {'%', 'X', '%', 0}};
const RegistryValue empty{RegSz, {}};

// Sizes count the NUL: up to 1024 bytes fit the reader's buffer. Other types
// are read but give no text.
TEST(ReadRegistryText, ReadsEachTypeAsItSays)
{
    const std::pair<RegistryValue, std::optional<QString>> cases[] = {
        {text("C:\\Outils"), u"C:\\Outils"_s},
        {text("C:\\Outils", false), u"C:\\Outils"_s},
        {text(std::string(1023, 'x')), QString(1023, u'x')},
        {text(std::string(1024, 'x')), std::nullopt},
        {text(std::string(1024, 'y'), false), QString(1024, u'y')},
        {{RegDword, {0x78, 0x56, 0x34, 0x12}}, u"305419896"_s},
        {{RegDword, {0xff, 0xff, 0xff, 0xff}}, u"4294967295"_s},
        {expandable, QString()},
        {{3, {1, 2, 3}}, QString()},
    };
    for (const auto &[value, expected] : cases) {
        FakeRegistry registry;
        registry.keys["Essai"]["Valeur"] = value;
        EXPECT_EQ(readRegistryText(registry, RegistryRoot::LocalMachine, u"Essai"_s, u"Valeur"_s), expected);
        EXPECT_EQ(readRegistryText(registry, RegistryRoot::LocalMachine, u"Essai"_s, u"Autre"_s), std::nullopt);
        EXPECT_EQ(readRegistryText(registry, RegistryRoot::LocalMachine, u"Absente"_s, u"Valeur"_s), std::nullopt);
        EXPECT_TRUE(registry.openKeys.empty());
    }
    FakeRegistry registry;
    registry.keys["Essai"]["Vide"] = empty;
    EXPECT_THROW(readRegistryText(registry, RegistryRoot::LocalMachine, u"Essai"_s, u"Vide"_s), EmptyRegistryValue);
    EXPECT_TRUE(registry.openKeys.empty());
}

// Where the tool is looked for: the full path first, else the folder, which
// must hold MSINFO32.EXE. When neither gives a tool that starts, a message.
struct LaunchCase
{
    std::optional<RegistryValue> path; // a value of no type: the key alone
    std::optional<RegistryValue> folder;
    bool toolInFolder;
    bool startSucceeds;
    QString started;
    bool folderRead;
};

TEST(SysInfoLauncher, StartsTheToolFoundOrSaysItIsUnavailable)
{
    const RegistryValue folder = text("C:\\MSInfo");
    const QString inFolder = u"C:\\MSInfo\\MSINFO32.EXE"_s;
    const LaunchCase cases[] = {
        {text("C:\\Outils\\msinfo32.exe"), folder, true, true, u"C:\\Outils\\msinfo32.exe"_s, false},
        {text("C:\\Nulle part\\m.exe"), folder, true, false, u"C:\\Nulle part\\m.exe"_s, false},
        {std::nullopt, folder, true, true, inFolder, true},
        {std::nullopt, text("C:\\MSInfo\\"), true, true, u"C:\\MSInfo\\\\MSINFO32.EXE"_s, true},
        {std::nullopt, folder, false, true, QString(), true},
        {RegistryValue{}, folder, true, true, inFolder, true},
        {std::nullopt, std::nullopt, true, true, QString(), true},
        {expandable, folder, true, true, QString(), false},
        {empty, folder, true, true, QString(), false},
        {std::nullopt, empty, true, true, QString(), true},
    };
    for (const LaunchCase &c : cases) {
        SCOPED_TRACE(&c - cases);
        FakeRegistry registry;
        ScriptedFileProbe files;
        RecordingProcessStarter processes;
        ScriptedMessageBox messages;
        if (c.path && c.path->type == 0)
            registry.keys[msinfoPathKey];
        else if (c.path)
            registry.keys[msinfoPathKey][msinfoPathValue] = *c.path;
        if (c.folder)
            registry.keys[msinfoFolderKey][msinfoFolderValue] = *c.folder;
        if (c.toolInFolder)
            files.files.insert(inFolder);
        files.files.insert(u"C:\\MSInfo\\\\MSINFO32.EXE"_s);
        processes.succeeds = c.startSucceeds;
        SysInfoLauncher launcher(registry, files, processes, messages);
        launcher.launch(); // each press starts another instance
        launcher.launch();

        const std::vector<QString> twice{c.started, c.started};
        EXPECT_EQ(processes.started, c.started.isEmpty() ? std::vector<QString>() : twice);
        const std::vector<std::string> pathOnly{msinfoPathKey, msinfoPathKey};
        const std::vector<std::string> both{msinfoPathKey, msinfoFolderKey, msinfoPathKey, msinfoFolderKey};
        EXPECT_EQ(registry.openRequests, c.folderRead ? both : pathOnly);
        EXPECT_TRUE(registry.openKeys.empty());
        const bool unavailable = c.started.isEmpty() || !c.startSucceeds;
        ASSERT_EQ(messages.requests().size(), unavailable ? 2u : 0u);
        for (const MessageRequest &request : messages.requests()) {
            EXPECT_EQ(request.prompt, u"Les informations système ne sont pas disponibles actuellement"_s);
            EXPECT_EQ(request.icon, MessageIcon::None);
            EXPECT_EQ(request.buttons, MessageButtons::Ok);
            EXPECT_TRUE(request.title.isEmpty()); // the program's title
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
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner));
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
    const QString second = install(systemInfoPrograms[1]);
    EXPECT_EQ(found(), second);
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
    ASSERT_TRUE(QFile(folder.filePath(u"MSINFO32.EXE"_s)).open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile(folder.filePath(u".cache"_s)).open(QIODevice::WriteOnly));
    const QtFileProbe probe;
    EXPECT_TRUE(probe.isOrdinaryFile(folder.filePath(u"MSINFO32.EXE"_s)));
    for (const QString &name : {u".cache"_s, QString(), u"absent.exe"_s})
        EXPECT_FALSE(probe.isOrdinaryFile(folder.filePath(name))) << name.toStdString();
    QtProcessStarter starter;
    for (const QString &program : {QString(), folder.path(), folder.filePath(u"absent"_s)})
        EXPECT_FALSE(starter.startDetached(program)) << program.toStdString();
    EXPECT_TRUE(starter.startDetached(QStandardPaths::findExecutable(u"true"_s)));
}

TEST(ProgramVersion, TextsInPlainDecimal)
{
    EXPECT_EQ(versionText(12, 3, 405), u"Version 12.3.405"_s);
    EXPECT_EQ(programVersionText(), versionText(LEXALON_VERSION_MAJOR, LEXALON_VERSION_MINOR, LEXALON_VERSION_PATCH));
    EXPECT_EQ(programVersion(), u"%1.%2.%3.%4"_s.arg(LEXALON_VERSION_MAJOR).arg(LEXALON_VERSION_MINOR)
                                    .arg(LEXALON_VERSION_PATCH).arg(LEXALON_VERSION_TWEAK));
}

} // namespace
} // namespace lexalon
