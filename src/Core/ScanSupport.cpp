#include "Core/ScanSupport.h"

#include "Core/LongPath.h"
#include "Core/Text.h"

#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace ScanSupport {

QUuid newId()
{
    quint64 bits[2];
    QRandomGenerator::global()->fillRange(bits);
    QUuid id;
    id.data1 = uint(bits[0] >> 32);
    id.data2 = ushort(bits[0] >> 16);
    id.data3 = ushort((bits[0] & 0x0FFF) | 0x4000); // version 4
    for (int i = 0; i < 8; ++i)
        id.data4[i] = uchar(bits[1] >> (8 * i));
    id.data4[0] = uchar((id.data4[0] & 0x3F) | 0x80); // RFC 4122 variant
    return id;
}

std::filesystem::path standardized(const std::filesystem::path &path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::string text = absolute.lexically_normal().native();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool appendRoots(std::vector<std::filesystem::path> &roots, const std::vector<std::filesystem::path> &adding)
{
    bool appended = false;
    for (const auto &root : adding) {
        const bool held = std::any_of(roots.begin(), roots.end(), [&](const std::filesystem::path &r) {
            return r.native() == root.native();
        });
        if (!held) {
            roots.push_back(root);
            appended = true;
        }
    }
    return appended;
}

bool addRoots(std::vector<std::filesystem::path> &roots, const std::vector<std::filesystem::path> &urls,
              std::filesystem::path (*resolve)(const std::filesystem::path &))
{
    std::vector<std::filesystem::path> adding;
    adding.reserve(urls.size());
    for (const auto &url : urls)
        adding.push_back(resolve(url));
    return appendRoots(roots, adding);
}

std::string_view lastComponent(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool isAtOrBelow(std::string_view path, std::string_view folder)
{
    if (!path.starts_with(folder))
        return false;
    return path.size() == folder.size() || path[folder.size()] == '/' ||
           (!folder.empty() && folder.back() == '/');
}

bool followRename(std::vector<std::filesystem::path> &roots, std::string_view from, std::string_view to)
{
    bool changed = false;
    for (auto &root : roots) {
        const std::string &bytes = root.native();
        if (!isAtOrBelow(bytes, from))
            continue;
        std::string moved(to);
        moved.append(bytes, from.size());
        root = std::move(moved);
        changed = true;
    }
    return changed;
}

std::size_t depth(std::string_view path)
{
    std::size_t count = 0;
    bool inName = false;
    for (char c : path) {
        if (c == '/') {
            inName = false;
        } else if (!inName) {
            inName = true;
            ++count;
        }
    }
    return count;
}

EntryType entryType(const Folder &folder, const DirectoryScan::Entry &entry)
{
    if (entry.type != DT_UNKNOWN)
        return {entry.type == DT_DIR, 0};
    struct stat st;
    const int error = folder.lstat(entry.name.c_str(), st);
    return {error == 0 && S_ISDIR(st.st_mode), error};
}

EntryType pathType(const std::filesystem::path &path)
{
    struct stat st;
    const int error = LongPath::lstat(path, st);
    return {error == 0 && S_ISDIR(st.st_mode), error};
}

std::int64_t entrySize(const std::filesystem::path &path)
{
    struct stat st;
    return LongPath::lstat(path, st) == 0 ? std::int64_t(st.st_size) : 0;
}

PathOrder::PathOrder(std::size_t count)
{
    rows_.reserve(count);
    folderKeys_.emplace_back();
}

std::string_view PathOrder::keep(std::string &&key)
{
    // A name is at most a few hundred bytes; blocks of 64 KiB hold the keys of many.
    constexpr std::size_t blockSize = 1 << 16;
    if (keyBlocks_.empty() || blockUsed_ + key.size() > blockSize) {
        keyBlocks_.push_back(std::make_unique<char[]>(std::max(blockSize, key.size())));
        blockUsed_ = 0;
    }
    char *at = keyBlocks_.back().get() + blockUsed_;
    std::copy(key.begin(), key.end(), at);
    blockUsed_ += key.size();
    return {at, key.size()};
}

void PathOrder::add(std::string_view path)
{
    const auto slash = path.rfind('/');
    std::uint32_t folder = 0;
    if (slash != std::string_view::npos) {
        // Rows come folder by folder, so the last folder is nearly always the one.
        const std::string_view parent = path.substr(0, slash);
        if (folderKeys_.size() > 1 && parent == lastFolder_) {
            folder = lastFolderIndex_;
        } else {
            const auto [it, added] = folders_.try_emplace(parent, std::uint32_t(folderKeys_.size()));
            if (added) {
                // "/" never composes with a neighbour, so each component is normalised on its own.
                std::string key;
                key.reserve(parent.size());
                for (std::size_t start = 0; start <= parent.size();) {
                    const std::size_t end = std::min(parent.find('/', start), parent.size());
                    const std::string_view component = parent.substr(start, end - start);
                    const auto normalised = DirectoryScan::nameKey(component, false);
                    key += normalised ? std::string_view(*normalised) : component;
                    if (end < parent.size())
                        key += '/';
                    start = end + 1;
                }
                folderKeys_.push_back(std::move(key));
            }
            folder = it->second;
            lastFolder_ = parent;
            lastFolderIndex_ = folder;
        }
    }
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    auto key = DirectoryScan::nameKey(name, false);
    rows_.push_back(Row{key ? keep(std::move(*key)) : name, folder});
}

namespace {

// Compares a[0] + a[1] + a[2] with b[0] + b[1] + b[2] by bytes without joining them.
int compareJoined(const std::string_view (&a)[3], const std::string_view (&b)[3])
{
    std::size_t ia = 0, ib = 0, oa = 0, ob = 0;
    for (;;) {
        while (ia < 3 && oa == a[ia].size()) {
            ++ia;
            oa = 0;
        }
        while (ib < 3 && ob == b[ib].size()) {
            ++ib;
            ob = 0;
        }
        if (ia == 3 || ib == 3)
            return int(ib == 3) - int(ia == 3);
        const std::size_t n = std::min(a[ia].size() - oa, b[ib].size() - ob);
        if (const int c = a[ia].substr(oa, n).compare(b[ib].substr(ob, n)))
            return c;
        oa += n;
        ob += n;
    }
}

} // namespace

std::vector<std::uint32_t> PathOrder::sorted() const
{
    std::vector<std::uint32_t> order(rows_.size());
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t x, std::uint32_t y) {
        const Row &a = rows_[x];
        const Row &b = rows_[y];
        if (a.folder == b.folder)
            return a.name < b.name;
        const std::string_view sa = a.folder == 0 ? "" : "/", sb = b.folder == 0 ? "" : "/";
        const std::string_view left[3] = {folderKeys_[a.folder], sa, a.name};
        const std::string_view right[3] = {folderKeys_[b.folder], sb, b.name};
        return compareJoined(left, right) < 0;
    });
    return order;
}

} // namespace ScanSupport
