#pragma once

#include "Archive/ArchiveInput.h"
#include "Archive/Zip/ZipEntry.h"
#include "Archive/Zip/ZipFormat.h"
#include "Archive/ZipError.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

// The plain content of one ZIP entry as the reader streams it: where its stored bytes lie, their
// decryption, and the ways they decode (stored, DEFLATE in memory, DEFLATE through zlib).
namespace ZipContent {

ZipError corrupted(const char *detail);

// Where an entry's stored bytes lie, read from its local header.
struct DataRange {
    std::uint64_t header = 0;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

// Throws corrupted("로컬 헤더") or corrupted("데이터 범위").
DataRange dataRange(const ZipEntry &entry, const ArchiveInput &input);

// Buffers reused from entry to entry while extracting.
struct Scratch {
    ZipFormat::ScratchBuffer chunk;      // one read of stored data
    ZipFormat::ScratchBuffer compressed; // a whole entry for libdeflate
    ZipFormat::ScratchBuffer inflated;   // its whole output, or one piece of zlib's
};

using Sink = std::function<void(std::span<const std::uint8_t>)>;

// Streams the plain content of one entry to the sink in pieces. The checks that need every byte
// (the authentication code, the CRC) come last, so the caller must keep nothing before this
// returns.
void stream(const ZipEntry &entry, const DataRange &range, const ArchiveInput &input,
            const std::string &password, Scratch &scratch, const Sink &sink);

// DEFLATE cannot expand more than 1032:1; a declared size beyond that is a lie.
bool plausibleInflateSize(std::uint64_t compressed, std::uint64_t uncompressed);

// Raw DEFLATE into exactly out.size() bytes by libdeflate; false when the stream does not fill
// it exactly.
bool inflateWhole(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out);

} // namespace ZipContent
