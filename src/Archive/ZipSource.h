#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ZipWriter {

// One item to put into a new archive; the input of every archive writer.
struct Source {
    std::string entryName;                         // UTF-8, "/"-separated, stored unchanged
    std::optional<std::filesystem::path> filePath; // absent: an entry without data
    bool isDirectory = false;
};

} // namespace ZipWriter
