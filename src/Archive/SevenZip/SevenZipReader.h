#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's own reader of 7z archives: lists entries and extracts them. The archive is read
// in bounded pieces and each folder is decoded once, front to back, each file written as its
// bytes come out. Errors are SevenZipReadError (running out of memory included, as corrupted
// "메모리 부족"), SevenZipError::cryptoError and, while writing files, ZipError::ioError.
class ArchiveInput;

namespace SevenZipReader {

struct Entry {
    std::string name; // UTF-8, "\" turned into "/", not normalised
    bool isDirectory = false;
    std::int64_t size = 0;
};

struct ArchiveInfo {
    std::vector<Entry> entries; // one per file record, in header order
    bool filesEncrypted = false;
    bool headerEncrypted = false;
};

ArchiveInfo info(const std::filesystem::path &path, const QString &password);

// Extracts into an existing folder; returns the number of files written. Names are composed to
// NFC; a file whose name is taken (by an earlier entry or anything already there) gets a free
// name. A name that would leave the destination (absolute, "..", NUL) refuses the whole
// extraction before anything is written. With a singleFileTarget every file goes to that path
// in turn and entries without data are ignored. Symbolic links are left out. Everything is made
// relative to `to` (its open descriptor `destinationFolder` when given, the single target then
// directly in it), no link below it followed.
std::int64_t extract(const std::filesystem::path &path, const std::filesystem::path &to, bool skippingMacJunk,
                     const std::optional<std::string> &strippingPrefix,
                     const std::optional<std::filesystem::path> &singleFileTarget, const QString &password,
                     int destinationFolder = -1);

// The same over an archive already open (a file, or bytes in memory for tests and fuzzing).
ArchiveInfo info(const ArchiveInput &archive, const QString &password);
std::int64_t extract(const ArchiveInput &archive, const std::filesystem::path &to, bool skippingMacJunk,
                     const std::optional<std::string> &strippingPrefix,
                     const std::optional<std::filesystem::path> &singleFileTarget, const QString &password,
                     int destinationFolder = -1);

// The parts of an entry name below the destination, after stripping the prefix; nullopt for a
// name that is not extracted (absolute, "..", a NUL byte, nothing left, outside the prefix).
std::optional<std::vector<std::string>> pathComponents(std::string_view name,
                                                       const std::optional<std::string> &strippingPrefix);

} // namespace SevenZipReader
