#include "Core/LongPath.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace LongPath {

namespace {

bool isLong(const std::string &path)
{
    return path.size() >= PATH_MAX;
}

// Opens a folder of a path of any length (O_PATH): a piece shorter than PATH_MAX at a time, each
// relative to the folder the one before led to. -1 with errno set.
int openFolderInPieces(std::string_view path)
{
    int fd = AT_FDCWD;
    while (!path.empty()) {
        std::string_view piece = path;
        if (piece.size() >= PATH_MAX) {
            const auto cut = path.substr(0, PATH_MAX - 1).rfind('/');
            if (cut == std::string_view::npos || cut == 0) {
                if (fd != AT_FDCWD)
                    ::close(fd);
                errno = ENAMETOOLONG; // one component longer than any name can be
                return -1;
            }
            piece = path.substr(0, cut);
        }
        const int next = ::openat(fd, std::string(piece).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        const int error = errno;
        if (fd != AT_FDCWD)
            ::close(fd);
        if (next < 0) {
            errno = error;
            return -1;
        }
        fd = next;
        path.remove_prefix(piece.size());
        while (!path.empty() && path.front() == '/')
            path.remove_prefix(1);
    }
    return fd;
}

} // namespace

At::At(const std::string &path) : folder_(AT_FDCWD), name_(path.c_str())
{
    if (!isLong(path))
        return;
    std::string_view text = path;
    while (text.size() > 1 && text.back() == '/')
        text.remove_suffix(1);
    const auto slash = text.rfind('/');
    if (slash == std::string_view::npos) {
        error_ = ENAMETOOLONG;
        return;
    }
    last_ = std::string(text.substr(slash + 1));
    name_ = last_.c_str();
    folder_ = openFolderInPieces(slash == 0 ? std::string_view("/") : text.substr(0, slash));
    if (folder_ < 0) {
        error_ = errno;
        return;
    }
    owned_ = true;
}

At::~At()
{
    if (owned_)
        ::close(folder_);
}

int open(const std::filesystem::path &path, int flags, mode_t mode)
{
    const At at(path);
    if (!at.ok()) {
        errno = at.error();
        return -1;
    }
    return ::openat(at.folder(), at.name(), flags, mode);
}

int lstat(const std::filesystem::path &path, struct stat &st)
{
    const At at(path);
    if (!at.ok())
        return at.error();
    return ::fstatat(at.folder(), at.name(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

int stat(const std::filesystem::path &path, struct stat &st)
{
    const At at(path);
    if (!at.ok())
        return at.error();
    return ::fstatat(at.folder(), at.name(), &st, 0) == 0 ? 0 : errno;
}

} // namespace LongPath
