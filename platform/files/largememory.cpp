// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/files/largememory.h"

#include <QtGlobal>

#include <cstdint>
#include <new>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace lexalon {

namespace {

// Below this, the heap is quicker than a mapping of its own.
constexpr std::size_t largeBytes = std::size_t(4) << 20;
constexpr std::uintptr_t hugePage = std::uintptr_t(2) << 20;

} // namespace

#if defined(Q_OS_LINUX)

void *allocateLarge(std::size_t bytes)
{
    if (bytes < largeBytes)
        return ::operator new(bytes);
    void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::bad_alloc();
    // Only a wish: without huge pages the mapping is used as it is.
    madvise(memory, bytes, MADV_HUGEPAGE);
    return memory;
}

void freeLarge(void *memory, std::size_t bytes)
{
    if (bytes < largeBytes)
        ::operator delete(memory);
    else
        munmap(memory, bytes);
}

void preferHugePages(void *memory, std::size_t bytes) noexcept
{
    const auto start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t first = (start + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(hugePage - 1);
    if (bytes >= largeBytes && end > first)
        madvise(reinterpret_cast<void *>(first), end - first, MADV_HUGEPAGE);
}

void mapLargeBuffersApart() noexcept
{
#if defined(__GLIBC__)
    // A threshold set once no longer rises with the blocks freed.
    mallopt(M_MMAP_THRESHOLD, int(largeBytes));
#endif
}

#else

void *allocateLarge(std::size_t bytes)
{
    return ::operator new(bytes);
}

void freeLarge(void *memory, std::size_t)
{
    ::operator delete(memory);
}

void preferHugePages(void *, std::size_t) noexcept
{
}

void mapLargeBuffersApart() noexcept
{
}

#endif

} // namespace lexalon
