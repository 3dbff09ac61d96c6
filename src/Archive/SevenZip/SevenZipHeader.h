#pragma once

#include "Archive/SevenZip/SevenZipCoders.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ArchiveInput;

// The header of a 7z archive as the reader uses it: where the packed streams lie, how folders
// decode, and one record per file. Only the header is held in memory, never the packed data.
namespace SevenZip {

// A header (plain or decoded) larger than this is refused before anything is allocated for it.
inline constexpr std::uint64_t maxHeaderSize = std::uint64_t(64) << 20;

struct StreamsData {
    std::uint64_t packPosition = 0; // counted from the end of the start header
    std::vector<std::uint64_t> packSizes;
    std::vector<Folder> folders;
    std::vector<std::uint64_t> numUnpackStreams; // files per folder
    std::optional<std::vector<std::uint64_t>> explicitSizes;
    std::vector<std::optional<std::uint32_t>> streamCRCs;

    // Sizes of every file stream, folder by folder.
    std::vector<std::uint64_t> flatSizes() const;
    // Where each packed stream starts in the archive (noOffset where the sum overflows).
    std::vector<std::uint64_t> packOffsets() const;
};

inline constexpr std::uint64_t noOffset = ~std::uint64_t(0);

struct FileRecord {
    std::string name; // UTF-8, "\" turned into "/", not normalised
    bool isDirectory = false;
    bool hasStream = false;
    std::uint64_t size = 0;
    bool isSymbolicLink = false; // a Unix mode says so: never extracted
};

struct ArchiveHeader {
    StreamsData streams;
    std::vector<std::uint64_t> flatSizes;
    std::vector<std::uint64_t> packOffsets;
    std::vector<FileRecord> entries;
    bool filesEncrypted = false;
    bool headerEncrypted = false;
};

// Reads the start header and the header (decoding an encoded one). Throws SevenZipReadError or
// SevenZipError::cryptoError.
ArchiveHeader readHeader(const ArchiveInput &input, const QString &password, KeyCache &keys);

// Sources over the packed streams [first, first + count) of the streams info, each checked to lie
// inside the input (else corrupted with the given detail).
struct PackedStreams {
    std::vector<std::unique_ptr<ByteSource>> sources;
    std::vector<std::uint64_t> sizes;
};
PackedStreams packedStreams(const ArchiveInput &input, const StreamsData &streams,
                            const std::vector<std::uint64_t> &offsets, std::uint64_t first,
                            std::uint64_t count, const char *detail);

} // namespace SevenZip
