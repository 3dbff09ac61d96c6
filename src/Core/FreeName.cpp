#include "Core/FreeName.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

bool pathIsTaken(const fs::path &path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::pair<std::string, std::string> splitExtension(const std::string &name)
{
    const auto dot = name.rfind('.');
    // A leading dot marks a hidden name, not an extension; a trailing dot has none either.
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

namespace {

template <typename Taken> std::optional<fs::path> firstFree(const fs::path &wanted, Taken &&taken)
{
    if (!taken(wanted))
        return wanted;
    const auto [stem, extension] = splitExtension(wanted.filename().native());
    const fs::path folder = wanted.parent_path();
    for (int n = 2; n < 10000; ++n) {
        fs::path candidate = folder / (stem + " " + std::to_string(n) + extension);
        if (!taken(candidate))
            return candidate;
    }
    return std::nullopt;
}

} // namespace

std::optional<fs::path> freeName(const fs::path &wanted)
{
    return firstFree(wanted, pathIsTaken);
}

std::optional<fs::path> freeName(int folder, const fs::path &wanted)
{
    return firstFree(wanted, [folder](const fs::path &candidate) {
        struct stat st {};
        return ::fstatat(folder, candidate.filename().c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    });
}
