// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/textassembler.h"

#include <utility>

namespace lexalon {

namespace {

bool isNoBreakSpace(QChar c)
{
    return c == u'\u00A0' || c == u'\u202F' || c == u'\u2007';
}

bool isWhiteSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

} // namespace

TextAssembler::TextAssembler(Spaces spaces, Notes notes) : m_spaces(spaces), m_notes(notes), m_levels(1)
{
}

void TextAssembler::addSpace(Level &level)
{
    if (m_spaces == Spaces::Kept || !level.afterSpace)
        level.paragraph += u' ';
    level.afterSpace = true;
}

void TextAssembler::addText(QStringView text)
{
    Level &level = m_levels.back();
    for (const QChar c : text) {
        if (c == u'\u00AD')
            continue;
        if (isNoBreakSpace(c) || (m_spaces == Spaces::Collapsed && isWhiteSpace(c))) {
            addSpace(level);
        } else {
            level.paragraph += c;
            level.afterSpace = false;
        }
    }
}

void TextAssembler::addLines(QStringView text)
{
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        addText(text.sliced(start, i - start));
        breakLine();
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    addText(text.sliced(start));
}

void TextAssembler::addTab()
{
    addSeparator(u'\t');
}

void TextAssembler::breakLine()
{
    const QString &paragraph = m_levels.back().paragraph;
    if (paragraph.endsWith(u'\n'))
        endParagraph();
    else if (!paragraph.isEmpty())
        addSeparator(u'\n');
}

void TextAssembler::addSeparator(QChar separator)
{
    Level &level = m_levels.back();
    if (m_spaces == Spaces::Collapsed && level.paragraph.endsWith(u' '))
        level.paragraph.chop(1);
    level.paragraph += separator;
    level.afterSpace = true;
}

void TextAssembler::addSpaces(qsizetype count)
{
    Level &level = m_levels.back();
    level.paragraph += QString(count, u' ');
    level.afterSpace = true;
}

void TextAssembler::endParagraph()
{
    Level &level = m_levels.back();
    QString paragraph = std::exchange(level.paragraph, {});
    level.afterSpace = true;
    if (m_spaces == Spaces::Collapsed)
        paragraph = paragraph.trimmed();
    if (!paragraph.trimmed().isEmpty())
        level.paragraphs.append(paragraph);
    if (m_levels.size() == 1 && m_notes == Notes::AfterParagraph)
        level.paragraphs.append(std::exchange(m_waitingNotes, {}));
}

void TextAssembler::beginNote()
{
    m_levels.emplace_back();
}

void TextAssembler::endNote()
{
    if (m_levels.size() == 1)
        return;
    endParagraph();
    m_waitingNotes.append(m_levels.back().paragraphs);
    m_levels.pop_back();
}

QString TextAssembler::finish()
{
    while (m_levels.size() > 1)
        endNote();
    endParagraph();
    m_levels.back().paragraphs.append(std::exchange(m_waitingNotes, {}));
    return m_levels.back().paragraphs.join(u"\n\n").normalized(QString::NormalizationForm_C);
}

} // namespace lexalon
