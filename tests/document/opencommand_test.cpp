#include "support/testfiles.h"
#include "document/opencommand.h"
#include "document/textdocument.h"
#include "document/textfile.h"
#include "tests/support/scripteddialogs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

const std::vector<MousePointer> busyThenDefault{MousePointer::Hourglass, MousePointer::Default};

class OpenCommand : public ::testing::Test
{
protected:
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(folder.path()).filePath(name);
        EXPECT_TRUE(lexalon::testing::writeBytes(path, bytes));
        return path;
    }

    void open(const QString &chosen, const TextFileReader &reader = readTextFile)
    {
        dialogs.setNextFileName(chosen);
        openTextFile(document, dialogs, pointer, messages, reader);
    }

    void enterClosedState()
    {
        open(writeFile(u"avant.txt"_s, "avant"));
        document.close();
        pointer = RecordingBusyPointer();
    }

    QTemporaryDir folder;
    ScriptedFileDialogs dialogs;
    ScriptedMessageBox messages;
    RecordingBusyPointer pointer;
    TextDocument document;
};

TextFileReader failingWith(TextFileContent::Status status)
{
    return [status](const QString &) {
        TextFileContent content;
        content.status = status;
        content.errorString = u"Erreur d'entrée/sortie"_s;
        return content;
    };
}

} // namespace

TEST_F(OpenCommand, CancelChangesNothingAndLeavesThePointerAlone)
{
    open(QString());
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls().front().kind, ScriptedFileDialogs::Kind::Open);
    EXPECT_EQ(document.state(), DocumentState::Start);
    EXPECT_TRUE(document.text().isEmpty());
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_TRUE(pointer.history().empty());
}

TEST_F(OpenCommand, LoadsTheWholeFileByteForByteUnderTheHourglass)
{
    const QByteArray bytes = "Le ch\xE2teau\r\nde l'\xE9t\xE9.\tFin\r\n\r\n\x9C"_ba;
    const QString path = writeFile(u"texte.txt"_s, bytes);
    open(path);

    EXPECT_EQ(document.state(), DocumentState::Loaded);
    EXPECT_EQ(document.text(), decodeWindows1252(bytes));
    EXPECT_EQ(document.fileLabel(), path);
    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(pointer.history(), busyThenDefault);
}

TEST_F(OpenCommand, MissingFileIsNamedWithTheSystemsReason)
{
    const QString path = QDir(folder.path()).filePath(u"absent.txt"_s);
    open(path);

    ASSERT_EQ(messages.requests().size(), 1u);
    const MessageRequest &message = messages.requests().front();
    const QString first = u"Le fichier « "_s + path + u" » ne peut pas être ouvert.\r\n"_s;
    EXPECT_TRUE(message.prompt.startsWith(first)) << message.prompt.toStdString();
    EXPECT_GT(message.prompt.size(), first.size()) << "the system's reason is missing";
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_TRUE(message.title.isEmpty());
    EXPECT_EQ(document.state(), DocumentState::Start);
    EXPECT_EQ(document.fileLabel(), QString::fromUtf16(promptAtStart));
    EXPECT_EQ(pointer.history(), busyThenDefault);
}

TEST_F(OpenCommand, UnopenableFileLeavesTheClosedStateAsItWas)
{
    enterClosedState();
    open(QDir(folder.path()).filePath(u"absent.txt"_s));
    EXPECT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(document.state(), DocumentState::Closed);
    EXPECT_EQ(document.fileLabel(), QString::fromUtf16(promptAfterClose));
    EXPECT_TRUE(document.text().isEmpty());
    EXPECT_EQ(pointer.history(), busyThenDefault);
}

TEST_F(OpenCommand, ReadFailureNamesTheFileAndTheRealReason)
{
    const struct
    {
        TextFileContent::Status status;
        QString reason;
    } failures[] = {
        {TextFileContent::Status::ReadFailed, u"Erreur d'entrée/sortie"_s},
        {TextFileContent::Status::TooLarge, u"Mémoire insuffisante pour un texte de cette taille."_s},
    };
    for (const auto &failure : failures) {
        SCOPED_TRACE(failure.reason.toStdString());
        enterClosedState();
        messages.clearRequests();
        const QString path = writeFile(u"texte.txt"_s, "du texte");
        open(path, failingWith(failure.status));

        ASSERT_EQ(messages.requests().size(), 1u);
        const MessageRequest &message = messages.requests().front();
        EXPECT_EQ(message.title, u"Fichier trop volumineux"_s);
        EXPECT_EQ(message.prompt,
                  u"Le fichier « "_s + path + u" » ne peut pas être lu.\r\n"_s + failure.reason);
        EXPECT_EQ(message.icon, MessageIcon::Information);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
        EXPECT_EQ(document.state(), DocumentState::Closed);
        EXPECT_TRUE(document.text().isEmpty());
        EXPECT_EQ(pointer.history(), busyThenDefault);
    }
}

TEST_F(OpenCommand, DoesNothingWhileATextIsLoaded)
{
    open(writeFile(u"premier.txt"_s, "premier"));
    open(writeFile(u"second.txt"_s, "second"));
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(document.text(), u"premier"_s);
}
