#include "Core/RenameNoReplace.h"

#include "Core/LongPath.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int renameNoReplaceAt(int fromFolder, const char *from, int toFolder, const char *to)
{
    if (::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    // Some file systems (older network and FUSE ones) do not know the flag.
    if (error != EINVAL && error != ENOSYS && error != EOPNOTSUPP)
        return error;
    if (::linkat(fromFolder, from, toFolder, to, 0) == 0) {
        ::unlinkat(fromFolder, from, 0);
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    struct stat st;
    if (::fstatat(toFolder, to, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    if (::renameat(fromFolder, from, toFolder, to) != 0)
        return errno;
    return 0;
}

int renameNoReplaceAt(int folder, const char *from, const char *to)
{
    return renameNoReplaceAt(folder, from, folder, to);
}

int renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to)
{
    const LongPath::At source(from);
    const LongPath::At target(to);
    if (!source.ok())
        return source.error();
    if (!target.ok())
        return target.error();
    return renameNoReplaceAt(source.folder(), source.name(), target.folder(), target.name());
}
