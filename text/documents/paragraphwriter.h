// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <utility>

namespace lexalon {

// Gathers a document's text as paragraphs separated by a blank line and lines
// by a line break. Separators asked for are written only before the next
// visible character, the strongest of them once: no space at a line's ends,
// no empty paragraph. Soft hyphens are dropped; no-break spaces, tabs and
// other white space are spaces.
class ParagraphWriter
{
public:
    // Text whose white space runs are one space; with keepLineBreaks, a line
    // feed (or a lone carriage return) ends the line as breakLine does.
    void write(QStringView text, bool keepLineBreaks = false);
    void space();
    // Ends the line; a line ended when empty ends the paragraph.
    void breakLine();
    void endParagraph();

    QString take() { return std::move(m_text); }

private:
    enum class Separator { None, Space, Line, Paragraph };

    void separate(Separator separator);

    QString m_text;
    Separator m_pending = Separator::None;
};

} // namespace lexalon
