// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/corpus.h"

#include "platform/interaction/taskprogress.h"
#include "platform/system/parallelfor.h"
#include "wordforms/textorder.h"
#include "wordforms/textstore.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>
#include <thread>
#include <utility>

namespace lexalon {

namespace {

// A form's characters are asked for this many forms ahead of their turn, so
// that a text's forms, scattered in its store, are read at the pace of the
// memory's answers rather than one after the other.
constexpr qsizetype formsAhead = 8;

// Forms are short: a hash and a comparison made in place cost less than
// calls into Qt's. FNV-1a over the code units, mixed so that its low bits,
// which pick the slot, depend on every unit.
std::uint32_t hashOf(QStringView form)
{
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const QChar c : form)
        hash = (hash ^ c.unicode()) * 0x100000001b3u;
    hash ^= hash >> 29;
    hash *= 0xbf58476d1ce4e5b9u;
    return std::uint32_t(hash >> 32);
}

bool sameForm(QStringView a, QStringView b)
{
    return a.size() == b.size() && std::equal(a.utf16(), a.utf16() + a.size(), b.utf16());
}

// The different forms of the texts, each numbered once as it is first met
// and copied into one store, with its total count. An open-addressing table
// at most half full, each slot with its form's hash: it grows with the
// forms, so it stays in the cache, and only a form of the same hash is
// compared.
class FormNumbers
{
public:
    std::uint32_t number(QStringView form, qint64 count)
    {
        if ((m_totals.size() + 1) * 2 > m_slots.size())
            makeSlots(std::max<size_t>(1024, m_slots.size() * 2));
        const std::uint32_t hash = hashOf(form);
        const size_t slot = slotOf(form, hash);
        if (m_slots[slot].number == freeSlot) {
            m_totals.push_back(0);
            m_slots[slot] = {m_forms.append(form) + 1, hash};
        }
        const std::uint32_t number = m_slots[slot].number - 1;
        m_totals[number] += count;
        return number;
    }

    size_t size() const { return m_totals.size(); }
    QStringView form(std::uint32_t number) const { return m_forms.text(number); }
    qint64 total(std::uint32_t number) const { return m_totals[number]; }
    // The store of the forms, each at its number.
    TextStore takeForms() { return std::exchange(m_forms, TextStore()); }

    // The numbers in the French order of their forms.
    std::vector<std::uint32_t> inFrenchOrder() const
    {
        std::vector<std::uint32_t> numbers(size());
        std::iota(numbers.begin(), numbers.end(), 0);
        return lexalon::inFrenchOrder(std::move(numbers), [this](std::uint32_t number) { return form(number); });
    }

private:
    static constexpr std::uint32_t freeSlot = 0;

    struct Slot
    {
        std::uint32_t number; // the form's, plus one
        std::uint32_t hash;
    };

    // The form's slot, or the free slot where it belongs.
    size_t slotOf(QStringView form, std::uint32_t hash) const
    {
        const size_t mask = m_slots.size() - 1;
        size_t slot = hash & mask;
        while (m_slots[slot].number != freeSlot
               && (m_slots[slot].hash != hash || !sameForm(m_forms.text(m_slots[slot].number - 1), form)))
            slot = (slot + 1) & mask;
        return slot;
    }

    void makeSlots(size_t size)
    {
        m_slots.assign(size, {freeSlot, 0});
        for (std::uint32_t number = 0; number < m_totals.size(); ++number) {
            const std::uint32_t hash = hashOf(form(number));
            m_slots[slotOf(form(number), hash)] = {number + 1, hash};
        }
    }

    TextStore m_forms;
    std::vector<Slot> m_slots;
    std::vector<qint64> m_totals;
};

// Each form of each text numbered, by text and rank.
std::vector<std::vector<std::uint32_t>> numberForms(const std::vector<Corpus::Text> &texts, FormNumbers &numbers)
{
    std::vector<std::vector<std::uint32_t>> numbersOf(texts.size());
    for (size_t text = 0; text < texts.size(); ++text) {
        const WordList &list = texts[text].study->list();
        numbersOf[text].resize(size_t(list.size()));
        for (qsizetype rank = 0; rank < list.size(); ++rank) {
            if (rank + formsAhead < list.size())
                __builtin_prefetch(list.form(rank + formsAhead).utf16());
            numbersOf[text][size_t(rank)] = numbers.number(list.form(rank), list.count(rank));
        }
    }
    return numbersOf;
}

// Each form's counts, text by text, put in place in row order.
std::vector<TextCount> countsByRow(const std::vector<Corpus::Text> &texts,
                                   const std::vector<std::vector<std::uint32_t>> &rowsOf, size_t corpusRows)
{
    std::vector<size_t> next(corpusRows + 1, 0);
    size_t counts = 0;
    for (const std::vector<std::uint32_t> &rows : rowsOf) {
        for (const std::uint32_t row : rows)
            ++next[row + 1];
        counts += rows.size();
    }
    std::partial_sum(next.begin(), next.end(), next.begin());
    std::vector<TextCount> byRow(counts);
    for (size_t text = 0; text < texts.size(); ++text) {
        const WordList &list = texts[text].study->list();
        for (qsizetype rank = 0; rank < list.size(); ++rank) {
            const std::uint32_t row = rowsOf[text][size_t(rank)];
            byRow[next[row]++] = {row, std::uint32_t(text), list.count(rank)};
        }
    }
    return byRow;
}

} // namespace

