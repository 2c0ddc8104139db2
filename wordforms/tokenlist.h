#pragma once

#include <QStringView>
#include <QtTypes>

#include <cstdint>
#include <vector>

namespace lexalon {

// The token list: every form of the text in text order, then sorted. A token
// is the id of an interned form, so a text of millions of tokens costs four
// bytes a token, not a string.
class TokenList
{
public:
    using FormId = std::uint32_t;

    TokenList();

    // Appends a token; the form must already be lower-cased.
    void append(QStringView form);

    qsizetype size() const { return qsizetype(m_tokens.size()); }
    FormId token(qsizetype index) const { return m_tokens[size_t(index)]; }
    QStringView form(FormId id) const;
    qsizetype formCount() const { return qsizetype(m_formStart.size()); }

    // Orders the tokens by the rank of their form in the text order; a
    // counting sort, linear in the tokens.
    void sortByForm();

private:
    FormId intern(QStringView form, std::uint64_t hash);
    void growTable();

    std::vector<FormId> m_tokens;
    std::vector<char16_t> m_chars;         // every distinct form, end to end
    std::vector<std::uint32_t> m_formStart; // offset of each form in m_chars
    std::vector<std::uint32_t> m_formLength;
    std::vector<std::uint64_t> m_formHash;
    std::vector<FormId> m_table;           // open addressing; emptySlot when free
};

} // namespace lexalon
