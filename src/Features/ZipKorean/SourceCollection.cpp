#include "Features/ZipKorean/SourceCollection.h"

#include "Core/FilePath.h"
#include "Core/LongPath.h"
#include "Core/ScanSupport.h"
#include "Features/ZipKorean/PackingNames.h"

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

bool isJunk(std::string_view name)
{
    return name == ".DS_Store" || name.starts_with("._") || name == "__MACOSX";
}

class Walk {
public:
    Walk(SourceCollection &into, DirectoryScan &scan) : into_(into), scan_(scan) {}

    void collect(const fs::path &path, const std::string &entryName)
    {
        const auto slash = entryName.rfind('/');
        if (isJunk(slash == std::string::npos ? entryName : entryName.substr(slash + 1))) {
            ++into_.junkSkipped;
            return;
        }
        struct stat st {};
        if (LongPath::lstat(path, st) != 0) {
            into_.sources.push_back({entryName, path, false}); // the writer reports what it cannot read
            return;
        }
        // Every writer gets what a link points to, never the link: a file's data, a folder's
        // contents. A dangling link holds no data and is left out.
        fs::path real = path;
        if (S_ISLNK(st.st_mode)) {
            const auto resolved = FilePath::realPath(path);
            if (!resolved || LongPath::stat(*resolved, st) != 0)
                return;
            real = *resolved;
        }
        if (!S_ISDIR(st.st_mode)) {
            into_.sources.push_back({entryName, real, false});
            return;
        }
        into_.sources.push_back({entryName + "/", std::nullopt, true});
        walkBelow(real, entryName, {st.st_dev, st.st_ino});
    }

private:
    // The folder's tree by descriptors, so its depth is not bounded by PATH_MAX.
    void walkBelow(const fs::path &real, const std::string &entryName, std::pair<dev_t, ino_t> id)
    {
        // The entry names and identities of the folders being walked, by depth: a folder already
        // among them (reached through a link to an ancestor) would be packed without end.
        std::vector<std::string> names{entryName};
        std::vector<std::pair<dev_t, ino_t>> folders{id};
        // The names inside the archive of each listing being walked, by depth.
        std::vector<std::vector<std::string>> packed;
        ScanSupport::walkBelow(
            scan_, real.native(),
            [&](const ScanSupport::WalkEntry &entry) {
                const auto depth = std::size_t(entry.depth);
                names.resize(depth);
                folders.resize(depth);
                packed.resize(depth);
                if (entry.index == 0) {
                    std::vector<std::string> raw;
                    raw.reserve(entry.siblings.size());
                    for (const auto &sibling : entry.siblings)
                        raw.push_back(sibling.name);
                    packed.back() = PackingNames::forSiblings(raw);
                }
                if (isJunk(entry.name())) {
                    ++into_.junkSkipped;
                    return false;
                }
                std::string child = names.back() + "/" + packed.back()[entry.index];
                struct stat st {};
                if (entry.lstat(st) != 0) {
                    into_.sources.push_back({std::move(child), fs::path(entry.path), false});
                    return false;
                }
                fs::path source(entry.path);
                if (S_ISLNK(st.st_mode)) {
                    if (::fstatat(entry.folder.descriptor(), entry.name().c_str(), &st, 0) != 0)
                        return false;
                    // A path too long to resolve stays the link's own; opening it reaches the same data.
                    if (auto resolved = FilePath::realPath(source))
                        source = std::move(*resolved);
                }
                if (!S_ISDIR(st.st_mode)) {
                    into_.sources.push_back({std::move(child), std::move(source), false});
                    return false;
                }
                const std::pair<dev_t, ino_t> folder{st.st_dev, st.st_ino};
                if (std::find(folders.begin(), folders.end(), folder) != folders.end())
                    return false;
                folders.push_back(folder);
                into_.sources.push_back({child + "/", std::nullopt, true});
                names.push_back(std::move(child));
                return true;
            },
            true);
    }

    SourceCollection &into_;
    DirectoryScan &scan_;
};

} // namespace

SourceCollection SourceCollection::of(const std::vector<fs::path> &items, DirectoryScan &scan)
{
    SourceCollection collection;
    std::vector<std::string> own;
    own.reserve(items.size());
    for (const auto &item : items)
        own.push_back(item.filename().native());
    // Items dropped from different folders may share a name; inside the archive they do not.
    const std::vector<std::string> names = PackingNames::forSiblings(own);
    Walk walk(collection, scan);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::size_t before = collection.sources.size();
        walk.collect(FilePath::realPathOrSame(items[i]), names[i]);
        if (collection.sources.size() != before)
            collection.packed.push_back(i);
    }
    return collection;
}
