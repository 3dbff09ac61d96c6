#include "Archive/LibArchive/LibArchiveReading.h"

#include "Archive/LibArchive/GzipStream.h"
#include "Archive/LibArchive/LibArchiveSupport.h"
#include "Core/FilePath.h"
#include "Core/FreeName.h"
#include "Core/PathExtension.h"

#include <fcntl.h>

using namespace LibArchiveSupport;
namespace fs = std::filesystem;

namespace {

constexpr int filterGzip = 1;
constexpr int formatBaseMask = 0xFF0000;
constexpr int formatMtree = 0x80000;

// Whether the name says the plain bytes are a tar ("x.tar.gz", "x.tgz"): then anything else
// inside is damage, not a bare compressed file.
bool promisesTar(const fs::path &path)
{
    const auto [stem, extension] = splitExtension(path.filename().native());
    const std::string last = lowerExtension(extension);
    if (last == "tgz" || last == "tbz" || last == "tbz2" || last == "txz")
        return true;
    return lowerExtension(splitExtension(stem).second) == "tar";
}

} // namespace

// The plain bytes of a compressed archive, block by block.
class LibArchive::Reading::Stream {
public:
    Stream(const LibArchive &bridge, std::unique_ptr<GzipStream> gzip)
        : bridge_(bridge), gzip_(std::move(gzip))
    {
    }
    // Takes over a handle that reads the file as one bare stream through libarchive's filters.
    Stream(const LibArchive &bridge, struct archive *filtered) : bridge_(bridge), filtered_(filtered) {}
    ~Stream()
    {
        if (filtered_ != nullptr)
            bridge_.readFree(filtered_);
    }
    Stream(const Stream &) = delete;
    Stream &operator=(const Stream &) = delete;

    // The next block; empty at the end.
    std::span<const std::uint8_t> next()
    {
        if (ended_)
            return {};
        std::span<const std::uint8_t> block = gzip_ ? gzip_->next() : nextFiltered();
        ended_ = block.empty();
        return block;
    }

    // Everything left, read and dropped; then a stream cut short is damage too.
    void drain()
    {
        while (!next().empty()) {
        }
        if (gzip_ && gzip_->truncated())
            throw Error::failed(L("gzip 데이터 잘림"));
    }

    std::exception_ptr error;

private:
    std::span<const std::uint8_t> nextFiltered()
    {
        for (;;) {
            const void *block = nullptr;
            std::size_t size = 0;
            std::int64_t offset = 0;
            const int result = bridge_.readDataBlock(filtered_, &block, &size, &offset);
            if (result == archiveEof)
                return {};
            if (result != archiveOk && result != archiveWarn)
                throw interpret(bridge_.lastError(filtered_));
            if (size > 0)
                return {static_cast<const std::uint8_t *>(block), size};
        }
    }

    const LibArchive &bridge_;
    std::unique_ptr<GzipStream> gzip_;
    struct archive *filtered_ = nullptr;
    bool ended_ = false;
};

LibArchive::Reading::Reading(const LibArchive &bridge, fs::path path, QString password)
    : bridge_(bridge), path_(std::move(path)), password_(std::move(password))
{
    if (!bridge_.isAvailable_)
        throw Error::unavailable();
    // A constructor that throws runs no destructor: the handle is released here.
    try {
        openChecked();
    } catch (...) {
        close();
        throw;
    }
}

void LibArchive::Reading::openChecked()
{
    open(false);
    // Text whose lines look like file names (a compressed word list, say) is taken for an mtree
    // manifest, which carries no data: every "file" would come out empty. Such a stream is read
    // as the bare compressed file it is.
    const bool isManifest = (firstResult_ == archiveOk || firstResult_ == archiveWarn) && stream_ &&
                            bridge_.archiveFormat && bridge_.supportFormatRaw && !promisesTar(path_) &&
                            (bridge_.archiveFormat(handle_) & formatBaseMask) == formatMtree;
    if (isManifest)
        open(true);
}

LibArchive::Reading::~Reading()
{
    close();
}

void LibArchive::Reading::close()
{
    if (handle_ != nullptr)
        bridge_.readFree(handle_);
    handle_ = nullptr;
    stream_.reset();
}

