// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace lexalon {

// Builds a document's text from its pieces, paragraph by paragraph: soft
// hyphens go, no-break spaces become spaces, blank paragraphs are dropped,
// and notes are set aside to come after their paragraph or at the end.
// Every reader of documents writes through it, so that all give their text
// alike.
class TextAssembler
{
public:
    enum class Spaces {
        Kept,     // as the document has them (Word's runs)
        Collapsed // any run of white space is one space, none at a line's ends (the other documents)
    };
    enum class Notes { AfterParagraph, AtEnd };

    explicit TextAssembler(Spaces spaces = Spaces::Collapsed, Notes notes = Notes::AtEnd);

    void addText(QStringView text);
    // Text whose line feeds (or lone carriage returns) each break the line, as in <pre>.
    void addLines(QStringView text);
    void addTab();
    // Ends the line; a line ended when empty ends the paragraph, so that
    // breaks in a row leave one blank line, not several.
    void breakLine();
    // Spaces kept as they are, however the rest is spaced.
    void addSpaces(qsizetype count);
    void endParagraph();

    // What comes between these two is a note: its paragraphs wait for the
    // end of the paragraph around it, or of the text.
    void beginNote();
    void endNote();

    // Paragraphs separated by a blank line, composed to NFC.
    QString finish();

private:
    struct Level
    {
        QString paragraph;
        QStringList paragraphs;
        bool afterSpace = true;
    };

    void addSpace(Level &level);
    void addSeparator(QChar separator);

    Spaces m_spaces;
    Notes m_notes;
    std::vector<Level> m_levels; // the text, then each note being read inside it
    QStringList m_waitingNotes;
};

} // namespace lexalon
