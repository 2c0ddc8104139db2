#pragma once

#include <QStringView>
#include <QtGlobal>

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

    void reserve(qsizetype tokens);
    // Appends a token; the form must already be lower-cased.
    void append(QStringView form);

    qsizetype size() const { return qsizetype(m_tokens.size()); }
    FormId token(qsizetype index) const { return m_tokens[size_t(index)]; }
    QStringView form(FormId id) const;
    qsizetype formCount() const { return qsizetype(m_forms.size()); }
    // Attestations of a form among the tokens.
    qint64 count(FormId id) const { return m_forms[id].count; }

    // Orders the tokens by the rank of their form in the French text order.
    // Equal forms share an id, so a counting sort does it in linear time.
    void sortByForm();

private:
    struct Form
    {
        std::uint64_t hash;
        std::uint32_t start; // offset in m_chars
        std::uint32_t length;
        qint64 count;
    };

    FormId intern(QStringView form);
    void growTable();

    std::vector<FormId> m_tokens;
    std::vector<char16_t> m_chars; // every distinct form, end to end
    std::vector<Form> m_forms;
    std::vector<FormId> m_table; // open addressing over m_forms
    std::uint64_t m_mask;
};

} // namespace lexalon
