// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/textorder.h"

#include "wordforms/letters.h"

#include <QLocale>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lexalon {

namespace {

// Room for the letters that have a first-level weight of their own after
// each base letter (þ after z, for instance).
constexpr int weightsPerLetter = 8;
constexpr int firstWeight = 1;

unsigned char baseWeight(char16_t letter)
{
    return static_cast<unsigned char>(firstWeight + weightsPerLetter * (1 + (letter - u'a')));
}

} // namespace

TextOrder::TextOrder()
    : m_collator(QLocale(QLocale::French, QLocale::France))
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
    m_collator.setNumericMode(false);
    calibrate();
}

const TextOrder &TextOrder::french()
{
    static const TextOrder order;
    return order;
}

int TextOrder::compare(QStringView a, QStringView b) const
{
    const int byCollation = m_collator.compare(a, b);
    if (byCollation != 0)
        return byCollation < 0 ? -1 : 1;
    const int byCodeUnits = a.compare(b);
    return byCodeUnits < 0 ? -1 : (byCodeUnits > 0 ? 1 : 0);
}

bool TextOrder::appendPrimaryKey(QStringView text, Key &key) const
{
    const size_t start = key.size();
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        const Weights w = c < coveredEnd ? m_weights[c] : Weights();
        if (w.first == 0) {
            key.resize(start);
            return false;
        }
        key.push_back(w.first);
        if (w.second != 0)
            key.push_back(w.second);
    }
    return true;
}

int TextOrder::comparePrimaryKeys(const unsigned char *a, size_t aLength, const unsigned char *b,
                                  size_t bLength)
{
    const int c = std::memcmp(a, b, std::min(aLength, bLength));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return aLength < bLength ? -1 : (aLength > bLength ? 1 : 0);
}

// Two texts have the same first-level weights when a following letter
// decides between them both ways.
bool TextOrder::samePrimary(const QString &a, const QString &b) const
{
    return m_collator.compare(a + u'a', b + u'b') < 0 && m_collator.compare(b + u'a', a + u'b') < 0;
}

// Learns from the collator itself where each lower-case letter of a form
// stands at the first level: as a base letter (é as e), as two base letters
// (œ as oe, ß as ss), or as a letter of its own between two base letters.
// A letter it cannot place stays uncovered and goes through the collator.
void TextOrder::calibrate()
{
    QString bases;
    for (char16_t b = u'a'; b <= u'z'; ++b) {
        bases += QChar(b);
        m_weights[b] = {baseWeight(b), 0};
    }

    std::vector<char16_t> ownWeight;
    for (char16_t c = 0x80; c < coveredEnd; ++c) {
        if (!isLetter(c) || foldLetter(c) != c)
            continue;
        const QString letter(QChar{c});
        bool placed = false;
        for (const QChar b : bases) {
            if (samePrimary(letter, QString(b))) {
                m_weights[c] = {baseWeight(b.unicode()), 0};
                placed = true;
                break;
            }
        }
        for (qsizetype i = 0; !placed && i < bases.size(); ++i) {
            for (const QChar second : bases) {
                if (samePrimary(letter, QString(bases[i]) + second)) {
                    m_weights[c] = {baseWeight(bases[i].unicode()), baseWeight(second.unicode())};
                    placed = true;
                    break;
                }
            }
        }
        if (!placed)
            ownWeight.push_back(c);
    }

    // Letters of their own, in the collator's order, after the base letter
    // that precedes them.
    std::sort(ownWeight.begin(), ownWeight.end(), [this](char16_t a, char16_t b) {
        return m_collator.compare(QStringView(&a, 1), QStringView(&b, 1)) < 0;
    });
    std::array<int, 27> usedAfter{}; // per base letter, and before 'a'
    for (size_t i = 0; i < ownWeight.size(); ++i) {
        const char16_t c = ownWeight[i];
        const QString letter(QChar{c});
        if (i > 0 && samePrimary(letter, QString(QChar{ownWeight[i - 1]}))) {
            m_weights[c] = m_weights[ownWeight[i - 1]];
            continue;
        }
        int after = 0; // 0: before 'a'; n: after the n-th base letter
        while (after < 26 && m_collator.compare(QString(bases[after]), letter) < 0)
            ++after;
        if (++usedAfter[size_t(after)] >= weightsPerLetter)
            continue; // no room left: the collator decides for it
        m_weights[c] = {static_cast<unsigned char>(firstWeight + weightsPerLetter * after
                                                   + usedAfter[size_t(after)]),
                        0};
    }
}

SortKeys::SortKeys(const TextOrder &order)
    : m_order(order)
{
}

SortKeys::Key SortKeys::add(QStringView text)
{
    m_aBytes.clear();
    Key key{0, m_order.appendPrimaryKey(text, m_aBytes)};
    for (size_t i = 0; i < 8; ++i) {
        const std::uint64_t byte = i < m_aBytes.size() ? m_aBytes[i] : 0;
        key.prefix |= byte << (8 * (7 - i));
    }
    return key;
}

int SortKeys::compare(const Key &a, QStringView aText, const Key &b, QStringView bText)
{
    if (a.covered && b.covered) {
        // No weight is zero, so the zeros past a short key sort it first.
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        m_aBytes.clear();
        m_bBytes.clear();
        m_order.appendPrimaryKey(aText, m_aBytes);
        m_order.appendPrimaryKey(bText, m_bBytes);
        const int c = TextOrder::comparePrimaryKeys(m_aBytes.data(), m_aBytes.size(), m_bBytes.data(),
                                                    m_bBytes.size());
        if (c != 0)
            return c;
    }
    return m_order.compare(aText, bText);
}

} // namespace lexalon
