#include "Features/SendCheckup/UndoJournal.h"

#include "Core/ErrorText.h"
#include "Core/Folder.h"
#include "Core/LinkText.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Core/RenameNoReplace.h"
#include "Platform/Trash.h"

#include <QUuid>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

std::optional<struct stat> lstatOf(const fs::path &path)
{
    struct stat st {};
    if (LongPath::lstat(path, st) != 0)
        return std::nullopt;
    return st;
}

bool sameEntry(const std::optional<struct stat> &a, dev_t device, ino_t inode)
{
    return a && a->st_dev == device && a->st_ino == inode;
}

bool sameIdentity(const std::optional<UndoJournal::Identity> &recorded, const std::string &path)
{
    return recorded && UndoJournal::Identity::of(path) == recorded;
}

std::string parentOf(const std::string &path)
{
    return fs::path(path).parent_path().native();
}

// The length of the folder two paths share, up to and with its last "/".
std::size_t sharedFolder(std::string_view a, std::string_view b)
{
    const std::size_t common =
        std::size_t(std::mismatch(a.begin(), a.end(), b.begin(), b.end()).first - a.begin());
    const auto slash = a.substr(0, common).rfind('/');
    return slash == std::string_view::npos ? 0 : slash + 1;
}

QString nameTakenText()
{
    return L("원래 이름 자리에 다른 파일이 있습니다");
}

// A hidden name of its own for an entry stepping aside in its folder.
std::string hiddenName(const char *prefix)
{
    return prefix + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

// Only the entry the pass renamed goes back: another that took its new name since stays.
bool undoRenamed(const UndoJournal::Renamed &op)
{
    const std::string to = op.to();
    const std::string from(op.from());
    const auto entry = op.entry();
    if (entry.known() && UndoJournal::Inode::at(to) != entry)
        return false;
    if (UndoJournal::twoStepRename(fs::path(to), fs::path(from)))
        return false;
    if (entry.known() && UndoJournal::Inode::at(from) != entry) {
        // Swapped in between the look and the move: it goes back to where it stood.
        renameNoReplace(fs::path(from), fs::path(to));
        return false;
    }
    return true;
}

bool undoRelinked(const UndoJournal::Relinked &op)
{
    const auto &change = *op.change;
    return UndoJournal::retarget(change.path, change.link, change.newText, change.oldText).has_value();
}

bool undoTrashed(const UndoJournal::Trashed &op)
{
    const fs::path original(op.original());
    if (lstatOf(original))
        return false;
    // Emptied from the Trash since, and something else trashed under the same name: not ours.
    if (op.entry().known() && UndoJournal::Inode::at(std::string(op.trash())) != op.entry())
        return false;
    try {
        Trash::shared().restore(fs::path(op.trash()), original);
        return true;
    } catch (const Trash::Error &) {
        return false;
    }
}

bool undoCreated(const UndoJournal::Created &op)
{
    const fs::path path(op.path);
    const auto *ids = op.identities.get();
    if (!lstatOf(path))
        return ids && sameIdentity(ids->folder, parentOf(op.path));
    if (!ids || !sameIdentity(ids->file, op.path))
        return false; // something else took the name since: not ours to remove
    try {
        Trash::shared().moveToTrash(path);
        return true;
    } catch (const Trash::Error &) {
        return !lstatOf(path);
    }
}

} // namespace

