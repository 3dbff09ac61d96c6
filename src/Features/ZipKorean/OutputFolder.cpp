#include "Features/ZipKorean/OutputFolder.h"

#include "Archive/ZipError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

ZipError notCreated(const fs::path &path)
{
    return ZipError::ioError(L("폴더 생성 실패: %@", FilePath::display(path)));
}

bool sameItem(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The names inside the folder open at `folder`, each with whether it is a folder (not a link).
std::vector<std::pair<std::string, bool>> entriesOf(int folder)
{
    std::vector<std::pair<std::string, bool>> entries;
    DIR *dir = ::fdopendir(::openat(folder, ".", folderFlags));
    if (dir == nullptr)
        return entries;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            isFolder = ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        entries.emplace_back(name, isFolder);
    }
    ::closedir(dir);
    return entries;
}

// Removes everything inside the folder open at `folder`; a link is removed, never followed.
void removeContents(int folder)
{
    for (const auto &[name, isFolder] : entriesOf(folder)) {
        if (isFolder) {
            const Descriptor inner(::openat(folder, name.c_str(), folderFlags));
            if (inner.valid()) {
                // A folder the archive made read-only is still emptied.
                ::fchmod(inner.get(), 0700);
                removeContents(inner.get());
            }
        }
        ::unlinkat(folder, name.c_str(), isFolder ? AT_REMOVEDIR : 0);
    }
}

} // namespace

std::optional<OutputFolder> OutputFolder::create(const fs::path &wanted, const Hook &beforeCreating)
{
    Descriptor parent(::open(wanted.parent_path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!parent.valid())
        throw notCreated(wanted);
    const auto made = freeName(wanted, [&](const fs::path &candidate) {
        if (beforeCreating)
            beforeCreating(candidate);
        if (::mkdirat(parent.get(), candidate.filename().c_str(), 0755) == 0)
            return false;
        if (errno != EEXIST)
            throw notCreated(candidate);
        return true;
    });
    if (!made)
        return std::nullopt;
    const std::string name = made->filename().native();
    // A link put in its place since then is refused, never followed.
    Descriptor folder(::openat(parent.get(), name.c_str(), folderFlags));
    if (!folder.valid()) {
        ::unlinkat(parent.get(), name.c_str(), AT_REMOVEDIR); // only an empty folder goes
        throw notCreated(*made);
    }
    return OutputFolder(std::move(parent), std::move(folder), *made);
}

OutputFolder::OutputFolder(Descriptor parent, Descriptor folder, fs::path path)
    : parent_(std::move(parent)), folder_(std::move(folder)), path_(std::move(path))
{
}

OutputFolder::OutputFolder(OutputFolder &&other) noexcept
    : parent_(std::move(other.parent_)), folder_(std::move(other.folder_)), path_(std::move(other.path_)),
      kept_(std::exchange(other.kept_, true))
{
}

OutputFolder::~OutputFolder()
{
    if (!kept_)
        remove();
}

void OutputFolder::remove() noexcept
{
    if (!folder_.valid())
        return;
    try {
        removeContents(folder_.get());
    } catch (const std::bad_alloc &) {
        // What could not be listed stays; the folder's own removal below then fails as well.
    }
    // The name goes only while it still names this folder.
    struct stat mine {};
    struct stat there {};
    const std::string name = path_.filename().native();
    if (::fstat(folder_.get(), &mine) == 0 &&
        ::fstatat(parent_.get(), name.c_str(), &there, AT_SYMLINK_NOFOLLOW) == 0 && sameItem(mine, there))
        ::unlinkat(parent_.get(), name.c_str(), AT_REMOVEDIR);
    folder_.reset();
}
