#pragma once

#include "Core/DirectoryScan.h"
#include "Core/ErrorText.h"
#include "Core/FilePath.h"
#include "Core/Folder.h"
#include "Core/TrashFolder.h"

#include <QUuid>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <dirent.h>
#include <filesystem>
#include <limits>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

// Pieces shared by the engines that walk the dropped roots and rename or move what they find.
namespace ScanSupport {

// A new random (version 4) UUID for a listed row. Rows are made by the hundred thousand, so the
// bits come from the seeded global generator rather than one system call each.
QUuid newId();

// The path made absolute with ".", ".." and empty components removed lexically (no link is
// resolved) and without a trailing "/". Bytes of the names are kept.
std::filesystem::path standardized(const std::filesystem::path &path);

// Appends each path in order unless one already held (or appended earlier in this call) has the
// same bytes. Returns true when anything was appended.
bool appendRoots(std::vector<std::filesystem::path> &roots, const std::vector<std::filesystem::path> &adding);

// The drop step: appends the dropped URLs as appendRoots does, each first made a root by
// `resolve` (links resolved, or the URL itself where that fails). Returns true when anything was
// appended.
bool addRoots(std::vector<std::filesystem::path> &roots, const std::vector<std::filesystem::path> &urls,
              std::filesystem::path (*resolve)(const std::filesystem::path &) = FilePath::realPathOrSame);

// The bytes of a row's path, whether the row keeps it as a path or as a string.
inline std::string_view pathBytes(const std::filesystem::path &path)
{
    return path.native();
}
inline std::string_view pathBytes(const std::string &path)
{
    return path;
}

// The bytes of a path about to be replaced: a string is handed over, a path copied.
inline std::string takeBytes(std::string &path)
{
    return std::move(path);
}
inline std::string takeBytes(const std::filesystem::path &path)
{
    return path.native();
}

// The last component of a path's bytes ("" for "/").
std::string_view lastComponent(std::string_view path);

// Whether `path` is `folder` or lies below it, by whole components.
bool isAtOrBelow(std::string_view path, std::string_view folder);

// Follows a rename of `from` to `to`: every root that is `from` or lies below it (by whole
// components, compared as bytes) is rewritten to lie at or below `to`. Returns true when one was.
bool followRename(std::vector<std::filesystem::path> &roots, std::string_view from, std::string_view to);

// The number of components of a path ("/a/b" has 2).
std::size_t depth(std::string_view path);

// Indices 0..n-1 ordered by the depth of each row's path, deepest first; equal depths keep their
// order. Renaming in this order treats a folder's contents before the folder.
template <typename Item, typename PathOf>
std::vector<std::uint32_t> deepestFirst(const std::vector<Item> &items, PathOf pathOf)
{
    std::vector<std::uint32_t> depths, order(items.size());
    depths.reserve(items.size());
    for (const auto &item : items)
        depths.push_back(std::uint32_t(depth(pathBytes(pathOf(item)))));
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return depths[a] != depths[b] ? depths[a] > depths[b] : a < b;
    });
    return order;
}

// What renaming one row did: error 0 and the bytes of the entry's new path, or the errno value.
struct Renamed {
    int error = 0;
    std::string to;
};

// Renames every pending row through rename(item), deepest first so that a folder's contents go
// while its path still holds. A renamed row is done and follows its entry, as do the roots at or
// below its old path; a failed one shows the system's error text. changed(index, from) is called
// after each row with the row's path before the rename (empty when it failed), which it may keep.
// No path is copied for the order, which holds only an index and a depth per row.
// Returns {whether a root changed, whether any row did}.
template <typename Item, typename Rename, typename Changed>
std::pair<bool, bool> renamePending(std::vector<Item> &items, std::vector<std::filesystem::path> &roots,
                                    Rename rename, Changed changed)
{
    bool rootsChanged = false;
    bool anyChanged = false;
    for (std::uint32_t index : deepestFirst(
             items, [](const Item &item) -> const auto & { return item.url; })) {
        Item &item = items[index];
        if (item.status.kind != Item::Status::Kind::pending)
            continue;
        Renamed result = rename(item);
        std::string from;
        if (result.error == 0) {
            rootsChanged |= followRename(roots, pathBytes(item.url), result.to);
            from = takeBytes(item.url);
            item.url = std::move(result.to);
            item.status = typename Item::Status{Item::Status::Kind::done, {}};
        } else {
            item.status = Item::Status::failed(errorText(result.error));
        }
        anyChanged = true;
        changed(int(index), from);
    }
    return {rootsChanged, anyChanged};
}

