#include "Archive/LibArchive/LibArchive.h"

#include "Archive/ArchiveFiles.h"
#include "Core/AtomicFile.h"
#include "Core/Descriptor.h"
#include "Core/ErrorText.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Core/Text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <langinfo.h>
#include <map>
#include <new>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr int archiveOk = 0;
constexpr int archiveEof = 1;
constexpr int archiveWarn = -20;
constexpr mode_t typeMask = 0xF000;
constexpr mode_t typeDirectory = 0x4000;
constexpr mode_t typeRegular = 0x8000;
constexpr mode_t typeSymlink = 0xA000;
constexpr int formatBaseMask = 0xFF0000;
constexpr int formatMtree = 0x80000;
constexpr int formatRaw = 0x90000;
constexpr std::size_t blockSize = 65536;

using Error = LibArchive::ArchiveError;

template <typename F> void bind(void *library, F &slot, const char *name)
{
    slot = reinterpret_cast<F>(::dlsym(library, name));
}

// libarchive converts names through the thread's LC_CTYPE; in a locale that is not UTF-8 its
// writers drop or mangle non-ASCII names. This switches the calling thread to a UTF-8 LC_CTYPE
// for the length of one call.
class Utf8Ctype {
public:
    Utf8Ctype()
    {
        if (std::strcmp(::nl_langinfo(CODESET), "UTF-8") == 0)
            return;
        locale_t base = ::duplocale(::uselocale(static_cast<locale_t>(nullptr)));
        if (base == static_cast<locale_t>(nullptr))
            return;
        locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", base);
        if (utf8 == static_cast<locale_t>(nullptr)) {
            ::freelocale(base);
            return;
        }
        locale_ = utf8;
        previous_ = ::uselocale(utf8);
    }
    ~Utf8Ctype()
    {
        if (locale_ != static_cast<locale_t>(nullptr)) {
            ::uselocale(previous_);
            ::freelocale(locale_);
        }
    }
    Utf8Ctype(const Utf8Ctype &) = delete;
    Utf8Ctype &operator=(const Utf8Ctype &) = delete;

private:
    locale_t locale_ = static_cast<locale_t>(nullptr);
    locale_t previous_ = static_cast<locale_t>(nullptr);
};

// Releases a libarchive handle or entry on every way out.
template <typename T, typename Free> class Owned {
public:
    Owned(T *value, Free free) : value_(value), free_(free) {}
    ~Owned() { reset(); }
    Owned(const Owned &) = delete;
    Owned &operator=(const Owned &) = delete;
    T *get() const { return value_; }
    T *release() { return std::exchange(value_, nullptr); }
    void reset()
    {
        if (value_ != nullptr)
            free_(value_);
        value_ = nullptr;
    }

private:
    T *value_;
    Free free_;
};

ssize_t readSome(int fd, char *data, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

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

// Creating the archive's own file: its failures are the bridge's "파일 생성: <reason>".
template <typename Step> auto created(Step &&step)
{
    try {
        return step();
    } catch (const FileError &error) {
        throw LibArchive::ArchiveError::failed(QStringLiteral("파일 생성: ") + errorText(error.error()));
    }
}

// Runs one call of the bridge: memory running out ends it with the bridge's own failure.
template <typename Step> auto guarded(Step &&step)
{
    return withinMemory(step, [] { return Error::failed(L("메모리 부족")); });
}

} // namespace

QString LibArchive::ArchiveError::description() const
{
    switch (kind()) {
    case Kind::unavailable:
        return L("이 시스템에서 압축 라이브러리를 사용할 수 없습니다.");
    case Kind::passwordRequired:
        return L("암호가 걸린 파일입니다. 암호를 입력하세요.");
    case Kind::wrongPassword:
        return L("암호가 올바르지 않거나 이 포맷의 암호 해제를 지원하지 않습니다.");
    case Kind::failed:
        return L("압축 처리에 실패했습니다. (%@)", detail());
    }
    return {};
}

bool LibArchive::Item::isMacJunk() const
{
    return ::isMacJunk(name);
}

const std::set<std::string> &LibArchive::supportedExtensions()
{
    static const std::set<std::string> extensions{"7z",   "rar",  "tar", "gz",  "tgz", "bz2",
                                                  "tbz",  "tbz2", "xz",  "txz", "lz4", "zst",
                                                  "cpio", "iso",  "lzh", "lha", "cab", "ar"};
    return extensions;
}

LibArchive &LibArchive::shared()
{
    static LibArchive instance("libarchive.so.13");
    return instance;
}

