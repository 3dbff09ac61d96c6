#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

// Paths are bytes: these helpers convert them for display and resolve them without ever
// rewriting a name.
namespace FilePath {

inline const std::string &bytes(const std::filesystem::path &p) { return p.native(); }
QString display(const std::filesystem::path &p); // lossy UTF-8, for showing only
std::optional<std::filesystem::path> realPath(const std::filesystem::path &p);
std::filesystem::path realPathOrSame(const std::filesystem::path &p);
bool exists(const std::filesystem::path &p); // stat, links followed

// file:// URL text <-> path (percent-encoding of the raw bytes).
std::optional<std::filesystem::path> fromFileUrl(std::string_view url);
std::string toFileUrl(const std::filesystem::path &p);
// Percent-decoding; nullopt for a '%' not followed by two hex digits.
std::optional<std::string> percentDecode(std::string_view text);

} // namespace FilePath
