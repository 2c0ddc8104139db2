#include "document/textdocument.h"

#include <QString>

#include <gtest/gtest.h>

using namespace lexalon;
using namespace Qt::StringLiterals;

namespace {

struct Commands
{
    bool open;
    bool close;
    bool list;
    bool paneEnabled;
};

Commands commandsOf(const TextDocument &document)
{
    return {document.canOpen(), document.canClose(), document.canList(), document.paneEnabled()};
}

void expectCommands(const TextDocument &document, const Commands &expected)
{
    const Commands actual = commandsOf(document);
    EXPECT_EQ(actual.open, expected.open);
    EXPECT_EQ(actual.close, expected.close);
    EXPECT_EQ(actual.list, expected.list);
    EXPECT_EQ(actual.paneEnabled, expected.paneEnabled);
}

} // namespace

TEST(TextDocument, LoadAndCloseSetTheLabelTextAndCommands)
{
    TextDocument document;
    EXPECT_EQ(document.state(), DocumentState::Start);
    EXPECT_EQ(document.fileLabel(), u"Chargez un fichier texte avec la commande Ouvrir"_s);
    expectCommands(document, {true, false, true, true});

    document.load(u"/textes/conte.txt"_s, u"Il était\r\n"_s);
    EXPECT_EQ(document.state(), DocumentState::Loaded);
    EXPECT_EQ(document.fileLabel(), u"/textes/conte.txt"_s);
    EXPECT_EQ(document.text(), u"Il était\r\n"_s);
    expectCommands(document, {false, true, true, true});

    document.close();
    EXPECT_EQ(document.state(), DocumentState::Closed);
    EXPECT_EQ(document.fileLabel(), u"Chargez un fichier texte avec la commande Ouvrir."_s);
    EXPECT_TRUE(document.text().isEmpty());
    expectCommands(document, {true, false, false, false});

    document.load(u"/b.txt"_s, u"b"_s);
    EXPECT_EQ(document.state(), DocumentState::Loaded);
    EXPECT_EQ(document.fileLabel(), u"/b.txt"_s);
}

TEST(TextDocument, CloseWithoutATextChangesNothing)
{
    TextDocument document;
    int changes = 0;
    QObject::connect(&document, &TextDocument::changed, [&changes] { ++changes; });
    document.close();
    EXPECT_EQ(document.state(), DocumentState::Start);
    EXPECT_EQ(changes, 0);
    document.load(u"/a.txt"_s, u"a"_s);
    document.close();
    EXPECT_EQ(changes, 2);
}

TEST(TextDocument, AnAbandonedLoadGoesBackToTheStateBeforeIt)
{
    TextDocument document;
    int changes = 0;
    QObject::connect(&document, &TextDocument::changed, [&changes] { ++changes; });
    document.load(u"/a.txt"_s, u"a"_s);
    document.abandonLoad();
    EXPECT_EQ(document.state(), DocumentState::Start);
    EXPECT_EQ(document.fileLabel(), u"Chargez un fichier texte avec la commande Ouvrir"_s);
    EXPECT_TRUE(document.text().isEmpty());
    expectCommands(document, {true, false, true, true});

    document.load(u"/a.txt"_s, u"a"_s);
    document.close();
    document.load(u"/b.txt"_s, u"b"_s);
    document.abandonLoad();
    EXPECT_EQ(document.state(), DocumentState::Closed);
    EXPECT_TRUE(document.text().isEmpty());
    expectCommands(document, {true, false, false, false});
    EXPECT_EQ(changes, 6);

    // Nothing loaded, nothing to undo.
    document.abandonLoad();
    EXPECT_EQ(changes, 6);
}
