#include "Archive/LibArchive/LibArchive.h"

#include "Archive/LibArchive/LibArchiveSupport.h"
#include "Core/AtomicFile.h"
#include "Core/Descriptor.h"
#include "Core/ErrorText.h"
#include "Core/FileError.h"
#include "Core/FreeName.h"
#include "Core/LongPath.h"
#include "Core/Text.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

using namespace LibArchiveSupport;

namespace {

// Creating the archive's own file: its failures are the bridge's "파일 생성: <reason>".
template <typename Step> auto created(Step &&step)
{
    try {
        return step();
    } catch (const FileError &error) {
        throw Error::failed(QStringLiteral("파일 생성: ") + errorText(error.error()));
    }
}

} // namespace

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
        const auto failWith = [&](const char *what) { return failure(what, handle.get()); };
        if (writeSetFormat(handle.get(), formatName) != archiveOk)
            throw failWith("포맷 설정: ");
        if (filterName != nullptr && writeAddFilter(handle.get(), filterName) != archiveOk)
            throw failWith("압축 필터 설정: ");

        if (writeOpenFd(handle.get(), out.descriptor()) != archiveOk)
            throw failWith("파일 생성: ");

        const std::time_t now = std::time(nullptr);
        std::vector<char> buffer(blockSize, 0);
        for (const auto &source : sources)
            writeEntry(handle.get(), source, format, now, buffer);

        if (writeClose(handle.get()) != archiveOk)
            throw failWith("마무리 실패: ");
        handle.reset();
        struct stat st {};
        if (::fstat(out.descriptor(), &st) == 0)
            out.wroteThroughDescriptor(std::uint64_t(st.st_size));
    });
}

LibArchive::ArchiveError LibArchive::failure(const char *what, struct archive *handle) const
{
    return Error::failed(QString::fromUtf8(what) + Text::fromUtf8(lastError(handle)));
}

void LibArchive::writeEntry(struct archive *handle, const ZipWriter::Source &source, WriteFormat format,
                            std::time_t now, std::vector<char> &buffer) const
{
    Owned entry(entryNew(), entryFree);
    if (entry.get() == nullptr)
        throw Error::failed(QStringLiteral("항목 생성"));
    const QString readFailure = QStringLiteral("읽기 실패: ") + Text::fromUtf8(source.entryName);

    // The size comes from the open descriptor, so it describes exactly the bytes that are read
    // (a symbolic link's target, not the link), and only regular files are read: a FIFO or
    // device would block or never end.
    const bool hasData = !source.isDirectory && source.filePath.has_value();
    Descriptor input(hasData ? LongPath::open(*source.filePath, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)
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
    const int header = writeHeader(handle, entry.get());
    const bool keptAsBytes = !isUtf8 && format != WriteFormat::sevenZip && header == archiveWarn;
    if (header != archiveOk && !keptAsBytes)
        throw failure("헤더 쓰기: ", handle);

    if (hasData) {
        std::int64_t remaining = size;
        while (remaining > 0) {
            const auto want = static_cast<std::size_t>(std::min<std::int64_t>(remaining, blockSize));
            const ssize_t n = readSome(input.get(), buffer.data(), want);
            // A file that shrank since it was measured cannot fill its declared size.
            if (n <= 0)
                throw Error::failed(readFailure);
            if (writeData(handle, buffer.data(), static_cast<std::size_t>(n)) != n)
                throw failure("쓰기 실패: ", handle);
            remaining -= n;
        }
        // Nor may it have grown: the archive would silently hold a cut copy.
        char extra = 0;
        if (readSome(input.get(), &extra, 1) != 0)
            throw Error::failed(readFailure);
    }
}
