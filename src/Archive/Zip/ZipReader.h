#pragma once

#include "Archive/Zip/ZipEntry.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads a ZIP archive held whole in memory (32-bit archives, one disk, sizes from the central
// directory). Every failure is a ZipError.
namespace ZipReader {

// The central directory's entries, in order.
std::vector<ZipEntry> readEntries(std::span<const std::uint8_t> archive);

// The plain bytes of one entry; password empty for none.
std::vector<std::uint8_t> extractData(const ZipEntry &entry, std::span<const std::uint8_t> archive,
                                      const std::string &password);

struct ExtractCounts {
    int extracted = 0;
    int skipped = 0;
};

// Extracts entries below the destination folder (which must exist), names composed to NFC, the
// prefix removed, junk skipped on request; unsafe names and overlapping entries are refused.
ExtractCounts extract(const std::vector<ZipEntry> &entries, std::span<const std::uint8_t> archive,
                      const std::filesystem::path &destination, bool skippingMacJunk,
                      const std::optional<std::string> &strippingPrefix, const std::string &password);

// Name decoding: Unicode Path name, flagged UTF-8, ASCII, CP949, UTF-8, Latin-1.
std::pair<std::string, ZipEntry::NameEncoding> decodeName(std::string_view bytes, bool isUTF8Flagged,
                                                          const std::optional<std::string> &unicodeName);

// Raw DEFLATE into exactly the expected size; throws corrupted("압축 해제 실패") otherwise.
std::vector<std::uint8_t> inflate(std::span<const std::uint8_t> compressed, std::int64_t uncompressedSize);

// Traditional decryption: checks the header's check byte, returns the data without the header.
std::vector<std::uint8_t> zipCryptoDecrypt(std::span<const std::uint8_t> stored, const ZipEntry &entry,
                                           const std::string &password);

// WinZip AES decryption of strength 1 to 3 (verifier and authentication code checked).
std::vector<std::uint8_t> aesDecrypt(std::span<const std::uint8_t> stored, const std::string &password,
                                     int strength);

} // namespace ZipReader
