// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace lexalon {

class TaskProgress;
class WordList;

// The Lafon scores of every row of a list with one count column per part
// (a corpus's list: WordList::textColumns / textCounts), in every part; a
// list without columns is one part. Computed on all cores; with a progress,
// reports rows done and throws TaskCancelled when asked to stop.
//
// A score is kept, as an exact double, only where the part holds the form:
// where it lacks it, the score depends on the form's and the part's sizes
// alone and costs one log-factorial to give again. The memory follows the
// list's counts, not rows times parts.
class LafonScores
{
public:
    explicit LafonScores(const WordList &list, TaskProgress *progress = nullptr);
    // Against a reference: the reference's counts (a saved list, with or without
    // columns; its totals) are added to the list's to make the corpus; the
    // rows are still the list's.
    LafonScores(const WordList &list, const WordList &reference, TaskProgress *progress = nullptr);

    qsizetype rows() const { return qsizetype(m_corpusCounts.size()); }
    qsizetype parts() const { return qsizetype(m_partSizes.size()); }
    qint64 corpusSize() const { return m_corpusSize; }                             // T
    qint64 partSize(qsizetype part) const { return m_partSizes[size_t(part)]; }    // t
    qint64 corpusCount(qsizetype row) const { return m_corpusCounts[size_t(row)]; } // F
    qint64 count(qsizetype row, qsizetype part) const;                             // f
    double score(qsizetype row, qsizetype part) const;
    // Banal in every part at this threshold.
    bool banal(qsizetype row, double threshold) const { return m_strongest[size_t(row)] < threshold; }
    // The rows given, sorted by their score in a part, highest first; ties in
    // the list's (alphabetical) order.
    void sortByScore(std::vector<std::uint32_t> &rows, qsizetype part) const;

private:
    LafonScores(const WordList &list, const WordList *reference, TaskProgress *progress);
    void readCounts(const WordList &list, const WordList *reference);
    void computeScores(TaskProgress *progress);
    void scoreRow(size_t row);
    // The cell of the part in the row, or the row's end when the part lacks the form.
    size_t cellOf(qsizetype row, qsizetype part) const;
    double absentScore(size_t row, size_t part) const;

    qint64 m_corpusSize = 0;
    std::vector<qint64> m_partSizes;
    std::vector<double> m_partLogs;    // ln t! and ln (T - t)!, by part, in turn
    std::vector<qint64> m_corpusCounts; // by row
    std::vector<double> m_rowLogs;     // ln F! and ln (T - F)! - ln T!, by row, in turn
    std::vector<std::uint32_t> m_ranks; // by row, in alphabetical order
    std::vector<double> m_strongest;   // by row, the largest |score| in a part
    // The parts that hold each row's form, rows end to end.
    std::vector<size_t> m_firstCell;   // by row, then the end
    std::vector<std::uint32_t> m_cellParts;
    std::vector<qint64> m_cellCounts;
    std::vector<double> m_cellScores;
};

} // namespace lexalon
