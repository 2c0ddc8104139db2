// SPDX-License-Identifier: GPL-3.0-or-later
#include "wordforms/lafonscores.h"

#include "platform/interaction/taskprogress.h"
#include "platform/system/parallelfor.h"
#include "wordforms/lafonscore.h"
#include "wordforms/wordlist.h"

#include <QHash>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>
#include <thread>

namespace lexalon {
namespace {

// Rows scored between two reports of progress: a few milliseconds of work
// for a hundred parts.
constexpr size_t rowsPerTask = 1024;

} // namespace

LafonScores::LafonScores(const WordList &list, TaskProgress *progress)
    : LafonScores(list, nullptr, progress)
{
}

LafonScores::LafonScores(const WordList &list, const WordList &reference, TaskProgress *progress)
    : LafonScores(list, &reference, progress)
{
}

LafonScores::LafonScores(const WordList &list, const WordList *reference, TaskProgress *progress)
{
    readCounts(list, reference);
    computeScores(progress);
}

// A form's corpus count is the sum of its parts' counts, so that the counts
// of a part and of the corpus always agree, whatever the list's totals say.
void LafonScores::readCounts(const WordList &list, const WordList *reference)
{
    QHash<QStringView, qint64> referenceCounts;
    if (reference) {
        referenceCounts.reserve(reference->size());
        for (qsizetype row = 0; row < reference->size(); ++row)
            referenceCounts.insert(reference->form(row), reference->count(row));
    }
    const bool columns = !list.textColumns().isEmpty();
    m_partSizes.assign(size_t(std::max<qsizetype>(1, list.textColumns().size())), 0);
    m_corpusCounts.reserve(size_t(list.size()));
    m_ranks.reserve(size_t(list.size()));
    m_firstCell.reserve(size_t(list.size()) + 1);
    for (qsizetype row = 0; row < list.size(); ++row) {
        m_firstCell.push_back(m_cellParts.size());
        m_ranks.push_back(list.rank(row));
        qint64 total = 0;
        const auto add = [&](std::uint32_t part, qint64 count) {
            if (count > 0) {
                m_cellParts.push_back(part);
                m_cellCounts.push_back(count);
                m_partSizes[part] += count;
                total += count;
            }
        };
        if (columns) {
            for (const TextCount &count : list.textCounts(row))
                add(count.column, count.count);
        } else {
            add(0, list.count(row));
        }
        m_corpusCounts.push_back(total + referenceCounts.value(list.form(row)));
    }
    m_firstCell.push_back(m_cellParts.size());
    for (const qint64 size : m_partSizes)
        m_corpusSize += size;
    if (reference)
        m_corpusSize += reference->totalCount();
}

void LafonScores::computeScores(TaskProgress *progress)
{
    const qint64 T = m_corpusSize;
    const double logCorpus = logFactorial(T);
    for (const qint64 t : m_partSizes) {
        m_partLogs.push_back(logFactorial(t));
        m_partLogs.push_back(logFactorial(T - t));
    }
    for (const qint64 F : m_corpusCounts) {
        m_rowLogs.push_back(logFactorial(F));
        m_rowLogs.push_back(logFactorial(T - F) - logCorpus);
    }
    m_strongest.resize(m_corpusCounts.size());
    m_cellScores.resize(m_cellCounts.size());
    const size_t rowCount = m_corpusCounts.size();
    if (progress) {
        progress->setTotal(qint64(rowCount));
        progress->advance(0);
    }
    std::atomic<qint64> done = 0;
    const size_t tasks = (rowCount + rowsPerTask - 1) / rowsPerTask;
    parallelFor(tasks, std::min<size_t>(tasks, std::max(1u, std::thread::hardware_concurrency())),
                [&](size_t task, size_t) {
                    const size_t end = std::min(rowCount, (task + 1) * rowsPerTask);
                    for (size_t row = task * rowsPerTask; row < end; ++row)
                        scoreRow(row);
                    if (progress)
                        progress->advance(done += qint64(end - task * rowsPerTask));
                });
}

// ln P(X = f) from the row's and the part's log-factorials and four of the cell's.
void LafonScores::scoreRow(size_t row)
{
    const qint64 T = m_corpusSize, F = m_corpusCounts[row];
    const double rowLogs = m_rowLogs[2 * row] + m_rowLogs[2 * row + 1];
    double strongest = 0;
    size_t cell = m_firstCell[row];
    for (size_t part = 0; part < m_partSizes.size(); ++part) {
        double score = 0;
        if (cell < m_firstCell[row + 1] && m_cellParts[cell] == part) {
            const qint64 f = m_cellCounts[cell], t = m_partSizes[part];
            const double logProbability = rowLogs + m_partLogs[2 * part] + m_partLogs[2 * part + 1] - logFactorial(f)
                                          - logFactorial(F - f) - logFactorial(t - f) - logFactorial(T - F - t + f);
            score = lafonScore(f, F, t, T, logProbability);
            m_cellScores[cell++] = score;
        } else {
            score = absentScore(row, part);
        }
        strongest = std::max(strongest, std::abs(score));
    }
    m_strongest[row] = strongest;
}

// log10 P(X = 0) = log10 P(X <= 0): the form is under-used wherever it is
// absent, unless it is absent from the whole corpus or the part is empty
// or the whole corpus.
double LafonScores::absentScore(size_t row, size_t part) const
{
    const qint64 T = m_corpusSize, F = m_corpusCounts[row], t = m_partSizes[part];
    if (F == 0 || F == T || t == 0 || t == T)
        return 0;
    const double logProbability = m_rowLogs[2 * row + 1] + m_partLogs[2 * part + 1] - logFactorial(T - F - t);
    return std::min(0.0, logProbability) / std::numbers::ln10;
}

size_t LafonScores::cellOf(qsizetype row, qsizetype part) const
{
    const auto first = m_cellParts.begin() + qsizetype(m_firstCell[size_t(row)]);
    const auto last = m_cellParts.begin() + qsizetype(m_firstCell[size_t(row) + 1]);
    const auto found = std::lower_bound(first, last, std::uint32_t(part));
    return size_t((found != last && *found == std::uint32_t(part) ? found : last) - m_cellParts.begin());
}

qint64 LafonScores::count(qsizetype row, qsizetype part) const
{
    const size_t cell = cellOf(row, part);
    return cell < m_firstCell[size_t(row) + 1] ? m_cellCounts[cell] : 0;
}

double LafonScores::score(qsizetype row, qsizetype part) const
{
    const size_t cell = cellOf(row, part);
    return cell < m_firstCell[size_t(row) + 1] ? m_cellScores[cell] : absentScore(size_t(row), size_t(part));
}

void LafonScores::sortByScore(std::vector<std::uint32_t> &rows, qsizetype part) const
{
    struct Key
    {
        double score;
        std::uint32_t rank;
        std::uint32_t row;
    };
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (const std::uint32_t row : rows)
        keys.push_back({score(row, part), m_ranks[row], row});
    std::sort(keys.begin(), keys.end(),
              [](const Key &a, const Key &b) { return a.score != b.score ? a.score > b.score : a.rank < b.rank; });
    std::transform(keys.begin(), keys.end(), rows.begin(), [](const Key &key) { return key.row; });
}

} // namespace lexalon
