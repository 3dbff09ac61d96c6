#include "Features/ZipKorean/SourceCollection.h"

#include "Core/FilePath.h"
#include "Core/Text.h"

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The name of an item on disk as it enters an archive: decoded (lossily when it is not UTF-8)
// and composed to NFC. The item itself keeps its raw bytes.
std::string entryComponent(const std::string &raw)
{
    return Text::toNfc(Text::lossyUtf8Bytes(raw));
}

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
        for (const std::string &name : scan_.list(real))
            collect(fs::path(real.native() + "/" + name), entryName + "/" + entryComponent(name));
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
    Walk walk(collection, scan);
    for (const auto &item : items)
        walk.collect(FilePath::realPathOrSame(item), entryComponent(item.filename().native()));
    return collection;
}
