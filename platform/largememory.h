#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace lexalon {

// Memory for buffers of many megabytes. Where the system offers them, it is
// taken in huge pages: filling 100 MB then costs some fifty page faults
// instead of twenty-five thousand. Smaller buffers come from the usual heap.
// Throws std::bad_alloc.
void *allocateLarge(std::size_t bytes);
void freeLarge(void *memory, std::size_t bytes);
// The same, every page of it made at once, for memory about to be written
// whole: one call to the system instead of a fault a page.
void *allocateLargeFilled(std::size_t bytes);

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

// Bytes to be written whole, left as the system gives them until then.
class LargeBuffer
{
public:
    LargeBuffer() = default;
    explicit LargeBuffer(std::size_t size)
        : m_data(static_cast<unsigned char *>(allocateLargeFilled(size)))
        , m_size(size)
    {
    }
    LargeBuffer(LargeBuffer &&other) noexcept
        : m_data(std::exchange(other.m_data, nullptr))
        , m_size(std::exchange(other.m_size, 0))
    {
    }
    LargeBuffer &operator=(LargeBuffer &&other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        return *this;
    }
    LargeBuffer(const LargeBuffer &) = delete;
    LargeBuffer &operator=(const LargeBuffer &) = delete;
    ~LargeBuffer()
    {
        if (m_data)
            freeLarge(m_data, m_size);
    }

    unsigned char *data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    unsigned char *m_data = nullptr;
    std::size_t m_size = 0;
};

template <typename T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

} // namespace lexalon
