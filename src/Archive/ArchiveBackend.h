#pragma once

#include "Archive/ZipSource.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class AtomicFile;

// One archive format as the compress-and-extract tool uses it: list, extract, create. The ZIP and
// 7z code of our own and the libarchive bridge each implement it; every failure is a FormatError.
class ArchiveBackend {
public:
    struct Entry {
        std::string name; // UTF-8, "/"-separated, as decoded (not normalised)
        bool isDirectory = false;
        std::int64_t size = 0;
        bool decodedFromCp949 = false;
        bool isEncrypted = false;
        bool operator==(const Entry &) const = default;
    };
    struct Listing {
        std::vector<Entry> entries;
        // Reading the data needs a password that was not given.
        bool needsPassword = false;
    };
    struct ExtractOptions {
        std::filesystem::path destination; // an existing folder, named in messages
        // An open descriptor of `destination` (O_DIRECTORY); when given, every entry is created
        // relative to it, and no link is followed on the way. -1: the folder is opened by path.
        int destinationFolder = -1;
        bool skippingMacJunk = true;
        std::optional<std::string> strippingPrefix;
        // Every file goes to this path instead (an archive of one file).
        std::optional<std::filesystem::path> singleFileTarget;
        QString password;
    };
    struct CreateOptions {
        QString password; // empty: no encryption
        bool zipAes256 = false;
        bool hideNames = true; // 7z with a password: the names are encrypted too
    };

    virtual ~ArchiveBackend() = default;

    virtual Listing list(const std::filesystem::path &archive, const QString &password) const = 0;
    // Returns the number of files written.
    virtual std::int64_t extract(const std::filesystem::path &archive,
                                 const ExtractOptions &options) const = 0;
    // Writes a new archive into `out`, which the caller commits once this returns.
    virtual void create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                        const CreateOptions &options) const = 0;
    // The same into a new file at `at`, which appears there only when complete and never
    // replaces anything.
    void createAt(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
                  const CreateOptions &options) const;
};
