#include "Archive/ArchiveFiles.h"

#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <libdeflate.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

ZipError writeFailed(const fs::path &path)
{
    return ZipError::ioError(L("쓰기 실패: %@", FilePath::display(path)));
}

} // namespace

void writeFile(std::span<const std::uint8_t> bytes, const fs::path &path)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw writeFailed(path);
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + offset, bytes.size() - offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            throw writeFailed(path);
        }
        offset += std::size_t(n);
    }
    // A failed close can mean the data never reached the disk (NFS, a full disk).
    if (::close(fd) != 0 && errno != EINTR)
        throw writeFailed(path);
}

void writeNewFile(std::span<const std::uint8_t> bytes, const fs::path &path,
                  std::optional<unsigned> exactMode)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, exactMode.value_or(0644));
    if (fd < 0)
        throw writeFailed(path);
    bool ok = !exactMode || ::fchmod(fd, mode_t(*exactMode)) == 0;
    std::size_t offset = 0;
    while (ok && offset < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + offset, bytes.size() - offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            offset += std::size_t(n);
    }
    if (::close(fd) != 0 && errno != EINTR)
        ok = false;
    if (!ok) {
        ::unlink(path.c_str());
        throw writeFailed(path);
    }
}

void makeDirectories(const fs::path &base, const std::vector<std::string> &components)
{
    std::string running = base.native();
    for (const auto &component : components) {
        running += '/';
        running += component;
        if (::mkdir(running.c_str(), 0755) != 0 && errno != EEXIST)
            throw ZipError::ioError(L("폴더 생성 실패: %@", FilePath::display(running)));
    }
}

std::uint32_t crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes)
{
    return libdeflate_crc32(crc, bytes.data(), bytes.size());
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes)
{
    return bytes.empty() ? 0 : crc32Update(0, bytes);
}

namespace {

// One read, retried when a signal interrupts it: the count read (0 at the end), or -1.
ssize_t readOnce(int fd, std::uint8_t *into, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, into, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(const fs::path &path, bool followLinks)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then refuses it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> result;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        std::vector<std::uint8_t> bytes(std::size_t(st.st_size));
        std::size_t offset = 0;
        ssize_t n = 1;
        while (n > 0) {
            if (offset < bytes.size()) {
                n = readOnce(fd, bytes.data() + offset, bytes.size() - offset);
            } else {
                // Look past the size fstat gave through a small buffer, so that a file that did not
                // grow is never copied into a larger allocation.
                std::uint8_t more[16384];
                n = readOnce(fd, more, sizeof more);
                if (n > 0)
                    bytes.insert(bytes.end(), more, more + n);
            }
            if (n > 0)
                offset += std::size_t(n);
        }
        if (n == 0) {
            bytes.resize(offset);
            result = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

std::vector<std::uint8_t> readWholeFile(const fs::path &path)
{
    auto bytes = readRegularFile(path);
    if (!bytes)
        throw ZipError::ioError(L("읽기 실패: %@", FilePath::display(path)));
    return std::move(*bytes);
}

std::vector<std::string> nameParts(std::string_view entryName)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= entryName.size()) {
        std::size_t slash = entryName.find('/', start);
        if (slash == std::string_view::npos)
            slash = entryName.size();
        if (slash > start)
            parts.emplace_back(entryName.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

bool isMacJunk(std::string_view entryName)
{
    std::string_view last;
    bool any = false;
    std::size_t start = 0;
    while (start <= entryName.size()) {
        const auto slash = entryName.find('/', start);
        const std::string_view piece =
            entryName.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        if (!piece.empty()) {
            if (piece == "__MACOSX")
                return true;
            last = piece;
            any = true;
        }
        if (slash == std::string_view::npos)
            break;
        start = slash + 1;
    }
    if (!any)
        return false;
    return last == ".DS_Store" || last.starts_with("._");
}
