#include "platform/msinfoentries.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedsystem.h"
#include "shell/sysinfo.h"

#include <gtest/gtest.h>

#include <string>

using namespace Qt::StringLiterals;

namespace lexalon {
namespace {

const std::string testKey = "SOFTWARE\\Lexalon\\Essai";

RegistryValue stringValue(const std::string &text, bool withNul)
{
    RegistryValue value{RegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
    if (withNul)
        value.data.push_back(0);
    return value;
}

RegistryValue dwordValue(std::uint32_t number)
{
    return {RegDword,
            {std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16),
             std::uint8_t(number >> 24)}};
}

class GetKeyValueTest : public ::testing::Test
{
protected:
    // Whatever happened, no key is left open and none is closed twice.
    void TearDown() override
    {
        EXPECT_EQ(registry.keysStillOpen(), 0u);
        EXPECT_EQ(registry.strayCloses(), 0);
    }

    bool read(const std::string &valueName)
    {
        return GetKeyValue(registry, RegistryRoot::LocalMachine, QString::fromStdString(testKey),
                           QString::fromStdString(valueName), keyVal);
    }

    FakeRegistry registry;
    QString keyVal = u"avant"_s;
};

TEST_F(GetKeyValueTest, StringLosesOnlyItsTerminatingNul)
{
    registry.setValue(testKey, "Chemin", stringValue("C:\\Outils\\msinfo32.exe", true));
    EXPECT_TRUE(read("Chemin"));
    EXPECT_EQ(keyVal, u"C:\\Outils\\msinfo32.exe"_s);
}

TEST_F(GetKeyValueTest, StringStoredWithoutNulKeepsEveryCharacter)
{
    registry.setValue(testKey, "Chemin", stringValue("C:\\Outils", false));
    EXPECT_TRUE(read("Chemin"));
    EXPECT_EQ(keyVal, u"C:\\Outils"_s);
}

TEST_F(GetKeyValueTest, ReadsTheKeyAndValueAskedForWithABufferOf1024Bytes)
{
    registry.setValue(testKey, "Chemin", stringValue("x", true));
    read("Chemin");
    ASSERT_EQ(registry.openRequests(), std::vector<std::string>{testKey});
    ASSERT_EQ(registry.queries().size(), 1u);
    EXPECT_EQ(registry.queries()[0].valueName, "Chemin");
    EXPECT_EQ(registry.queries()[0].capacity, 1024u);
}

class GetKeyValueSizeTest : public GetKeyValueTest, public ::testing::WithParamInterface<int>
{
};

// Sizes count the terminating NUL: up to 1024 bytes fit the reader's buffer.
TEST_P(GetKeyValueSizeTest, LongStringsAreReadWholeUpToTheBuffer)
{
    const int bytes = GetParam();
    const std::string text(bytes - 1, 'x');
    registry.setValue(testKey, "Long", stringValue(text, true));
    const bool fits = bytes <= 1024;
    EXPECT_EQ(read("Long"), fits);
    EXPECT_EQ(keyVal, fits ? QString::fromStdString(text) : QString());
}

INSTANTIATE_TEST_SUITE_P(Sizes, GetKeyValueSizeTest, ::testing::Values(1023, 1024, 1025));

TEST_F(GetKeyValueTest, StringOf1024BytesWithoutNulKeepsThemAll)
{
    const std::string text(1024, 'y');
    registry.setValue(testKey, "Long", stringValue(text, false));
    EXPECT_TRUE(read("Long"));
    EXPECT_EQ(keyVal.size(), 1024);
}

TEST_F(GetKeyValueTest, DoubleWordBecomesUnsignedDecimalText)
{
    registry.setValue(testKey, "Petit", dwordValue(305419896));
    registry.setValue(testKey, "Grand", dwordValue(4294967295u));
    EXPECT_TRUE(read("Petit"));
    EXPECT_EQ(keyVal, u"305419896"_s);
    EXPECT_TRUE(read("Grand"));
    EXPECT_EQ(keyVal, u"4294967295"_s);
}

TEST_F(GetKeyValueTest, OtherTypesCountAsReadAndLeaveTheTextUnchanged)
{
    constexpr std::uint32_t regExpandSz = 2;
    constexpr std::uint32_t regBinary = 3;
    registry.setValue(testKey, "Etendu", {regExpandSz, {'%', 'X', '%', 0}});
    registry.setValue(testKey, "Binaire", {regBinary, {1, 2, 3}});
    EXPECT_TRUE(read("Etendu"));
    EXPECT_EQ(keyVal, u"avant"_s);
    EXPECT_TRUE(read("Binaire"));
    EXPECT_EQ(keyVal, u"avant"_s);
}

TEST_F(GetKeyValueTest, ValueOfZeroBytesIsAnError)
{
    registry.setValue(testKey, "Vide", {RegSz, {}});
    EXPECT_THROW(read("Vide"), EmptyRegistryValue);
    EXPECT_EQ(keyVal, u"avant"_s);
}

TEST_F(GetKeyValueTest, MissingKeyEmptiesTheTextAndReadsNothing)
{
    EXPECT_FALSE(read("Chemin"));
    EXPECT_TRUE(keyVal.isEmpty());
    EXPECT_TRUE(registry.queries().empty());
}

TEST_F(GetKeyValueTest, MissingValueEmptiesTheText)
{
    registry.setValue(testKey, "Autre", stringValue("z", true));
    EXPECT_FALSE(read("Chemin"));
    EXPECT_TRUE(keyVal.isEmpty());
}

class StartSysInfoTest : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_EQ(registry.keysStillOpen(), 0u); }

