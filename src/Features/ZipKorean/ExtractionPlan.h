#pragma once

#include "Core/FreeName.h"
#include "Features/ZipKorean/ArchiveRow.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Where an extraction goes, decided from the listing alone: the archive's one file beside it, the
// archive's one top-level folder beside it with that folder's name stripped from every entry, or
// a folder named after the archive; each under the first free name.
struct ExtractionPlan {
    enum class Outcome { ready, nothingToExtract, noFreeName };
    Outcome outcome = Outcome::ready;
    std::filesystem::path wanted; // the result's name with nothing in its way
    std::filesystem::path target; // the first free name for it
    // The target is the one file itself; otherwise a new folder that receives every entry.
    bool loneFile = false;
    std::int64_t loneFileSize = 0;
    std::optional<std::string> prefix; // removed from the front of every entry name
    bool anyFile = false;              // something besides folders is to be written
};

// `taken` tells whether anything stands at a path (lstat, a dangling link included).
ExtractionPlan planExtraction(const std::vector<ArchiveRow> &rows, const std::filesystem::path &archive,
                              bool skippingMacJunk,
                              const std::function<bool(const std::filesystem::path &)> &taken = pathIsTaken);
