#include "Features/DSStoreCleaner/DSStoreCleanerEngine.h"

#include "Core/LongPath.h"
#include "Core/Notify.h"
#include "Platform/Trash.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// Adds up, as walkBelow's visitor, the sizes of the files below a folder (a link's own size).
struct SizeOfFiles {
    std::int64_t total = 0;
    bool operator()(const ScanSupport::WalkEntry &entry)
    {
        struct stat st;
        if (entry.lstat(st) != 0)
            return false;
        if (S_ISDIR(st.st_mode))
            return true;
        total += std::int64_t(st.st_size);
        return false;
    }
};

} // namespace

DSStoreCleanerEngine::DSStoreCleanerEngine(QObject *parent) : ScanEngine(parent) {}

void DSStoreCleanerEngine::setFlag(bool &flag, bool on, void (DSStoreCleanerEngine::*changed)())
{
    Notify::assign(this, flag, on, changed);
    rescan();
}

void DSStoreCleanerEngine::setIncludeDSStore(bool on)
{
    setFlag(includeDSStore_, on, &DSStoreCleanerEngine::includeDSStoreChanged);
}

void DSStoreCleanerEngine::setIncludeAppleDouble(bool on)
{
    setFlag(includeAppleDouble_, on, &DSStoreCleanerEngine::includeAppleDoubleChanged);
}

void DSStoreCleanerEngine::setIncludeMacosx(bool on)
{
    setFlag(includeMacosx_, on, &DSStoreCleanerEngine::includeMacosxChanged);
}

std::optional<DSStoreCleanerEngine::Kind> DSStoreCleanerEngine::matchKind(std::string_view name,
                                                                          bool isDirectory) const
{
    // The three names are ASCII, so comparing bytes is comparing canonically equivalent text.
    if (includeDSStore_ && name == ".DS_Store")
        return Kind::dsStore;
    if (includeMacosx_ && isDirectory && name == "__MACOSX")
        return Kind::macosxFolder;
    if (includeAppleDouble_ && !isDirectory && name.substr(0, 2) == "._")
        return Kind::appleDouble;
    return std::nullopt;
}

void DSStoreCleanerEngine::rescan()
{
    counted_ = 0;
    ScanSupport::WalkedSet walked(scannedRoots_.size());
    relist(items_, [&](const fs::path &root) {
        if (!walked.firstVisit(root))
            return;
        ++counted_;
        const auto type = ScanSupport::pathType(root);
        if (type.error == ENOENT || type.error == ENOTDIR)
            return; // nothing there to clean
        // An entry that cannot be looked at is matched by its name as a non-folder.
        const std::string_view name = ScanSupport::lastComponent(root.native());
        if (auto kind = matchKind(name, type.isDirectory)) {
            SizeOfFiles size;
            if (type.isDirectory)
                ScanSupport::walkBelow(scan, root.native(), size);
            else
                size.total = ScanSupport::entrySize(root);
            items_.push_back(Item{ScanSupport::newId(), root, *kind, size.total, {}, std::nullopt});
            return; // a matched folder goes as a whole
        }
        if (!type.isDirectory)
            return;
        ScanSupport::walkBelow(scan, root.native(), [&](const ScanSupport::WalkEntry &entry) {
            if (!walked.firstVisit(entry.path))
                return false;
            ++counted_;
            const auto entryType = entry.type();
            if (entryType.error == ENOENT || entryType.error == ENOTDIR)
                return false;
            const auto kind = matchKind(entry.name(), entryType.isDirectory);
            if (!kind)
                return entryType.isDirectory;
            SizeOfFiles size;
            if (entryType.isDirectory)
                ScanSupport::walkBelow(scan, entry, size);
            else if (struct stat st; entry.lstat(st) == 0)
                size.total = std::int64_t(st.st_size);
            items_.push_back(
                Item{ScanSupport::newId(), fs::path(entry.path), *kind, size.total, {}, std::nullopt});
            return false;
        });
    });
    setScannedCount(counted_);
}

void DSStoreCleanerEngine::trashAll()
{
    bool anyChanged = false;
    // What this pass has moved: an item found gone below one of these went with it.
    std::vector<std::string> moved;
    for (std::size_t index = 0; index < items_.size(); ++index) {
        Item &item = items_[index];
        if (item.status.kind != Item::Status::Kind::pending)
            continue;
        try {
            item.trashedTo = Trash::shared().moveToTrash(item.url);
            item.status = Item::Status{Item::Status::Kind::trashed, {}};
            moved.push_back(item.url.native());
        } catch (const Trash::Error &error) {
            // Gone inside a folder trashed earlier in this pass counts as done. Gone by other
            // means (moved or deleted since the scan) was not done by us: it fails with the
            // Trash's reason.
            struct stat st;
            const int lstatError = LongPath::lstat(item.url, st);
            const bool gone = lstatError == ENOENT || lstatError == ENOTDIR;
            const bool wentWithFolder =
                gone && std::any_of(moved.begin(), moved.end(), [&](const std::string &folder) {
                    return ScanSupport::isAtOrBelow(item.url.native(), folder);
                });
            item.status = wentWithFolder ? Item::Status{Item::Status::Kind::trashed, {}}
                                         : Item::Status::failed(error.description());
        }
        anyChanged = true;
        emit itemChanged(int(index));
    }
    if (anyChanged)
        emit itemsChanged();
}

std::int64_t DSStoreCleanerEngine::pendingSize() const
{
    return ScanSupport::sizeWithStatus(items_, Item::Status::Kind::pending);
}

int DSStoreCleanerEngine::count(Item::Status::Kind kind) const
{
    return int(ScanSupport::countWithStatus(items_, kind));
}

void DSStoreCleanerEngine::setScannedCount(std::int64_t value)
{
    Notify::assign(this, scannedCount_, value, &DSStoreCleanerEngine::scannedCountChanged);
}
