#include "Features/SendCheckup/UndoJournal.h"

#include "Core/ErrorText.h"
#include "Core/Localization.h"
#include "Core/RenameNoReplace.h"
#include "Platform/Trash.h"

#include <QUuid>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace {

std::optional<struct stat> lstatOf(const fs::path &path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return st;
}

bool sameEntry(const std::optional<struct stat> &a, dev_t device, ino_t inode)
{
    return a && a->st_dev == device && a->st_ino == inode;
}

bool sameIdentity(const std::optional<UndoJournal::Identity> &recorded, const fs::path &path)
{
    return recorded && UndoJournal::Identity::of(path) == recorded;
}

QString nameTakenText()
{
    return L("원래 이름 자리에 다른 파일이 있습니다");
}

bool undoTrashed(const UndoJournal::Trashed &op)
{
    if (lstatOf(op.original))
        return false;
    try {
        Trash::shared().restore(op.trash, op.original);
        return true;
    } catch (const Trash::Error &) {
        return false;
    }
}

bool undoCreated(const UndoJournal::Created &op)
{
    if (!lstatOf(op.path))
        return sameIdentity(op.folder, op.path.parent_path());
    if (!sameIdentity(op.file, op.path))
        return false; // something else took the name since: not ours to remove
    try {
        Trash::shared().moveToTrash(op.path);
        return true;
    } catch (const Trash::Error &) {
        return !lstatOf(op.path);
    }
}

} // namespace

std::optional<UndoJournal::Identity> UndoJournal::Identity::of(const fs::path &path)
{
    struct statx sx {};
    if (::statx(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &sx) != 0)
        return std::nullopt;
    Identity id;
    id.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    id.inode = sx.stx_ino;
    if ((sx.stx_mask & STATX_BTIME) != 0)
        id.birth = std::make_pair(std::int64_t(sx.stx_btime.tv_sec), sx.stx_btime.tv_nsec);
    return id;
}

UndoJournal::Operation UndoJournal::renamed(fs::path from, fs::path to)
{
    return Renamed{std::move(from), std::move(to)};
}

UndoJournal::Operation UndoJournal::trashed(fs::path original, fs::path trash)
{
    return Trashed{std::move(original), std::move(trash)};
}

UndoJournal::Operation UndoJournal::created(fs::path path)
{
    Created op{std::move(path), {}, {}};
    op.file = Identity::of(op.path);
    op.folder = Identity::of(op.path.parent_path());
    return op;
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
    const fs::path temporary =
        current.parent_path() /
        (".brindlow-undo-" + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString());
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

UndoJournal::Result UndoJournal::undo() const
{
    Result result;
    result.reversed.assign(operations_.size(), false);
    for (std::size_t i = operations_.size(); i-- > 0;) {
        const Operation &op = operations_[i];
        bool ok = false;
        if (const auto *r = std::get_if<Renamed>(&op))
            ok = !twoStepRename(r->to, r->from).has_value();
        else if (const auto *t = std::get_if<Trashed>(&op))
            ok = undoTrashed(*t);
        else
            ok = undoCreated(std::get<Created>(op));
        result.reversed[i] = ok;
        ++(ok ? result.restored : result.failed);
    }
    return result;
}