Corpus::Corpus(std::vector<Text> texts)
    : m_texts(std::move(texts))
{
    listTexts();
}

// The texts' forms are numbered, the numbers put in French order, and each
// text's ranks mapped through them. The store of the forms is handed to the
// list as it is: each row names its form's number.
void Corpus::listTexts()
{
    QStringList names;
    for (const Text &text : m_texts) {
        if (text.study->list().order() != WordList::Order::Alphabetical)
            text.study->sort(WordList::Order::Alphabetical);
        names.append(text.name);
    }
    FormNumbers numbers;
    m_rowsOf = numberForms(m_texts, numbers);
    const std::vector<std::uint32_t> order = numbers.inFrenchOrder();
    std::vector<std::uint32_t> rowOfNumber(order.size());
    for (size_t row = 0; row < order.size(); ++row)
        rowOfNumber[order[row]] = std::uint32_t(row);
    for (std::vector<std::uint32_t> &rowsOf : m_rowsOf) {
        for (std::uint32_t &row : rowsOf)
            row = rowOfNumber[row];
    }
    m_list = WordList(numbers.takeForms());
    m_list.reserve(qsizetype(order.size()));
    for (const std::uint32_t number : order)
        m_list.append(number, numbers.total(number));
    m_list.setTextColumns(std::move(names), countsByRow(m_texts, m_rowsOf, order.size()));
}

QStringList Corpus::textNames() const
{
    QStringList names;
    for (const Text &text : m_texts)
        names.append(text.name);
    return names;
}

qsizetype Corpus::textRow(qsizetype text, qsizetype corpusRow) const
{
    const std::vector<std::uint32_t> &rows = m_rowsOf[size_t(text)];
    const auto found = std::lower_bound(rows.begin(), rows.end(), std::uint32_t(corpusRow));
    return found != rows.end() && *found == corpusRow ? found - rows.begin() : -1;
}

// Each text is searched on its own thread, with a progress of its own that
// the calling thread adds up and cancels when asked.
CorpusConcordance Corpus::concordance(std::span<const std::uint32_t> corpusRows, std::optional<qsizetype> onlyText,
                                      TaskProgress *progress) const
{
    std::vector<qsizetype> texts(onlyText ? 1 : m_texts.size());
    std::iota(texts.begin(), texts.end(), onlyText.value_or(0));
    std::vector<std::optional<Concordance>> found(texts.size());
    std::vector<TaskProgress> progresses(progress ? texts.size() : 0);
    const auto search = [&](size_t part, size_t) {
        const qsizetype text = texts[part];
        std::vector<TextTokens::Rank> ranks;
        for (const std::uint32_t row : corpusRows) {
            if (const qsizetype rank = textRow(text, row); rank >= 0)
                ranks.push_back(TextTokens::Rank(rank));
        }
        found[part].emplace(this->text(text).concordance(ranks, progress ? &progresses[part] : nullptr));
    };
    std::function<void()> follow;
    if (progress) {
        qint64 tokens = 0;
        for (const qsizetype text : texts)
            tokens += this->text(text).tokens().size();
        progress->setTotal(tokens);
        progress->advance(0);
        follow = [&] {
            advanceByParts(*progress, progresses, [](const TaskProgress &part) { return part.done(); },
                           [](TaskProgress &part) { part.cancel(); });
        };
    }
    parallelFor(texts.size(), std::max(1u, std::thread::hardware_concurrency()), search, follow);
    std::vector<Concordance> parts;
    parts.reserve(found.size());
    for (std::optional<Concordance> &part : found)
        parts.push_back(std::move(*part));
    return CorpusConcordance(*this, std::move(parts), std::move(texts));
}

// The statistics read only the tokens' ranks.
LexicalStatistics Corpus::statistics(TaskProgress *progress) const
{
    size_t size = 0;
    for (const Text &text : m_texts)
        size += size_t(text.study->tokens().size());
    LargeVector<TextTokens::Rank> ranks;
    ranks.reserve(size);
    for (size_t text = 0; text < m_texts.size(); ++text) {
        if (progress)
            progress->advance(0);
        for (const TextTokens::Rank rank : m_texts[text].study->tokens().ranks())
            ranks.push_back(m_rowsOf[text][rank]);
    }
    return LexicalStatistics(m_list, TextTokens(std::move(ranks), {}), progress);
}

} // namespace lexalon
