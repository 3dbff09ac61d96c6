#pragma once

#include "Archive/LibArchive/LibArchiveSymbols.h"
#include "Archive/ZipSource.h"
#include "Core/FormatError.h"

#include <QString>

#include <cstdint>
#include <ctime>
#include <exception>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class AtomicFile;

// Bridge to the system's libarchive for tar-family and further formats. The library is loaded at
// run time and every entry point is looked up by name, so the program runs without it; data
// streams through one 64 KiB buffer per call. Reading is LibArchiveRead.cpp, writing
// LibArchiveWrite.cpp.
class LibArchive : private LibArchiveSymbols {
public:
    // One listed entry.
    struct Item {
        std::string name; // decoded to UTF-8, "/"-separated
        bool isDirectory = false;
        std::int64_t size = 0; // as the archive declares it
        bool isMacJunk() const;
        bool operator==(const Item &) const = default;
    };

    enum class ArchiveErrorKind { unavailable, passwordRequired, wrongPassword, failed };

    class ArchiveError : public KindedError<ArchiveErrorKind> {
    public:
        static ArchiveError unavailable() { return {Kind::unavailable, {}, Category::other}; }
        static ArchiveError passwordRequired()
        {
            return {Kind::passwordRequired, {}, Category::passwordRequired};
        }
        static ArchiveError wrongPassword() { return {Kind::wrongPassword, {}, Category::wrongPassword}; }
        static ArchiveError failed(QString detail)
        {
            return {Kind::failed, std::move(detail), Category::other};
        }

        // The Korean sentence the user sees.
        QString description() const override;

    private:
        using KindedError::KindedError;
    };

    enum class WriteFormat { sevenZip, tar, tarGz, tarBz2, tarXz };

    // Lower-case extensions of single files that are opened as archives through this bridge.
    static const std::set<std::string> &supportedExtensions();

    // The bridge to "libarchive.so.13", loaded on first use and kept for the process.
    static LibArchive &shared();

    // Binds another library (a soname or a path), such as a stand-in with missing entry points.
    explicit LibArchive(const std::string &library);
    LibArchive(const LibArchive &) = delete;
    LibArchive &operator=(const LibArchive &) = delete;

    // The library was loaded and every entry point that reading needs was found.
    bool isAvailable() const { return isAvailable_; }
    // Every entry point that writing needs was found (creation asks for isAvailable too).
    bool canWrite() const;

    // Entries in archive order; an empty password means none.
    std::vector<Item> listEntries(const std::filesystem::path &path, const QString &password) const;

    // Writes the files and folders below `to` (which must exist), or the first file into the
    // single target, which must not exist yet; returns the number of files written. With
    // `destinationFolder` (an open descriptor of `to`) everything is made relative to it, the
    // single target directly in it. No link below `to` is followed. A name met again goes to a
    // free name beside it; a FIFO, device or socket becomes a regular file of its data; symbolic
    // links are left out. A file appears only when complete. A compressed archive is read to the
    // end of its stream, whose checks (gzip's CRC-32 and length among them) must all pass.
    int extract(const std::filesystem::path &path, const std::filesystem::path &to, bool skippingMacJunk,
                const std::optional<std::string> &strippingPrefix,
                const std::optional<std::filesystem::path> &singleFileTarget, const QString &password,
                int destinationFolder = -1) const;

    // Writes a new archive at `at`; it appears there only when complete and never replaces an
    // existing item.
    void createArchive(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
                       WriteFormat format) const;
    // Writes the archive into `out`, which the caller commits.
    void createArchive(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                       WriteFormat format) const;

    // Maps a libarchive error text to the bridge's error.
    static ArchiveError interpret(const std::string &text);

private:
    class Reading;
    class Extraction;

    bool isAvailable_ = false;

    std::string lastError(struct archive *handle) const;
    // A writing failure: the step's text and libarchive's.
    ArchiveError failure(const char *what, struct archive *handle) const;
    // One source's header and data into the archive being written.
    void writeEntry(struct archive *handle, const ZipWriter::Source &source, WriteFormat format,
                    std::time_t now, std::vector<char> &buffer) const;
    bool isBareStream(struct archive *handle, std::string_view name) const;
    static std::string decodeName(const char *raw);
};