LibArchive::LibArchive(const std::string &library)
{
    // The handle is never closed: the library stays loaded for the life of the process.
    void *handle = ::dlopen(library.c_str(), RTLD_NOW);
    if (handle == nullptr)
        return;
    bind(handle, readNew, "archive_read_new");
    bind(handle, supportFormatAll, "archive_read_support_format_all");
    bind(handle, supportFormatRaw, "archive_read_support_format_raw");
    bind(handle, supportFilterAll, "archive_read_support_filter_all");
    bind(handle, addPassphrase, "archive_read_add_passphrase");
    bind(handle, readOpenFilename, "archive_read_open_filename");
    bind(handle, nextHeader, "archive_read_next_header");
    bind(handle, readData, "archive_read_data");
    bind(handle, dataSkip, "archive_read_data_skip");
    bind(handle, readFree, "archive_read_free");
    bind(handle, errorString, "archive_error_string");
    bind(handle, archiveFormat, "archive_format");
    bind(handle, entryPathname, "archive_entry_pathname");
    bind(handle, entryHardlink, "archive_entry_hardlink");
    bind(handle, entryFiletype, "archive_entry_filetype");
    bind(handle, entrySize, "archive_entry_size");
    bind(handle, writeNew, "archive_write_new");
    bind(handle, writeSetFormat, "archive_write_set_format_by_name");
    bind(handle, writeAddFilter, "archive_write_add_filter_by_name");
    bind(handle, writeOpenFd, "archive_write_open_fd");
    bind(handle, writeHeader, "archive_write_header");
    bind(handle, writeData, "archive_write_data");
    bind(handle, writeClose, "archive_write_close");
    bind(handle, writeFree, "archive_write_free");
    bind(handle, entryNew, "archive_entry_new");
    bind(handle, entryFree, "archive_entry_free");
    bind(handle, entrySetPathname, "archive_entry_set_pathname_utf8");
    bind(handle, entrySetPathnameBytes, "archive_entry_set_pathname");
    if (entrySetPathname == nullptr)
        entrySetPathname = entrySetPathnameBytes;
    bind(handle, entrySetSize, "archive_entry_set_size");
    bind(handle, entrySetFiletype, "archive_entry_set_filetype");
    bind(handle, entrySetPerm, "archive_entry_set_perm");
    bind(handle, entrySetMtime, "archive_entry_set_mtime");
    isAvailable_ = readNew && supportFormatAll && supportFilterAll && readOpenFilename && nextHeader &&
                   readData && readFree && entryPathname && entrySize;
}

bool LibArchive::canWrite() const
{
    return writeNew && writeSetFormat && writeOpenFd && writeHeader && writeData && writeClose && writeFree &&
           entryNew && entryFree && entrySetPathname && entrySetSize && entrySetFiletype;
}

LibArchive::ArchiveError LibArchive::interpret(const std::string &text)
{
    const QString lower = Text::fromUtf8(text).toLower();
    const auto has = [&](const char *word) { return lower.contains(QLatin1String(word)); };
    if (has("passphrase") || has("password") || has("encrypted"))
        return has("incorrect") || has("invalid") ? Error::wrongPassword() : Error::passwordRequired();
    return Error::failed(Text::fromUtf8(text));
}

std::string LibArchive::lastError(struct archive *handle) const
{
    const char *text = errorString ? errorString(handle) : nullptr;
    if (text == nullptr)
        return Text::utf8(L("알 수 없는 오류"));
    return text;
}

std::string LibArchive::decodeName(const char *raw)
{
    if (raw == nullptr)
        return {};
    const std::string_view bytes(raw);
    if (Text::isValidUtf8(bytes))
        return std::string(bytes);
    if (auto cp949 = Text::decodeCp949(bytes))
        return *cp949;
    // Latin-1 maps every byte, so decoding always ends here at the latest.
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())).toStdString();
}

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

