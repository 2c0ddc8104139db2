#include "wordforms/tokenlist.h"

#include "wordforms/textorder.h"

#include <QCollatorSortKey>
#include <QString>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

namespace lexalon {

namespace {

constexpr TokenList::FormId emptySlot = std::numeric_limits<TokenList::FormId>::max();
constexpr size_t initialTableSize = 1024; // a power of two

// Forms are short: hash them eight bytes at a time with a multiply-xor mix.
std::uint64_t hashForm(QStringView form)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(form.utf16());
    size_t remaining = size_t(form.size()) * sizeof(char16_t);
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ remaining;
    while (remaining >= 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
        bytes += 8;
        remaining -= 8;
    }
    if (remaining > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, remaining);
        h = (h ^ word) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
}

} // namespace

TokenList::TokenList()
    : m_table(initialTableSize, emptySlot)
    , m_mask(initialTableSize - 1)
{
}

void TokenList::reserve(qsizetype tokens)
{
    m_tokens.reserve(size_t(std::max<qsizetype>(tokens, 0)));
}

void TokenList::append(QStringView form)
{
    m_tokens.push_back(intern(form));
}

QStringView TokenList::form(FormId id) const
{
    const Form &f = m_forms[id];
    return QStringView(m_chars.data() + f.start, qsizetype(f.length));
}

TokenList::FormId TokenList::intern(QStringView form)
{
    const std::uint64_t hash = hashForm(form);
    for (std::uint64_t slot = hash & m_mask;; slot = (slot + 1) & m_mask) {
        const FormId id = m_table[slot];
        if (id == emptySlot)
            break;
        Form &f = m_forms[id];
        if (f.hash == hash && f.length == size_t(form.size())
            && std::memcmp(m_chars.data() + f.start, form.utf16(), f.length * sizeof(char16_t)) == 0) {
            ++f.count;
            return id;
        }
    }

    const auto id = FormId(m_forms.size());
    m_forms.push_back({hash, std::uint32_t(m_chars.size()), std::uint32_t(form.size()), 1});
    m_chars.insert(m_chars.end(), form.utf16(), form.utf16() + form.size());
    // Keep the table at most half full.
    if (m_forms.size() * 2 > m_table.size())
        growTable();
    else {
        std::uint64_t slot = hash & m_mask;
        while (m_table[slot] != emptySlot)
            slot = (slot + 1) & m_mask;
        m_table[slot] = id;
    }
    return id;
}

void TokenList::growTable()
{
    m_table.assign(m_table.size() * 2, emptySlot);
    m_mask = m_table.size() - 1;
    for (FormId id = 0; id < FormId(m_forms.size()); ++id) {
        std::uint64_t slot = m_forms[id].hash & m_mask;
        while (m_table[slot] != emptySlot)
            slot = (slot + 1) & m_mask;
        m_table[slot] = id;
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
    auto out = m_tokens.begin();
    for (FormId id : byRank)
        out = std::fill_n(out, m_forms[id].count, id);
}

} // namespace lexalon
