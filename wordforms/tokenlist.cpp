// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/tokenlist.h"

#include "platform/interaction/taskprogress.h"
#include "wordforms/letters.h"
#include "wordforms/textorder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <new>
#include <numeric>
#include <utility>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define LEXALON_SSE2
#endif

namespace lexalon {

namespace {

constexpr int initialTableBits = 10;
// The table grows past five eighths full: short probes, and four to eight
// bytes of table a form.
constexpr size_t loadNumerator = 5;
constexpr size_t loadDenominator = 8;

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

// The lower-case letters of a form, numbered from 1 in six bits.
constexpr std::array<std::uint8_t, 0x180> makeLetterCodes()
{
    std::array<std::uint8_t, 0x180> codes{};
    std::uint8_t next = 1;
    for (size_t c = 0; c < codes.size(); ++c) {
        if (isLetter(char16_t(c)) && foldLetter(char16_t(c)) == c)
            codes[c] = next++;
    }
    return codes;
}

constexpr auto letterCodes = makeLetterCodes();
static_assert(*std::max_element(letterCodes.begin(), letterCodes.end()) < 64);

constexpr size_t lettersPerWord = 10;
constexpr size_t lettersPerCode = 2 * lettersPerWord;
constexpr std::uint64_t hashedCode = std::uint64_t(1) << 63;

TokenList::FormCode hashedFormCode(const char16_t *chars, size_t length)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    for (size_t i = 0; i < length; ++i) {
        h = (h ^ chars[i]) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    return {hashedCode | (h >> 1), 0};
}

// The code of a form the scan folded: every unit is a form letter.
inline TokenList::FormCode foldedFormCode(const char16_t *chars, size_t length)
{
    if (length > lettersPerCode)
        return hashedFormCode(chars, length);
    const size_t lowLetters = std::min(length, lettersPerWord);
    TokenList::FormCode code{0, 0};
    for (size_t i = 0; i < lowLetters; ++i)
        code.low = code.low << 6 | letterCodes[chars[i]];
    for (size_t i = lowLetters; i < length; ++i)
        code.high = code.high << 6 | letterCodes[chars[i]];
    return code;
}

// The same for a form in the scan's chunk, which is followed by at least ten
// units, each a folded letter or 0: a short form's code is then made without
// a branch on its length, which varies too much to be guessed.
inline TokenList::FormCode scannedFormCode(const char16_t *chars, size_t length)
{
    if (length > lettersPerWord)
        return foldedFormCode(chars, length);
    // Ten letters placed as if the form had ten, those past its end 0, then
    // shifted down to its length.
    std::uint64_t full = 0;
#if defined(__GNUC__)
#pragma GCC unroll 10
#endif
    for (size_t i = 0; i < lettersPerWord; ++i) {
        const auto inside = char16_t(0u - unsigned(i < length));
        full |= std::uint64_t(letterCodes[chars[i] & inside]) << (6 * (lettersPerWord - 1 - i));
    }
    return {full >> (6 * (lettersPerWord - length)), 0};
}

// The code of any form: one holding a character that is not a form letter,
// or none at all, is hashed.
TokenList::FormCode formCode(const char16_t *chars, size_t length)
{
    const bool formLetters = std::all_of(chars, chars + length, [](char16_t c) {
        return c < letterCodes.size() && letterCodes[c] != 0;
    });
    return length != 0 && formLetters ? foldedFormCode(chars, length)
                                      : hashedFormCode(chars, length);
}

void prefetch(const void *address)
{
#if defined(LEXALON_SSE2)
    _mm_prefetch(static_cast<const char *>(address), _MM_HINT_T0);
#else
    static_cast<void>(address);
#endif
}

// A plain loop: a call to memcmp costs more than these few units.
bool sameChars(const char16_t *a, const char16_t *b, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return false;
    }
    return true;
}

// The table's slot of a form is the top bits of its hash; the other bits
// spare most character comparisons.
std::uint32_t hashOf(const TokenList::FormCode &code)
{
    const std::uint64_t mixed = (code.low ^ (code.high * 0xC2B2AE3D27D4EB4Full)) * 0x9E3779B97F4A7C15ull;
    return std::uint32_t(mixed >> 32);
}

size_t slotOf(std::uint32_t hash, int tableBits)
{
    return size_t(hash >> (32 - tableBits));
}

// The text is read in chunks small enough to stay in the first-level cache.
constexpr size_t chunkUnits = 4096; // a multiple of 64
// A million characters between two reports of progress: some milliseconds.
constexpr size_t chunksPerReport = 256;

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

// How the scan reads a text's units: UTF-16 as they are, or bytes through
// a table of their folded letters.
struct Utf16Units
{
    using Unit = char16_t;

