#include "platform/msinfoentries.h"
#include "tests/support/scripteddialogs.h"
#include "tests/support/scriptedsystem.h"
#include "shell/sysinfo.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
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

TEST_F(GetKeyValueTest, ReadsTheKeyAndValueAskedForWithABufferOf1024Bytes)
{
    registry.setValue(testKey, "Chemin", stringValue("x", true));
    read("Chemin");
    ASSERT_EQ(registry.openRequests(), std::vector<std::string>{testKey});
    ASSERT_EQ(registry.queries().size(), 1u);
    EXPECT_EQ(registry.queries()[0].valueName, "Chemin");
    EXPECT_EQ(registry.queries()[0].capacity, 1024u);
}

// Sizes count the terminating NUL: up to 1024 bytes fit the reader's buffer.
// Other types count as read and leave the text as it was.
TEST_F(GetKeyValueTest, ValuesReadAsTheirTypeSays)
{
    constexpr std::uint32_t regExpandSz = 2;
    constexpr std::uint32_t regBinary = 3;
    const struct
    {
        RegistryValue value;
        bool read;
        QString text;
    } cases[] = {
        {stringValue("C:\\Outils\\msinfo32.exe", true), true, u"C:\\Outils\\msinfo32.exe"_s},
        {stringValue("C:\\Outils", false), true, u"C:\\Outils"_s},
        {stringValue(std::string(1022, 'x'), true), true, QString(1022, u'x')},
        {stringValue(std::string(1023, 'x'), true), true, QString(1023, u'x')},
        {stringValue(std::string(1024, 'x'), true), false, QString()},
        {stringValue(std::string(1024, 'y'), false), true, QString(1024, u'y')},
        {dwordValue(305419896), true, u"305419896"_s},
        {dwordValue(4294967295u), true, u"4294967295"_s},
        {{regExpandSz, {'%', 'X', '%', 0}}, true, u"avant"_s},
        {{regBinary, {1, 2, 3}}, true, u"avant"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.left(30).toStdString());
        keyVal = u"avant"_s;
        registry.setValue(testKey, "Valeur", c.value);
        EXPECT_EQ(read("Valeur"), c.read);
        EXPECT_EQ(keyVal, c.text);
    }
}

TEST_F(GetKeyValueTest, ValueOfZeroBytesIsAnError)
{
    registry.setValue(testKey, "Vide", {RegSz, {}});
    EXPECT_THROW(read("Vide"), EmptyRegistryValue);
    EXPECT_EQ(keyVal, u"avant"_s);
}

TEST_F(GetKeyValueTest, MissingKeyOrValueEmptiesTheText)
{
    EXPECT_FALSE(read("Chemin"));
    EXPECT_TRUE(keyVal.isEmpty());
    EXPECT_TRUE(registry.queries().empty());
    registry.setValue(testKey, "Autre", stringValue("z", true));
    keyVal = u"avant"_s;
    EXPECT_FALSE(read("Chemin"));
    EXPECT_TRUE(keyVal.isEmpty());
}

// Where the tool is looked for: the full path first, else the folder, which
// must hold MSINFO32.EXE. When neither gives a tool that starts, a message.
struct LaunchCase
{
    const char *name;
    std::optional<RegistryValue> path; // a value of no type: the key alone
    std::optional<RegistryValue> folder;
    QString fileThere;
    bool startSucceeds;
    QString started;
    bool folderRead;
};

void PrintTo(const LaunchCase &launch, std::ostream *out)
{
    *out << launch.name;
}

class StartSysInfoTest : public ::testing::TestWithParam<LaunchCase>
{
protected:
    void TearDown() override { EXPECT_EQ(registry.keysStillOpen(), 0u); }

    FakeRegistry registry;
    ScriptedFileProbe files;
    RecordingProcessStarter processes;
    ScriptedMessageBox messages;
    SysInfoLauncher launcher{registry, files, processes, messages};
};

