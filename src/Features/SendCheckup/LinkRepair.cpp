#include "Features/SendCheckup/LinkRepair.h"

#include "Core/DirectoryScan.h"
#include "Core/Folder.h"
#include "Core/LinkText.h"
#include "Core/ScanSupport.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

// The folder holding an absolute path ("" for "/").
std::string_view folderOf(std::string_view path)
{
    const auto slash = path.rfind('/');
    return path.substr(0, slash == std::string_view::npos ? 0 : slash);
}

// One step's renames, looked up by the old path.
class StepRenames {
public:
    StepRenames(const std::vector<UndoJournal::Operation> &ops, std::size_t first)
    {
        for (std::size_t i = first; i < ops.size(); ++i)
            if (const auto *renamed = std::get_if<UndoJournal::Renamed>(&ops[i]))
                byOldPath_.push_back(renamed);
        std::sort(byOldPath_.begin(), byOldPath_.end(),
                  [](const auto *a, const auto *b) { return a->from() < b->from(); });
    }

    bool empty() const { return byOldPath_.empty(); }

    // `text` with every component that names an entry this step renamed spelled with its new
    // name. A relative text is followed from the folder `from`; "." and ".." are followed by the
    // words of the text, as they are kept.
    std::string respell(std::string_view text, std::string_view from) const
    {
        std::string at = text.starts_with('/') ? std::string() : std::string(from);
        std::string out;
        out.reserve(text.size());
        for (std::size_t start = 0;;) {
            const auto slash = text.find('/', start);
            const std::string_view word = text.substr(start, slash - start);
            if (word.empty() || word == ".") {
                out += word;
            } else if (word == "..") {
                at.resize(folderOf(at).size());
                out += word;
            } else {
                at.append("/").append(word);
                const auto newName = renamedTo(at);
                out += newName ? std::string_view(*newName) : word;
            }
            if (slash == std::string_view::npos)
                return out;
            out += '/';
            start = slash + 1;
        }
    }

private:
    std::optional<std::string> renamedTo(std::string_view path) const
    {
        const auto it = std::lower_bound(byOldPath_.begin(), byOldPath_.end(), path,
                                         [](const auto *op, std::string_view p) { return op->from() < p; });
        if (it == byOldPath_.end() || (*it)->from() != path)
            return std::nullopt;
        return std::string(ScanSupport::lastComponent((*it)->to()));
    }

    std::vector<const UndoJournal::Renamed *> byOldPath_;
};

} // namespace

LinkRepair::LinkRepair(const std::vector<fs::path> &roots)
{
    DirectoryScan scan;
    ScanSupport::WalkedSet walked(roots.size());
    for (const auto &root : roots) {
        if (!walked.firstVisit(root) || !ScanSupport::pathType(root).isDirectory)
            continue;
        ScanSupport::walkBelow(scan, root.native(), [&](const ScanSupport::WalkEntry &entry) {
            if (entry.entry.type == DT_REG || !walked.firstVisit(entry.path))
                return false;
            if (entry.entry.type == DT_DIR)
                return true;
            struct stat st {};
            if (entry.lstat(st) != 0 || !S_ISLNK(st.st_mode))
                return S_ISDIR(st.st_mode);
            const int folder = entry.folder.descriptor();
            struct stat target {};
            auto text = linkText(folder, entry.name().c_str());
            // A link that reaches nothing now is none of the pass's business.
            if (text && ::fstatat(folder, entry.name().c_str(), &target, 0) == 0)
                links_.push_back(
                    Link{entry.path, *text, *text, {st.st_dev, st.st_ino}, {target.st_dev, target.st_ino}});
            return false;
        });
    }
}

void LinkRepair::follow(const std::vector<UndoJournal::Operation> &ops, std::size_t first)
{
    if (links_.empty())
        return;
    const StepRenames renames(ops, first);
    if (renames.empty())
        return;
    for (Link &link : links_) {
        link.text = renames.respell(link.text, folderOf(link.path));
        link.path = renames.respell(link.path, {});
    }
}

void LinkRepair::rewrite(std::vector<UndoJournal::Operation> &ops) const
{
    for (const Link &link : links_) {
        if (link.text == link.oldText)
            continue;
        const std::string_view holder = folderOf(link.path);
        const Folder folder = Folder::open(fs::path(holder.empty() ? "/" : std::string(holder)), false);
        struct stat st {};
        if (!folder.isOpen() || ::fstatat(folder.descriptor(), link.text.c_str(), &st, 0) != 0 ||
            UndoJournal::Inode{st.st_dev, st.st_ino} != link.target)
            continue;
        if (const auto made = UndoJournal::retarget(link.path, link.link, link.oldText, link.text))
            ops.push_back(UndoJournal::relinked(link.path, link.oldText, link.text, *made));
    }
}