    void fold(const char16_t *source, size_t count, char16_t *out, std::uint64_t *letters) const
    {
        foldChunk(source, count, out, letters);
    }
    char16_t operator()(char16_t unit) const { return foldTable[unit]; }
};

struct ByteUnits
{
    using Unit = unsigned char;

    explicit ByteUnits(const std::array<char16_t, 256> &characters)
    {
        for (size_t byte = 0; byte < folded.size(); ++byte) {
            folded[byte] = foldTable[characters[byte]];
            asciiAsItIs = asciiAsItIs && (byte >= 0x80 || characters[byte] == byte);
        }
    }

    // Sixteen ASCII bytes at a time where the processor allows, each other
    // byte through the table; each gives its bit without a branch.
    void fold(const unsigned char *source, size_t count, char16_t *out, std::uint64_t *letters) const
    {
        for (size_t word = 0; word * 64 < count; ++word) {
            const size_t first = word * 64;
            const size_t last = std::min(count, first + 64);
            std::uint64_t bits = 0;
            size_t i = first;
#if defined(LEXALON_SSE2)
            for (; asciiAsItIs && i + 16 <= last; i += 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(source + i));
                if (_mm_movemask_epi8(v) != 0)
                    break;
                // Below 0x80 signed comparisons are exact; a letter is its
                // lower case with the 0x20 bit set.
                const __m128i lower = _mm_or_si128(v, _mm_set1_epi8(0x20));
                const __m128i letter = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                                     _mm_cmpgt_epi8(_mm_set1_epi8('z' + 1), lower));
                const __m128i f = _mm_and_si128(lower, letter);
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i), _mm_unpacklo_epi8(f, _mm_setzero_si128()));
                _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i + 8), _mm_unpackhi_epi8(f, _mm_setzero_si128()));
                bits |= std::uint64_t(unsigned(_mm_movemask_epi8(letter))) << (i - first);
            }
#endif
            for (; i < last; ++i) {
                const char16_t f = folded[source[i]];
                out[i] = f;
                bits |= std::uint64_t(f != 0) << (i - first);
            }
            letters[word] = bits;
        }
    }
    char16_t operator()(unsigned char unit) const { return folded[unit]; }

    std::array<char16_t, 256> folded;
    bool asciiAsItIs = true; // bytes below 0x80 are their ASCII characters
};

// The first position from `from` whose bit is `set`, or `count` if none.
inline size_t nextBit(const std::uint64_t *letters, size_t from, size_t count, bool set)
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

TokenList::TokenList(int mostTableBits)
    : m_mostTableBits(std::max(mostTableBits, initialTableBits))
    , m_form(chunkUnits + lettersPerWord)
{
    makeTable(initialTableBits);
    forgetRecent();
}

void TokenList::forgetRecent()
{
    m_recent.assign(recentForms, Recent{0, noForm});
}

void TokenList::reserve(qsizetype tokens, qsizetype formUnits)
{
    m_tokens.reserve(size_t(std::max<qsizetype>(tokens, 0)));
    if (m_keepStarts)
        m_starts.reserve(size_t(std::max<qsizetype>(tokens, 0)));
    m_forms.reserve(0, std::max<qsizetype>(formUnits, 0));
}

void TokenList::append(QStringView form)
{
    ensureTable();
    if (size_t(form.size()) + lettersPerWord > m_form.size())
        m_form.resize(size_t(form.size()) + lettersPerWord);
    std::copy(form.utf16(), form.utf16() + form.size(), m_form.begin());
    addToken(intern(hashOf(formCode(m_form.data(), size_t(form.size()))), m_form.data(),
                              size_t(form.size())));
}

void TokenList::appendFormsOf(QStringView text, TaskProgress *progress)
{
    appendUnits(text.utf16(), size_t(text.size()), Utf16Units(), progress);
}

void TokenList::appendFormsOf(const unsigned char *bytes, size_t size, const std::array<char16_t, 256> &characters)
{
    appendUnits(bytes, size, ByteUnits(characters), nullptr);
}

