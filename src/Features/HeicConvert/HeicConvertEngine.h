#pragma once

#include "Core/FileError.h"
#include "Core/ScanEngine.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

// The photo's metadata the JPEG copy carries, made to fit pixels that are written upright.
namespace HeicMetadata {
// The TIFF structure inside a HEIF Exif block; empty when it holds none.
std::vector<std::uint8_t> tiffFromExifBlock(const std::vector<std::uint8_t> &block);
// Sets the orientation tag of IFD0 to upright (1); nothing else changes.
void setTiffOrientationUpright(std::vector<std::uint8_t> &tiff);
// The same for the orientation an XMP packet may repeat.
void setXmpOrientationUpright(std::string &xmp);
} // namespace HeicMetadata

// Finds HEIC and HEIF photos and writes a JPEG copy of each beside it; the photo itself is never
// touched. Main thread only; conversions run synchronously.
class HeicConvertEngine : public FileScanEngine {
    Q_OBJECT

public:
    struct Status {
        enum class Kind { pending, done, failed };
        Kind kind = Kind::pending;
        QString text; // done: the JPEG's file name; failed: the message

        static Status pending() { return {Kind::pending, {}}; }
        static Status done(QString name) { return {Kind::done, std::move(name)}; }
        static Status failed(QString message) { return {Kind::failed, std::move(message)}; }
        bool operator==(const Status &) const = default;
    };

    struct Item {
        QUuid id;
        std::filesystem::path url;
        std::int64_t size = 0;
        Status status;
        // done: the JPEG written, byte-exact (the status text is only for showing).
        std::filesystem::path written;
        // Whether the scan found it (a dropped path that is not there becomes an item too).
        bool found = true;
    };

    explicit HeicConvertEngine(QObject *parent = nullptr);

    const std::vector<Item> &items() const { return items_; }

    std::int64_t pendingCount() const { return count(Status::Kind::pending); }
    std::int64_t doneCount() const { return count(Status::Kind::done); }
    std::int64_t failedCount() const { return count(Status::Kind::failed); }
    std::int64_t pendingSize() const;

    void rescan() override;
    void convertAll();

    // Converts one photo into a new JPEG beside it and returns the JPEG's path; throws
    // FileError. Used by convertAll and the probe.
    static std::filesystem::path convert(const std::filesystem::path &photo);
    // The JPEG bytes of a photo (primary image, turned upright, quality 90, with its EXIF, XMP
    // and colour profile); throws FileError.
    static std::vector<std::uint8_t> jpegFromHeif(const std::vector<std::uint8_t> &heif);

private:
    // A photo's JPEG bytes, or why there are none.
    using Jpeg = std::variant<std::vector<std::uint8_t>, FileError>;
    // Reads and converts; safe on any thread. A photo `found` by the scan that is gone since
    // fails with the system's reason.
    static Jpeg jpegFromPhoto(const std::filesystem::path &photo, bool found);
    // Writes the JPEG beside the photo under the first free name and returns it; throws the
    // conversion's FileError or the write's.
    static std::filesystem::path writeJpeg(const std::filesystem::path &photo, Jpeg jpeg);
    static unsigned convertWorkers();

    std::int64_t count(Status::Kind kind) const;
    bool addFile(const std::filesystem::path &path);
    void clearItems() override { items_.clear(); }

    std::vector<Item> items_;
};
