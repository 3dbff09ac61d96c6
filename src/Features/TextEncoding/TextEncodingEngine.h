#pragma once

#include "Core/ScanEngine.h"
#include "Features/TextEncoding/TextFile.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Finds text files, detects their encoding and line endings, and rewrites the ones that do not
// match the chosen target as UTF-8 (no byte-order mark) or CP949. The original goes to the Trash.
// Main thread only.
class TextEncodingEngine : public FileScanEngine {
    Q_OBJECT

public:
    enum class TargetEncoding { utf8, cp949 };
    enum class LineEndingChoice { keep, lf, crlf };
    enum class DetectedEncoding { utf8, utf8bom, utf16, cp949, binary, unknown };
    // What the line-ending scan found; the item shows it as text.
    enum class LineEndingKind { lf, crlf, mixed, none, notApplicable };

    struct Status {
        enum class Kind { pending, alreadyOk, done, failed };
        Kind kind = Kind::pending;
        QString message; // failed only

        static Status pending() { return {Kind::pending, {}}; }
        static Status alreadyOk() { return {Kind::alreadyOk, {}}; }
        static Status done() { return {Kind::done, {}}; }
        static Status failed(QString message) { return {Kind::failed, std::move(message)}; }
        bool operator==(const Status &) const = default;
    };

    struct Item {
        QUuid id;
        std::filesystem::path url;
        DetectedEncoding detected = DetectedEncoding::unknown;
        QString lineEnding; // "LF", "CRLF", "혼합", "없음" or "—"
        QString preview;
        Status status;
        LineEndingKind lineEndingKind = LineEndingKind::none;
        FileIdentity identity; // the file the scan read
    };

    static constexpr std::array<TargetEncoding, 2> allTargets{TargetEncoding::utf8, TargetEncoding::cp949};
    static constexpr std::array<LineEndingChoice, 3> allLineEndings{
        LineEndingChoice::keep, LineEndingChoice::lf, LineEndingChoice::crlf};

    static QString toString(TargetEncoding t);
    static std::optional<TargetEncoding> targetFromString(const QString &raw);
    static QString label(TargetEncoding t);
    static QString toString(LineEndingChoice c);
    static std::optional<LineEndingChoice> lineEndingFromString(const QString &raw);
    static QString label(LineEndingChoice c);
    static QString toString(DetectedEncoding d);
    static QString label(DetectedEncoding d);
    static QString label(LineEndingKind k);

    static const std::vector<std::string> &textExtensions();

    explicit TextEncodingEngine(QObject *parent = nullptr);

    TargetEncoding target() const { return target_; }
    void setTarget(TargetEncoding target);
    LineEndingChoice lineEnding() const { return lineEnding_; }
    void setLineEnding(LineEndingChoice choice);

    const std::vector<Item> &items() const { return items_; }

    std::int64_t pendingCount() const { return count(Status::Kind::pending); }
    std::int64_t doneCount() const { return count(Status::Kind::done); }
    std::int64_t alreadyOkCount() const { return count(Status::Kind::alreadyOk); }
    std::int64_t failedCount() const { return count(Status::Kind::failed); }

    void rescan() override;
    void convertAll();

    // One file's analysis, exposed for the probe and the tests. Texts are UTF-8.
    static std::pair<DetectedEncoding, std::optional<std::string>> detect(std::string_view bytes);
    static std::optional<std::string> decode(std::string_view bytes, DetectedEncoding as);
    static LineEndingKind lineEndingKind(std::string_view bytes, DetectedEncoding encoding);
    // The text shown for it: "LF", "CRLF", "혼합", "없음" or "—".
    static QString lineEndingDescription(std::string_view bytes, DetectedEncoding encoding)
    {
        return label(lineEndingKind(bytes, encoding));
    }
    static QString previewLine(const std::string &text);
    // The text with its line endings rewritten as chosen (unchanged for keep).
    static std::string rewriteLineEndings(std::string text, LineEndingChoice choice);

signals:
    void targetChanged();
    void lineEndingChanged();

private:
    std::int64_t count(Status::Kind kind) const;
    bool addFile(const std::filesystem::path &path, bool requireTextExtension);
    bool needsConversion(const Item &item) const;
    void reevaluate();
    void convert(const Item &item, const std::filesystem::path &file);
    void clearItems() override { items_.clear(); }

    TargetEncoding target_ = TargetEncoding::utf8;
    LineEndingChoice lineEnding_ = LineEndingChoice::keep;
    std::vector<Item> items_;
};
