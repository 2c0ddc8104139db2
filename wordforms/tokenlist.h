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

    // A form of up to twenty letters is its own code, six bits a letter, so
    // a lookup compares the slot and reads nothing else. Longer or unusual
    // forms get a code with the top bit set, made from their hash, and are
    // checked against their characters.
    struct FormCode
    {
        std::uint64_t low; // 0 only in a free slot
        std::uint64_t high;
        // Spelled out: the defaulted comparison may become a call to memcmp.
        bool operator==(const FormCode &other) const
        {
            return low == other.low && high == other.high;
        }
    };

    void reserve(qsizetype tokens);
    // Appends a token; the form must already be lower-cased.
    void append(QStringView form);
    // Appends every form of the text, lower-cased, in text order.
    void appendFormsOf(QStringView text);

    qsizetype size() const { return qsizetype(m_tokens.size()); }
    FormId token(qsizetype index) const { return m_tokens[size_t(index)]; }
    QStringView form(FormId id) const;
    qsizetype formCount() const { return qsizetype(m_forms.size()); }

    // Orders the tokens by the rank of their form in the French text order.
    // Equal forms share an id, so a counting sort does it in linear time.
    void sortByForm();

private:
    struct Form
    {
        FormCode code;
        std::uint32_t start; // offset in m_chars
        std::uint32_t length;
    };

    struct Slot
    {
        FormCode code;
        FormId id;
    };

    struct Pending
    {
        FormCode code;
        std::uint32_t start; // in m_form
        std::uint32_t length;
    };

    FormId intern(const FormCode &code, const char16_t *chars, size_t length);
    void internPending(std::vector<Pending> &pending);
    void growTable();

    std::vector<FormId> m_tokens;
    std::vector<char16_t> m_chars; // every distinct form, end to end
    std::vector<Form> m_forms;
    std::vector<Slot> m_table; // open addressing over m_forms
    int m_tableBits;
    std::vector<char16_t> m_form; // the form being read
};

} // namespace lexalon
