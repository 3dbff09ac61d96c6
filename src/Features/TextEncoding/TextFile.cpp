#include "Features/TextEncoding/TextFile.h"

#include "Core/LongPath.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

FileIdentity FileIdentity::of(const struct stat &st)
{
    return {st.st_dev, st.st_ino, st.st_size, std::int64_t(st.st_mtim.tv_sec),
            std::int64_t(st.st_mtim.tv_nsec)};
}

std::optional<FileIdentity> FileIdentity::at(const fs::path &path)
{
    struct stat st {};
    if (LongPath::lstat(path, st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return of(st);
}

FileReader::FileReader(const fs::path &path)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then refuses it.
    fd_ = LongPath::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0)
        return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    identity_ = FileIdentity::of(st);
    permissions_ = unsigned(st.st_mode & 0777);
    // A small file is read with one call into a buffer of its size (and one more to see the end).
    buffer_.resize(std::clamp(std::size_t(st.st_size) + 1, std::size_t(4096), pieceSize));
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

std::optional<std::string_view> FileReader::next()
{
    std::size_t filled = 0;
    while (!ended_ && filled < buffer_.size()) {
        const std::size_t wanted = buffer_.size() - filled;
        const ssize_t n = ::read(fd_, buffer_.data() + filled, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        filled += std::size_t(n);
        bytesRead_ += std::uint64_t(n);
        // A short read once the size fstat gave is reached is the end; no further call needed.
        ended_ = n == 0 || (std::size_t(n) < wanted && bytesRead_ >= std::uint64_t(identity_.size));
    }
    return std::string_view(buffer_.data(), filled);
}
