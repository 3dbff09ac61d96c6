#include "Core/TrashFolder.h"

#include "Core/Descriptor.h"
#include "Core/LinkText.h"
#include "Core/LongPath.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace TrashFolder {

namespace {

// ".Trash", or ".Trash-" followed by the digits of a user id.
bool isVolumeTrashName(std::string_view name)
{
    if (name == ".Trash")
        return true;
    constexpr std::string_view prefix = ".Trash-";
    if (!name.starts_with(prefix) || name.size() == prefix.size())
        return false;
    name.remove_prefix(prefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool sameEntry(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isHomeTrash(const struct stat &folder)
{
    struct stat st;
    return LongPath::stat(home(), st) == 0 && sameEntry(st, folder);
}

// The top folder of a mount: its parent lies on another device, or it is its own parent ("/").
bool isMountTop(int folder)
{
    struct stat self, parent;
    return ::fstat(folder, &self) == 0 && ::fstatat(folder, "..", &parent, 0) == 0 &&
           (self.st_dev != parent.st_dev || self.st_ino == parent.st_ino);
}

bool isVolumeTrash(int holder, const std::string &name, const struct stat &folder)
{
    struct stat st;
    return isVolumeTrashName(name) && isMountTop(holder) &&
           ::fstatat(holder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && sameEntry(st, folder);
}

// A link's text ending in the name of a volume Trash: the folder it names is looked at where the
// link leads.
bool leadsToVolumeTrash(int holder, const std::string &link, const struct stat &folder)
{
    const auto text = linkText(holder, link.c_str());
    if (!text || text->empty())
        return false;
    std::string_view target(*text);
    while (target.size() > 1 && target.back() == '/')
        target.remove_suffix(1);
    const auto slash = target.rfind('/');
    const std::string name(slash == std::string_view::npos ? target : target.substr(slash + 1));
    if (!isVolumeTrashName(name))
        return false;
    const std::string parent = slash == std::string_view::npos ? std::string(".")
                               : slash == 0                    ? std::string("/")
                                                               : std::string(target.substr(0, slash));
    const Descriptor opened(::openat(holder, parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    return opened.valid() && isVolumeTrash(opened.get(), name, folder);
}

} // namespace

fs::path home()
{
    const char *dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return fs::path(dataHome) / "Trash";
    const char *homeFolder = std::getenv("HOME");
    return fs::path(homeFolder && homeFolder[0] ? homeFolder : "/") / ".local/share/Trash";
}

bool is(const Folder &holder, const std::string &name, bool followLinks)
{
    // Most names are none of these: no system call for them.
    const bool candidate = name == "Trash" || isVolumeTrashName(name);
    if ((!candidate && !followLinks) || !holder.isOpen())
        return false;
    struct stat st;
    if (holder.lstat(name.c_str(), st) != 0)
        return false;
    if (S_ISLNK(st.st_mode)) {
        if (!followLinks || ::fstatat(holder.descriptor(), name.c_str(), &st, 0) != 0 || !S_ISDIR(st.st_mode))
            return false;
        return isHomeTrash(st) || leadsToVolumeTrash(holder.descriptor(), name, st);
    }
    if (!candidate || !S_ISDIR(st.st_mode))
        return false;
    return name == "Trash" ? isHomeTrash(st) : isMountTop(holder.descriptor());
}

bool is(const fs::path &path)
{
    std::string name = path.filename().native();
    fs::path parent = path.parent_path();
    if (name.empty()) { // a trailing "/"
        name = parent.filename().native();
        parent = parent.parent_path();
    }
    if (name.empty() || name == "." || name == "..")
        return false;
    return is(Folder::open(parent.empty() ? fs::path(".") : parent, false), name, true);
}

} // namespace TrashFolder