template <typename Units>
void TokenList::appendUnits(const typename Units::Unit *text, size_t size, const Units &units, TaskProgress *progress)
{
    ensureTable();
    std::array<std::uint64_t, chunkUnits / 64> letters;
    const typename Units::Unit *source = text;
    const typename Units::Unit *const end = source + size;
    m_textStart = source;
    // Every start of a shorter text fits in 32 bits.
    if (m_keepStarts && size > std::numeric_limits<std::uint32_t>::max())
        throw std::bad_alloc();
    // A form that runs past a chunk's end is read again from the text once
    // its end is found, so that no copy of it grows with it.
    const typename Units::Unit *open = nullptr;
    std::vector<Pending> pending;
    pending.reserve(chunkUnits / 2 + 1);

    for (size_t chunk = 0; source < end; ++chunk) {
        if (progress && chunk % chunksPerReport == 0)
            progress->advance(source - text);
        const size_t n = std::min(size_t(end - source), chunkUnits);
        units.fold(source, n, m_form.data(), letters.data());
        size_t i = 0;
        if (open) {
            i = nextBit(letters.data(), 0, n, false);
            if (i == n) {
                source += n;
                continue;
            }
            keepStart(open);
            addToken(internSpan(open, size_t(source + i - open), units));
            open = nullptr;
        }
        for (;;) {
            const size_t start = nextBit(letters.data(), i, n, true);
            if (start == n)
                break;
            i = nextBit(letters.data(), start, n, false);
            if (i == n) {
                open = source + start;
                break;
            }
            keepStart(source + start);
            const FormCode code = scannedFormCode(m_form.data() + start, i - start);
            pending.push_back({i - start <= lettersPerWord ? code.low : 0, hashOf(code),
                               std::uint32_t(start), std::uint32_t(i - start)});
        }
        internPending(pending);
        source += n;
    }
    if (open) {
        keepStart(open);
        addToken(internSpan(open, size_t(end - open), units));
    }
}


// The forms of a chunk are looked up together: their slots are asked of the
// memory first, so that the misses overlap instead of following each other.
void TokenList::internPending(std::vector<Pending> &pending)
{
    for (const Pending &form : pending)
        prefetch(&m_table[slotOf(form.hash, m_tableBits)]);
    for (const Pending &form : pending) {
        Recent &recent = m_recent[form.hash % recentForms];
        // A code of ten letters or fewer is the form itself.
        if (form.shortCode != 0 && recent.shortCode == form.shortCode) {
            addToken(recent.id);
            continue;
        }
        const FormId id = intern(form.hash, m_form.data() + form.start, form.length);
        if (form.shortCode != 0)
            recent = {form.shortCode, id};
        addToken(id);
    }
    pending.clear();
}

TextStore TokenList::takeForms()
{
    std::vector<Slot>().swap(m_table);
    forgetRecent();
    m_tableFirst = 0;
    return std::exchange(m_forms, TextStore());
}

size_t TokenList::find(std::uint32_t hash, const char16_t *chars, size_t length) const
{
    const size_t mask = m_table.size() - 1;
    for (size_t slot = slotOf(hash, m_tableBits);; slot = (slot + 1) & mask) {
        const Slot &candidate = m_table[slot];
        if (candidate.id == noForm)
            return slot;
        if (candidate.hash != hash)
            continue;
        const QStringView f = m_forms.text(candidate.id);
        if (size_t(f.size()) == length && sameChars(chars, f.utf16(), length))
            return slot;
    }
}

TokenList::FormId TokenList::intern(std::uint32_t hash, const char16_t *chars, size_t length)
{
    const size_t slot = find(hash, chars, length);
    if (m_table[slot].id != noForm)
        return m_table[slot].id;
    const FormId id = m_forms.append(QStringView(chars, qsizetype(length)));
    add(slot, hash, id);
    return id;
}

// The folded letters are written where a new form stays, and dropped if the
// form is already known.
template <typename Units>
TokenList::FormId TokenList::internSpan(const typename Units::Unit *source, size_t length, const Units &units)
{
    char16_t *folded = m_forms.openText(length);
    std::transform(source, source + length, folded, units);
    const std::uint32_t hash = hashOf(foldedFormCode(folded, length));
    const size_t slot = find(hash, folded, length);
    if (m_table[slot].id != noForm) {
        m_forms.dropOpenText();
        return m_table[slot].id;
    }
    const FormId id = m_forms.closeText();
    add(slot, hash, id);
    return id;
}

TokenList::FormId TokenList::appendForms(TokenList &other)
{
    std::vector<Slot>().swap(m_table);
    std::vector<Slot>().swap(other.m_table);
    m_formsRepeat = true;
    const FormId first = m_forms.append(std::exchange(other.m_forms, TextStore()));
    m_tableFirst = FormId(formCount());
    return first;
}

