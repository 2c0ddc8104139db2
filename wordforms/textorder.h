// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCollator>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lexalon {

// The French dictionary order of the word list (accented letters beside their
// base letters, œ beside oe), made total: texts the collator calls equal are
// ordered by their UTF-16 code units.
class TextOrder
{
public:
    using Key = std::basic_string<unsigned char>;

    TextOrder();
    // The order every list of the program uses; building one asks the
    // collator some thousands of questions.
    static const TextOrder &french();

    int compare(QStringView a, QStringView b) const;

    // The collator's first level for a text of lower-case letters, as bytes:
    // two texts whose keys differ compare as their keys do (a key that is a
    // prefix of another first); equal keys leave the decision to compare().
    // False, with nothing appended, for a text the keys do not cover.
    bool appendPrimaryKey(QStringView text, Key &key) const;
    // Compares two primary keys as the collator would, 0 when they are equal.
    static int comparePrimaryKeys(const unsigned char *a, size_t aLength, const unsigned char *b,
                                  size_t bLength);

private:
    // Up to two weights a character; no weight marks a character not covered.
    struct Weights
    {
        unsigned char first = 0;
        unsigned char second = 0;
    };
    static constexpr char16_t coveredEnd = 0x180;

    void calibrate();
    bool samePrimary(const QString &a, const QString &b) const;

    QCollator m_collator;
    std::array<Weights, coveredEnd> m_weights{};
};

// Texts prepared for sorting in the French order: most comparisons are
// settled by the first bytes of their primary keys, kept inline; the rest of
// the keys is made again when those are equal, and only texts that differ by
// accents or case go to the collator. A key costs no memory beyond itself.
class SortKeys
{
public:
    struct Key
    {
        std::uint64_t prefix; // the first eight bytes of the primary key, big-endian
        bool covered;
    };

    explicit SortKeys(const TextOrder &order);

    Key add(QStringView text);
    // The same result as TextOrder::compare on the two texts.
    int compare(const Key &a, QStringView aText, const Key &b, QStringView bText);

private:
    const TextOrder &m_order;
    TextOrder::Key m_aBytes;
    TextOrder::Key m_bBytes;
};

// The numbers given, in the French order of the texts `textOf` gives them.
// Sixteen bytes a number while sorting.
template <typename TextOf>
std::vector<std::uint32_t> inFrenchOrder(std::vector<std::uint32_t> numbers, TextOf textOf)
{
    struct Entry
    {
        std::uint64_t prefix;
        std::uint32_t number;
        bool covered;
    };
    SortKeys keys(TextOrder::french());
    std::vector<Entry> entries;
    entries.reserve(numbers.size());
    for (const std::uint32_t number : numbers) {
        const SortKeys::Key key = keys.add(textOf(number));
        entries.push_back({key.prefix, number, key.covered});
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry &a, const Entry &b) {
        return keys.compare({a.prefix, a.covered}, textOf(a.number), {b.prefix, b.covered}, textOf(b.number)) < 0;
    });
    for (size_t i = 0; i < entries.size(); ++i)
        numbers[i] = entries[i].number;
    return numbers;
}

} // namespace lexalon
