#include "platform/largememory.h"

#include <QtGlobal>

#include <new>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace lexalon {

namespace {

// Below this, the heap is quicker than a mapping of its own.
constexpr std::size_t largeBytes = std::size_t(4) << 20;

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

#else

void *allocateLarge(std::size_t bytes)
{
    return ::operator new(bytes);
}

void freeLarge(void *memory, std::size_t)
{
    ::operator delete(memory);
}

#endif

} // namespace lexalon
