#pragma once

#include "Archive/ArchiveBackend.h"
#include "Archive/LibArchive/LibArchive.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

// Which code reads and writes which archive: the ZIP and 7z code of our own and the libarchive
// bridge, chosen in one place by the extension of an opened file or the format of a new one.
namespace ArchiveFormats {

enum class Backend { zip, sevenZip, libArchive };

// How an opened file is listed: by `reader`, and by `fallback` when that reports a feature it
// does not support.
struct ReadRoute {
    Backend reader;
    std::optional<Backend> fallback;
};

// The route of a single dropped file, by its last extension in any case; none when it is no
// archive (it is packed instead).
std::optional<ReadRoute> readRouteOf(const std::filesystem::path &file);

// The formats a new archive can have, in the order the page offers them.
enum class CreateFormat { zip, sevenZip, tar, tarGz, tarBz2, tarXz };

struct WriteRoute {
    CreateFormat format;
    std::string_view rawValue;
    std::string_view extension; // of the new file, without the leading "."
    bool supportsPassword;
    Backend writer;       // without a password
    Backend lockedWriter; // with a password, where the format supports one
    LibArchive::WriteFormat libArchiveFormat;
    // The format stores names as Unicode: bytes that are not UTF-8 cannot go in as they are.
    bool unicodeNames;
};

std::span<const WriteRoute> writeRoutes();
const WriteRoute &writeRouteOf(CreateFormat format);

// The writer that packs `format` with or without a password.
Backend writerOf(CreateFormat format, bool withPassword);

// The code behind `backend`; `format` is what libarchive writes.
std::unique_ptr<ArchiveBackend> make(Backend backend,
                                     LibArchive::WriteFormat format = LibArchive::WriteFormat::tar);

} // namespace ArchiveFormats
