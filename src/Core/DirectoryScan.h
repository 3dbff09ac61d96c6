#pragma once

#include "Core/Folder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Lists the entries of one folder. Names are the raw bytes from readdir (so every name can be
// reopened, valid UTF-8 or not), sorted stably by the code points of their NFC forms; decode a
// name with Text::lossyUtf8 only to show it. Folders refused for lack of permission are counted.
class DirectoryScan {
public:
    std::vector<std::string> list(const std::filesystem::path &path);

    // The same listing with each entry's type as readdir reports it (DT_DIR, DT_REG, DT_LNK, …;
    // DT_UNKNOWN where the file system does not say, and then lstat must tell). Links are not
    // followed, so a link to a folder is DT_LNK.
    struct Entry {
        std::string name;
        unsigned char type;
    };
    std::vector<Entry> listEntries(const std::filesystem::path &path);
    // The listing of a folder held open (a folder that could not be opened for lack of permission
    // is counted here).
    std::vector<Entry> listEntries(const Folder &folder);

    // The key that orders a name: its NFC form, whose UTF-8 bytes compare in code point order. None
    // when the name is its own key (ASCII, or UTF-8 already in NFC), so that most names cost
    // nothing. A name that is not UTF-8 orders by its bytes, or with `lossy` by its decoding with
    // U+FFFD (the listing's rule).
    static std::optional<std::string> nameKey(std::string_view name, bool lossy);

    std::int64_t unreadableCount = 0;
};
