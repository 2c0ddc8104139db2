#include "document/lineindex.h"

#include <algorithm>

namespace lexalon {

LineIndex::LineIndex(const QString &text)
    : m_text(text)
{
    m_starts.push_back(0);
    const char16_t *const chars = QStringView(m_text).utf16();
    const qsizetype size = m_text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        // Every character above CR is a character of the line: one test for
        // nearly all of them.
        if (c > u'\r')
            continue;
        if (c == u'\n') {
            m_starts.push_back(i + 1);
        } else if (c == u'\r') {
            if (i + 1 < size && chars[i + 1] == u'\n')
                ++i;
            m_starts.push_back(i + 1);
        }
    }
}

TextRange LineIndex::line(qsizetype line) const
{
    const qsizetype begin = m_starts[size_t(line)];
    if (line + 1 == lineCount())
        return {begin, m_text.size()};
    const qsizetype next = m_starts[size_t(line + 1)];
    const bool crLf = next - begin >= 2 && m_text[next - 1] == u'\n' && m_text[next - 2] == u'\r';
    return {begin, next - (crLf ? 2 : 1)};
}

qsizetype LineIndex::lineEnd(qsizetype line) const
{
    return line + 1 == lineCount() ? m_text.size() : m_starts[size_t(line + 1)];
}

qsizetype LineIndex::lineOf(qsizetype position) const
{
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), position);
    return qsizetype(after - m_starts.begin()) - 1;
}

} // namespace lexalon
