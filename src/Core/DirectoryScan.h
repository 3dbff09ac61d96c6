#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Lists the entries of one folder. Names are the raw bytes from readdir (so every name can be
// reopened, valid UTF-8 or not), sorted stably by the code points of their NFC forms; decode a
// name with Text::lossyUtf8 only to show it. Folders refused for lack of permission are counted.
class DirectoryScan {
public:
    std::vector<std::string> list(const std::filesystem::path &path);

    std::int64_t unreadableCount = 0;
};
