#include "Core/Folder.h"

#include "Core/LongPath.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

Folder::~Folder()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Folder::Folder(Folder &&other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(other.error_), listable_(other.listable_),
      device_(other.device_), inode_(other.inode_)
{
}

Folder &Folder::operator=(Folder &&other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        error_ = other.error_;
        listable_ = other.listable_;
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

int Folder::flags() const
{
    return (listable_ ? O_RDONLY : O_PATH) | O_DIRECTORY | O_CLOEXEC;
}

Folder Folder::open(const std::filesystem::path &path, bool listable)
{
    Folder folder(-1, 0, listable);
    folder.fd_ = LongPath::open(path, folder.flags());
    folder.error_ = folder.fd_ < 0 ? errno : 0;
    return folder;
}

Folder Folder::child(const std::string &name, bool followLinks) const
{
    Folder folder(-1, 0, listable_);
    if (fd_ < 0) {
        folder.error_ = EBADF;
        return folder;
    }
    folder.fd_ = ::openat(fd_, name.c_str(), flags() | (followLinks ? 0 : O_NOFOLLOW));
    folder.error_ = folder.fd_ < 0 ? errno : 0;
    return folder;
}

int Folder::lstat(const char *name, struct stat &st) const
{
    if (fd_ < 0)
        return EBADF;
    return ::fstatat(fd_, name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
}

void Folder::park()
{
    if (fd_ < 0)
        return;
    struct stat st;
    if (::fstat(fd_, &st) == 0) {
        device_ = st.st_dev;
        inode_ = st.st_ino;
    }
    ::close(fd_);
    fd_ = -1;
}

bool Folder::isThisFolder(int fd) const
{
    struct stat st;
    return ::fstat(fd, &st) == 0 && st.st_dev == device_ && st.st_ino == inode_;
}

bool Folder::resume(const Folder &child, const std::filesystem::path &path)
{
    int fd = child.isOpen() ? ::openat(child.descriptor(), "..", flags()) : -1;
    if (fd >= 0 && !isThisFolder(fd)) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0) {
        fd = LongPath::open(path, flags());
        if (fd >= 0 && !isThisFolder(fd)) {
            ::close(fd);
            fd = -1;
            errno = ENOENT; // moved away while the walk was below it
        }
    }
    fd_ = fd;
    error_ = fd < 0 ? errno : 0;
    return fd >= 0;
}
