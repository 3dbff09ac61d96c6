#include "Core/DirectoryScan.h"

#include "Core/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

std::vector<std::string> DirectoryScan::list(const std::filesystem::path &path)
{
    std::vector<Entry> entries = listEntries(path);
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto &entry : entries)
        names.push_back(std::move(entry.name));
    return names;
}

std::vector<DirectoryScan::Entry> DirectoryScan::listEntries(const std::filesystem::path &path)
{
    return listEntries(Folder::open(path));
}

std::vector<DirectoryScan::Entry> DirectoryScan::listEntries(const Folder &folder)
{
    // The listing reads through a descriptor of its own, so the folder's stays where it is.
    int fd = -1;
    int error = folder.error();
    if (folder.isOpen()) {
        fd = folder.isListable() ? ::fcntl(folder.descriptor(), F_DUPFD_CLOEXEC, 0)
                                 : ::openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        error = errno;
    }
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        if (fd >= 0) {
            error = errno;
            ::close(fd);
        }
        if (error == EACCES || error == EPERM)
            ++unreadableCount;
        return {};
    }
    ::rewinddir(dir);
    std::vector<Entry> entries;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        entries.push_back(Entry{std::string(name), entry->d_type});
    }
    ::closedir(dir);

    // Canonical-equivalence order: compare the NFC forms by code point (UTF-8 byte order is code
    // point order); the NFC and NFD spellings of one name keep their readdir order. Most names are
    // their own key, so only the others are normalised (into `normalised`, which never moves them).
    std::deque<std::string> normalised;
    std::vector<std::pair<std::string_view, std::uint32_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string_view key = entries[i].name;
        if (auto own = nameKey(key, true))
            key = normalised.emplace_back(std::move(*own));
        keys.emplace_back(key, std::uint32_t(i));
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(entries[key.second]));
    return sorted;
}

std::optional<std::string> DirectoryScan::nameKey(std::string_view name, bool lossy)
{
    if (std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::nullopt;
    if (!Text::isValidUtf8(name))
        return lossy ? std::optional(Text::toNfc(Text::lossyUtf8Bytes(name))) : std::nullopt;
    if (Text::isNfc(name))
        return std::nullopt;
    return Text::toNfc(name);
}
