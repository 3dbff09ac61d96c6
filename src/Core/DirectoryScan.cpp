#include "Core/DirectoryScan.h"

#include "Core/Text.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <numeric>

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
    DIR *dir = ::opendir(path.c_str());
    if (dir == nullptr) {
        if (errno == EACCES || errno == EPERM)
            ++unreadableCount;
        return {};
    }
    std::vector<Entry> names;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        names.push_back(Entry{std::string(name), entry->d_type});
    }
    ::closedir(dir);

    // Canonical-equivalence order: compare the NFC forms by code point (UTF-8 byte order is code
    // point order); the NFC and NFD spellings of one name keep their readdir order.
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto &entry : names)
        keys.push_back(Text::toNfc(Text::lossyUtf8Bytes(entry.name)));
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<Entry> sorted;
    sorted.reserve(names.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(names[i]));
    return sorted;
}
