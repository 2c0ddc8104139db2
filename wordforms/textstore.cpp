// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/textstore.h"

#include <algorithm>
#include <iterator>

namespace lexalon {

TextStore::TextStore()
    : m_starts{0}
{
}

TextStore::Index TextStore::append(QStringView text)
{
    std::copy(text.utf16(), text.utf16() + text.size(), openText(size_t(text.size())));
    return closeText();
}

TextStore::Index TextStore::append(const TextStore &other)
{
    const Index first = Index(size());
    const std::uint32_t shift = m_starts.back();
    m_chars.insert(m_chars.end(), other.m_chars.begin(), other.m_chars.end());
    m_starts.reserve(m_starts.size() + other.m_starts.size() - 1);
    std::transform(other.m_starts.begin() + 1, other.m_starts.end(), std::back_inserter(m_starts),
                   [shift](std::uint32_t start) { return start + shift; });
    return first;
}

void TextStore::reserve(qsizetype texts, qsizetype codeUnits)
{
    m_starts.reserve(m_starts.size() + size_t(texts));
    m_chars.reserve(m_chars.size() + size_t(codeUnits));
}

char16_t *TextStore::openText(size_t length)
{
    const size_t start = m_starts.back();
    if (start + length > m_chars.capacity())
        m_chars.reserve(std::max(start + length, 2 * m_chars.capacity()));
    m_chars.resize(start + length);
    return m_chars.data() + start;
}

TextStore::Index TextStore::closeText()
{
    m_starts.push_back(std::uint32_t(m_chars.size()));
    return Index(size() - 1);
}

void TextStore::dropOpenText()
{
    m_chars.resize(m_starts.back());
}

} // namespace lexalon
