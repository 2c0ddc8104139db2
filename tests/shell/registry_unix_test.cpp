#include "platform/msinfoentries.h"
#include "platform/registry_unix.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedsystem.h"
#include "shell/sysinfo.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

class SystemInfoToolRegistryTest : public ::testing::Test
{
protected:
    // A program of that name in the test folder, executable or not.
    QString addProgram(const QString &name, bool executable = true)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n");
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        EXPECT_TRUE(file.setPermissions(permissions));
        return path;
    }

    QString program(std::size_t rank) const
    {
        return QString::fromUtf16(systemInfoPrograms.at(rank));
    }

    std::optional<QString> recordedPath()
    {
        const auto key = registry.openKey(RegistryRoot::LocalMachine, msinfoPathKey);
        if (!key)
            return std::nullopt;
        const auto value = registry.queryValue(*key, msinfoPathValue, 1024);
        registry.closeKey(*key);
        EXPECT_TRUE(value);
        EXPECT_EQ(value->type, RegSz);
        EXPECT_EQ(value->data.back(), 0);
        return QFile::decodeName(QByteArray(reinterpret_cast<const char *>(value->data.data()),
                                            qsizetype(value->data.size() - 1)));
    }

    QTemporaryDir folder;
    SystemInfoToolRegistry registry{{folder.path()}};
};

TEST_F(SystemInfoToolRegistryTest, RecordsTheFirstProgramOfTheListFound)
{
    addProgram(program(2));
    const QString second = addProgram(program(1));
    EXPECT_EQ(recordedPath(), second);
    const QString first = addProgram(program(0));
    EXPECT_EQ(recordedPath(), first);
}

TEST_F(SystemInfoToolRegistryTest, WithoutAnyProgramThePathKeyIsMissing)
{
    addProgram(program(0), false);
    addProgram(u"msinfo32"_s);
    EXPECT_EQ(recordedPath(), std::nullopt);
}

TEST_F(SystemInfoToolRegistryTest, FolderEntryAndOtherValuesAreAlwaysMissing)
{
    addProgram(program(0));
    EXPECT_FALSE(registry.openKey(RegistryRoot::LocalMachine, msinfoFolderKey));
    const auto key = registry.openKey(RegistryRoot::LocalMachine, msinfoPathKey);
    ASSERT_TRUE(key);
    EXPECT_FALSE(registry.queryValue(*key, "Autre", 1024));
    registry.closeKey(*key);
}

TEST_F(SystemInfoToolRegistryTest, PathLongerThanTheBufferIsRefused)
{
    const QString path = addProgram(program(0));
    const auto key = registry.openKey(RegistryRoot::LocalMachine, msinfoPathKey);
    ASSERT_TRUE(key);
    const auto bytes = std::size_t(QFile::encodeName(path).size()) + 1;
    EXPECT_TRUE(registry.queryValue(*key, msinfoPathValue, bytes));
    EXPECT_FALSE(registry.queryValue(*key, msinfoPathValue, bytes - 1));
    registry.closeKey(*key);
}

// The launcher over the stand-in: the program found is started, or the
// message is shown when there is none.
TEST_F(SystemInfoToolRegistryTest, LauncherStartsTheProgramFoundOrTellsThereIsNone)
{
    ScriptedFileProbe files;
    RecordingProcessStarter processes;
    ScriptedMessageBox messages;
    SysInfoLauncher launcher(registry, files, processes, messages);

    launcher.StartSysInfo();
    EXPECT_TRUE(processes.started().empty());
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].prompt, QString::fromUtf16(sysInfoUnavailableMessage));

    const QString tool = addProgram(program(1));
    launcher.StartSysInfo();
    EXPECT_EQ(processes.started(), std::vector{tool});
    EXPECT_EQ(messages.requests().size(), 1u);
}

} // namespace
} // namespace lexalon
