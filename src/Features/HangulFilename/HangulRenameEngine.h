#pragma once

#include "Core/ScanEngine.h"
#include "Core/ScanSupport.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Finds files and folders whose names are not in the chosen Unicode normalization form (Korean
// names from a Mac are often decomposed) and renames them in place. Main thread only.
class HangulRenameEngine : public ScanEngine {
    Q_OBJECT

public:
    enum class Form { nfc, nfd };
    static constexpr std::array<Form, 2> allForms = {Form::nfc, Form::nfd};
    static QString toString(Form form); // "nfc", "nfd"
    static std::optional<Form> formFromString(std::string_view raw);
    static QString label(Form form);

    struct Item {
        struct Status {
            enum class Kind { pending, done, failed };
            Kind kind = Kind::pending;
            QString message; // the failure description when failed

            static Status failed(QString text) { return {Kind::failed, std::move(text)}; }
            bool operator==(const Status &) const = default;
        };

        QUuid id;
        // Where the entry is now, as path bytes. A string, not a std::filesystem::path: a path keeps
        // a list of its components, several times the memory of the bytes, and a rename of a
        // million names holds a row for each.
        std::string url;
        std::string newName; // the name in the target form (UTF-8)
        bool isDirectory = false;
        Status status;
    };

    explicit HangulRenameEngine(QObject *parent = nullptr);

    Form form() const { return form_; }
    void setForm(Form form); // always rescans
    const std::vector<Item> &items() const { return items_; }
    std::int64_t alreadyNormalizedCount() const { return alreadyNormalizedCount_; }

    void rescan() override;
    void applyAll();
    // Drops the pending rows whose entries are gone(path) (taken away by another step since the
    // scan): they are neither renamed nor counted.
    void leaveOut(const std::function<bool(const std::string &path)> &gone);

    int pendingCount() const { return count(Item::Status::Kind::pending); }
    int doneCount() const { return count(Item::Status::Kind::done); }
    int failedCount() const { return count(Item::Status::Kind::failed); }

    // How a decomposed name among the pending items looks on Windows, shortened to one word.
    std::optional<QString> brokenExample() const;

signals:
    void formChanged();
    void alreadyNormalizedCountChanged();

private:
    int count(Item::Status::Kind kind) const;
    void examine(const std::string &path, std::string_view name, bool isDirectory);
    void setAlreadyNormalizedCount(std::int64_t value);
    void clearItems() override { items_.clear(); }
    void resetCounts() override { setAlreadyNormalizedCount(0); }

    Form form_ = Form::nfc;
    std::vector<Item> items_;
    std::int64_t alreadyNormalizedCount_ = 0;
    std::int64_t counted_ = 0; // already-normalized entries of the scan in progress
};

// How a name looks on a system that shows decomposed Korean and accents letter by letter:
// conjoining jamo become compatibility letters, combining accents their spacing forms.
QString windowsPreview(const QString &name);
