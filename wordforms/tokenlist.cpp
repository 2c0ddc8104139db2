#include "wordforms/tokenlist.h"

#include "wordforms/letters.h"
#include "wordforms/textorder.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <array>
#include <cstring>
#include <limits>
#include <numeric>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define LEXALON_SSE2
#endif

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

// The text is read in chunks small enough to stay in the first-level cache.
constexpr size_t chunkUnits = 4096; // a multiple of 64

void foldUnits(const char16_t *source, size_t count, char16_t *out, std::uint64_t *letters,
               size_t first)
{
    for (size_t i = first; i < first + count; ++i) {
        const char16_t f = foldTable[source[i]];
        out[i] = f;
        if (f != 0)
            letters[i / 64] |= std::uint64_t(1) << (i % 64);
    }
}

// Writes the folded letters of a chunk (0 for each separator) and one bit a
// unit, set for letters. Eight units at a time where the processor allows.
void foldChunk(const char16_t *source, size_t count, char16_t *out, std::uint64_t *letters)
{
    std::fill_n(letters, (count + 63) / 64, std::uint64_t(0));
    size_t i = 0;
#if defined(LEXALON_SSE2)
    const __m128i zero = _mm_setzero_si128();
    const __m128i highByte = _mm_set1_epi16(short(0xFF00));
    const __m128i caseBit = _mm_set1_epi16(0x20);
    for (; i + 8 <= count; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(v, highByte), zero)) != 0xFFFF) {
            // Beyond Latin-1: the table knows the few letters there.
            foldUnits(source, 8, out, letters, i);
            continue;
        }
        // Every unit is below 0x100 here, so signed comparisons are exact.
        const __m128i upper = _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x40)),
                                            _mm_cmpgt_epi16(_mm_set1_epi16(0x5B), v));
        const __m128i lower = _mm_and_si128(_mm_cmpgt_epi16(v, _mm_set1_epi16(0x60)),
                                            _mm_cmpgt_epi16(_mm_set1_epi16(0x7B), v));
        const __m128i notSigns = _mm_or_si128(_mm_cmpeq_epi16(v, _mm_set1_epi16(0xD7)),
                                              _mm_cmpeq_epi16(v, _mm_set1_epi16(0xF7)));
        const __m128i latin = _mm_andnot_si128(notSigns, _mm_cmpgt_epi16(v, _mm_set1_epi16(0xBF)));
        const __m128i latinUpper = _mm_and_si128(latin, _mm_cmpgt_epi16(_mm_set1_epi16(0xDF), v));
        const __m128i letter = _mm_or_si128(_mm_or_si128(upper, lower), latin);
        const __m128i folded = _mm_add_epi16(_mm_and_si128(v, letter),
                                             _mm_and_si128(_mm_or_si128(upper, latinUpper), caseBit));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), folded);
        const auto bits = std::uint64_t(_mm_movemask_epi8(_mm_packs_epi16(letter, zero)) & 0xFF);
        letters[i / 64] |= bits << (i % 64);
    }
#endif
    foldUnits(source, count - i, out, letters, i);
}

// The first position from `from` whose bit is `set`, or `count` if none.
size_t nextBit(const std::uint64_t *letters, size_t from, size_t count, bool set)
{
    if (from >= count)
        return count;
    const std::uint64_t flip = set ? 0 : ~std::uint64_t(0);
    size_t word = from / 64;
    std::uint64_t bits = (letters[word] ^ flip) & (~std::uint64_t(0) << (from % 64));
    const size_t words = (count + 63) / 64;
    while (bits == 0) {
        if (++word == words)
            return count;
        bits = letters[word] ^ flip;
    }
    return std::min(count, word * 64 + size_t(std::countr_zero(bits)));
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
    m_tokens.push_back(intern(m_form.data(), size_t(form.size())));
}

void TokenList::appendFormsOf(QStringView text)
{
    std::array<std::uint64_t, chunkUnits / 64> letters;
    const char16_t *source = text.utf16();
    auto remaining = size_t(text.size());
    size_t carried = 0; // units of a form still open at the start of m_form

    while (remaining > 0) {
        const size_t n = std::min(remaining, chunkUnits);
        if (carried + chunkUnits + padding > m_form.size())
            m_form.resize(2 * (carried + chunkUnits + padding));
        foldChunk(source, n, m_form.data() + carried, letters.data());

        // Chunk position i stands at m_form[carried + i].
        bool inForm = carried > 0;
        size_t start = 0;
        size_t i = 0;
        for (;;) {
            if (inForm) {
                const size_t end = nextBit(letters.data(), i, n, false);
                if (end == n)
                    break;
                m_tokens.push_back(intern(m_form.data() + start, carried + end - start));
                inForm = false;
                i = end;
            }
            i = nextBit(letters.data(), i, n, true);
            if (i == n)
                break;
            inForm = true;
            start = carried + i;
        }

        if (inForm) {
            carried = carried + n - start;
            if (start > 0)
                std::memmove(m_form.data(), m_form.data() + start, carried * sizeof(char16_t));
        } else {
            carried = 0;
        }
        source += n;
        remaining -= n;
    }
    if (carried > 0)
        m_tokens.push_back(intern(m_form.data(), carried));
}

QStringView TokenList::form(FormId id) const
{
    const Form &f = m_forms[id];
    return QStringView(m_chars.data() + f.start, qsizetype(f.length));
}

TokenList::FormId TokenList::intern(const char16_t *chars, size_t length)
{
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
    struct Entry
    {
        SortKeys::Key key;
        FormId id;
    };
    SortKeys keys(TextOrder::french());
    std::vector<Entry> entries;
    entries.reserve(m_forms.size());
    for (FormId id = 0; id < FormId(m_forms.size()); ++id)
        entries.push_back({keys.add(form(id)), id});
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        return keys.compare(a.key, form(a.id), b.key, form(b.id)) < 0;
    });

    // The sorted list is each form repeated as often as it is attested.
    std::vector<qsizetype> counts(m_forms.size(), 0);
    for (FormId id : m_tokens)
        ++counts[id];
    auto out = m_tokens.begin();
    for (const Entry &entry : entries)
        out = std::fill_n(out, counts[entry.id], entry.id);
}

} // namespace lexalon
