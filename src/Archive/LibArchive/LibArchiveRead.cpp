#include "Archive/LibArchive/LibArchive.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/LibArchive/LibArchiveSupport.h"
#include "Core/AtomicFile.h"
#include "Core/Descriptor.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Text.h"

#include <algorithm>
#include <fcntl.h>
#include <map>
#include <unordered_set>

using namespace LibArchiveSupport;
namespace fs = std::filesystem;

namespace {

constexpr int formatBaseMask = 0xFF0000;
constexpr int formatMtree = 0x80000;
constexpr int formatRaw = 0x90000;

std::string withSlashes(std::string name)
{
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::string joined(const std::vector<std::string> &parts, std::size_t count)
{
    std::string result;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            result += '/';
        result += parts[i];
    }
    return result;
}

// The path below the destination for an entry name: nullopt when the entry lies outside the
// prefix or is the prefix itself.
std::optional<std::string> relativeName(const std::string &name, const std::optional<std::string> &prefix)
{
    if (!prefix)
        return name;
    if (!name.starts_with(*prefix) || name == *prefix)
        return std::nullopt;
    return name.substr(prefix->size());
}

// Components of a relative path that stays inside the destination; nullopt for an absolute path,
// a ".." component or no component at all.
std::optional<std::vector<std::string>> safePieces(const std::string &relative)
{
    auto parts = nameParts(relative);
    if (relative.starts_with('/') || parts.empty() ||
        std::find(parts.begin(), parts.end(), "..") != parts.end())
        return std::nullopt;
    return parts;
}

QString displayPath(const std::filesystem::path &path)
{
    return FilePath::display(path);
}

// The output's failures are the bridge's: "쓰기 실패: <path>".
template <typename Step> auto writing(Step &&step)
{
    try {
        return step();
    } catch (const FileError &error) {
        throw Error::failed(error.detail());
    }
}

// Copies a file this extraction wrote into a new output; the caller commits it.
void copyInto(const std::filesystem::path &from, AtomicFile &out, std::vector<char> &buffer)
{
    Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (in.get() < 0)
        throw Error::failed(QStringLiteral("쓰기 실패: ") + displayPath(out.target()));
    for (;;) {
        const ssize_t n = readSome(in.get(), buffer.data(), buffer.size());
        if (n < 0)
            throw Error::failed(QStringLiteral("쓰기 실패: ") + displayPath(out.target()));
        if (n == 0)
            break;
        writing([&] { out.write({reinterpret_cast<const std::uint8_t *>(buffer.data()), std::size_t(n)}); });
    }
}

} // namespace

bool LibArchive::isBareStream(struct archive *handle, std::string_view name) const
{
    if (name != "data")
        return false;
    // Without the format call, the name alone decides.
    return archiveFormat == nullptr || (archiveFormat(handle) & formatBaseMask) == formatRaw;
}

struct archive *LibArchive::openArchive(const std::filesystem::path &path, const QString &password,
                                        bool asBareStream) const
{
    if (!isAvailable_)
        throw Error::unavailable();
    Owned handle(readNew(), readFree);
    if (handle.get() == nullptr)
        throw Error::failed(QStringLiteral("초기화"));
    const auto check = [&](int result) {
        if (result != archiveOk && result != archiveWarn)
            throw interpret(lastError(handle.get()));
    };
    if (!asBareStream)
        check(supportFormatAll(handle.get()));
    if (supportFormatRaw)
        check(supportFormatRaw(handle.get()));
    check(supportFilterAll(handle.get()));
    if (!password.isEmpty() && addPassphrase)
        check(addPassphrase(handle.get(), password.toUtf8().constData()));
    if (readOpenFilename(handle.get(), path.c_str(), blockSize) != archiveOk)
        throw interpret(lastError(handle.get()));
    return handle.release();
}

struct archive *LibArchive::openFirst(const std::filesystem::path &path, const QString &password,
                                      struct archive_entry **entry, int *result) const
{
    Owned handle(openArchive(path, password, false), readFree);
    *result = nextHeader(handle.get(), entry);
    // Text whose lines look like file names (a compressed word list, say) is taken for an mtree
    // manifest, which carries no data: every "file" would come out empty. Such a stream is read
    // as the bare compressed file it is.
    const bool isManifest = (*result == archiveOk || *result == archiveWarn) && archiveFormat &&
                            supportFormatRaw && (archiveFormat(handle.get()) & formatBaseMask) == formatMtree;
    if (isManifest) {
        handle.reset();
        Owned bare(openArchive(path, password, true), readFree);
        *result = nextHeader(bare.get(), entry);
        return bare.release();
    }
    return handle.release();
}