void LibArchive::Reading::open(bool asBareStream)
{
    close();
    // Which compression filters the file carries, as libarchive's bidders see it, over a handle
    // that takes any bytes as one bare stream.
    Owned probe(bridge_.readNew(), bridge_.readFree);
    if (probe.get() == nullptr)
        throw Error::failed(QStringLiteral("초기화"));
    bridge_.supportFilterAll(probe.get());
    if (bridge_.supportFormatRaw)
        bridge_.supportFormatRaw(probe.get());
    else
        bridge_.supportFormatAll(probe.get());
    const int probed = bridge_.readOpenFilename(probe.get(), path_.c_str(), blockSize);
    const int filters = bridge_.filterCount(probe.get());
    if (filters < 1) // the file itself could not be opened
        throw interpret(bridge_.lastError(probe.get()));
    const bool compressed = filters > 1;

    handle_ = bridge_.readNew();
    if (handle_ == nullptr)
        throw Error::failed(QStringLiteral("초기화"));
    const auto check = [&](int result) {
        if (result != archiveOk && result != archiveWarn)
            throw interpret(bridge_.lastError(handle_));
    };
    if (!asBareStream)
        check(bridge_.supportFormatAll(handle_));
    if (bridge_.supportFormatRaw && compressed && !promisesTar(path_))
        check(bridge_.supportFormatRaw(handle_));
    if (!password_.isEmpty() && bridge_.addPassphrase)
        check(bridge_.addPassphrase(handle_, password_.toUtf8().constData()));

    if (!compressed) {
        if (bridge_.readOpenFilename(handle_, path_.c_str(), blockSize) != archiveOk)
            fail();
    } else {
        if (filters == 2 && bridge_.filterCode(probe.get(), 0) == filterGzip) {
            probe.reset();
            Descriptor file(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
            if (!file.valid())
                throw Error::failed(L("읽기 실패: %@", FilePath::display(path_)));
            stream_ = std::make_unique<Stream>(bridge_, std::make_unique<GzipStream>(std::move(file), path_));
        } else {
            struct archive_entry *bare = nullptr;
            if (probed != archiveOk || !bridge_.supportFormatRaw)
                throw interpret(bridge_.lastError(probe.get()));
            const int result = bridge_.nextHeader(probe.get(), &bare);
            if (result != archiveOk && result != archiveWarn)
                throw interpret(bridge_.lastError(probe.get()));
            stream_ = std::make_unique<Stream>(bridge_, probe.release());
        }
        if (bridge_.readOpen(handle_, stream_.get(), nullptr, &Reading::read, nullptr) != archiveOk)
            fail();
    }
    firstResult_ = bridge_.nextHeader(handle_, &firstEntry_);
    firstTaken_ = false;
}

ssize_t LibArchive::Reading::read(struct archive *, void *data, const void **buffer)
{
    auto *stream = static_cast<Stream *>(data);
    // Nothing may be thrown through libarchive: the failure waits for the bridge to pick it up.
    try {
        const auto block = stream->next();
        *buffer = block.data();
        return ssize_t(block.size());
    } catch (...) {
        stream->error = std::current_exception();
        return -1;
    }
}

void LibArchive::Reading::fail() const
{
    if (stream_ && stream_->error)
        std::rethrow_exception(stream_->error);
    throw interpret(bridge_.lastError(handle_));
}

int LibArchive::Reading::next(struct archive_entry **entry)
{
    int result = firstResult_;
    if (firstTaken_)
        result = bridge_.nextHeader(handle_, entry);
    else
        *entry = firstEntry_;
    firstTaken_ = true;
    // Anything but OK, WARN or the end (RETRY included, a damaged header) means the archive
    // cannot be read on: stopping there would pass a part off as the whole.
    if (result != archiveEof && result != archiveOk && result != archiveWarn)
        fail();
    return result;
}

std::size_t LibArchive::Reading::readData(void *buffer, std::size_t size)
{
    const ssize_t n = bridge_.readData(handle_, buffer, size);
    if (n < 0)
        fail();
    return std::size_t(n);
}

void LibArchive::Reading::skipData()
{
    // Skipping reads through the data as well: a truncated or damaged stream shows here.
    if (bridge_.dataSkip == nullptr)
        return;
    const int result = bridge_.dataSkip(handle_);
    if (result != archiveOk && result != archiveWarn)
        fail();
}

void LibArchive::Reading::finish()
{
    if (!stream_)
        return;
    if (stream_->error)
        std::rethrow_exception(stream_->error);
    stream_->drain();
}
