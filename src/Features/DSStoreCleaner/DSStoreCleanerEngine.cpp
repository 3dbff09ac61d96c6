#include "Features/DSStoreCleaner/DSStoreCleanerEngine.h"

#include "Core/Notify.h"
#include "Platform/Trash.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace fs = std::filesystem;

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

std::int64_t DSStoreCleanerEngine::totalSize(const fs::path &path, bool isDirectory)
{
    if (!isDirectory)
        return ScanSupport::entrySize(path);
    std::int64_t total = 0;
    const ScanSupport::OpenFolder folder(path);
    for (const auto &entry : scan.listEntries(path)) {
        struct stat st;
        if (folder.lstat(entry.name, st) != 0)
            continue;
        total += S_ISDIR(st.st_mode) ? totalSize(path / entry.name, true) : std::int64_t(st.st_size);
    }
    return total;
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
        examine(root.native(), ScanSupport::lastComponent(root.native()), type.isDirectory, type.error,
                walked);
    });
    setScannedCount(counted_);
}

void DSStoreCleanerEngine::examine(const std::string &path, std::string_view name, bool isDirectory,
                                   int lstatError, ScanSupport::WalkedSet &walked)
{
    if (lstatError == ENOENT || lstatError == ENOTDIR)
        return; // nothing there to clean
    // An entry that cannot be looked at is matched by its name as a non-folder.
    if (auto kind = matchKind(name, isDirectory)) {
        items_.push_back(Item{
            ScanSupport::newId(), fs::path(path), *kind, totalSize(path, isDirectory), {}, std::nullopt});
        return; // a matched folder goes as a whole
    }
    if (!isDirectory)
        return;
    const ScanSupport::OpenFolder folder(path);
    ScanSupport::ChildPath childPath(path);
    for (const auto &entry : scan.listEntries(path)) {
        const std::string &child = childPath(entry.name);
        if (!walked.firstVisit(child))
            continue;
        ++counted_;
        const auto type = ScanSupport::entryType(folder, entry);
        examine(child, entry.name, type.isDirectory, type.error, walked);
    }
}

void DSStoreCleanerEngine::trashAll()
{
    bool anyChanged = false;
    for (std::size_t index = 0; index < items_.size(); ++index) {
        Item &item = items_[index];
        if (item.status.kind != Item::Status::Kind::pending)
            continue;
        try {
            item.trashedTo = Trash::shared().moveToTrash(item.url);
            item.status = Item::Status{Item::Status::Kind::trashed, {}};
        } catch (const Trash::Error &error) {
            // Gone already (say, inside a folder trashed earlier in this pass) counts as done;
            // any other reason the entry cannot be looked at leaves the failure standing.
            struct stat st;
            const bool gone = ::lstat(item.url.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
            item.status = gone ? Item::Status{Item::Status::Kind::trashed, {}}
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
