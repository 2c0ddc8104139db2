// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lexalon {

class TaskProgress;

// The sort a concordance's rows share: attestations in the order they are
// numbered, sorted stably by one integer key after another, so that the last
// key sorted decides first and ties keep the order they had. A key is read in
// one pass over the attestations and sorted in two stable counting passes of
// 16 bits each: a sort of integers, whose cancel is heard within a share of a
// pass.
class AttestationSort
{
public:
    // With a progress, the total is three passes over the attestations for
    // each of `keys` keys; reports how far the sort has come and throws
    // TaskCancelled when asked to stop.
    AttestationSort(size_t count, int keys, TaskProgress *progress);

    // key(attestation) for every attestation, 32 bits.
    template <typename Key>
    void sortBy(Key key)
    {
        std::vector<std::uint32_t> keys(m_shown.size());
        for (size_t a = 0; a < keys.size(); ++a) {
            report(a);
            keys[a] = key(qsizetype(a));
        }
        sortByKeys(keys);
    }

    // Each row's attestation, and each attestation's row; the sort is then
    // empty.
    std::vector<std::uint32_t> takeShown() { return std::move(m_shown); }
    std::vector<std::uint32_t> rowsOf() const;

private:
    void report(size_t done);
    void sortByKeys(const std::vector<std::uint32_t> &keys);

    TaskProgress *m_progress;
    size_t m_passesDone = 0;
    std::vector<std::uint32_t> m_shown;
};

} // namespace lexalon
