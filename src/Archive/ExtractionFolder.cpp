#include "Archive/ExtractionFolder.h"

#include "Archive/ZipError.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

ExtractionFolder::ExtractionFolder(fs::path root, int descriptor) : root_(std::move(root)), given_(descriptor)
{
}

int ExtractionFolder::rootDescriptor()
{
    if (given_ >= 0)
        return given_;
    if (!opened_.valid())
        opened_ = Descriptor(::open(root_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    return opened_.get();
}

int ExtractionFolder::folder(std::span<const std::string> parts, std::size_t count)
{
    failedAt_ = 0;
    std::size_t keep = 0;
    while (keep < open_.size() && keep < count && open_[keep].first == parts[keep])
        ++keep;
    open_.resize(keep);
    int parent = keep == 0 ? rootDescriptor() : open_[keep - 1].second.get();
    if (parent < 0)
        return -1;
    for (std::size_t i = keep; i < count; ++i) {
        failedAt_ = i;
        const std::string &name = parts[i];
        if (name.empty() || name == "..") {
            errno = EINVAL;
            return -1;
        }
        if (::mkdirat(parent, name.c_str(), 0755) != 0 && errno != EEXIST)
            return -1;
        // Whatever stands there must be a folder itself: a link to one is refused (ENOTDIR).
        Descriptor fd(::openat(parent, name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.valid())
            return -1;
        open_.emplace_back(name, std::move(fd));
        parent = open_.back().second.get();
    }
    return parent;
}

void ExtractionFolder::makeFolders(std::span<const std::string> parts)
{
    if (folder(parts, parts.size()) < 0)
        throw ZipError::ioError(
            L("폴더 생성 실패: %@", FilePath::display(pathOf(parts.first(failedAt_ + 1)))));
}

int ExtractionFolder::parentOf(std::span<const std::string> parts)
{
    const int parent = folder(parts, parts.size() - 1);
    if (parent < 0)
        throw FileError::writeFailed(pathOf(parts), errno);
    return parent;
}

AtomicFile ExtractionFolder::createFree(std::span<const std::string> parts)
{
    return AtomicFile::inPlaceFree(parentOf(parts), pathOf(parts));
}

AtomicFile ExtractionFolder::replacement(std::span<const std::string> parts)
{
    return AtomicFile::beside(parentOf(parts), pathOf(parts));
}

Descriptor ExtractionFolder::openForReading(std::span<const std::string> parts)
{
    const int parent = folder(parts, parts.size() - 1);
    if (parent < 0)
        return {};
    return Descriptor(::openat(parent, parts.back().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
}

AtomicFile ExtractionFolder::createTarget(const fs::path &target)
{
    return given_ >= 0 ? AtomicFile::inPlace(given_, target) : AtomicFile::inPlace(target);
}

AtomicFile ExtractionFolder::replacementForTarget(const fs::path &target)
{
    return given_ >= 0 ? AtomicFile::beside(given_, target) : AtomicFile::beside(target);
}

fs::path ExtractionFolder::pathOf(std::span<const std::string> parts) const
{
    std::string path = root_.native();
    for (const std::string &part : parts) {
        path += '/';
        path += part;
    }
    return path;
}