// The order of paths by the code points of their NFC forms (canonically equivalent paths compare
// equal, a component that is not valid UTF-8 orders by its bytes), found without a key string per
// path: a path's key is its folder's key (one per folder) joined by "/" to its name's key, and a
// name is mostly its own key. The paths' bytes must stay in place until sorted() returns.
class PathOrder {
public:
    explicit PathOrder(std::size_t count);
    void add(std::string_view path);
    // Indices of the paths in order; equal keys keep the order in which they were added.
    std::vector<std::uint32_t> sorted() const;

private:
    struct Row {
        std::string_view name;
        std::uint32_t folder;
    };
    std::string_view keep(std::string &&key);

    std::vector<Row> rows_;
    std::vector<std::string> folderKeys_; // 0: no folder (a path without "/")
    std::unordered_map<std::string_view, std::uint32_t> folders_;
    std::string_view lastFolder_;
    std::uint32_t lastFolderIndex_ = 0;
    std::vector<std::unique_ptr<char[]>> keyBlocks_; // names' keys, which never move once kept
    std::size_t blockUsed_ = 0;
};

// Moves each element to its place in the order: position k receives the element at from[k].
// In place, cycle by cycle with one element held aside, so the elements are never held twice;
// `from` is used up.
template <typename T> void permute(std::vector<T> &items, std::vector<std::uint32_t> &from)
{
    constexpr std::uint32_t placed = std::numeric_limits<std::uint32_t>::max();
    for (std::size_t start = 0; start < items.size(); ++start) {
        if (from[start] == placed)
            continue;
        if (from[start] == start) {
            from[start] = placed;
            continue;
        }
        T held = std::move(items[start]);
        std::size_t at = start;
        for (;;) {
            const std::size_t next = from[at];
            from[at] = placed;
            if (next == start) {
                items[at] = std::move(held);
                break;
            }
            items[at] = std::move(items[next]);
            at = next;
        }
    }
}

// Sorts stably by the path each element names (the order of PathOrder), in place.
template <typename T, typename PathOf> void sortByPath(std::vector<T> &items, PathOf pathOf)
{
    std::vector<std::uint32_t> order;
    {
        PathOrder paths(items.size());
        for (const auto &item : items)
            paths.add(pathBytes(pathOf(item)));
        order = paths.sorted();
    }
    permute(items, order);
}

// Whether a listed entry is a folder (a link never is): the type the listing gave, else lstat.
// `error` is lstat's errno value when one was needed and failed (ENOENT: gone since the listing).
struct EntryType {
    bool isDirectory = false;
    int error = 0;
};
EntryType entryType(const Folder &folder, const DirectoryScan::Entry &entry);

// The same for a path of any length: lstat (links not followed), with its errno value when it failed.
EntryType pathType(const std::filesystem::path &path);

// The size lstat gives (a link's own), or 0 when it cannot be had.
std::int64_t entrySize(const std::filesystem::path &path);

// One entry met by walkBelow.
struct WalkEntry {
    const std::string &path; // its path as bytes (valid during the call)
    const DirectoryScan::Entry &entry;
    const Folder &folder; // the open folder that holds it
    int depth;            // 1 for the entries of the folder walked
    // The listing it came from, and its place there (for naming an entry among its siblings).
    const std::vector<DirectoryScan::Entry> &siblings;
    std::size_t index;

    const std::string &name() const { return entry.name; }
    EntryType type() const { return entryType(folder, entry); }
    // lstat relative to the folder: 0, or the errno value.
    int lstat(struct stat &st) const { return folder.lstat(entry.name.c_str(), st); }
};

namespace detail {

// Below this depth each folder of a walk keeps its descriptor; deeper ones give it back while the
// walk is below them, so a tree of any depth needs only a few.
inline constexpr int heldDepth = 64;

template <typename Visit>
void walkFolder(DirectoryScan &scan, Folder &folder, std::string &path, int depth, Visit &visit,
                bool followLinks)
{
    std::vector<DirectoryScan::Entry> entries = scan.listEntries(folder);
    std::erase_if(entries, [&](const DirectoryScan::Entry &entry) {
        return TrashFolder::is(folder, entry.name,
                               followLinks && entry.type != DT_DIR && entry.type != DT_REG);
    });
    const std::size_t base = path.size();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        const DirectoryScan::Entry &entry = entries[index];
        path.resize(base);
        if (path.empty() || path.back() != '/')
            path += '/';
        path += entry.name;
        if (!visit(WalkEntry{path, entry, folder, depth, entries, index}))
            continue;
        Folder child = folder.child(entry.name, followLinks);
        // A followed link is walked under the path it resolves to.
        std::optional<std::string> linkPath;
        if (followLinks && entry.type != DT_DIR) {
            struct stat st;
            if (folder.lstat(entry.name.c_str(), st) == 0 && S_ISLNK(st.st_mode))
                if (auto real = FilePath::realPath(path))
                    linkPath = std::exchange(path, real->native());
        }
        const bool park = depth >= heldDepth;
        if (park)
            folder.park();
        walkFolder(scan, child, path, depth + 1, visit, followLinks);
        if (linkPath)
            path = std::move(*linkPath);
        if (park && !folder.resume(child, std::filesystem::path(path.substr(0, base))))
            break; // moved away meanwhile: what is left of it is not reachable by its path
    }
    path.resize(base);
}

} // namespace detail

