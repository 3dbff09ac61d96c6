#include "FailingAllocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations above this many bytes fail while a FailingAllocations lives; 0: none fail.
std::atomic<std::size_t> failAbove{0};

} // namespace

FailingAllocations::FailingAllocations(std::size_t limit)
{
    failAbove = limit;
}

FailingAllocations::~FailingAllocations()
{
    failAbove = 0;
}

// This test program's allocator, so that an allocation can be made to fail; the aligned forms are
// left to the library, which pairs them itself.
void *operator new(std::size_t size)
{
    const std::size_t limit = failAbove.load(std::memory_order_relaxed);
    if (limit != 0 && size > limit)
        throw std::bad_alloc();
    if (void *p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size)
{
    return operator new(size);
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    try {
        return operator new(size);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}
void *operator new[](std::size_t size, const std::nothrow_t &tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete[](void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void *p, const std::nothrow_t &) noexcept
{
    std::free(p);
}
void operator delete[](void *p, const std::nothrow_t &) noexcept
{
    std::free(p);
}