TEST_P(StartSysInfoTest, StartsTheToolFoundOrSaysItIsUnavailable)
{
    const LaunchCase &c = GetParam();
    if (c.path && c.path->data.empty() && c.path->type == 0)
        registry.addKey(msinfoPathKey);
    else if (c.path)
        registry.setValue(msinfoPathKey, msinfoPathValue, *c.path);
    if (c.folder)
        registry.setValue(msinfoFolderKey, msinfoFolderValue, *c.folder);
    if (!c.fileThere.isEmpty())
        files.addFile(c.fileThere);
    processes.setSucceeds(c.startSucceeds);

    launcher.StartSysInfo();

    EXPECT_EQ(processes.started(), c.started.isEmpty() ? std::vector<QString>{} : std::vector{c.started});
    const std::vector<std::string> pathOnly{msinfoPathKey};
    const std::vector<std::string> both{msinfoPathKey, msinfoFolderKey};
    EXPECT_EQ(registry.openRequests(), c.folderRead ? both : pathOnly);
    if (c.started.isEmpty() || !c.startSucceeds) {
        ASSERT_EQ(messages.requests().size(), 1u);
        const MessageRequest &request = messages.requests()[0];
        EXPECT_EQ(request.prompt, u"Les informations système ne sont pas disponibles actuellement"_s);
        EXPECT_EQ(request.buttons, MessageButtons::Ok);
        EXPECT_EQ(request.icon, MessageIcon::None);
        EXPECT_TRUE(request.title.isEmpty()); // the program's title
    } else {
        EXPECT_TRUE(messages.requests().empty());
    }
}

constexpr std::uint32_t regExpandSz = 2;
const QString inMsInfo = u"C:\\MSInfo\\MSINFO32.EXE"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, StartSysInfoTest,
    ::testing::Values(
        LaunchCase{"full_path", stringValue("C:\\Outils\\msinfo32.exe", true), stringValue("C:\\MSInfo", true),
                   inMsInfo, true, u"C:\\Outils\\msinfo32.exe"_s, false},
        LaunchCase{"full_path_that_cannot_start", stringValue("C:\\Nulle part\\msinfo32.exe", true),
                   stringValue("C:\\MSInfo", true), inMsInfo, false, u"C:\\Nulle part\\msinfo32.exe"_s, false},
        LaunchCase{"folder_with_the_tool", std::nullopt, stringValue("C:\\MSInfo", true), inMsInfo, true,
                   inMsInfo, true},
        LaunchCase{"folder_taken_as_stored", std::nullopt, stringValue("C:\\MSInfo\\", true),
                   u"C:\\MSInfo\\\\MSINFO32.EXE"_s, true, u"C:\\MSInfo\\\\MSINFO32.EXE"_s, true},
        LaunchCase{"folder_without_the_tool", std::nullopt, stringValue("C:\\MSInfo", true), QString(), true,
                   QString(), true},
        LaunchCase{"path_key_without_its_value", RegistryValue{}, stringValue("C:\\MSInfo", true), inMsInfo,
                   true, inMsInfo, true},
        LaunchCase{"neither_entry", std::nullopt, std::nullopt, QString(), true, QString(), true},
        LaunchCase{"path_of_another_type", RegistryValue{regExpandSz, {'%', 'W', '%', 0}},
                   stringValue("C:\\MSInfo", true), inMsInfo, true, QString(), false},
        LaunchCase{"empty_path_value", RegistryValue{RegSz, {}}, stringValue("C:\\MSInfo", true), inMsInfo,
                   true, QString(), false},
        LaunchCase{"empty_folder_value", std::nullopt, RegistryValue{RegSz, {}}, inMsInfo, true, QString(),
                   true}),
    [](const ::testing::TestParamInfo<LaunchCase> &info) { return std::string(info.param.name); });

TEST(StartSysInfo, EveryPressStartsAnotherInstance)
{
    FakeRegistry registry;
    ScriptedFileProbe files;
    RecordingProcessStarter processes;
    ScriptedMessageBox messages;
    SysInfoLauncher launcher{registry, files, processes, messages};
    registry.setValue(msinfoPathKey, msinfoPathValue, stringValue("C:\\msinfo32.exe", true));
    launcher.StartSysInfo();
    launcher.StartSysInfo();
    EXPECT_EQ(processes.started().size(), 2u);
}

} // namespace
} // namespace lexalon
