#pragma once

#include "Core/ScanEngine.h"
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
class FilenameSanitizerEngine : public ScanEngine {
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
        std::string newName;                // the safe name (UTF-8 unless the name was not)
        QStringList issues;                 // what was wrong, in rule order; never empty
        bool isDirectory = false;
        Status status;
    };

    explicit FilenameSanitizerEngine(QObject *parent = nullptr);

    const std::vector<Item> &items() const { return items_; }
    std::int64_t scannedCount() const { return scannedCount_; }

    void rescan() override;
    void applyAll();

    int pendingCount() const { return count(Item::Status::Kind::pending); }
    int doneCount() const { return count(Item::Status::Kind::done); }
    int failedCount() const { return count(Item::Status::Kind::failed); }

    // The safe name and the issue texts; no issues means the name is fine as it is. A name that
    // is not valid UTF-8 is checked and repaired on its ASCII bytes only; its other bytes stay.
    static std::pair<std::string, QStringList> sanitize(std::string_view name);

signals:
    void scannedCountChanged();

private:
    int count(Item::Status::Kind kind) const;
    void examine(const std::string &path, std::string_view name, bool isDirectory);
    void setScannedCount(std::int64_t value);
    void clearItems() override { items_.clear(); }
    void resetCounts() override { setScannedCount(0); }

    std::vector<Item> items_;
    std::int64_t scannedCount_ = 0;
    std::int64_t counted_ = 0; // paths examined by the scan in progress
};
