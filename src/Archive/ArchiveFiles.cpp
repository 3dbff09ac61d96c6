#include "Archive/ArchiveFiles.h"

#include "Core/AtomicFile.h"
#include "Core/Descriptor.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <libdeflate.h>

#include <algorithm>
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
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid() || !writeAll(fd.get(), bytes))
        throw writeFailed(path);
    // A failed close can mean the data never reached the disk (NFS, a full disk).
    if (!fd.close() && errno != EINTR)
        throw writeFailed(path);
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

} // namespace

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

std::optional<std::string_view> belowPrefix(std::string_view entryName,
                                            const std::optional<std::string> &prefix)
{
    if (!prefix)
        return entryName;
    if (!entryName.starts_with(*prefix) || entryName == *prefix)
        return std::nullopt;
    return entryName.substr(prefix->size());
}

bool leavesDestination(std::string_view entryName, const std::vector<std::string> &parts)
{
    return entryName.starts_with('/') || entryName.find('\0') != std::string_view::npos ||
           std::find(parts.begin(), parts.end(), "..") != parts.end();
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
