// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/opencommand.h"
#include "tests/support/scripteddialogs.h"
#include "text/textdocument.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>
#include <vector>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

// Which commands and the pane a document enables.
struct Enabled
{
    bool canOpen, canClose, canList, pane;
    bool operator==(const Enabled &) const = default;
};

void PrintTo(const Enabled &e, std::ostream *out)
{
    *out << std::boolalpha << "{canOpen " << e.canOpen << ", canClose " << e.canClose << ", canList " << e.canList << ", pane " << e.pane << '}';
}

Enabled enabledIn(const TextDocument &document)
{
    return {document.canOpen(), document.canClose(), document.canList(), document.paneEnabled()};
}

} // namespace

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
    const Enabled atStart{.canOpen = true, .canClose = false, .canList = true, .pane = true};
    const Enabled whenLoaded{.canOpen = false, .canClose = true, .canList = true, .pane = true};
    const Enabled whenClosed{.canOpen = true, .canClose = false, .canList = false, .pane = false};
    // After each step: the state, the changes signalled, the label, and what is enabled.
    const struct { const char *step; std::function<void()> run; DocumentState state; int changes; QString label; Enabled enabled; } steps[] = {
        {"new", [] {}, Start, 0, start, atStart},
        {"nothing to close", close, Start, 0, start, atStart},
        {"nothing to undo", abandon, Start, 0, start, atStart},
        {"load", load, Loaded, 1, path, whenLoaded},
        {"load abandoned", abandon, Start, 2, start, atStart},
        {"load again", load, Loaded, 3, path, whenLoaded},
        {"close", close, Closed, 4, closed, whenClosed},
        {"load after closing", load, Loaded, 5, path, whenLoaded},
        {"load after closing abandoned", abandon, Closed, 6, closed, whenClosed},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.step);
        step.run();
        EXPECT_EQ(document.state(), step.state);
        EXPECT_EQ(changes, step.changes);
        EXPECT_EQ(document.fileLabel(), step.label);
        EXPECT_EQ(document.text(), step.state == Loaded ? u"Il était\r\n"_s : QString());
        EXPECT_EQ(enabledIn(document), step.enabled);
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
    // The name chosen (empty: cancelled), what reading gives, and the
    // message (empty prompt: none).
    const struct { const char *name; DocumentState before; QString chosen; TextFileContent::Status status; DocumentState after; QString prompt; MessageIcon icon; QString title; } cases[] = {
        {"cancelled", Start, {}, Ok, Start, {}, {}, {}},
        {"read", Start, path, Ok, Loaded, {}, {}, {}},
        {"no dialog while a text is loaded", Loaded, path, Ok, Loaded, {}, {}, {}},
        {"cannot open", Start, path, OpenFailed, Start, cannotOpen, MessageIcon::Warning, {}},
        {"cannot open once closed", Closed, path, OpenFailed, Closed, cannotOpen, MessageIcon::Warning, {}},
        {"cannot read", Closed, path, ReadFailed, Closed, cannotRead + u"raison"_s, MessageIcon::Information, u"Lecture impossible"_s},
        {"too large", Start, path, TooLarge, Start, cannotRead + u"Mémoire insuffisante pour un texte de cette taille."_s,
         MessageIcon::Information, tooLarge},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        TextDocument document;
        if (c.before != Start)
            document.load(u"/avant.txt"_s, u"avant"_s);
        if (c.before == Closed)
            document.close();
        ScriptedFileDialogs dialogs;
        ScriptedMessageBox messages;
        RecordingBusyPointer pointer;
        dialogs.setNextFileName(c.chosen);
        openTextFile(document, dialogs, pointer, messages, [status = c.status](const QString &name) {
            return TextFileRead{{status, u"texte de "_s + name, {}, u"raison"_s}, nullptr};
        });
        const bool asked = c.before != Loaded;
        ASSERT_EQ(dialogs.calls().size(), asked ? 1u : 0u);
        EXPECT_EQ(document.state(), c.after);
        EXPECT_EQ(document.text(), c.after != Loaded ? QString() : asked ? u"texte de "_s + path : u"avant"_s);
        const bool read = asked && !c.chosen.isEmpty();
        const std::vector<MousePointer> busy{MousePointer::Hourglass, MousePointer::Default};
        EXPECT_EQ(pointer.history(), read ? busy : std::vector<MousePointer>{});
        ASSERT_EQ(messages.requests().size(), c.prompt.isEmpty() ? 0u : 1u);
        if (c.prompt.isEmpty())
            continue;
        const MessageRequest &message = messages.requests().front();
        EXPECT_EQ(std::tie(message.prompt, message.icon, message.title, message.buttons),
                  std::make_tuple(c.prompt, c.icon, c.title, MessageButtons::Ok));
    }
}
