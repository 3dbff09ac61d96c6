#pragma once

#include "Core/DirectoryScan.h"
#include "Core/ScanSupport.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

// Finds what the Mac's Finder and archivers leave behind (".DS_Store", AppleDouble "._" files,
// "__MACOSX" folders) below the given files and folders, with their sizes, and moves it to the
// Trash. Main thread only.
class DSStoreCleanerEngine : public QObject {
    Q_OBJECT

public:
    enum class Kind { dsStore, appleDouble, macosxFolder };
    static constexpr std::array<Kind, 3> allKinds = {Kind::dsStore, Kind::appleDouble, Kind::macosxFolder};

    struct Item {
        struct Status {
            enum class Kind { pending, trashed, failed };
            Kind kind = Kind::pending;
            QString message; // the description of the failed move

            static Status failed(QString text) { return {Kind::failed, std::move(text)}; }
            bool operator==(const Status &) const = default;
        };

        QUuid id;
        std::filesystem::path url;
        DSStoreCleanerEngine::Kind kind = DSStoreCleanerEngine::Kind::dsStore;
        std::int64_t size = 0; // bytes; a folder's is the sum of what it holds
        Status status;
        std::optional<std::filesystem::path> trashedTo; // where the Trash put it
    };

    explicit DSStoreCleanerEngine(QObject *parent = nullptr);

    DirectoryScan scan; // its unreadableCount counts the folders the last rescan could not open

    bool includeDSStore() const { return includeDSStore_; }
    bool includeAppleDouble() const { return includeAppleDouble_; }
    bool includeMacosx() const { return includeMacosx_; }
    // Every assignment rescans, also of the present value.
    void setIncludeDSStore(bool on);
    void setIncludeAppleDouble(bool on);
    void setIncludeMacosx(bool on);

    const std::vector<Item> &items() const { return items_; }
    const std::vector<std::filesystem::path> &scannedRoots() const { return scannedRoots_; }
    std::int64_t scannedCount() const { return scannedCount_; }

    void addURLs(const std::vector<std::filesystem::path> &urls);
    void rescan();
    void clear();
    void trashAll();

    int pendingCount() const { return count(Item::Status::Kind::pending); }
    int trashedCount() const { return count(Item::Status::Kind::trashed); }
    int failedCount() const { return count(Item::Status::Kind::failed); }
    std::int64_t pendingSize() const;

signals:
    void includeDSStoreChanged();
    void includeAppleDoubleChanged();
    void includeMacosxChanged();
    void itemsChanged();
    void itemChanged(int index);
    void scannedRootsChanged();
    void scannedCountChanged();
    void unreadableCountChanged();

private:
    int count(Item::Status::Kind kind) const;
    std::optional<Kind> matchKind(std::string_view name, bool isDirectory) const;
    std::int64_t totalSize(const std::filesystem::path &path, bool isDirectory);
    void examine(const std::filesystem::path &path, bool isDirectory, int lstatError,
                 ScanSupport::WalkedSet &walked);
    void setFlag(bool &flag, bool on, void (DSStoreCleanerEngine::*changed)());
    void setScannedCount(std::int64_t value);
    void setScannedRoots(std::vector<std::filesystem::path> roots);

    bool includeDSStore_ = true;
    bool includeAppleDouble_ = true;
    bool includeMacosx_ = true;
    std::vector<Item> items_;
    std::vector<std::filesystem::path> scannedRoots_;
    std::int64_t scannedCount_ = 0;
    std::int64_t counted_ = 0; // paths examined by the scan in progress
};
