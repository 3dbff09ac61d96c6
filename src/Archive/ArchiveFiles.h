#pragma once

#include "Archive/ZipError.h"
#include "Core/FileBytes.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Shared helpers of the archive readers and writers and of the converters.

// Writes the whole buffer to the path (created or truncated, mode 0644 before the umask;
// symbolic links followed). Throws ZipError::ioError("쓰기 실패: <path>") when the open, a
// write or the close fails; what was written before a failed write stays.
void writeFile(std::span<const std::uint8_t> bytes, const std::filesystem::path &path);

// Creates base/c1, base/c1/c2, … (mode 0755; EEXIST counts as success). Throws
// ZipError::ioError("폴더 생성 실패: <path>") naming the path that failed.
void makeDirectories(const std::filesystem::path &base, const std::vector<std::string> &components);

// CRC-32 of ZIP (ISO-HDLC); 0 for empty input.
std::uint32_t crc32(std::span<const std::uint8_t> bytes);
std::uint32_t crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes);

// Reads a whole file; throws ZipError::ioError with the given detail when it cannot.
std::vector<std::uint8_t> readWholeFile(const std::filesystem::path &path);

// The "/"-separated parts of an entry name, empty ones dropped ("a//b/" gives a, b).
std::vector<std::string> nameParts(std::string_view entryName);

// The entry name below the prefix ("a/" turns "a/b" into "b"); nullopt outside it or for the
// prefix's own folder; the whole name without a prefix.
std::optional<std::string_view> belowPrefix(std::string_view entryName,
                                            const std::optional<std::string> &prefix);

// Whether an entry name would reach outside the destination: absolute, a ".." part, or a NUL
// (which would cut the path short at the system call). `parts` are the name's nameParts.
bool leavesDestination(std::string_view entryName, const std::vector<std::string> &parts);

// macOS junk inside an archive: a "__MACOSX" component, or a last component ".DS_Store" or
// beginning with "._" (empty components dropped; exact, case-sensitive).
bool isMacJunk(std::string_view entryName);
