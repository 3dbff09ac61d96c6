#include "Platform/FreedesktopTrash.h"

#include "Core/AtomicFile.h"
#include "Core/ErrorText.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Core/RenameNoReplace.h"
#include "Core/TrashFolder.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

Trash *installedTrash = nullptr;

QString nameOf(const fs::path &path)
{
    return FilePath::display(path.filename());
}

[[noreturn]] void failMove(const fs::path &item, int error)
{
    throw Trash::Error(L("'%@' 항목을 휴지통으로 옮기지 못했습니다. (%@)", nameOf(item), errorText(error)));
}

// The device of the path, or of its nearest existing ancestor (the home trash may not exist yet).
dev_t deviceOf(fs::path path)
{
    struct stat st;
    while (::stat(path.c_str(), &st) != 0) {
        if (!path.has_relative_path())
            return 0;
        path = path.parent_path();
    }
    return st.st_dev;
}

// Creates each missing folder of the path with mode 0700; 0 or errno.
int makeFolders(const fs::path &path)
{
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
    if (path.has_relative_path() && path.parent_path() != path) {
        if (int error = makeFolders(path.parent_path()))
            return error;
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return errno;
    return 0;
}

// A trash folder of our own on a volume: a real folder (not a link) owned by us.
bool isOwnFolder(const fs::path &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

// The top folder of the mount that holds `folder` (whose device is `device`).
fs::path mountTop(fs::path folder, dev_t device)
{
    while (folder.has_relative_path()) {
        const fs::path parent = folder.parent_path();
        struct stat st;
        if (LongPath::stat(parent, st) != 0 || st.st_dev != device)
            break;
        folder = parent;
    }
    return folder;
}

struct TrashPlace {
    fs::path folder;       // holds files/ and info/
    fs::path relativeBase; // Path= in .trashinfo is relative to this; empty for absolute paths
};

// The trash of a volume other than the home trash's, after the two forms the specification allows.
std::optional<TrashPlace> volumeTrash(const fs::path &top, dev_t device)
{
    const std::string uid = std::to_string(::getuid());
    struct stat st;
    const fs::path shared = top / ".Trash";
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const fs::path mine = shared / uid;
        if (::mkdir(mine.c_str(), 0700) == 0 || errno == EEXIST) {
            if (isOwnFolder(mine) && deviceOf(mine) == device)
                return TrashPlace{mine, top};
        }
    }
    const fs::path mine = top / (".Trash-" + uid);
    if (::mkdir(mine.c_str(), 0700) == 0 || errno == EEXIST) {
        if (isOwnFolder(mine) && deviceOf(mine) == device)
            return TrashPlace{mine, top};
    }
    return std::nullopt;
}

// Percent-encoding of the path bytes for the Path= key; "/" and unreserved characters stay.
std::string escapePath(const std::string &bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string deletionDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// The name in files/ for the n-th attempt: the item's name, then "name 2.ext", "name 3.ext", …,
// shortened so that the .trashinfo name still fits a file name.
std::string trashName(const std::string &name, int attempt)
{
    auto [stem, extension] = splitExtension(name);
    std::string suffix;
    if (attempt != 1)
        suffix.append(" ").append(std::to_string(attempt));
    const std::size_t limit = 255 - std::string(".trashinfo").size();
    if (stem.size() + suffix.size() + extension.size() > limit) {
        if (extension.size() + suffix.size() >= limit)
            extension.clear();
        stem.resize(limit - suffix.size() - extension.size());
        // Do not end inside a UTF-8 sequence.
        while (!stem.empty() && (static_cast<unsigned char>(stem.back()) & 0xC0) == 0x80)
            stem.pop_back();
        if (!stem.empty() && static_cast<unsigned char>(stem.back()) >= 0xC0)
            stem.pop_back();
    }
    return stem + suffix + extension;
}

} // namespace

Trash &Trash::shared()
{
    if (installedTrash)
        return *installedTrash;
    static FreedesktopTrash freedesktop;
    return freedesktop;
}

void Trash::install(Trash *trash)
{
    installedTrash = trash;
}

fs::path FreedesktopTrash::homeTrash()
{
    return TrashFolder::home();
}

fs::path FreedesktopTrash::moveToTrash(const fs::path &itemPath)
{
    std::error_code ignored;
    fs::path item = fs::absolute(itemPath, ignored).lexically_normal();
    if (!item.has_filename())
        item = item.parent_path();
    const std::string name = item.filename().native();
    if (name.empty() || name == "." || name == ".." || !item.has_relative_path())
        failMove(item, EINVAL);
    // The folder holding the item, with links resolved, is where the item really lives.
    const fs::path folder = FilePath::realPathOrSame(item.parent_path());
    item = folder / name;

    struct stat st;
    if (const int error = LongPath::lstat(item, st))
        failMove(item, error);
    if (const int error = LongPath::stat(folder, st))
        failMove(item, error);
    const dev_t device = st.st_dev;

    TrashPlace place;
    const fs::path home = homeTrash();
    if (deviceOf(home) == device) {
        place.folder = home;
    } else {
        const fs::path top = mountTop(folder, device);
        auto volume = volumeTrash(top, device);
        if (!volume)
            throw Trash::Error(L("'%@' 항목이 있는 볼륨에 휴지통을 만들 수 없습니다.", nameOf(item)));
        place = *volume;
    }
    const fs::path files = place.folder / "files";
    const fs::path info = place.folder / "info";
    for (const fs::path &dir : {files, info}) {
        if (int error = makeFolders(dir))
            failMove(item, error);
    }

    const std::string recorded =
        place.relativeBase.empty() ? item.native() : item.lexically_relative(place.relativeBase).native();
    const std::string infoText =
        "[Trash Info]\nPath=" + escapePath(recorded) + "\nDeletionDate=" + deletionDate() + "\n";

    for (int attempt = 1; attempt <= 10000; ++attempt) {
        const std::string candidate = trashName(name, attempt);
        const fs::path infoPath = info / (candidate + ".trashinfo");
        // The info file reserves the name: it appears whole under it, or not at all.
        try {
            AtomicFile record = AtomicFile::beside(infoPath);
            record.setPermissions(0600);
            record.write(infoText);
            record.commit();
        } catch (const FileError &error) {
            if (error.error() == EEXIST)
                continue;
            failMove(item, error.error() != 0 ? error.error() : EIO);
        }
        fs::path target = files / candidate;
        const int error = renameNoReplace(item, target);
        if (error == 0)
            return target;
        ::unlink(infoPath.c_str());
        if (error != EEXIST)
            failMove(item, error);
    }
    failMove(item, EEXIST);
}

void FreedesktopTrash::restore(const fs::path &trashed, const fs::path &original)
{
    if (int error = renameNoReplace(trashed, original)) {
        throw Trash::Error(
            L("'%@' 항목을 휴지통에서 되돌리지 못했습니다. (%@)", nameOf(original), errorText(error)));
    }
    const fs::path files = trashed.parent_path();
    if (files.filename() == "files") {
        const fs::path infoPath = files.parent_path() / "info" / (trashed.filename().native() + ".trashinfo");
        ::unlink(infoPath.c_str());
    }
}
