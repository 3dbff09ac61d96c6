#pragma once

#include "Core/DirectoryScan.h"
#include "Core/ErrorText.h"
#include "Core/FilePath.h"

#include <QUuid>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <sys/stat.h>
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

// Replaces the first root whose bytes equal `from` by `to`. Returns true when one was replaced.
bool replaceRoot(std::vector<std::filesystem::path> &roots, const std::filesystem::path &from,
                 const std::filesystem::path &to);

// The number of components of a path ("/a/b" has 2).
std::size_t depth(const std::filesystem::path &path);

// Indices 0..n-1 ordered by the depth of each path, deepest first; equal depths keep their order.
// Renaming in this order treats a folder's contents before the folder.
std::vector<std::size_t> deepestFirst(const std::vector<std::filesystem::path> &paths);

// What renaming one row did: error 0 and the entry's new path, or the errno value.
struct Renamed {
    int error = 0;
    std::filesystem::path to;
};

// Renames every pending row through rename(item), deepest first so that a folder's contents go
// while its path still holds. A renamed row is done and follows its entry, as does a root of its
// old path; a failed one shows the system's error text. changed(index) is called after each row.
// Returns {whether a root changed, whether any row did}.
template <typename Item, typename Rename, typename Changed>
std::pair<bool, bool> renamePending(std::vector<Item> &items, std::vector<std::filesystem::path> &roots,
                                    Rename rename, Changed changed)
{
    std::vector<std::filesystem::path> paths;
    paths.reserve(items.size());
    for (const auto &item : items)
        paths.push_back(item.url);
    bool rootsChanged = false;
    bool anyChanged = false;
    for (std::size_t index : deepestFirst(paths)) {
        Item &item = items[index];
        if (item.status.kind != Item::Status::Kind::pending)
            continue;
        Renamed result = rename(item);
        if (result.error == 0) {
            rootsChanged |= replaceRoot(roots, item.url, result.to);
            item.url = std::move(result.to);
            item.status = typename Item::Status{Item::Status::Kind::done, {}};
        } else {
            item.status = Item::Status::failed(errorText(result.error));
        }
        anyChanged = true;
        changed(int(index));
    }
    return {rootsChanged, anyChanged};
}

// The key that orders paths by the code points of their NFC forms (canonically equivalent paths
// compare equal); a component that is not valid UTF-8 orders by its bytes.
std::string orderKey(const std::filesystem::path &path);

// The same keys for many paths at once; neighbours in one folder share the work for the folder.
std::vector<std::string> orderKeys(const std::vector<const std::filesystem::path *> &paths);

// Sorts stably by orderKey of the path each element names.
template <typename T, typename PathOf> void sortByPath(std::vector<T> &items, PathOf pathOf)
{
    std::vector<const std::filesystem::path *> paths;
    paths.reserve(items.size());
    for (const auto &item : items)
        paths.push_back(&pathOf(item));
    std::vector<std::string> keys = orderKeys(paths);
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(items[i]));
    items = std::move(sorted);
}

// A folder held open while its entries are looked at: lstat by name relative to it spares the
// kernel a walk of the whole path for every entry. Opened with O_PATH, so a folder that may be
// searched but not read works too; when it cannot be opened, full paths are used instead.
class OpenFolder {
public:
    explicit OpenFolder(const std::filesystem::path &path);
    ~OpenFolder();
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    // lstat of the entry `name` (links not followed): 0, or the errno value.
    int lstat(const std::string &name, struct stat &st) const;
    // The descriptor for *at calls, or -1 when the folder could not be opened.
    int descriptor() const { return fd_; }
    const std::filesystem::path &path() const { return path_; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

// Whether a listed entry is a folder (a link never is): the type the listing gave, else lstat.
// `error` is lstat's errno value when one was needed and failed (ENOENT: gone since the listing).
struct EntryType {
    bool isDirectory = false;
    int error = 0;
};
EntryType entryType(const OpenFolder &folder, const DirectoryScan::Entry &entry);

// The same for a path: lstat (links not followed), with its errno value when it failed.
EntryType pathType(const std::filesystem::path &path);

// The size lstat gives (a link's own), or 0 when it cannot be had.
std::int64_t entrySize(const std::filesystem::path &path);

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
    bool firstVisit(const std::filesystem::path &path)
    {
        return !active_ || seen_.insert(path.native()).second;
    }

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
                 OnFile &&onFile, bool insideFolder = false)
{
    // One root inside another: what both reach is offered once, as the root it was dropped as.
    if (insideFolder && !walked.firstVisit(path))
        return;
    if (!pathType(path).isDirectory) {
        onFile(path, insideFolder);
        return;
    }
    for (const auto &name : scan.list(path))
        if (!skipHidden || !name.starts_with('.'))
            forEachFile(scan, path / name, skipHidden, walked, onFile, true);
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
    sortByPath(items, [](const Item &item) -> const std::filesystem::path & { return item.url; });
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