void TokenList::addCounts(TokenList &&counted)
{
    TokenList other = std::move(counted);
    appendForms(other);
    m_counts.insert(m_counts.end(), other.m_counts.begin(), other.m_counts.end());
}

void TokenList::appendTokens(TokenList &&later, qsizetype offset)
{
    TokenList other = std::move(later);
    const FormId shift = appendForms(other);
    m_tokens.reserve(m_tokens.size() + other.m_tokens.size());
    for (const FormId token : other.m_tokens)
        m_tokens.push_back(token + shift);
    if (m_keepStarts) {
        m_starts.reserve(m_starts.size() + other.m_starts.size());
        for (const std::uint32_t start : other.m_starts)
            m_starts.push_back(std::uint32_t(start + offset));
    }
}

void TokenList::add(size_t slot, std::uint32_t hash, FormId id)
{
    if (m_countOnly)
        m_counts.push_back(0);
    m_table[slot] = {hash, id};
    if (size_t(formCount() - m_tableFirst) * loadDenominator <= m_table.size() * loadNumerator)
        return;
    if (m_tableBits < m_mostTableBits) {
        makeTable(m_tableBits + 1);
        return;
    }
    std::fill(m_table.begin(), m_table.end(), Slot{0, noForm});
    m_tableFirst = FormId(formCount());
    m_formsRepeat = true;
}

// From the old table's slots, or from the forms themselves once the table
// has been given back.
void TokenList::makeTable(int bits)
{
    std::vector<Slot> table(size_t(1) << bits, Slot{0, noForm});
    const size_t mask = table.size() - 1;
    const auto place = [&](Slot entry) {
        size_t slot = slotOf(entry.hash, bits);
        while (table[slot].id != noForm)
            slot = (slot + 1) & mask;
        table[slot] = entry;
    };
    if (!m_table.empty()) {
        for (const Slot &entry : m_table) {
            if (entry.id != noForm)
                place(entry);
        }
    } else {
        for (FormId id = m_tableFirst; id < FormId(formCount()); ++id) {
            const QStringView f = form(id);
            place({hashOf(formCode(f.utf16(), size_t(f.size()))), id});
        }
    }
    m_table = std::move(table);
    m_tableBits = bits;
}

void TokenList::ensureTable()
{
    if (!m_table.empty())
        return;
    int bits = initialTableBits;
    while (size_t(formCount() - m_tableFirst) * loadDenominator > (size_t(1) << bits) * loadNumerator)
        ++bits;
    makeTable(bits);
}

std::vector<TokenList::CountedForm> TokenList::formsInOrder()
{
    std::vector<Slot>().swap(m_table);

    // Sixteen bytes a form: its key's fields, its id and its number of
    // tokens; a text small enough to be held in memory keeps both below 2^31.
    struct Entry
    {
        std::uint64_t prefix;
        FormId id : 31;
        FormId covered : 1;
        std::uint32_t count;
    };
    SortKeys keys(TextOrder::french());
    std::vector<Entry> entries(static_cast<size_t>(formCount()));
    for (FormId id = 0; id < FormId(formCount()); ++id) {
        const SortKeys::Key key = keys.add(form(id));
        entries[id] = {key.prefix, id, key.covered, 0};
    }
    for (size_t id = 0; id < m_counts.size(); ++id)
        entries[id].count = m_counts[id];
    std::vector<std::uint32_t>().swap(m_counts);
    for (FormId id : m_tokens)
        ++entries[id].count;
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        return keys.compare({a.prefix, bool(a.covered)}, form(a.id), {b.prefix, bool(b.covered)}, form(b.id)) < 0;
    });
    // The order is strict: a form's ids end up side by side, and become one.
    if (m_formsRepeat) {
        std::vector<FormId> sameAs;
        size_t kept = 0;
        for (const Entry &entry : entries) {
            if (kept == 0 || form(entries[kept - 1].id) != form(entry.id)) {
                entries[kept++] = entry;
                continue;
            }
            entries[kept - 1].count += entry.count;
            if (sameAs.empty()) {
                sameAs.resize(size_t(formCount()));
                std::iota(sameAs.begin(), sameAs.end(), FormId(0));
            }
            sameAs[entry.id] = entries[kept - 1].id;
        }
        entries.resize(kept);
        if (!sameAs.empty()) {
            for (FormId &token : m_tokens)
                token = sameAs[token];
        }
    }

    std::vector<CountedForm> forms(entries.size());
    std::transform(entries.begin(), entries.end(), forms.begin(),
                   [](const Entry &entry) { return CountedForm{entry.id, entry.count}; });
    return forms;
}

} // namespace lexalon
