#include "Features/ZipKorean/ExtractionPlan.h"

#include "Archive/ArchiveFiles.h"
#include "Core/PathExtension.h"
#include "Core/Text.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace {

// A name the file system would cut short or resolve elsewhere never names the result.
bool usable(const std::string &name)
{
    return name != "." && name != ".." && name.find('\0') == std::string::npos;
}

// The single top-level folder that holds every candidate, if there is one.
std::optional<std::string> topFolder(const std::vector<const ArchiveRow *> &candidates)
{
    std::set<std::string> tops;
    for (const ArchiveRow *row : candidates) {
        const auto parts = nameParts(row->name);
        if (!parts.empty())
            tops.insert(parts.front());
    }
    // "." and ".." name the archive's own root, as in tarballs made with "tar -C dir ... .".
    if (tops.size() != 1 || !usable(*tops.begin()))
        return std::nullopt;
    const std::string &r = *tops.begin();
    const bool allBelow = std::all_of(candidates.begin(), candidates.end(), [&](const ArchiveRow *row) {
        return row->name == r + "/" || row->name.starts_with(r + "/") || (row->name == r && row->isDirectory);
    });
    return allBelow ? std::optional(r) : std::nullopt;
}

// The archive's name without its last extension, and without a "tar" one before it.
std::string archiveStem(const fs::path &archive)
{
    std::string base = splitExtension(archive.filename().native()).first;
    const auto inner = splitExtension(base);
    if (!inner.second.empty() && lowerExtension(inner.second) == "tar")
        base = inner.first;
    return Text::toNfc(base);
}

} // namespace

ExtractionPlan planExtraction(const std::vector<ArchiveRow> &rows, const fs::path &archive,
                              bool skippingMacJunk, const std::function<bool(const fs::path &)> &taken)
{
    ExtractionPlan plan;
    std::vector<const ArchiveRow *> candidates;
    for (const auto &row : rows)
        if (!skippingMacJunk || !row.isMacJunk)
            candidates.push_back(&row);
    if (candidates.empty()) {
        plan.outcome = ExtractionPlan::Outcome::nothingToExtract;
        return plan;
    }
    plan.anyFile = std::any_of(candidates.begin(), candidates.end(),
                               [](const ArchiveRow *row) { return !row->isDirectory; });

    const ArchiveRow &first = *candidates.front();
    std::string name;
    if (candidates.size() == 1 && !first.isDirectory && first.name.find('/') == std::string::npos &&
        usable(first.name)) {
        plan.loneFile = true;
        plan.loneFileSize = first.size;
        name = first.name;
    } else if (const auto top = topFolder(candidates)) {
        plan.prefix = *top + "/";
        name = *top;
    } else {
        name = archiveStem(archive);
    }
    plan.wanted = fs::path(archive.parent_path().native() + "/" + name);
    const auto target = freeName(plan.wanted, taken);
    if (!target)
        plan.outcome = ExtractionPlan::Outcome::noFreeName;
    else
        plan.target = *target;
    return plan;
}
