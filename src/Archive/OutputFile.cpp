#include "Archive/OutputFile.h"

#include "Archive/ZipError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

ZipError writeFailed(const fs::path &path)
{
    return ZipError::ioError(L("쓰기 실패: %@", FilePath::display(path)));
}

int openNew(const fs::path &path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

} // namespace

OutputFile::OutputFile(int fd, fs::path path, fs::path target, bool renameOnCommit)
    : fd_(fd), path_(std::move(path)), target_(std::move(target)), renameOnCommit_(renameOnCommit)
{
}

OutputFile::OutputFile(OutputFile &&other) noexcept
    : fd_(other.fd_), path_(std::move(other.path_)), target_(std::move(other.target_)),
      renameOnCommit_(other.renameOnCommit_), size_(other.size_)
{
    other.fd_ = -1;
}

OutputFile::~OutputFile()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
}

OutputFile OutputFile::create(const fs::path &path)
{
    const int fd = openNew(path);
    if (fd < 0)
        throw writeFailed(path);
    return {fd, path, path, false};
}

OutputFile OutputFile::createFree(const fs::path &wanted)
{
    // Another program may take the free name between the look and the create: look again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = freeName(wanted);
        if (!candidate)
            break;
        const int fd = openNew(*candidate);
        if (fd >= 0)
            return {fd, *candidate, *candidate, false};
        if (errno != EEXIST)
            throw writeFailed(*candidate);
    }
    throw writeFailed(wanted);
}

OutputFile OutputFile::replacing(const fs::path &target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::array<unsigned char, 6> random{};
        if (::getrandom(random.data(), random.size(), 0) != ssize_t(random.size()))
            break;
        std::string name = ".quillfern-";
        for (unsigned char b : random)
            name += "0123456789abcdefghijklmnopqrstuv"[b & 31];
        name += ".tmp";
        const fs::path temp = folder / name;
        const int fd = openNew(temp);
        if (fd >= 0)
            return {fd, temp, target, true};
        if (errno != EEXIST)
            break;
    }
    throw writeFailed(target);
}

void OutputFile::fail()
{
    ::close(fd_);
    fd_ = -1;
    ::unlink(path_.c_str());
    throw writeFailed(target_);
}

void OutputFile::write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail();
        done += std::size_t(n);
    }
    size_ += bytes.size();
}

void OutputFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail();
        done += std::size_t(n);
    }
}

void OutputFile::truncate(std::uint64_t size)
{
    if (::ftruncate(fd_, off_t(size)) != 0 || ::lseek(fd_, off_t(size), SEEK_SET) < 0)
        fail();
    size_ = size;
}

void OutputFile::commit()
{
    // A failed close can mean the data never reached the disk (NFS, a full disk).
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        ::unlink(path_.c_str());
        throw writeFailed(target_);
    }
    if (renameOnCommit_ && ::rename(path_.c_str(), target_.c_str()) != 0) {
        ::unlink(path_.c_str());
        throw writeFailed(target_);
    }
}