void LibArchive::skipData(struct archive *handle) const
{
    // Skipping reads through the data as well: a truncated or damaged stream shows here, and
    // libarchive's own text says so.
    if (dataSkip == nullptr)
        return;
    const int result = dataSkip(handle);
    if (result != archiveOk && result != archiveWarn)
        throw interpret(lastError(handle));
}

std::vector<LibArchive::Item> LibArchive::listEntries(const std::filesystem::path &path,
                                                      const QString &password) const
{
    return guarded([&] {
        Utf8Ctype ctype;
        struct archive_entry *entry = nullptr;
        int result = 0;
        Owned handle(openFirst(path, password, &entry, &result), readFree);
        std::vector<Item> items;
        for (;; result = nextHeader(handle.get(), &entry)) {
            if (result == archiveEof)
                return items;
            // Anything else but OK or WARN (including RETRY, a damaged header) means the list is
            // incomplete: it fails rather than passing a partial list off as the whole archive.
            if (result != archiveOk && result != archiveWarn)
                throw interpret(lastError(handle.get()));
            Item item;
            item.name = withSlashes(decodeName(entryPathname(entry)));
            item.isDirectory = (entryFiletype && (entryFiletype(entry) & typeMask) == typeDirectory) ||
                               item.name.ends_with('/');
            if (isBareStream(handle.get(), item.name)) {
                auto [stem, extension] = splitExtension(decodeName(path.filename().c_str()));
                const QString lower = Text::fromUtf8(extension).toLower();
                static const QStringList compressed{".gz", ".bz2", ".xz", ".lz4", ".zst"};
                item.name = compressed.contains(lower) ? stem : stem + extension;
            }
            item.size = entrySize(entry);
            items.push_back(std::move(item));
            skipData(handle.get());
        }
    });
}

// One extraction: each entry placed below the destination (or into the single target) as it is
// read.
class LibArchive::Extraction {
public:
    Extraction(const LibArchive &bridge, struct archive *handle, const fs::path &to, bool skippingMacJunk,
               const std::optional<std::string> &strippingPrefix,
               const std::optional<fs::path> &singleFileTarget)
        : bridge_(bridge), handle_(handle), to_(to), skippingMacJunk_(skippingMacJunk),
          prefix_(strippingPrefix), single_(singleFileTarget), buffer_(blockSize, 0)
    {
    }

    int count() const { return count_; }

    // Extracts one entry; false once the single target holds its file and nothing more is read.
    bool add(struct archive_entry *entry)
    {
        const std::string name = normalised(bridge_.entryPathname(entry));
        const mode_t type = bridge_.entryFiletype ? (bridge_.entryFiletype(entry) & typeMask) : 0;
        const bool isDirectory = type == typeDirectory || name.ends_with('/');
        // A hard link without data of its own names a file stored earlier in the archive.
        const char *link = bridge_.entryHardlink ? bridge_.entryHardlink(entry) : nullptr;
        const bool hasLink = link != nullptr && *link != '\0';
        const bool isLink = hasLink && bridge_.entrySize(entry) <= 0;
        // Symbolic links are left out. A FIFO, device or socket becomes a regular file of the
        // data stored for it, as 7-Zip writes it.
        if ((skippingMacJunk_ && isMacJunk(name)) || (!isLink && type == typeSymlink))
            return skip();
        if (single_) {
            // The target already holds the linked file's data, and a folder has none.
            if (isLink || isDirectory)
                return skip();
            writeData(writing([&] { return AtomicFile::inPlace(*single_); }));
            // The archive's one file is in place; the caller passes a single target only then.
            return false;
        }

        const auto rest = relativeName(name, prefix_);
        if (!rest)
            return skip();
        const auto parts = safePieces(*rest);
        if (!parts)
            throw Error::failed(QStringLiteral("잘못된 경로: ") + Text::fromUtf8(*rest));
        if (isDirectory) {
            // A folder met again is the same folder: its entries merge into it.
            makeFolders(*parts, parts->size());
            return skip();
        }
        makeFolders(*parts, parts->size() - 1);
        const std::string relative = joined(*parts, parts->size());
        const fs::path target(to_.native() + "/" + relative);
        const std::optional<std::string> linkKey = hasLink ? linkKeyOf(link) : std::nullopt;
        if (isLink) {
            copyLinked(linkKey, relative, target);
            return true;
        }
        // A name met before (a repeat, or the same name composed differently) goes to a free
        // name beside it; the output is removed unless it is complete.
        const fs::path written = writeData(writing([&] { return AtomicFile::inPlaceFree(target); }));
        written_[relative] = written;
        if (linkKey)
            refillGroup(*linkKey, written);
        return true;
    }

private:
    static std::string normalised(const char *raw) { return Text::toNfc(withSlashes(decodeName(raw))); }

