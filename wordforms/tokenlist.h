// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/files/largememory.h"
#include "wordforms/textstore.h"

#include <QStringView>
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace lexalon {

class TaskProgress;

// The token list: every form of the text in text order. A token is the id of
// an interned form, so a text of millions of tokens costs four bytes a token,
// not a string; where each token starts is kept only when asked for.
class TokenList
{
public:
    using FormId = TextStore::Index;

    // The lookup table has at most 2^mostTableBits slots: once full enough,
    // it is emptied and the forms met from then on are looked up afresh, a
    // form met again stored again under a new id. Millions of forms then
    // cost their characters and counts but little table.
    static constexpr int defaultMostTableBits = 22;
    explicit TokenList(int mostTableBits = defaultMostTableBits);

    // A form of up to twenty letters is its own code, six bits a letter;
    // longer or unusual forms get a code with the top bit set, made from
    // their hash. The table keeps 32 bits of a hash of the code, and a form
    // whose bits match is checked against its characters.
    struct FormCode
    {
        std::uint64_t low;
        std::uint64_t high;
    };

    // Room for that many tokens, and for forms of that many code units in
    // all: a text's own length is enough for its forms, and memory set aside
    // but never written costs nothing.
    void reserve(qsizetype tokens, qsizetype formUnits);
    // From now on, where each token appended from a text starts in it.
    void keepStarts() { m_keepStarts = true; }
    // From now on, only how many tokens each form has, not the tokens: a
    // word list needs no more, and a text of millions of tokens then costs
    // no memory beyond its forms.
    void countOnly() { m_countOnly = true; }

    // Appends a token; the form must already be lower-cased.
    void append(QStringView form);
    // Appends every form of the text, lower-cased, in text order. With a
    // progress, reports the characters read and stops when asked.
    void appendFormsOf(QStringView text, TaskProgress *progress = nullptr);
    // The same for a text held as bytes, each byte the character the table
    // gives; no UTF-16 copy of the text is made.
    void appendFormsOf(const unsigned char *bytes, size_t size, const std::array<char16_t, 256> &characters);
    // Adds the forms another token list counted, and their numbers of tokens;
    // both count only.
    void addCounts(TokenList &&other);
    // Appends the tokens another list took from the text that follows, its
    // starts counted from `offset`, where that text begins; both keep their
    // tokens.
    void appendTokens(TokenList &&later, qsizetype offset);
    // After either, the other list's forms stand after this one's, a form of
    // both twice, and the forms met later are looked up afresh: the two
    // lists are never held beside a table of all their forms. Until
    // formsInOrder, a form may have two ids.

    qsizetype size() const { return qsizetype(m_tokens.size()); }
    FormId token(qsizetype index) const { return m_tokens[size_t(index)]; }
    QStringView form(FormId id) const { return m_forms.text(id); }
    qsizetype formCount() const { return m_forms.size(); }
    // Hands the forms over whole, each text numbered by its form's id; the
    // token list keeps its tokens but no forms.
    TextStore takeForms();

    struct CountedForm
    {
        FormId id;
        std::uint32_t tokens;
    };
    // Every form in the French text order, once, with its number of tokens;
    // the tokens of a form that had two ids then all name one. The lookup
    // table, and the counts of a list that counts only, are given back: the
    // forms are then to be taken.
    std::vector<CountedForm> formsInOrder();

    // Hands the tokens over, and their starts when kept.
    LargeVector<FormId> takeTokens() { return std::exchange(m_tokens, {}); }
    LargeVector<std::uint32_t> takeStarts() { return std::exchange(m_starts, {}); }

private:
    static constexpr FormId noForm = ~FormId(0);

    struct Slot
    {
        std::uint32_t hash;
        FormId id; // noForm in a free slot
    };

    struct Pending
    {
        std::uint64_t shortCode; // the whole code of a form of up to ten letters, else 0
        std::uint32_t hash;
        std::uint32_t start; // in m_form
        std::uint32_t length;
    };

    // The forms of up to ten letters met last, by their hash: most tokens of
    // a text are of a few hundred forms, found here without the table.
    struct Recent
    {
        std::uint64_t shortCode;
        FormId id;
    };
    static constexpr size_t recentForms = 4096;
    void forgetRecent();

    template <typename Units>
    void appendUnits(const typename Units::Unit *text, size_t size, const Units &units, TaskProgress *progress);
    template <typename Units>
    FormId internSpan(const typename Units::Unit *source, size_t length, const Units &units);
    template <typename Unit>
    void keepStart(const Unit *start)
    {
        if (m_keepStarts)
            m_starts.push_back(std::uint32_t(start - static_cast<const Unit *>(m_textStart)));
    }
    void addToken(FormId id)
    {
        if (m_countOnly)
            ++m_counts[id];
        else
            m_tokens.push_back(id);
    }

    // The slot that holds the form, or the free slot where it belongs.
    size_t find(std::uint32_t hash, const char16_t *chars, size_t length) const;
    FormId intern(std::uint32_t hash, const char16_t *chars, size_t length);
    void add(size_t slot, std::uint32_t hash, FormId id);
    void internPending(std::vector<Pending> &pending);
    void makeTable(int bits);
    void ensureTable();
    // The other list's forms after this one's, the tables given back: the
    // number of this list's forms, which the other's ids are shifted by.
    FormId appendForms(TokenList &other);

    LargeVector<FormId> m_tokens;
    // Where each token starts, when kept: a text's offsets, so a text that
    // offsets of 32 bits cannot reach is refused.
    LargeVector<std::uint32_t> m_starts;
    bool m_keepStarts = false;
    bool m_countOnly = false;
    bool m_formsRepeat = false; // a form may have two ids
    std::vector<std::uint32_t> m_counts; // each form's tokens, when counting only
    const void *m_textStart = nullptr;
    TextStore m_forms; // every form, twice when met again past m_tableFirst
    std::vector<Slot> m_table; // open addressing over the forms from m_tableFirst on
    int m_tableBits = 0;
    int m_mostTableBits;
    FormId m_tableFirst = 0;
    std::vector<char16_t> m_form; // the chunk being read, folded
    std::vector<Recent> m_recent;
};

} // namespace lexalon
