#include "document/opencommand.h"
#include "document/textdocument.h"
#include "tests/support/scripteddialogs.h"

#include <gtest/gtest.h>

#include <functional>
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
    const struct
    {
        std::function<void()> step;
        DocumentState state;
        int changes;
        QString label;
        bool open, close, list, pane;
    } steps[] = {
        {[] {}, Start, 0, start, true, false, true, true},
        {close, Start, 0, start, true, false, true, true},   // nothing to close
        {abandon, Start, 0, start, true, false, true, true}, // nothing to undo
        {load, Loaded, 1, path, false, true, true, true},
        {abandon, Start, 2, start, true, false, true, true},
        {load, Loaded, 3, path, false, true, true, true},
        {close, Closed, 4, closed, true, false, false, false},
        {load, Loaded, 5, path, false, true, true, true},
        {abandon, Closed, 6, closed, true, false, false, false},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        steps[i].step();
        EXPECT_EQ(document.state(), steps[i].state);
        EXPECT_EQ(changes, steps[i].changes);
        EXPECT_EQ(document.fileLabel(), steps[i].label);
        EXPECT_EQ(document.text(), steps[i].state == Loaded ? u"Il était\r\n"_s : QString());
        EXPECT_EQ(document.canOpen(), steps[i].open);
        EXPECT_EQ(document.canClose(), steps[i].close);
        EXPECT_EQ(document.canList(), steps[i].list);
        EXPECT_EQ(document.paneEnabled(), steps[i].pane);
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
    const struct
    {
        DocumentState before;
        QString chosen; // empty: cancelled
        TextFileContent::Status status;
        DocumentState after;
        QString prompt; // empty: no message
        MessageIcon icon;
        QString title;
    } cases[] = {
        {Start, {}, Ok, Start, {}, {}, {}},
        {Start, path, Ok, Loaded, {}, {}, {}},
        {Loaded, path, Ok, Loaded, {}, {}, {}}, // no dialog while a text is loaded
        {Start, path, OpenFailed, Start, cannotOpen, MessageIcon::Warning, {}},
        {Closed, path, OpenFailed, Closed, cannotOpen, MessageIcon::Warning, {}},
        {Closed, path, ReadFailed, Closed, cannotRead + u"raison"_s, MessageIcon::Information, tooLarge},
        {Start, path, TooLarge, Start, cannotRead + u"Mémoire insuffisante pour un texte de cette taille."_s,
         MessageIcon::Information, tooLarge},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(int(row.status) * 10 + int(row.before));
        TextDocument document;
        if (row.before != Start)
            document.load(u"/avant.txt"_s, u"avant"_s);
        if (row.before == Closed)
            document.close();
        ScriptedFileDialogs dialogs;
        ScriptedMessageBox messages;
        RecordingBusyPointer pointer;
        dialogs.setNextFileName(row.chosen);
        openTextFile(document, dialogs, pointer, messages, [&row](const QString &chosen) {
            TextFileContent content;
            content.status = row.status;
            content.text = u"texte de "_s + chosen;
            content.errorString = u"raison"_s;
            return content;
        });

        const bool asked = row.before != Loaded;
        ASSERT_EQ(dialogs.calls().size(), asked ? 1u : 0u);
        EXPECT_EQ(document.state(), row.after);
        EXPECT_EQ(document.text(), row.after != Loaded ? QString() : asked ? u"texte de "_s + path : u"avant"_s);
        const bool read = asked && !row.chosen.isEmpty();
        const std::vector<MousePointer> busy{MousePointer::Hourglass, MousePointer::Default};
        EXPECT_EQ(pointer.history(), read ? busy : std::vector<MousePointer>{});
        ASSERT_EQ(messages.requests().size(), row.prompt.isEmpty() ? 0u : 1u);
        if (row.prompt.isEmpty())
            continue;
        const MessageRequest &message = messages.requests().front();
        EXPECT_EQ(message.prompt, row.prompt);
        EXPECT_EQ(message.icon, row.icon);
        EXPECT_EQ(message.title, row.title);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
}
