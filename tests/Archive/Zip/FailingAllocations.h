#pragma once

#include <cstddef>

// While one lives, every allocation through operator new above `limit` bytes fails with
// std::bad_alloc: a test sees that a step allocates nothing large, or how it takes running out of
// memory. The test program that links FailingAllocations.cpp gets this allocator.
class FailingAllocations {
public:
    explicit FailingAllocations(std::size_t limit);
    FailingAllocations(const FailingAllocations &) = delete;
    FailingAllocations &operator=(const FailingAllocations &) = delete;
    ~FailingAllocations();
};
