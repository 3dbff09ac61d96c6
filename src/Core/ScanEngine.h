#pragma once

#include "Core/DirectoryScan.h"
#include "Core/FilePath.h"
#include "Core/ScanSupport.h"

#include <QObject>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// What every tool engine that scans the files and folders dropped on it shares: the roots in the
// order they were added, addURLs → rescan, clear(), and the rebuilding of the rows below the roots
// with the folders it could not read counted. Main thread only.
class ScanEngine : public QObject {
    Q_OBJECT

public:
    // Lists folders during a rescan; its unreadableCount counts those the last rescan could not open.
    DirectoryScan scan;

    const std::vector<std::filesystem::path> &scannedRoots() const { return scannedRoots_; }
    // Kept by clear() until the next rescan.
    std::int64_t unreadableCount() const { return scan.unreadableCount; }

    // Appends each path as a root unless a root with the same bytes is held (each first made a root
    // by the engine's resolve step), then rescans, also when nothing was appended.
    void addURLs(const std::vector<std::filesystem::path> &urls);
    virtual void rescan() = 0;
    // Forgets the roots, the rows and the counts of the last scan; no rescan follows.
    void clear();

    // Told of each row a bulk rename moves, as it moves it, with the row's path before (the bytes,
    // which the watcher may take). One watcher at a time; an empty one stops the watching.
    using RenameWatcher = std::function<void(int index, std::string &from)>;
    void setRenameWatcher(RenameWatcher watcher) { renameWatcher_ = std::move(watcher); }

signals:
    void itemsChanged();
    void itemChanged(int index); // one row's status changed during a bulk action
    void scannedRootsChanged();
    void unreadableCountChanged();

protected:
    using Resolve = std::filesystem::path (*)(const std::filesystem::path &);
    explicit ScanEngine(QObject *parent, Resolve resolve = FilePath::realPathOrSame);

    // A fresh listing of the rows: listRoot(root) for each root, the rows put in the order of their
    // paths; observers hear of the rows, and of the unreadable count when it moved.
    template <typename Item, typename ListRoot> void relist(std::vector<Item> &items, ListRoot listRoot)
    {
        const bool unreadableChanged = ScanSupport::listRoots(items, scan, scannedRoots_, listRoot);
        Q_EMIT itemsChanged();
        if (unreadableChanged)
            Q_EMIT unreadableCountChanged();
    }

    // Renames every pending row through rename(item) (ScanSupport::renamePending), telling the
    // watcher and observers of each row, and observers of the rows and the roots when any changed.
    template <typename Item, typename Rename> void renamePending(std::vector<Item> &items, Rename rename)
    {
        const auto [rootsChanged, anyChanged] =
            ScanSupport::renamePending(items, scannedRoots_, rename, [this](int index, std::string &from) {
                if (renameWatcher_ && !from.empty())
                    renameWatcher_(index, from);
                Q_EMIT itemChanged(index);
            });
        if (rootsChanged)
            Q_EMIT scannedRootsChanged();
        if (anyChanged)
            Q_EMIT itemsChanged();
    }

    // The parts of clear() that differ between engines.
    virtual void clearItems() = 0;
    virtual void resetCounts() {}

    std::vector<std::filesystem::path> scannedRoots_;

private:
    Resolve resolve_;
    RenameWatcher renameWatcher_;
};

// A scan engine that is offered every file below its roots and counts those it has no use for.
class FileScanEngine : public ScanEngine {
    Q_OBJECT

public:
    // Files of the last rescan that were passed over.
    std::int64_t skippedCount() const { return skippedCount_; }

signals:
    void skippedCountChanged();

protected:
    using ScanEngine::ScanEngine;

    // relist over every file below the roots (ScanSupport::forEachFile), each offered once, as the
    // root it was dropped as where roots overlap: take(file, insideFolder) appends the file's row
    // and returns true, or returns false to pass it over. With skipHidden, entries inside folders
    // whose names start with "." are not offered.
    template <typename Item, typename Take>
    void relistFiles(std::vector<Item> &items, bool skipHidden, Take take)
    {
        std::int64_t skipped = 0;
        auto walked = ScanSupport::WalkedSet::holdingRoots(scannedRoots_);
        relist(items, [&](const std::filesystem::path &root) {
            ScanSupport::forEachFile(scan, root, skipHidden, walked,
                                     [&](const std::filesystem::path &file, bool insideFolder) {
                                         if (!take(file, insideFolder))
                                             ++skipped;
                                     });
        });
        setSkippedCount(skipped);
    }

    void resetCounts() override { setSkippedCount(0); }

private:
    void setSkippedCount(std::int64_t value);

    std::int64_t skippedCount_ = 0;
};
