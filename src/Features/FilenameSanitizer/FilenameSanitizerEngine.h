#pragma once

#include "Core/DirectoryScan.h"
#include "Core/ScanSupport.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Finds files and folders whose names Windows cannot store (forbidden or control characters,
// trailing spaces or periods, reserved device names) and renames them to safe names in place.
// Main thread only.
class FilenameSanitizerEngine : public QObject {
    Q_OBJECT

public:
    struct Item {
        struct Status {
            enum class Kind { pending, done, failed };
            Kind kind = Kind::pending;
            QString message; // the system's error text when failed

            static Status failed(QString text) { return {Kind::failed, std::move(text)}; }
            bool operator==(const Status &) const = default;
        };

        QUuid id;
        std::filesystem::path url;          // where the entry is now
        std::filesystem::path originalPath; // where it was at the scan
        std::string newName;                // the safe name (UTF-8)
        QStringList issues;                 // what was wrong, in rule order; never empty
        bool isDirectory = false;
        Status status;
    };

    explicit FilenameSanitizerEngine(QObject *parent = nullptr);

    DirectoryScan scan; // its unreadableCount counts the folders the last rescan could not open

    const std::vector<Item> &items() const { return items_; }
    const std::vector<std::filesystem::path> &scannedRoots() const { return scannedRoots_; }
    std::int64_t scannedCount() const { return scannedCount_; }

    void addURLs(const std::vector<std::filesystem::path> &urls);
    void rescan();
    void clear();
    void applyAll();

    int pendingCount() const { return count(Item::Status::Kind::pending); }
    int doneCount() const { return count(Item::Status::Kind::done); }
    int failedCount() const { return count(Item::Status::Kind::failed); }

    // The safe name and the issue texts; no issues means the name is fine as it is. A name that
    // is not valid UTF-8 is never rewritten and so has no issues.
    static std::pair<std::string, QStringList> sanitize(std::string_view name);

signals:
    void itemsChanged();
    void itemChanged(int index);
    void scannedRootsChanged();
    void scannedCountChanged();
    void unreadableCountChanged();

private:
    int count(Item::Status::Kind kind) const;
    void scanPath(const std::filesystem::path &path, bool isDirectory, ScanSupport::WalkedSet &walked);
    void setScannedCount(std::int64_t value);
    void setScannedRoots(std::vector<std::filesystem::path> roots);

    std::vector<Item> items_;
    std::vector<std::filesystem::path> scannedRoots_;
    std::int64_t scannedCount_ = 0;
    std::int64_t counted_ = 0; // paths examined by the scan in progress
};
