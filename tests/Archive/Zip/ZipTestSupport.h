#pragma once

#include "Archive/ArchiveInput.h"
#include "Archive/ZipError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ZipTest {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytes(std::string_view s)
{
    return {s.begin(), s.end()};
}
inline std::string text(const Bytes &b)
{
    return {b.begin(), b.end()};
}
// The reader's input over bytes in memory.
inline ArchiveInput memory(const Bytes &b)
{
    return ArchiveInput(std::span<const std::uint8_t>(b));
}

inline void put16(Bytes &out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
inline void put32(Bytes &out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline std::uint16_t get16(const Bytes &d, std::size_t at)
{
    return std::uint16_t(d.at(at) | (d.at(at + 1) << 8));
}
inline std::uint32_t get32(const Bytes &d, std::size_t at)
{
    return get16(d, at) | (std::uint32_t(get16(d, at + 2)) << 16);
}

// One entry of a hand-built archive; unset fields take the honest value.
struct RawEntry {
    std::string name;
    Bytes data; // stored bytes as they go into the archive
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::optional<std::uint32_t> crc;            // default: CRC of data
    std::optional<std::uint32_t> compressedSize; // default: data size
    std::optional<std::uint32_t> uncompressedSize;
    std::optional<std::uint32_t> localOffset; // default: where the local header lands
    Bytes centralExtra;
    std::uint16_t time = 0;
    std::uint32_t externalAttributes = 0;
    std::uint16_t versionMadeBy = 20; // host in the upper byte: 0 MS-DOS, 3 Unix
};

// Builds local headers, the central directory and the end record from raw entries.
Bytes buildZip(const std::vector<RawEntry> &entries,
               std::optional<std::uint16_t> declaredCount = std::nullopt);

// The end record alone (count and offset as given).
Bytes endRecord(std::uint16_t count, std::uint32_t cdSize, std::uint32_t cdOffset,
                std::uint16_t commentLength = 0);

Bytes rawDeflate(const Bytes &plain);

std::filesystem::path fixture(const std::string &name);
Bytes readFile(const std::filesystem::path &path);

// Relative path -> content of every file below root; names that are not UTF-8 are decoded as
// CP949, else Latin-1, and composed to NFC, as the reader names them.
std::map<std::string, std::string> tree(const std::filesystem::path &root);

// Runs the call expecting a ZipError of the kind (and the detail, when given).
void expectZipError(const std::function<void()> &call, ZipError::Kind kind, const QString &detail = {});

} // namespace ZipTest
