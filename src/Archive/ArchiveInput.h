#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// Random access to an archive's bytes in bounded reads: a file read with pread (never mapped or
// read whole, so memory does not grow with the archive), or bytes already in memory (tests and
// fuzzing). A failed read throws ZipError::ioError("읽기 실패: <path>").
class ArchiveInput {
public:
    // Opens a regular file (links followed); anything else, or a file that cannot be opened,
    // throws ZipError::ioError("읽기 실패: <path>").
    static ArchiveInput open(const std::filesystem::path &path);
    explicit ArchiveInput(std::span<const std::uint8_t> memory);

    ArchiveInput(ArchiveInput &&other) noexcept;
    ArchiveInput &operator=(ArchiveInput &&) = delete;
    ArchiveInput(const ArchiveInput &) = delete;
    ~ArchiveInput();

    std::uint64_t size() const { return size_; }
    const std::filesystem::path &path() const { return path_; }

    // Reads up to into.size() bytes at the offset; fewer only at the end of the input.
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) const;
    // Exactly `length` bytes at the offset, or nullopt when they run past the end. The caller
    // bounds the length: it is allocated whole.
    std::optional<std::vector<std::uint8_t>> bytes(std::uint64_t offset, std::size_t length) const;

private:
    ArchiveInput(int fd, std::uint64_t size, std::filesystem::path path);

    int fd_ = -1;
    std::span<const std::uint8_t> memory_;
    std::uint64_t size_ = 0;
    std::filesystem::path path_;
};

// Sequential reads of one byte range of an input through a fixed buffer.
class RangeReader {
public:
    static constexpr std::size_t defaultBuffer = std::size_t(1) << 20;

    RangeReader(const ArchiveInput &input, std::uint64_t offset, std::uint64_t length,
                std::size_t bufferSize = defaultBuffer);

    // The next piece of the range; empty once the range is consumed. A range that runs past the
    // end of the input ends early: check complete() afterwards.
    std::span<const std::uint8_t> next();
    bool complete() const { return remaining_ == 0; }
    std::uint64_t remaining() const { return remaining_; }

private:
    const ArchiveInput &input_;
    std::uint64_t offset_;
    std::uint64_t remaining_;
    std::vector<std::uint8_t> buffer_;
};