int LibArchive::extract(const std::filesystem::path &path, const std::filesystem::path &to,
                        bool skippingMacJunk, const std::optional<std::string> &strippingPrefix,
                        const std::optional<std::filesystem::path> &singleFileTarget,
                        const QString &password) const
{
    return guarded([&] {
        Utf8Ctype ctype;
        struct archive_entry *entry = nullptr;
        int result = 0;
        Owned handle(openFirst(path, password, &entry, &result), readFree);
        std::vector<char> buffer(blockSize, 0);
        // Files written so far, by their path below the destination, for hard links to copy; and
        // the copies made of each, which a later member of the same link group may have to refill.
        std::map<std::string, std::filesystem::path> written;
        std::map<std::string, std::vector<std::filesystem::path>> linkCopies;
        int count = 0;
        const auto normalised = [](const char *raw) { return Text::toNfc(withSlashes(decodeName(raw))); };

        for (;; result = nextHeader(handle.get(), &entry)) {
            if (result == archiveEof)
                break;
            // RETRY (a damaged header) included: stopping here would report a partial extraction
            // as success.
            if (result != archiveOk && result != archiveWarn)
                throw interpret(lastError(handle.get()));

            const std::string name = normalised(entryPathname(entry));
            const mode_t type = entryFiletype ? (entryFiletype(entry) & typeMask) : 0;
            const bool isDirectory = type == typeDirectory || name.ends_with('/');
            if (skippingMacJunk && isMacJunk(name)) {
                skipData(handle.get());
                continue;
            }
            // A hard link without data of its own names a file stored earlier in the archive.
            const char *link = entryHardlink ? entryHardlink(entry) : nullptr;
            const bool isLink = link != nullptr && *link != '\0' && entrySize(entry) <= 0;
            // Symbolic links are left out. A FIFO, device or socket becomes a regular file of the
            // data stored for it, as 7-Zip writes it.
            if (!isLink && type == typeSymlink) {
                skipData(handle.get());
                continue;
            }

            std::filesystem::path target;
            std::string relative;
            if (singleFileTarget) {
                // The target already holds the linked file's data, and a folder has none.
                if (isLink || isDirectory) {
                    skipData(handle.get());
                    continue;
                }
                target = *singleFileTarget;
            } else {
                const auto rest = relativeName(name, strippingPrefix);
                if (!rest) {
                    skipData(handle.get());
                    continue;
                }
                const auto parts = safePieces(*rest);
                if (!parts)
                    throw Error::failed(QStringLiteral("잘못된 경로: ") + Text::fromUtf8(*rest));
                if (isDirectory) {
                    // A folder met again is the same folder: its entries merge into it.
                    try {
                        makeDirectories(to, *parts);
                    } catch (const ZipError &) {
                        // A folder that cannot be made shows up as the failure of a file inside it.
                    }
                    skipData(handle.get());
                    continue;
                }
                try {
                    makeDirectories(to, std::vector<std::string>(parts->begin(), parts->end() - 1));
                } catch (const ZipError &) {
                    // The file write below reports it.
                }
                relative = joined(*parts, parts->size());
                target = std::filesystem::path(to.native() + "/" + relative);
            }

            // The linked file's path below the destination, checked like an entry name.
            std::optional<std::string> linkKey;
            if (link != nullptr && *link != '\0' && !singleFileTarget) {
                const auto linkRest = relativeName(normalised(link), strippingPrefix);
                if (const auto linkParts = linkRest ? safePieces(*linkRest) : std::nullopt)
                    linkKey = joined(*linkParts, linkParts->size());
            }

            if (isLink) {
                const auto source = linkKey ? written.find(*linkKey) : written.end();
                skipData(handle.get());
                // A link to something this extraction did not write is left out, never made empty.
                if (source == written.end() || *linkKey == relative)
                    continue;
                auto out = writing([&] { return AtomicFile::inPlaceFree(target); });
                copyInto(source->second, out, buffer);
                writing([&] { out.commit(); });
                ++count;
                written[relative] = out.target();
                linkCopies[*linkKey].push_back(out.target());
                continue;
            }

            // A name met before (a repeat, or the same name composed differently) goes to a free
            // name beside it; the output is removed unless it is complete.
            auto out = writing([&] {
                return singleFileTarget ? AtomicFile::inPlace(target) : AtomicFile::inPlaceFree(target);
            });
            for (;;) {
                const ssize_t n = readData(handle.get(), buffer.data(), buffer.size());
                if (n == 0)
                    break;
                if (n < 0)
                    throw interpret(lastError(handle.get()));
                writing([&] {
                    out.write({reinterpret_cast<const std::uint8_t *>(buffer.data()), std::size_t(n)});
                });
            }
            writing([&] { out.commit(); });
            ++count;
            // The archive's one file is in place; the caller passes a single target only then.
            if (singleFileTarget)
                break;
            written[relative] = out.target();
            // cpio stores a link group's data with its last member only: the members written
            // before it, empty until now, get the data too.
            if (linkKey) {
                std::vector<std::filesystem::path> group = linkCopies[*linkKey];
                if (const auto first = written.find(*linkKey); first != written.end())
                    group.push_back(first->second);
                for (const auto &member : group) {
                    if (member == out.target())
                        continue;
                    auto refill = writing([&] { return AtomicFile::beside(member); });
                    copyInto(out.target(), refill, buffer);
                    writing([&] { refill.commitReplacing(); });
                }
            }
        }
        return count;
    });
}

void LibArchive::createArchive(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
                               WriteFormat format) const
{
    if (pathIsTaken(at))
        throw Error::failed(QStringLiteral("파일 생성: ") + errorText(EEXIST));
    auto out = created([&] { return AtomicFile::beside(at); });
    createArchive(out, sources, format);
    created([&] { out.commit(); });
}

