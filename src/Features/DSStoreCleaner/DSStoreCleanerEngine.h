#pragma once

#include "Core/ScanEngine.h"
#include "Core/ScanSupport.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finds what the Mac's Finder and archivers leave behind (".DS_Store", AppleDouble "._" files,
// "__MACOSX" folders) below the given files and folders, with their sizes, and moves it to the
// Trash. Main thread only.
class DSStoreCleanerEngine : public ScanEngine {
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

    bool includeDSStore() const { return includeDSStore_; }
    bool includeAppleDouble() const { return includeAppleDouble_; }
    bool includeMacosx() const { return includeMacosx_; }
    // Every assignment rescans, also of the present value.
    void setIncludeDSStore(bool on);
    void setIncludeAppleDouble(bool on);
    void setIncludeMacosx(bool on);

    const std::vector<Item> &items() const { return items_; }
    std::int64_t scannedCount() const { return scannedCount_; }

    void rescan() override;
    void trashAll();

    int pendingCount() const { return count(Item::Status::Kind::pending); }
    int trashedCount() const { return count(Item::Status::Kind::trashed); }
    int failedCount() const { return count(Item::Status::Kind::failed); }
    std::int64_t pendingSize() const;

signals:
    void includeDSStoreChanged();
    void includeAppleDoubleChanged();
    void includeMacosxChanged();
    void scannedCountChanged();

private:
    int count(Item::Status::Kind kind) const;
    std::optional<Kind> matchKind(std::string_view name, bool isDirectory) const;
    void setFlag(bool &flag, bool on, void (DSStoreCleanerEngine::*changed)());
    void setScannedCount(std::int64_t value);
    void clearItems() override { items_.clear(); }
    void resetCounts() override { setScannedCount(0); }

    bool includeDSStore_ = true;
    bool includeAppleDouble_ = true;
    bool includeMacosx_ = true;
    std::vector<Item> items_;
    std::int64_t scannedCount_ = 0;
    std::int64_t counted_ = 0; // paths examined by the scan in progress
};