std::optional<UndoJournal::Identity> UndoJournal::Identity::of(const std::string &path)
{
    const LongPath::At at(path);
    struct statx sx {};
    if (!at.ok() || ::statx(at.folder(), at.name(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &sx) != 0)
        return std::nullopt;
    Identity id;
    id.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    id.inode = sx.stx_ino;
    if ((sx.stx_mask & STATX_BTIME) != 0)
        id.birth = std::make_pair(std::int64_t(sx.stx_btime.tv_sec), sx.stx_btime.tv_nsec);
    return id;
}

std::optional<UndoJournal::Inode> UndoJournal::Inode::at(const std::string &path)
{
    const auto st = lstatOf(path);
    if (!st)
        return std::nullopt;
    return Inode{st->st_dev, st->st_ino};
}

UndoJournal::Renamed::Renamed(std::string_view from, std::string_view to, Inode entry)
    : fromSize_(std::uint32_t(from.size())), sharedSize_(std::uint32_t(sharedFolder(from, to))), entry_(entry)
{
    // Allocated once at its size: a growing string would hold up to twice that.
    bytes_.reserve(from.size() + to.size() - sharedSize_);
    bytes_.append(from).append(to.substr(sharedSize_));
}

std::string UndoJournal::Renamed::to() const
{
    std::string out;
    out.reserve(sharedSize_ + bytes_.size() - fromSize_);
    out.append(bytes_, 0, sharedSize_).append(bytes_, fromSize_);
    return out;
}

UndoJournal::Trashed::Trashed(std::string_view original, std::string_view trash, Inode entry)
    : originalSize_(original.size()), entry_(entry)
{
    bytes_.reserve(original.size() + trash.size());
    bytes_.append(original).append(trash);
}

UndoJournal::Operation UndoJournal::renamed(const std::string &from, const std::string &to)
{
    return Renamed(from, to, Inode::at(to).value_or(Inode{}));
}

UndoJournal::Operation UndoJournal::trashed(const std::string &original, const std::string &trash)
{
    return Trashed(original, trash, Inode::at(trash).value_or(Inode{}));
}

UndoJournal::Operation UndoJournal::created(std::string path)
{
    auto identities = std::make_shared<Created::Identities>();
    identities->file = Identity::of(path);
    identities->folder = Identity::of(parentOf(path));
    return Created{std::move(path), std::move(identities)};
}

UndoJournal::Operation UndoJournal::relinked(std::string path, std::string oldText, std::string newText,
                                             Inode link)
{
    return Relinked{std::make_shared<const Relinked::Change>(
        Relinked::Change{std::move(path), std::move(oldText), std::move(newText), link})};
}

std::optional<QString> UndoJournal::twoStepRename(const fs::path &current, const fs::path &target)
{
    const int direct = renameNoReplace(current, target);
    if (direct == 0)
        return std::nullopt;
    if (direct != EEXIST)
        return errorText(direct);
    const auto here = lstatOf(current);
    if (!here || !sameEntry(lstatOf(target), here->st_dev, here->st_ino))
        return nameTakenText();

    // Both names lead to one entry: step aside to a hidden name, then take the target form.
    const fs::path temporary = current.parent_path() / hiddenName(".brindlow-undo-");
    if (const int error = renameNoReplace(current, temporary))
        return errorText(error);
    if (lstatOf(target)) {
        renameNoReplace(temporary, current);
        return nameTakenText();
    }
    if (const int error = renameNoReplace(temporary, target)) {
        renameNoReplace(temporary, current);
        return errorText(error);
    }
    return std::nullopt;
}

std::optional<UndoJournal::Inode> UndoJournal::retarget(const std::string &path, Inode link,
                                                        std::string_view text, const std::string &newText)
{
    const fs::path at(path);
    const std::string name = at.filename().native();
    const Folder folder = Folder::open(at.parent_path(), false);
    if (name.empty() || !folder.isOpen())
        return std::nullopt;
    const int fd = folder.descriptor();
    // Whether `entry` is the link `inode` with the text `expected`.
    const auto holds = [&](const std::string &entry, Inode inode, std::string_view expected) {
        struct stat st {};
        return folder.lstat(entry.c_str(), st) == 0 && S_ISLNK(st.st_mode) &&
               Inode{st.st_dev, st.st_ino} == inode && linkText(fd, entry.c_str()) == expected;
    };
    const std::string temporary = hiddenName(".brindlow-link-");
    if (::symlinkat(newText.c_str(), fd, temporary.c_str()) != 0)
        return std::nullopt;
    struct stat made {};
    if (folder.lstat(temporary.c_str(), made) != 0)
        return std::nullopt;
    const Inode created{made.st_dev, made.st_ino};
    const auto dropCreated = [&] {
        if (holds(temporary, created, newText))
            ::unlinkat(fd, temporary.c_str(), 0);
    };

    if (::renameat2(fd, temporary.c_str(), fd, name.c_str(), RENAME_EXCHANGE) == 0) {
        // What was swapped out must be the link: anything else goes back.
        if (!holds(temporary, link, text)) {
            ::renameat2(fd, temporary.c_str(), fd, name.c_str(), RENAME_EXCHANGE);
            dropCreated();
            return std::nullopt;
        }
        ::unlinkat(fd, temporary.c_str(), 0);
        return created;
    }
    // A file system that cannot swap two names: look, then replace.
    const int error = errno;
    if ((error != EINVAL && error != ENOSYS && error != EOPNOTSUPP) || !holds(name, link, text) ||
        ::renameat(fd, temporary.c_str(), fd, name.c_str()) != 0) {
        dropCreated();
        return std::nullopt;
    }
    return created;
}

UndoJournal::Result UndoJournal::undo() const
{
    Result result;
    result.reversed.assign(operations_.size(), false);
    for (std::size_t i = operations_.size(); i-- > 0;) {
        const Operation &op = operations_[i];
        bool ok = false;
        if (const auto *r = std::get_if<Renamed>(&op))
            ok = undoRenamed(*r);
        else if (const auto *t = std::get_if<Trashed>(&op))
            ok = undoTrashed(*t);
        else if (const auto *l = std::get_if<Relinked>(&op))
            ok = undoRelinked(*l);
        else
            ok = undoCreated(std::get<Created>(op));
        result.reversed[i] = ok;
        ++(ok ? result.restored : result.failed);
    }
    return result;
}