    bool skip()
    {
        bridge_.skipData(handle_);
        return true;
    }

    // A folder that cannot be made shows up as the failure of a file inside it.
    void makeFolders(const std::vector<std::string> &parts, std::size_t count)
    {
        try {
            makeDirectories(to_,
                            std::vector<std::string>(parts.begin(), parts.begin() + std::ptrdiff_t(count)));
        } catch (const ZipError &) {
        }
    }

    // The linked file's path below the destination, checked like an entry name.
    std::optional<std::string> linkKeyOf(const char *link) const
    {
        const auto linkRest = relativeName(normalised(link), prefix_);
        if (const auto linkParts = linkRest ? safePieces(*linkRest) : std::nullopt)
            return joined(*linkParts, linkParts->size());
        return std::nullopt;
    }

    // The entry's data into the new file, which is then put in place; returns where it went.
    fs::path writeData(AtomicFile out)
    {
        for (;;) {
            const ssize_t n = bridge_.readData(handle_, buffer_.data(), buffer_.size());
            if (n == 0)
                break;
            if (n < 0)
                throw interpret(bridge_.lastError(handle_));
            writing([&] {
                out.write({reinterpret_cast<const std::uint8_t *>(buffer_.data()), std::size_t(n)});
            });
        }
        writing([&] { out.commit(); });
        ++count_;
        return out.target();
    }

    // A hard link becomes a copy of the file it names; a link to something this extraction did
    // not write is left out, never made empty.
    void copyLinked(const std::optional<std::string> &linkKey, const std::string &relative,
                    const fs::path &target)
    {
        const auto source = linkKey ? written_.find(*linkKey) : written_.end();
        bridge_.skipData(handle_);
        if (source == written_.end() || *linkKey == relative)
            return;
        auto out = writing([&] { return AtomicFile::inPlaceFree(target); });
        copyInto(source->second, out, buffer_);
        writing([&] { out.commit(); });
        ++count_;
        written_[relative] = out.target();
        linkCopies_[*linkKey].push_back(out.target());
    }

    // cpio stores a link group's data with its last member only: the members written before it,
    // empty until now, get the data too.
    void refillGroup(const std::string &linkKey, const fs::path &filled)
    {
        std::vector<fs::path> group = linkCopies_[linkKey];
        if (const auto first = written_.find(linkKey); first != written_.end())
            group.push_back(first->second);
        for (const auto &member : group) {
            if (member == filled)
                continue;
            auto refill = writing([&] { return AtomicFile::beside(member); });
            copyInto(filled, refill, buffer_);
            writing([&] { refill.commitReplacing(); });
        }
    }

    const LibArchive &bridge_;
    struct archive *handle_;
    const fs::path &to_;
    bool skippingMacJunk_;
    const std::optional<std::string> &prefix_;
    const std::optional<fs::path> &single_;
    std::vector<char> buffer_;
    int count_ = 0;
    // Files written so far, by their path below the destination, for hard links to copy; and the
    // copies made of each, which a later member of the same link group may have to refill.
    std::map<std::string, fs::path> written_;
    std::map<std::string, std::vector<fs::path>> linkCopies_;
};

int LibArchive::extract(const fs::path &path, const fs::path &to, bool skippingMacJunk,
                        const std::optional<std::string> &strippingPrefix,
                        const std::optional<fs::path> &singleFileTarget, const QString &password) const
{
    return guarded([&] {
        Utf8Ctype ctype;
        struct archive_entry *entry = nullptr;
        int result = 0;
        Owned handle(openFirst(path, password, &entry, &result), readFree);
        Extraction extraction(*this, handle.get(), to, skippingMacJunk, strippingPrefix, singleFileTarget);
        for (;; result = nextHeader(handle.get(), &entry)) {
            if (result == archiveEof)
                break;
            // RETRY (a damaged header) included: stopping here would report a partial extraction
            // as success.
            if (result != archiveOk && result != archiveWarn)
                throw interpret(lastError(handle.get()));
            if (!extraction.add(entry))
                break;
        }
        return extraction.count();
    });
}
