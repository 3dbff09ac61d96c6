#include "Core/RenameNoReplace.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

int renameNoReplaceAt(int folder, const char *from, const char *to)
{
    if (::renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    // Some file systems (older network and FUSE ones) do not know the flag.
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    struct stat st;
    if (::fstatat(folder, to, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (::renameat(folder, from, folder, to) != 0)
        return errno;
    return 0;
}

int renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to)
{
    return renameNoReplaceAt(AT_FDCWD, from.c_str(), to.c_str());
}
