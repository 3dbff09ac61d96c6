#pragma once

#include "Archive/Zip/ZipFormat.h"

#include <memory>
#include <mutex>
#include <span>
#include <utility>
#include <vector>

// Buffers that entries prepared ahead of an archive writer hold until it has written them. They
// go back to the pool and serve the next entries, so their pages are touched once, whichever
// thread takes them.
class BufferPool {
public:
    // One buffer, back in the pool when the lease ends.
    class Lease {
    public:
        Lease() = default;
        Lease(Lease &&other) noexcept
            : pool_(std::exchange(other.pool_, nullptr)), buffer_(std::move(other.buffer_))
        {
        }
        Lease &operator=(Lease &&other) noexcept
        {
            if (this != &other) {
                giveBack();
                pool_ = std::exchange(other.pool_, nullptr);
                buffer_ = std::move(other.buffer_);
            }
            return *this;
        }
        Lease(const Lease &) = delete;
        Lease &operator=(const Lease &) = delete;
        ~Lease() { giveBack(); }

        // Room for n bytes; what was there before is lost when it grows.
        std::span<std::uint8_t> take(std::size_t n) { return buffer_->take(n); }

    private:
        friend class BufferPool;
        Lease(BufferPool *pool, std::unique_ptr<ZipFormat::ScratchBuffer> buffer)
            : pool_(pool), buffer_(std::move(buffer))
        {
        }
        void giveBack()
        {
            if (pool_)
                pool_->giveBack(std::move(buffer_));
            pool_ = nullptr;
        }

        BufferPool *pool_ = nullptr;
        std::unique_ptr<ZipFormat::ScratchBuffer> buffer_;
    };

    Lease lease()
    {
        std::unique_ptr<ZipFormat::ScratchBuffer> buffer;
        {
            const std::lock_guard lock(mutex_);
            if (!free_.empty()) {
                buffer = std::move(free_.back());
                free_.pop_back();
            }
        }
        if (!buffer)
            buffer = std::make_unique<ZipFormat::ScratchBuffer>();
        return {this, std::move(buffer)};
    }

private:
    void giveBack(std::unique_ptr<ZipFormat::ScratchBuffer> buffer) noexcept
    {
        const std::lock_guard lock(mutex_);
        try {
            free_.push_back(std::move(buffer));
        } catch (...) {
            // Without room in the list the buffer is simply freed.
        }
    }

    std::mutex mutex_;
    std::vector<std::unique_ptr<ZipFormat::ScratchBuffer>> free_;
};
