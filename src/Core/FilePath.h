#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Paths are bytes: these helpers convert them for display and resolve them without ever
// rewriting a name.
namespace FilePath {

inline const std::string &bytes(const std::filesystem::path &p)
{
    return p.native();
}
QString display(const std::filesystem::path &p); // lossy UTF-8, for showing only
std::optional<std::filesystem::path> realPath(const std::filesystem::path &p);
std::filesystem::path realPathOrSame(const std::filesystem::path &p);
bool exists(const std::filesystem::path &p); // stat, links followed

// file:// URL text <-> path (percent-encoding of the raw bytes).
std::optional<std::filesystem::path> fromFileUrl(std::string_view url);
std::string toFileUrl(const std::filesystem::path &p);
// The local files of a dropped text/uri-list, as byte paths (names that are not UTF-8 survive);
// comment lines and addresses that are not local files are passed over.
std::vector<std::filesystem::path> fromUriList(std::string_view uriList);
// Percent-decoding; nullopt for a '%' not followed by two hex digits.
std::optional<std::string> percentDecode(std::string_view text);

} // namespace FilePath