void LibArchive::createArchive(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                               WriteFormat format) const
{
    guarded([&] {
        if (!isAvailable_ || !canWrite())
            throw Error::unavailable();
        const char *formatName = format == WriteFormat::sevenZip ? "7zip" : "pax";
        const char *filterName = format == WriteFormat::tarGz    ? "gzip"
                                 : format == WriteFormat::tarBz2 ? "bzip2"
                                 : format == WriteFormat::tarXz  ? "xz"
                                                                 : nullptr;
        // Without the filter call a compressed format cannot be honoured; writing a plain tar under
        // a .gz name instead would be a silent wrong result.
        if (filterName != nullptr && writeAddFilter == nullptr)
            throw Error::unavailable();

        Utf8Ctype ctype;
        Owned handle(writeNew(), writeFree);
        if (handle.get() == nullptr)
            throw Error::failed(QStringLiteral("초기화"));
        const auto failWith = [&](const char *what) {
            return Error::failed(QString::fromUtf8(what) + Text::fromUtf8(lastError(handle.get())));
        };
        if (writeSetFormat(handle.get(), formatName) != archiveOk)
            throw failWith("포맷 설정: ");
        if (filterName != nullptr && writeAddFilter(handle.get(), filterName) != archiveOk)
            throw failWith("압축 필터 설정: ");

        if (writeOpenFd(handle.get(), out.descriptor()) != archiveOk)
            throw failWith("파일 생성: ");

        const std::time_t now = std::time(nullptr);
        std::vector<char> buffer(blockSize, 0);
        for (const auto &source : sources) {
            Owned entry(entryNew(), entryFree);
            if (entry.get() == nullptr)
                throw Error::failed(QStringLiteral("항목 생성"));
            const QString readFailure = QStringLiteral("읽기 실패: ") + Text::fromUtf8(source.entryName);

            // The size comes from the open descriptor, so it describes exactly the bytes that are read
            // (a symbolic link's target, not the link), and only regular files are read: a FIFO or
            // device would block or never end.
            const bool hasData = !source.isDirectory && source.filePath.has_value();
            Descriptor input(
                hasData ? LongPath::open(*source.filePath, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)
                        : -1);
            std::int64_t size = 0;
            if (hasData) {
                struct stat status {};
                if (input.get() < 0 || ::fstat(input.get(), &status) != 0 || !S_ISREG(status.st_mode))
                    throw Error::failed(readFailure);
                size = status.st_size;
            }

            // A name that is not UTF-8 goes into pax as its bytes (marked binary, so it comes out
            // exactly); 7z stores Unicode names, and libarchive would mangle or drop this one there.
            const bool isUtf8 = Text::isValidUtf8(source.entryName);
            if (isUtf8)
                entrySetPathname(entry.get(), source.entryName.c_str());
            else if (entrySetPathnameBytes && format != WriteFormat::sevenZip)
                entrySetPathnameBytes(entry.get(), source.entryName.c_str());
            else
                throw Error::failed(QStringLiteral("헤더 쓰기: ") + Text::lossyUtf8(source.entryName));
            entrySetFiletype(entry.get(), source.isDirectory ? typeDirectory : typeRegular);
            if (entrySetPerm)
                entrySetPerm(entry.get(), source.isDirectory ? 0755 : 0644);
            if (entrySetMtime)
                entrySetMtime(entry.get(), now, 0);
            entrySetSize(entry.get(), size);
            const int header = writeHeader(handle.get(), entry.get());
            const bool keptAsBytes = !isUtf8 && format != WriteFormat::sevenZip && header == archiveWarn;
            if (header != archiveOk && !keptAsBytes)
                throw failWith("헤더 쓰기: ");

            if (hasData) {
                std::int64_t remaining = size;
                while (remaining > 0) {
                    const auto want = static_cast<std::size_t>(std::min<std::int64_t>(remaining, blockSize));
                    const ssize_t n = readSome(input.get(), buffer.data(), want);
                    // A file that shrank since it was measured cannot fill its declared size.
                    if (n <= 0)
                        throw Error::failed(readFailure);
                    if (writeData(handle.get(), buffer.data(), static_cast<std::size_t>(n)) != n)
                        throw failWith("쓰기 실패: ");
                    remaining -= n;
                }
                // Nor may it have grown: the archive would silently hold a cut copy.
                char extra = 0;
                if (readSome(input.get(), &extra, 1) != 0)
                    throw Error::failed(readFailure);
            }
        }

        if (writeClose(handle.get()) != archiveOk)
            throw failWith("마무리 실패: ");
        handle.reset();
        struct stat st {};
        if (::fstat(out.descriptor(), &st) == 0)
            out.wroteThroughDescriptor(std::uint64_t(st.st_size));
    });
}
