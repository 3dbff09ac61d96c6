#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

// A file the archive code writes: an extracted entry, or a new archive. It is created
// exclusively, so nothing that stands at a path is ever replaced by accident, and it is removed
// again unless commit() succeeds, so a failure (a full disk, a damaged entry) never leaves a
// partial file under its name. Every failure throws ZipError::ioError("쓰기 실패: <path>") naming
// the path the caller asked for.
class OutputFile {
public:
    // A new file at exactly this path (mode 0644 before the umask; a link at the path is refused).
    static OutputFile create(const std::filesystem::path &path);
    // A new file at the first free name for `wanted` (the " N" rule), for entries whose names
    // collide with one written before; path() tells where it went.
    static OutputFile createFree(const std::filesystem::path &wanted);
    // A hidden temporary file beside `target`; commit() renames it over the target.
    static OutputFile replacing(const std::filesystem::path &target);

    OutputFile(OutputFile &&other) noexcept;
    OutputFile &operator=(OutputFile &&) = delete;
    OutputFile(const OutputFile &) = delete;
    ~OutputFile();

    // Where the data goes now (the temporary file for replacing()).
    const std::filesystem::path &path() const { return path_; }
    // Where the data is meant to end up: the path named in errors.
    const std::filesystem::path &target() const { return target_; }
    std::uint64_t size() const { return size_; }
    int descriptor() const { return fd_; }

    void write(std::span<const std::uint8_t> bytes);
    // Bytes written before, such as a ZIP local header whose sizes become known afterwards.
    void writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Cuts the file back to `size` bytes; writing goes on from there (a ZIP entry rewritten in
    // another form).
    void truncate(std::uint64_t size);
    // Closes the file (and renames it into place for replacing()). Throws and removes the file
    // when that fails.
    void commit();

private:
    OutputFile(int fd, std::filesystem::path path, std::filesystem::path target, bool renameOnCommit);
    [[noreturn]] void fail();

    int fd_ = -1;
    std::filesystem::path path_;
    std::filesystem::path target_;
    bool renameOnCommit_ = false;
    std::uint64_t size_ = 0;
};
