#pragma once

#include "Archive/ZipSource.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

class AtomicFile;

// Builds a ZIP archive: UTF-8 names (flag bit 11), stored or DEFLATE whichever is smaller,
// optionally encrypted with the traditional cipher or WinZip AES-256. Every failure is a ZipError.
namespace ZipWriter {

enum class Encryption { none, traditional, aes256 };

// Writes the archive into `file`, which the caller commits. An empty password means no encryption
// whatever is asked.
void create(AtomicFile &file, const std::vector<Source> &sources, const std::string &password,
            Encryption encryption);
// The same through a hidden file in the destination's folder, renamed over the path only when
// complete.
void create(const std::filesystem::path &at, const std::vector<Source> &sources, const std::string &password,
            Encryption encryption);

// MS-DOS (time, date) in local time; a year before 1980 counts as 1980. Throws unsupported for a
// year after 2107, which the date field cannot hold.
std::pair<std::uint16_t, std::uint16_t> dosDateTime(std::chrono::system_clock::time_point when);

// Raw DEFLATE; empty when the result would not be shorter than the input.
std::vector<std::uint8_t> deflate(std::span<const std::uint8_t> bytes);

void append16(std::vector<std::uint8_t> &out, std::uint16_t value);
void append32(std::vector<std::uint8_t> &out, std::uint32_t value);

// 12-byte encrypted header (11 random bytes and the check byte) followed by the encrypted bytes.
std::vector<std::uint8_t> zipCryptoEncrypt(std::span<const std::uint8_t> bytes, const std::string &password,
                                           std::uint8_t verificationByte);

// Salt (16), verifier (2), encrypted bytes and the 10-byte authentication code (AES-256).
std::vector<std::uint8_t> aesEncryptPayload(std::span<const std::uint8_t> bytes, const std::string &password);

} // namespace ZipWriter
