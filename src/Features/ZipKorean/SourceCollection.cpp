#include "Features/ZipKorean/SourceCollection.h"

#include "Core/FilePath.h"
#include "Features/ZipKorean/PackingNames.h"

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

class Walk {
public:
    Walk(SourceCollection &into, DirectoryScan &scan) : into_(into), scan_(scan) {}

    void collect(const fs::path &path, const std::string &entryName)
    {
        const auto slash = entryName.rfind('/');
        const std::string last = slash == std::string::npos ? entryName : entryName.substr(slash + 1);
        if (last == ".DS_Store" || last.starts_with("._") || last == "__MACOSX") {
            ++into_.junkSkipped;
            return;
        }
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0) {
            into_.sources.push_back({entryName, path, false}); // the writer reports what it cannot read
            return;
        }
        // Every writer gets what a link points to, never the link: a file's data, a folder's
        // contents. A dangling link holds no data and is left out.
        fs::path real = path;
        if (S_ISLNK(st.st_mode)) {
            const auto resolved = FilePath::realPath(path);
            if (!resolved || ::stat(resolved->c_str(), &st) != 0)
                return;
            real = *resolved;
        }
        if (!S_ISDIR(st.st_mode)) {
            into_.sources.push_back({entryName, real, false});
            return;
        }
        // A folder already being walked (a link to an ancestor) would be packed without end.
        const std::pair<dev_t, ino_t> id{st.st_dev, st.st_ino};
        if (std::find(folders_.begin(), folders_.end(), id) != folders_.end())
            return;
        folders_.push_back(id);
        into_.sources.push_back({entryName + "/", std::nullopt, true});
        const std::vector<std::string> children = scan_.list(real);
        const std::vector<std::string> names = PackingNames::forSiblings(children);
        for (std::size_t i = 0; i < children.size(); ++i)
            collect(fs::path(real.native() + "/" + children[i]), entryName + "/" + names[i]);
        folders_.pop_back();
    }

private:
    SourceCollection &into_;
    DirectoryScan &scan_;
    // Real folders (device, inode) along the path being walked.
    std::vector<std::pair<dev_t, ino_t>> folders_;
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
    for (std::size_t i = 0; i < items.size(); ++i)
        walk.collect(FilePath::realPathOrSame(items[i]), names[i]);
    return collection;
}
