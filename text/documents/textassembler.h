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
class TextAssembler
{
public:
    enum class Spaces {
        Kept,     // as the document has them (Word's runs)
        Collapsed // any run of white space is one space, none at a paragraph's ends (XML, OpenDocument)
    };
    enum class Notes { AfterParagraph, AtEnd };

    TextAssembler(Spaces spaces, Notes notes);

    void addText(QStringView text);
    // A tab or a line break inside the paragraph.
    void addSeparator(QChar separator);
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

    Spaces m_spaces;
    Notes m_notes;
    std::vector<Level> m_levels; // the text, then each note being read inside it
    QStringList m_waitingNotes;
};

} // namespace lexalon
