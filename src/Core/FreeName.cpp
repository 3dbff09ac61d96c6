#include "Core/FreeName.h"

#include "Core/DirectoryScan.h"
#include "Core/Folder.h"
#include "Core/LongPath.h"
#include "Core/Text.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

bool pathIsTaken(const fs::path &path)
{
    struct stat st {};
    return LongPath::lstat(path, st) == 0;
}

std::pair<std::string, std::string> splitExtension(const std::string &name)
{
    const auto dot = name.rfind('.');
    // A leading dot marks a hidden name, not an extension; a trailing dot has none either.
    if (dot == std::string::npos || dot == 0 || dot + 1 == name.size())
        return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

std::optional<fs::path> freeName(const fs::path &wanted)
{
    return FreeNames().find(wanted);
}

bool FreeNames::Stamp::operator==(const Stamp &other) const
{
    return device == other.device && inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec && changed.tv_sec == other.changed.tv_sec &&
           changed.tv_nsec == other.changed.tv_nsec;
}

std::optional<FreeNames::Stamp> FreeNames::stampOf(int folder)
{
    struct stat st;
    if (::fstat(folder, &st) != 0)
        return std::nullopt;
    return Stamp{st.st_dev, st.st_ino, st.st_mtim, st.st_ctim};
}

std::optional<fs::path> FreeNames::find(const fs::path &wanted)
{
    const fs::path parent = wanted.parent_path();
    Folder folder = Folder::open(parent.empty() ? fs::path(".") : parent);
    if (!folder.isOpen())
        folder = Folder::open(parent.empty() ? fs::path(".") : parent, false);
    const auto stamp = folder.isOpen() ? stampOf(folder.descriptor()) : std::nullopt;
    if (!stamp || !listing_ || listing_->folder != parent.native() || !(listing_->stamp == *stamp)) {
        listing_.reset();
        if (stamp) {
            // A folder that cannot be read keeps an empty listing: only the name itself and its
            // NFC form are then looked for.
            Listing listing{parent.native(), *stamp, {}};
            DirectoryScan scan;
            for (const auto &entry : scan.listEntries(folder))
                if (auto key = DirectoryScan::nameKey(entry.name, false))
                    listing.spelledOtherwise.insert(std::move(*key));
            listing_ = std::move(listing);
        }
    }

    const auto taken = [&](const std::string &name) {
        if (!folder.isOpen())
            return pathIsTaken(parent / name);
        struct stat st;
        if (folder.lstat(name.c_str(), st) == 0)
            return true;
        const auto key = DirectoryScan::nameKey(name, false);
        if (key && folder.lstat(key->c_str(), st) == 0)
            return true;
        return listing_ && listing_->spelledOtherwise.count(key ? *key : name) != 0;
    };

    return freeName(wanted, [&](const fs::path &candidate) { return taken(candidate.filename().native()); });
}

std::optional<fs::path> freeName(const fs::path &wanted, const std::function<bool(const fs::path &)> &taken)
{
    if (!taken(wanted))
        return wanted;
    const auto [stem, extension] = splitExtension(wanted.filename().native());
    const fs::path folder = wanted.parent_path();
    for (int n = 2; n < 10000; ++n) {
        std::string name = stem;
        name.append(" ").append(std::to_string(n)).append(extension);
        fs::path candidate = folder / name;
        if (!taken(candidate))
            return candidate;
    }
    return std::nullopt;
}

void FreeNames::renamed(const fs::path &from, const fs::path &to)
{
    if (!listing_ || from.parent_path().native() != listing_->folder ||
        to.parent_path().native() != listing_->folder) {
        listing_.reset();
        return;
    }
    auto &names = listing_->spelledOtherwise;
    if (auto key = DirectoryScan::nameKey(from.filename().native(), false))
        if (const auto it = names.find(*key); it != names.end())
            names.erase(it);
    if (auto key = DirectoryScan::nameKey(to.filename().native(), false))
        names.insert(std::move(*key));
    const Folder folder =
        Folder::open(listing_->folder.empty() ? fs::path(".") : fs::path(listing_->folder), false);
    const auto stamp = folder.isOpen() ? stampOf(folder.descriptor()) : std::nullopt;
    if (stamp)
        listing_->stamp = *stamp;
    else
        listing_.reset();
}

std::optional<fs::path> freeName(int folder, const fs::path &wanted)
{
    // Inside a folder of the caller's own only names the caller wrote stand; they are composed or
    // decomposed spellings of one name at the most.
    return freeName(wanted, [folder](const fs::path &candidate) {
        const std::string name = candidate.filename().native();
        struct stat st {};
        if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
            return true;
        if (!Text::isValidUtf8(name))
            return false;
        for (const std::string &spelling : {Text::toNfc(name), Text::toNfd(name)})
            if (spelling != name && ::fstatat(folder, spelling.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                return true;
        return false;
    });
}
