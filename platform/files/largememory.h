// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <vector>

namespace lexalon {

// Memory for buffers of many megabytes. Where the system offers them, it is
// taken in huge pages: filling 100 MB then costs some fifty page faults
// instead of twenty-five thousand. Smaller buffers come from the usual heap.
// Throws std::bad_alloc.
void *allocateLarge(std::size_t bytes);
void freeLarge(void *memory, std::size_t bytes);

// Memory taken elsewhere but not yet written, a text's for instance: where
// the system offers them, the huge pages that fit inside it are used as it
// is first filled. Only a wish, never a failure.
void preferHugePages(void *memory, std::size_t bytes) noexcept;

// From now on every buffer of many megabytes is mapped on its own, so that
// once freed it goes back to the system at once: the heap would otherwise
// keep what a thread freed, and a program that builds and drops large
// structures in turn would hold them all.
void mapLargeBuffersApart() noexcept;

template <typename T>
struct LargeAllocator
{
    using value_type = T;

    LargeAllocator() = default;
    template <typename U>
    explicit LargeAllocator(const LargeAllocator<U> &) noexcept
    {
    }

    T *allocate(std::size_t count) { return static_cast<T *>(allocateLarge(count * sizeof(T))); }
    void deallocate(T *memory, std::size_t count) noexcept { freeLarge(memory, count * sizeof(T)); }

    friend bool operator==(const LargeAllocator &, const LargeAllocator &) noexcept { return true; }
};

template <typename T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

} // namespace lexalon
