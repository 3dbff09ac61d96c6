#include "Core/AtomicFile.h"

#include "Core/FileError.h"
#include "Core/FreeName.h"
#include "Core/LongPath.h"
#include "Core/RenameNoReplace.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

constexpr int createFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

fs::path folderOf(const fs::path &path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The folder that holds `target`, opened for the file's commit.
Descriptor folderFor(const fs::path &target)
{
    Descriptor folder(LongPath::open(folderOf(target), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        throw FileError::writeFailed(target, errno);
    return folder;
}

// A descriptor of the caller's folder that the file keeps for its commit.
Descriptor duplicate(int folder, const fs::path &target)
{
    Descriptor copy(::fcntl(folder, F_DUPFD_CLOEXEC, 0));
    if (!copy.valid())
        throw FileError::writeFailed(target, errno);
    return copy;
}

// ".quillfern-<10 random letters>.tmp": hidden, and never the name of anything the user made.
std::string hiddenName()
{
    std::array<unsigned char, 10> random{};
    if (::getrandom(random.data(), random.size(), 0) != ssize_t(random.size()))
        return {};
    std::string name = ".quillfern-";
    for (const unsigned char b : random)
        name += "0123456789abcdefghijklmnopqrstuv"[b & 31];
    return name + ".tmp";
}

} // namespace

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        bytes = bytes.subspan(std::size_t(n));
    }
    return true;
}

AtomicFile::AtomicFile(Descriptor fd, Descriptor folder, std::string name, fs::path target, bool hidden)
    : fd_(std::move(fd)), folder_(std::move(folder)), name_(std::move(name)), target_(std::move(target)),
      hidden_(hidden)
{
}

AtomicFile::AtomicFile(AtomicFile &&other) noexcept
    : fd_(std::move(other.fd_)), folder_(std::move(other.folder_)), name_(std::move(other.name_)),
      target_(std::move(other.target_)), hidden_(other.hidden_),
      pending_(std::exchange(other.pending_, false)), size_(other.size_)
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

AtomicFile AtomicFile::beside(const fs::path &target)
{
    return besideIn(folderFor(target), target);
}

AtomicFile AtomicFile::beside(int folder, const fs::path &target)
{
    return besideIn(duplicate(folder, target), target);
}

AtomicFile AtomicFile::besideIn(Descriptor folder, const fs::path &target)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = hiddenName();
        if (name.empty())
            break;
        Descriptor fd(::openat(folder.get(), name.c_str(), createFlags, 0644));
        if (fd.valid())
            return {std::move(fd), std::move(folder), std::move(name), target, true};
        if (errno != EEXIST)
            throw FileError::writeFailed(target, errno);
    }
    throw FileError::writeFailed(target, EEXIST);
}

AtomicFile AtomicFile::inPlace(const fs::path &path)
{
    return inPlaceIn(folderFor(path), path);
}

AtomicFile AtomicFile::inPlace(int folder, const fs::path &path)
{
    return inPlaceIn(duplicate(folder, path), path);
}

AtomicFile AtomicFile::inPlaceIn(Descriptor folder, const fs::path &path)
{
    std::string name = path.filename().native();
    Descriptor fd(::openat(folder.get(), name.c_str(), createFlags, 0644));
    if (!fd.valid())
        throw FileError::writeFailed(path, errno);
    return {std::move(fd), std::move(folder), std::move(name), path, false};
}

AtomicFile AtomicFile::inPlaceFree(const fs::path &wanted)
{
    // Another program may take the free name between the look and the create: look again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = freeName(wanted);
        if (!candidate)
            break;
        try {
            return inPlace(*candidate);
        } catch (const FileError &error) {
            if (error.error() != EEXIST)
                throw;
        }
    }
    throw FileError::writeFailed(wanted, EEXIST);
}

AtomicFile AtomicFile::inPlaceFree(int folder, const fs::path &wanted)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = freeName(folder, wanted);
        if (!candidate)
            break;
        try {
            return inPlace(folder, *candidate);
        } catch (const FileError &error) {
            if (error.error() != EEXIST)
                throw;
        }
    }
    throw FileError::writeFailed(wanted, EEXIST);
}

void AtomicFile::fail(int error)
{
    discard();
    throw FileError::writeFailed(target_, error);
}

void AtomicFile::write(std::span<const std::uint8_t> bytes)
{
    if (!writeAll(fd_.get(), bytes))
        fail(errno);
    size_ += bytes.size();
}

void AtomicFile::write(std::string_view bytes)
{
    write({reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()});
}

void AtomicFile::writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_.get(), bytes.data(), bytes.size(), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(n < 0 ? errno : ENOSPC);
        bytes = bytes.subspan(std::size_t(n));
        offset += std::uint64_t(n);
    }
}

void AtomicFile::truncate(std::uint64_t size)
{
    if (::ftruncate(fd_.get(), off_t(size)) != 0 || ::lseek(fd_.get(), off_t(size), SEEK_SET) < 0)
        fail(errno);
    size_ = size;
}

void AtomicFile::setPermissions(unsigned mode)
{
    if (::fchmod(fd_.get(), mode_t(mode)) != 0)
        fail(errno);
}

void AtomicFile::close()
{
    // A failed close can mean the data never reached the disk (NFS, a full disk).
    if (!fd_.close() && errno != EINTR)
        fail(errno);
}

void AtomicFile::commit(const fs::path &target)
{
    if (!pending_)
        throw FileError::writeFailed(target.empty() ? target_ : target, EINVAL);
    if (!target.empty())
        target_ = target;
    close();
    std::string name = target_.filename().native();
    if (name == name_ && !hidden_) {
        pending_ = false; // made at its name
        return;
    }
    if (const int error = renameNoReplaceAt(folder_.get(), name_.c_str(), folder_.get(), name.c_str())) {
        if (error == EEXIST)
            throw FileError::writeFailed(target_, EEXIST); // still pending: another name may be tried
        fail(error);
    }
    name_ = std::move(name);
    pending_ = false;
}

fs::path AtomicFile::commitFree(const fs::path &wanted)
{
    // Another program may take the free name between the look and the move: look again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = freeName(wanted);
        if (!candidate)
            break;
        try {
            commit(*candidate);
            return *candidate;
        } catch (const FileError &error) {
            if (error.error() != EEXIST)
                throw;
        }
    }
    target_ = wanted;
    fail(EEXIST);
}

void AtomicFile::commitReplacing(const fs::path &target)
{
    if (!pending_)
        throw FileError::writeFailed(target_, EINVAL);
    if (!target.empty())
        target_ = target;
    close();
    const std::string name = target_.filename().native();
    if (name != name_ && ::renameat(folder_.get(), name_.c_str(), folder_.get(), name.c_str()) != 0)
        fail(errno);
    name_ = name;
    pending_ = false;
}

void AtomicFile::discard() noexcept
{
    fd_.reset();
    if (pending_ && folder_.valid())
        ::unlinkat(folder_.get(), name_.c_str(), 0);
    pending_ = false;
}

void replaceWholeFile(const fs::path &target, std::string_view bytes, unsigned mode)
{
    AtomicFile file = AtomicFile::beside(target);
    file.setPermissions(mode);
    file.write(bytes);
    file.commitReplacing();
}
