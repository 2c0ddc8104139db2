#include "commands/opencommand.h"
#include "tests/support/scripteddialogs.h"
#include "text/textdocument.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

TEST(TextDocument, EachStepSetsTheStateLabelTextAndCommands)
{
    using enum DocumentState;
    TextDocument document;
    int changes = 0;
    QObject::connect(&document, &TextDocument::changed, [&changes] { ++changes; });
    const QString path = u"/textes/conte.txt"_s;
    const auto load = [&] { document.load(path, u"Il était\r\n"_s); };
    const auto close = [&] { document.close(); };
    const auto abandon = [&] { document.abandonLoad(); };
    const QString start = u"Chargez un fichier texte avec la commande Ouvrir"_s;
    const QString closed = start + u'.';
    // After each step: the state, the changes signalled, the label, and
    // whether open, close, list and the pane are enabled.
    const std::tuple<std::function<void()>, DocumentState, int, QString, QString> steps[] = {
        {[] {}, Start, 0, start, u"1011"_s},
        {close, Start, 0, start, u"1011"_s},   // nothing to close
        {abandon, Start, 0, start, u"1011"_s}, // nothing to undo
        {load, Loaded, 1, path, u"0111"_s},   {abandon, Start, 2, start, u"1011"_s},
        {load, Loaded, 3, path, u"0111"_s},   {close, Closed, 4, closed, u"1000"_s},
        {load, Loaded, 5, path, u"0111"_s},   {abandon, Closed, 6, closed, u"1000"_s},
    };
    for (const auto &[step, state, count, label, enabled] : steps) {
        step();
        EXPECT_EQ(document.state(), state);
        EXPECT_EQ(changes, count);
        EXPECT_EQ(document.fileLabel(), label);
        EXPECT_EQ(document.text(), state == Loaded ? u"Il était\r\n"_s : QString());
        EXPECT_EQ(QString::number(document.canOpen()) + QString::number(document.canClose())
                      + QString::number(document.canList()) + QString::number(document.paneEnabled()), enabled)
            << count;
    }
}

// Each outcome of the dialog and of the reading; a failure names the file
// and its reason and leaves the document as it was.
TEST(OpenCommand, EachOutcomeOfTheDialogAndTheReading)
{
    using enum DocumentState;
    using enum TextFileContent::Status;
    const QString path = u"/textes/conte.txt"_s;
    const QString cannotOpen = u"Le fichier « "_s + path + u" » ne peut pas être ouvert.\r\nraison"_s;
    const QString cannotRead = u"Le fichier « "_s + path + u" » ne peut pas être lu.\r\n"_s;
    const QString tooLarge = u"Fichier trop volumineux"_s;
    // Before, the name chosen (empty: cancelled), what reading gives, after,
    // and the message (empty: none).
    const std::tuple<DocumentState, QString, TextFileContent::Status, DocumentState, QString, MessageIcon, QString> cases[] = {
        {Start, {}, Ok, Start, {}, {}, {}},
        {Start, path, Ok, Loaded, {}, {}, {}},
        {Loaded, path, Ok, Loaded, {}, {}, {}}, // no dialog while a text is loaded
        {Start, path, OpenFailed, Start, cannotOpen, MessageIcon::Warning, {}},
        {Closed, path, OpenFailed, Closed, cannotOpen, MessageIcon::Warning, {}},
        {Closed, path, ReadFailed, Closed, cannotRead + u"raison"_s, MessageIcon::Information, u"Lecture impossible"_s},
        {Start, path, TooLarge, Start, cannotRead + u"Mémoire insuffisante pour un texte de cette taille."_s,
         MessageIcon::Information, tooLarge},
    };
    for (const auto &[before, chosen, status, after, prompt, icon, title] : cases) {
        SCOPED_TRACE(int(status) * 10 + int(before));
        TextDocument document;
        if (before != Start)
            document.load(u"/avant.txt"_s, u"avant"_s);
        if (before == Closed)
            document.close();
        ScriptedFileDialogs dialogs;
        ScriptedMessageBox messages;
        RecordingBusyPointer pointer;
        dialogs.setNextFileName(chosen);
        openTextFile(document, dialogs, pointer, messages, [status](const QString &name) {
            return TextFileRead{{status, u"texte de "_s + name, {}, u"raison"_s}, nullptr};
        });
        const bool asked = before != Loaded;
        ASSERT_EQ(dialogs.calls().size(), asked ? 1u : 0u);
        EXPECT_EQ(document.state(), after);
        EXPECT_EQ(document.text(), after != Loaded ? QString() : asked ? u"texte de "_s + path : u"avant"_s);
        const bool read = asked && !chosen.isEmpty();
        const std::vector<MousePointer> busy{MousePointer::Hourglass, MousePointer::Default};
        EXPECT_EQ(pointer.history(), read ? busy : std::vector<MousePointer>{});
        ASSERT_EQ(messages.requests().size(), prompt.isEmpty() ? 0u : 1u);
        if (prompt.isEmpty())
            continue;
        const MessageRequest &message = messages.requests().front();
        EXPECT_EQ(std::tie(message.prompt, message.icon, message.title, message.buttons),
                  std::make_tuple(prompt, icon, title, MessageButtons::Ok));
    }
}
