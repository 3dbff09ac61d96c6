#pragma once

#include "Archive/ZipSource.h"

#include <QString>

#include <filesystem>
#include <vector>

class AtomicFile;

// Writes 7z archives that are always encrypted with 7zAES; each file with data is its own folder,
// deflated when that makes it smaller. With encryptHeader the names are hidden too.
// Throws SevenZipError (unreadable source, encryption) and ZipError::ioError (writing). The
// archive appears under its name only when complete.
namespace SevenZipWriter {

// Writes into `out`, which the caller commits.
void create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources, const QString &password,
            bool encryptHeader);
// The same through a hidden file beside `at`, renamed over it when complete.
void create(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
            const QString &password, bool encryptHeader);

} // namespace SevenZipWriter
