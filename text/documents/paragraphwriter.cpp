// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/paragraphwriter.h"

#include <algorithm>

namespace lexalon {
namespace {

constexpr char16_t softHyphen = u'\u00AD';

bool isWhiteSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v' || c == u'\u00A0'
        || c == u'\u202F' || c == u'\u2007';
}

} // namespace

void ParagraphWriter::write(QStringView text, bool keepLineBreaks)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (keepLineBreaks && (c == u'\n' || (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')))) {
            breakLine();
        } else if (isWhiteSpace(c)) {
            space();
        } else if (c != softHyphen) {
            if (!m_text.isEmpty()) {
                static constexpr QStringView separators[] = {u"", u" ", u"\n", u"\n\n"};
                m_text += separators[int(m_pending)];
            }
            m_pending = Separator::None;
            m_text += QChar(c);
        }
    }
}

void ParagraphWriter::space()
{
    separate(Separator::Space);
}

void ParagraphWriter::breakLine()
{
    separate(m_pending == Separator::Line ? Separator::Paragraph : Separator::Line);
}

void ParagraphWriter::endParagraph()
{
    separate(Separator::Paragraph);
}

void ParagraphWriter::separate(Separator separator)
{
    m_pending = std::max(m_pending, separator);
}

} // namespace lexalon