    void setPath(RegistryValue value) { registry.setValue(msinfoPathKey, msinfoPathValue, value); }
    void setFolder(RegistryValue value)
    {
        registry.setValue(msinfoFolderKey, msinfoFolderValue, value);
    }

    void expectUnavailableMessage() const
    {
        ASSERT_EQ(messages.requests().size(), 1u);
        const MessageRequest &request = messages.requests()[0];
        EXPECT_EQ(request.prompt, u"Les informations système ne sont pas disponibles actuellement"_s);
        EXPECT_EQ(request.buttons, MessageButtons::Ok);
        EXPECT_EQ(request.icon, MessageIcon::None);
        EXPECT_TRUE(request.title.isEmpty()); // the program's title
    }

    std::vector<std::string> bothKeys() const { return {msinfoPathKey, msinfoFolderKey}; }

    FakeRegistry registry;
    ScriptedFileProbe files;
    RecordingProcessStarter processes;
    ScriptedMessageBox messages;
    SysInfoLauncher launcher{registry, files, processes, messages};
};

TEST_F(StartSysInfoTest, FullPathIsStartedAsReadAndTheFolderNeverRead)
{
    setPath(stringValue("C:\\Program Files\\Outils\\msinfo32.exe", true));
    setFolder(stringValue("C:\\Ailleurs", true));
    launcher.StartSysInfo();
    EXPECT_EQ(processes.started(), std::vector{u"C:\\Program Files\\Outils\\msinfo32.exe"_s});
    EXPECT_EQ(registry.openRequests(), std::vector<std::string>{msinfoPathKey});
    EXPECT_TRUE(files.asked().empty());
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(StartSysInfoTest, EveryPressStartsAnotherInstance)
{
    setPath(stringValue("C:\\msinfo32.exe", true));
    launcher.StartSysInfo();
    launcher.StartSysInfo();
    EXPECT_EQ(processes.started().size(), 2u);
}

TEST_F(StartSysInfoTest, FullPathThatCannotStartGivesTheMessageWithoutTryingTheFolder)
{
    setPath(stringValue("C:\\Nulle part\\msinfo32.exe", true));
    setFolder(stringValue("C:\\Outils", true));
    processes.setSucceeds(false);
    launcher.StartSysInfo();
    EXPECT_EQ(processes.started(), std::vector{u"C:\\Nulle part\\msinfo32.exe"_s});
    EXPECT_EQ(registry.openRequests(), std::vector<std::string>{msinfoPathKey});
    expectUnavailableMessage();
}

TEST_F(StartSysInfoTest, FolderHoldingTheProgramIsUsedWhenThePathIsMissing)
{
    setFolder(stringValue("C:\\Program Files\\Common Files\\MSInfo", true));
    files.addFile(u"C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE"_s);
    launcher.StartSysInfo();
    EXPECT_EQ(registry.openRequests(), bothKeys());
    EXPECT_EQ(processes.started(),
              std::vector{u"C:\\Program Files\\Common Files\\MSInfo\\MSINFO32.EXE"_s});
    EXPECT_TRUE(messages.requests().empty());
}

TEST_F(StartSysInfoTest, FolderIsTakenAsStoredSoATrailingBackslashDoubles)
{
    setFolder(stringValue("C:\\MSInfo\\", true));
    files.addFile(u"C:\\MSInfo\\\\MSINFO32.EXE"_s);
    launcher.StartSysInfo();
    EXPECT_EQ(files.asked(), std::vector{u"C:\\MSInfo\\\\MSINFO32.EXE"_s});
    EXPECT_EQ(processes.started(), std::vector{u"C:\\MSInfo\\\\MSINFO32.EXE"_s});
}

TEST_F(StartSysInfoTest, FolderWithoutTheProgramGivesTheMessage)
{
    setFolder(stringValue("C:\\MSInfo", true));
    launcher.StartSysInfo();
    EXPECT_EQ(files.asked(), std::vector{u"C:\\MSInfo\\MSINFO32.EXE"_s});
    EXPECT_TRUE(processes.started().empty());
    expectUnavailableMessage();
}

TEST_F(StartSysInfoTest, PathKeyWithoutItsValueFallsBackToTheFolder)
{
    registry.addKey(msinfoPathKey);
    setFolder(stringValue("C:\\MSInfo", true));
    files.addFile(u"C:\\MSInfo\\MSINFO32.EXE"_s);
    launcher.StartSysInfo();
    EXPECT_EQ(processes.started(), std::vector{u"C:\\MSInfo\\MSINFO32.EXE"_s});
}

TEST_F(StartSysInfoTest, NeitherEntryGivesTheMessage)
{
    launcher.StartSysInfo();
    EXPECT_EQ(registry.openRequests(), bothKeys());
    EXPECT_TRUE(processes.started().empty());
    expectUnavailableMessage();
}

// Such a path counts as read but stays empty: nothing can start from it.
TEST_F(StartSysInfoTest, PathOfAnotherTypeGivesTheMessageWithoutTryingTheFolder)
{
    constexpr std::uint32_t regExpandSz = 2;
    setPath({regExpandSz, {'%', 'W', '%', 0}});
    setFolder(stringValue("C:\\MSInfo", true));
    files.addFile(u"C:\\MSInfo\\MSINFO32.EXE"_s);
    launcher.StartSysInfo();
    EXPECT_EQ(registry.openRequests(), std::vector<std::string>{msinfoPathKey});
    EXPECT_TRUE(processes.started().empty());
    expectUnavailableMessage();
}

TEST_F(StartSysInfoTest, EmptyPathValueEndsAtTheMessageWithoutTryingTheFolder)
{
    setPath({RegSz, {}});
    setFolder(stringValue("C:\\MSInfo", true));
    files.addFile(u"C:\\MSInfo\\MSINFO32.EXE"_s);
    launcher.StartSysInfo();
    EXPECT_EQ(registry.openRequests(), std::vector<std::string>{msinfoPathKey});
    EXPECT_TRUE(processes.started().empty());
    expectUnavailableMessage();
}

TEST_F(StartSysInfoTest, EmptyFolderValueEndsAtTheMessage)
{
    setFolder({RegSz, {}});
    launcher.StartSysInfo();
    EXPECT_TRUE(files.asked().empty());
    expectUnavailableMessage();
}

} // namespace
} // namespace lexalon
