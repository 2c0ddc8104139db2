#include "wordforms/tokenlist.h"

#include "wordforms/letters.h"
#include "wordforms/textorder.h"

#include <QCollatorSortKey>
#include <QString>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>

namespace lexalon {

namespace {

constexpr TokenList::FormId emptySlot = std::numeric_limits<TokenList::FormId>::max();
constexpr size_t initialTableSize = 1024; // a power of two

// Each UTF-16 code unit's folded letter, or 0 for a separator: one load per
// character, no comparison. Only the few lines of the table that a text
// uses stay in the cache.
constexpr size_t codeUnits = 0x10000;

constexpr std::array<char16_t, codeUnits> makeFoldTable()
{
    std::array<char16_t, codeUnits> table{};
    for (size_t c = 0; c < codeUnits; ++c)
        table[c] = isLetter(char16_t(c)) ? foldLetter(char16_t(c)) : char16_t(0);
    return table;
}

constexpr std::array<char16_t, codeUnits> foldTable = makeFoldTable();

// Most forms fit in eight code units: those are hashed and compared as two
// machine words, without a loop whose length the processor cannot predict.
constexpr size_t shortForm = 8;
constexpr size_t padding = shortForm;

// The first eight units of a form, zero past its end. The buffer must be
// readable for eight units, as the padded buffers here are.
inline TokenList::Head headOf(const char16_t *p, size_t length)
{
    static constexpr auto masks = [] {
        std::array<std::uint64_t, 5> m{};
        for (size_t units = 0; units <= 4; ++units)
            m[units] = units == 4 ? ~std::uint64_t(0) : (std::uint64_t(1) << (16 * units)) - 1;
        return m;
    }();
    TokenList::Head head;
    std::memcpy(&head, p, sizeof head);
    head.low &= masks[std::min<size_t>(length, 4)];
    head.high &= masks[length > 4 ? std::min<size_t>(length - 4, 4) : 0];
    return head;
}

std::uint64_t mix(std::uint64_t h, std::uint64_t word)
{
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 32);
}

std::uint64_t hashForm(const char16_t *p, size_t length, const TokenList::Head &head)
{
    std::uint64_t h = mix(mix(0x9E3779B97F4A7C15ull ^ length, head.low), head.high);
    for (size_t i = shortForm; i < length; ++i)
        h = mix(h, p[i]);
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
}

} // namespace

TokenList::TokenList()
    : m_table(initialTableSize, Slot{{0, 0}, emptySlot, 0})
    , m_mask(initialTableSize - 1)
    , m_form(256 + padding)
{
}

void TokenList::reserve(qsizetype tokens)
{
    m_tokens.reserve(size_t(std::max<qsizetype>(tokens, 0)));
}

void TokenList::append(QStringView form)
{
    if (size_t(form.size()) + padding > m_form.size())
        m_form.resize(size_t(form.size()) + padding);
    std::copy(form.utf16(), form.utf16() + form.size(), m_form.begin());
    m_tokens.push_back(intern(size_t(form.size())));
}

void TokenList::appendFormsOf(QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *const end = p + text.size();
    for (;;) {
        while (p != end && foldTable[*p] == 0)
            ++p;
        const char16_t *const start = p;
        while (p != end && foldTable[*p] != 0)
            ++p;
        const auto length = size_t(p - start);
        if (length == 0)
            return;
        if (length + padding > m_form.size())
            m_form.resize(length + padding);
        for (size_t i = 0; i < length; ++i)
            m_form[i] = foldTable[start[i]];
        m_tokens.push_back(intern(length));
    }
}

QStringView TokenList::form(FormId id) const
{
    const Form &f = m_forms[id];
    return QStringView(m_chars.data() + f.start, qsizetype(f.length));
}

TokenList::FormId TokenList::intern(size_t length)
{
    const char16_t *const chars = m_form.data();
    const Head head = headOf(chars, length);
    const std::uint64_t hash = hashForm(chars, length, head);
    std::uint64_t slot = hash & m_mask;
    for (;; slot = (slot + 1) & m_mask) {
        const Slot &candidate = m_table[slot];
        if (candidate.id == emptySlot)
            break;
        if (candidate.length == length && candidate.head == head
            && (length <= shortForm
                || std::equal(chars + shortForm, chars + length,
                              m_chars.data() + m_forms[candidate.id].start + shortForm)))
            return candidate.id;
    }

    const auto id = FormId(m_forms.size());
    m_forms.push_back({hash, std::uint32_t(m_chars.size()), std::uint32_t(length)});
    m_chars.insert(m_chars.end(), chars, chars + length);
    m_chars.insert(m_chars.end(), padding, char16_t(0));
    m_table[slot] = {head, id, std::uint32_t(length)};
    // Keep the table at most half full.
    if (m_forms.size() * 2 > m_table.size())
        growTable();
    return id;
}

void TokenList::growTable()
{
    m_table.assign(m_table.size() * 2, Slot{{0, 0}, emptySlot, 0});
    m_mask = m_table.size() - 1;
    for (FormId id = 0; id < FormId(m_forms.size()); ++id) {
        const Form &f = m_forms[id];
        std::uint64_t slot = f.hash & m_mask;
        while (m_table[slot].id != emptySlot)
            slot = (slot + 1) & m_mask;
        m_table[slot] = {headOf(m_chars.data() + f.start, f.length), id, f.length};
    }
}

void TokenList::sortByForm()
{
    const TextOrder order;
    std::vector<QCollatorSortKey> keys;
    std::vector<QString> texts;
    keys.reserve(m_forms.size());
    texts.reserve(m_forms.size());
    for (FormId id = 0; id < FormId(m_forms.size()); ++id) {
        texts.push_back(form(id).toString());
        keys.push_back(order.sortKey(texts.back()));
    }

    std::vector<FormId> byRank(m_forms.size());
    std::iota(byRank.begin(), byRank.end(), FormId(0));
    std::sort(byRank.begin(), byRank.end(), [&](FormId a, FormId b) {
        const int c = keys[a].compare(keys[b]);
        if (c != 0)
            return c < 0;
        return QStringView(texts[a]).compare(QStringView(texts[b])) < 0;
    });

    // The sorted list is each form repeated as often as it is attested.
    std::vector<qsizetype> counts(m_forms.size(), 0);
    for (FormId id : m_tokens)
        ++counts[id];
    auto out = m_tokens.begin();
    for (FormId id : byRank)
        out = std::fill_n(out, counts[id], id);
}

} // namespace lexalon