// Walks the tree below the folder at `root` depth first, each folder listed through `scan` (the
// folders it could not open for lack of permission counted), by descriptors: openat and fstatat
// relative to each folder, so depth is not bounded by PATH_MAX. visit(const WalkEntry &) is
// called for every entry in listing order and returns true to enter it (a folder). With
// followLinks, a link to a folder may be entered too, its entries then named below the path the
// link resolves to. Trash folders are neither offered nor entered.
template <typename Visit>
void walkBelow(DirectoryScan &scan, const std::string &root, Visit &&visit, bool followLinks = false)
{
    if (TrashFolder::is(std::filesystem::path(root)))
        return;
    Folder folder = Folder::open(root);
    std::string path = root;
    detail::walkFolder(scan, folder, path, 1, visit, followLinks);
}

// The same below a folder met by another walk, opened relative to the folder holding it.
template <typename Visit> void walkBelow(DirectoryScan &scan, const WalkEntry &folder, Visit &&visit)
{
    Folder opened = folder.folder.child(folder.name());
    std::string path = folder.path;
    detail::walkFolder(scan, opened, path, folder.depth + 1, visit, false);
}

// Remembers what one scan has walked so that an entry reachable from two roots (one root inside
// another) is examined once. Only works when there is more than one root; otherwise it costs nothing.
class WalkedSet {
public:
    explicit WalkedSet(std::size_t rootCount) : active_(rootCount > 1) {}
    // A set that already holds the roots themselves, so that a walk inside a folder passes over
    // an entry that was dropped on its own (it is handled as that root).
    static WalkedSet holdingRoots(const std::vector<std::filesystem::path> &roots)
    {
        WalkedSet set(roots.size());
        for (const auto &root : roots)
            set.firstVisit(root);
        return set;
    }
    // True the first time a path is offered (and remembers it), false afterwards.
    bool firstVisit(const std::string &path) { return !active_ || seen_.insert(path).second; }
    bool firstVisit(const std::filesystem::path &path) { return firstVisit(path.native()); }

private:
    bool active_;
    std::unordered_set<std::string> seen_;
};

// Calls onFile(path, insideFolder) for the path when it is not a folder (by lstat, so a link never
// is) and else for every such entry below it, folders listed through `scan`. With skipHidden,
// entries inside folders whose names start with "." are passed over, folders included. `walked`
// (made with holdingRoots) keeps entries reachable from two roots from being offered twice.
template <typename OnFile>
void forEachFile(DirectoryScan &scan, const std::filesystem::path &path, bool skipHidden, WalkedSet &walked,
                 OnFile &&onFile)
{
    if (!pathType(path).isDirectory) {
        onFile(path, false);
        return;
    }
    walkBelow(scan, path.native(), [&](const WalkEntry &entry) {
        if (skipHidden && entry.name().starts_with('.'))
            return false;
        // One root inside another: what both reach is offered once, as the root it was dropped as.
        if (!walked.firstVisit(entry.path))
            return false;
        const EntryType type = entry.type();
        if (!type.isDirectory)
            onFile(std::filesystem::path(entry.path), true);
        return type.isDirectory;
    });
}

// A fresh listing of the rows below the roots: the old rows and the unreadable count of `scan`
// are dropped, `listRoot` is called for each root, and the rows are put in the order of their
// `url`. Returns true when the unreadable count differs from the one before.
template <typename Item, typename ListRoot>
bool listRoots(std::vector<Item> &items, DirectoryScan &scan, const std::vector<std::filesystem::path> &roots,
               ListRoot listRoot)
{
    const auto unreadableBefore = scan.unreadableCount;
    scan.unreadableCount = 0;
    items.clear();
    for (const auto &root : roots)
        listRoot(root);
    sortByPath(
        items, [](const Item &item) -> const auto & { return item.url; });
    return scan.unreadableCount != unreadableBefore;
}

// How many rows have the status kind, and the sum of their sizes.
template <typename Item, typename Kind>
std::int64_t countWithStatus(const std::vector<Item> &items, Kind kind)
{
    return std::count_if(items.begin(), items.end(),
                         [kind](const Item &item) { return item.status.kind == kind; });
}
template <typename Item, typename Kind> std::int64_t sizeWithStatus(const std::vector<Item> &items, Kind kind)
{
    std::int64_t total = 0;
    for (const auto &item : items)
        if (item.status.kind == kind)
            total += item.size;
    return total;
}

} // namespace ScanSupport
