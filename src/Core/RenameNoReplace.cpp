#include "Core/RenameNoReplace.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

int renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    // Some file systems (older network and FUSE ones) do not know the flag.
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    struct stat st;
    if (::lstat(to.c_str(), &st) == 0)
        return EEXIST;
    if (::rename(from.c_str(), to.c_str()) != 0)
        return errno;
    return 0;
}
