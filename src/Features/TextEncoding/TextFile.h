#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// Which file a path led to and how it stood: an edit shows as another size or modification
// time, a replacement as another device or inode.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileIdentity &) const = default;

    static FileIdentity of(const struct stat &st);
    // The identity of the regular file at the path itself (a link is not followed), or nullopt
    // when there is none.
    static std::optional<FileIdentity> at(const std::filesystem::path &path);
};

// A regular file opened for reading (links followed; a FIFO is refused without waiting for a
// writer), read in pieces of a bounded size.
class FileReader {
public:
    static constexpr std::size_t pieceSize = std::size_t(1) << 20;

    explicit FileReader(const std::filesystem::path &path);
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // The file as it stood when it was opened.
    const FileIdentity &identity() const { return identity_; }
    unsigned permissions() const { return permissions_; } // read, write and execute bits

    // The next piece: pieceSize bytes, fewer only at the end of the file; empty at the end, and
    // nullopt when a read fails.
    std::optional<std::string_view> next();
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    int fd_ = -1;
    bool ended_ = false;
    std::uint64_t bytesRead_ = 0;
    FileIdentity identity_;
    unsigned permissions_ = 0;
    std::vector<char> buffer_;
};
