#pragma once

#include "Archive/ArchiveInput.h"
#include "Archive/Zip/ZipEntry.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reads a ZIP archive in bounded pieces (32-bit archives, one disk, sizes from the central
// directory): the central directory in chunks, each entry's data streamed through decryption and
// decompression to its file. Every failure is a ZipError; running out of memory is
// corrupted("메모리 부족").
namespace ZipReader {

// The central directory's entries, in order. The whole directory is checked against the end
// record first, so a listing is never cut short.
std::vector<ZipEntry> readEntries(const ArchiveInput &archive);

// The plain bytes of one entry, in memory; password empty for none.
std::vector<std::uint8_t> extractData(const ZipEntry &entry, const ArchiveInput &archive,
                                      const std::string &password);

// Streams one entry's plain bytes into a new file at exactly `target` (created exclusively), kept
// only when the entry's checks all passed. With `folder`, an open descriptor of the target's
// folder, the file is made relative to it.
void extractFile(const ZipEntry &entry, const ArchiveInput &archive, const std::string &password,
                 const std::filesystem::path &target, int folder = -1);

struct ExtractCounts {
    int extracted = 0;
    int skipped = 0;
};

// Extracts entries below the destination folder (which must exist), names composed to NFC, the
// prefix removed, junk skipped on request (and counted), symbolic links left out (counted
// nowhere); unsafe names and overlapping entries are refused. A file whose name is taken (an
// earlier entry with the same NFC name) goes to a free " N" name. Everything is made relative to
// the destination (its open descriptor when given), no link below it followed.
ExtractCounts extract(const std::vector<ZipEntry> &entries, const ArchiveInput &archive,
                      const std::filesystem::path &destination, bool skippingMacJunk,
                      const std::optional<std::string> &strippingPrefix, const std::string &password,
                      int destinationFolder = -1);

// Name decoding: Unicode Path name, flagged UTF-8, ASCII, UTF-8 unless it looks like misread
// CP949, CP949, UTF-8, Latin-1.
std::pair<std::string, ZipEntry::NameEncoding> decodeName(std::string_view bytes, bool isUTF8Flagged,
                                                          const std::optional<std::string> &unicodeName);

// Whether valid UTF-8 reads like CP949 bytes taken for UTF-8: a C1 control, or a word made only
// of U+0080–U+023F (words run between ASCII characters other than letters).
bool looksLikeMisreadCp949(std::string_view utf8);

// Raw DEFLATE into exactly the expected size; throws corrupted("압축 해제 실패") otherwise.
std::vector<std::uint8_t> inflate(std::span<const std::uint8_t> compressed, std::int64_t uncompressedSize);

// Traditional decryption: checks the header's check byte, returns the data without the header.
std::vector<std::uint8_t> zipCryptoDecrypt(std::span<const std::uint8_t> stored, const ZipEntry &entry,
                                           const std::string &password);

// WinZip AES decryption of strength 1 to 3 (verifier and authentication code checked).
std::vector<std::uint8_t> aesDecrypt(std::span<const std::uint8_t> stored, const std::string &password,
                                     int strength);

} // namespace ZipReader
