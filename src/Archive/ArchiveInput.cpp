#include "Archive/ArchiveInput.h"

#include "Archive/ZipError.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

ZipError readFailed(const fs::path &path)
{
    return ZipError::ioError(L("읽기 실패: %@", FilePath::display(path)));
}

} // namespace

ArchiveInput::ArchiveInput(int fd, std::uint64_t size, fs::path path)
    : fd_(fd), size_(size), path_(std::move(path))
{
}

ArchiveInput::ArchiveInput(std::span<const std::uint8_t> memory) : memory_(memory), size_(memory.size()) {}

ArchiveInput::ArchiveInput(ArchiveInput &&other) noexcept
    : fd_(other.fd_), memory_(other.memory_), size_(other.size_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

ArchiveInput::~ArchiveInput()
{
    if (fd_ >= 0)
        ::close(fd_);
}

ArchiveInput ArchiveInput::open(const fs::path &path)
{
    // Non-blocking, so that a FIFO given as an archive cannot hang the open.
    const int fd = LongPath::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw readFailed(path);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw readFailed(path);
    }
    return {fd, std::uint64_t(st.st_size), path};
}

std::size_t ArchiveInput::readAt(std::uint64_t offset, std::span<std::uint8_t> into) const
{
    if (offset >= size_ || into.empty())
        return 0;
    const std::size_t wanted = std::size_t(std::min<std::uint64_t>(into.size(), size_ - offset));
    if (fd_ < 0) {
        std::memcpy(into.data(), memory_.data() + offset, wanted);
        return wanted;
    }
    std::size_t done = 0;
    while (done < wanted) {
        const ssize_t n = ::pread(fd_, into.data() + done, wanted - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw readFailed(path_);
        if (n == 0)
            break; // the file shrank since it was opened
        done += std::size_t(n);
    }
    return done;
}

std::optional<std::vector<std::uint8_t>> ArchiveInput::bytes(std::uint64_t offset, std::size_t length) const
{
    if (offset > size_ || length > size_ - offset)
        return std::nullopt;
    std::vector<std::uint8_t> out(length);
    if (readAt(offset, out) != length)
        return std::nullopt;
    return out;
}

RangeReader::RangeReader(const ArchiveInput &input, std::uint64_t offset, std::uint64_t length,
                         std::size_t bufferSize)
    : input_(input), offset_(offset), remaining_(length),
      buffer_(std::size_t(std::min<std::uint64_t>(bufferSize, std::max<std::uint64_t>(length, 1))))
{
}

std::span<const std::uint8_t> RangeReader::next()
{
    if (remaining_ == 0)
        return {};
    const std::size_t want = std::size_t(std::min<std::uint64_t>(buffer_.size(), remaining_));
    const std::size_t got = input_.readAt(offset_, std::span(buffer_.data(), want));
    offset_ += got;
    remaining_ = got == 0 ? remaining_ : remaining_ - got;
    if (got == 0)
        return {};
    return {buffer_.data(), got};
}
