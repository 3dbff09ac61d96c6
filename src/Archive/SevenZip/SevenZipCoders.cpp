#include "Archive/SevenZip/SevenZipCoders.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Core/Localization.h"

#include <libdeflate.h>
#include <openssl/evp.h>
#include <zlib.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace SevenZip {

namespace {

// A folder never holds more streams than this; 7-Zip itself stays far below.
constexpr std::uint64_t maxFolderStreams = 1024;
// The input buffer of each coder.
constexpr std::size_t chunkSize = std::size_t(256) << 10;
// Deflate streams up to this size (in and out) are decoded whole by libdeflate, which is several
// times faster than zlib's streaming inflater; larger ones stream.
constexpr std::uint64_t wholeDeflateLimit = std::uint64_t(16) << 20;

// A coder's input buffer: a piece of the input, never more than the input itself.
std::size_t inputBuffer(std::uint64_t inputSize, std::size_t multiple = 1)
{
    const std::uint64_t rounded = (inputSize + multiple - 1) / multiple * multiple;
    return std::size_t(std::clamp<std::uint64_t>(rounded, multiple, chunkSize));
}

bool sameId(const Bytes &id, std::span<const std::uint8_t> want)
{
    return id.size() == want.size() && std::equal(id.begin(), id.end(), want.begin());
}

bool isCopy(const Bytes &id)
{
    return id.size() == 1 && id[0] == 0x00;
}

bool isLzma2(const Bytes &id)
{
    return id.size() == 1 && id[0] == 0x21;
}

bool isLzma(const Bytes &id)
{
    static constexpr std::array<std::uint8_t, 3> lzmaId{0x03, 0x01, 0x01};
    return sameId(id, lzmaId);
}

QString hexId(const Bytes &id)
{
    QString hex;
    for (std::uint8_t b : id)
        hex += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return hex;
}

SevenZipReadError corruptedMapping()
{
    return SevenZipReadError::corrupted(L("입력 스트림 매핑"));
}

// Fills `into` from the source as far as it goes; returns the bytes read.
std::size_t readFully(ByteSource &source, std::span<std::uint8_t> into)
{
    std::size_t done = 0;
    while (done < into.size()) {
        const std::size_t n = source.read(into.subspan(done));
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

class RangeSource : public ByteSource {
public:
    RangeSource(const ArchiveInput &input, std::uint64_t offset, std::uint64_t length)
        : input_(input), offset_(offset), remaining_(length)
    {
    }

    std::size_t read(std::span<std::uint8_t> out) override
    {
        const auto n = std::size_t(std::min<std::uint64_t>(out.size(), remaining_));
        if (n == 0)
            return 0;
        const std::size_t got = input_.readAt(offset_, out.first(n));
        if (got == 0) // the file shrank after its ranges were checked
            throw SevenZipReadError::corrupted(L("데이터 범위"));
        offset_ += got;
        remaining_ -= got;
        return got;
    }

private:
    const ArchiveInput &input_;
    std::uint64_t offset_;
    std::uint64_t remaining_;
};

// A coder of the chain. Its own failures in data that passed through 7zAES mean a wrong key:
// decrypted garbage fails the next coder.
class Stage : public ByteSource {
public:
    Stage(std::unique_ptr<ByteSource> input, std::uint64_t expectedSize, bool afterAes)
        : input_(std::move(input)), remaining_(expectedSize), afterAes_(afterAes)
    {
    }

protected:
    [[noreturn]] void fail(const QString &detail) const
    {
        if (afterAes_)
            throw SevenZipReadError::wrongPassword();
        throw SevenZipReadError::corrupted(detail);
    }

    std::unique_ptr<ByteSource> input_;
    std::uint64_t remaining_; // output still to come
    bool afterAes_;
};

// The input's first min(input length, expected size) bytes.
class CopyStage : public Stage {
public:
    using Stage::Stage;

    std::size_t read(std::span<std::uint8_t> out) override
    {
        const auto n = std::size_t(std::min<std::uint64_t>(out.size(), remaining_));
        if (n == 0)
            return 0;
        const std::size_t got = input_->read(out.first(n));
        remaining_ -= got;
        return got;
    }
};

// 7zAES: AES-256-CBC decryption; the output ends at the expected size, which drops the zero
// bytes a writer appended to fill the last block.
class AesStage : public Stage {
public:
    AesStage(std::unique_ptr<ByteSource> input, std::uint64_t inputSize, std::uint64_t expectedSize,
             const AesParameters &params, BufferPool &buffers)
        : Stage(std::move(input), expectedSize, false), cipher_(params.key, params.iv, CbcOperation::decrypt),
          buffer_(buffers.take(inputBuffer(inputSize, 16)))
    {
    }

    std::size_t read(std::span<std::uint8_t> out) override
    {
        const auto want = std::size_t(std::min<std::uint64_t>(out.size(), remaining_));
        if (want == 0)
            return 0;
        if (stashLeft_ > 0)
            return serve(out.first(std::min(want, stashLeft_)), stash_.data() + 16 - stashLeft_, stashLeft_);
        if (!fill())
            return 0;
        const std::size_t blocks = std::min(buffered_, want) / 16 * 16;
        if (blocks == 0) {
            // A read shorter than a block: decrypt one into the stash.
            cipher_.update(buffer_.span().subspan(start_, 16), stash_.data());
            consume(16);
            stashLeft_ = 16;
            return serve(out.first(std::min(want, stashLeft_)), stash_.data(), stashLeft_);
        }
        cipher_.update(buffer_.span().subspan(start_, blocks), out.data());
        consume(blocks);
        remaining_ -= blocks;
        return blocks;
    }

private:
    // At least one block buffered; false at the end of the input.
    bool fill()
    {
        if (buffered_ >= 16)
            return true;
        std::memmove(buffer_.data(), buffer_.data() + start_, buffered_);
        start_ = 0;
        while (buffered_ < 16 && !ended_) {
            const std::size_t n = input_->read(buffer_.span().subspan(buffered_));
            ended_ = n == 0;
            buffered_ += n;
        }
        if (buffered_ % 16 != 0 && buffered_ < 16)
            throw SevenZipReadError::corrupted(L("AES 블록"));
        return buffered_ >= 16;
    }

    void consume(std::size_t n)
    {
        start_ += n;
        buffered_ -= n;
    }

    std::size_t serve(std::span<std::uint8_t> out, const std::uint8_t *from, std::size_t &left)
    {
        std::memcpy(out.data(), from, out.size());
        left -= out.size();
        remaining_ -= out.size();
        return out.size();
    }

    AesCbc cipher_;
    BufferPool::Lease buffer_;
    std::size_t start_ = 0;
    std::size_t buffered_ = 0;
    bool ended_ = false;
    std::array<std::uint8_t, 16> stash_{};
    std::size_t stashLeft_ = 0;
};

// Raw DEFLATE whose output must be exactly the expected size: small streams whole through
// libdeflate, larger ones through zlib's streaming inflater.
class InflateStage : public Stage {
public:
    InflateStage(std::unique_ptr<ByteSource> input, std::uint64_t inputSize, std::uint64_t expectedSize,
                 bool afterAes, BufferPool &buffers)
        : Stage(std::move(input), expectedSize, afterAes),
          whole_(inputSize <= wholeDeflateLimit && expectedSize <= wholeDeflateLimit), inputSize_(inputSize),
          buffers_(buffers)
    {
    }

    ~InflateStage() override
    {
        if (zlibStarted_)
            inflateEnd(&z_);
    }

    std::size_t read(std::span<std::uint8_t> out) override
    {
        if (remaining_ == 0) {
            if (zlibStarted_ && !streamEnded_)
                requireEnd();
            return 0;
        }
        return whole_ ? readWhole(out) : readStreaming(out);
    }

private:
    std::size_t readWhole(std::span<std::uint8_t> out)
    {
        if (!decoded_) {
            decoded_ = true;
            const BufferPool::Lease in = buffers_.take(std::size_t(inputSize_));
            const std::size_t inputLength = readFully(*input_, in.span());
            std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor *)> d(
                libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
            if (!d)
                throw std::bad_alloc();
            // Straight into the caller's buffer when the whole output fits there.
            const auto expected = std::size_t(remaining_);
            const bool direct = out.size() >= expected;
            if (!direct)
                buffer_ = buffers_.take(expected);
            std::uint8_t *into = direct ? out.data() : buffer_.data();
            std::size_t actual = 0;
            if (libdeflate_deflate_decompress(d.get(), in.data(), inputLength, into, expected, &actual) !=
                    LIBDEFLATE_SUCCESS ||
                actual != expected)
                fail(L("Deflate 해제"));
            if (direct) {
                remaining_ = 0;
                return expected;
            }
        }
        const auto n = std::size_t(std::min<std::uint64_t>(out.size(), remaining_));
        std::memcpy(out.data(), buffer_.data() + position_, n);
        position_ += n;
        remaining_ -= n;
        return n;
    }

    void start()
    {
        z_ = {};
        if (inflateInit2(&z_, -MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
        zlibStarted_ = true;
        buffer_ = buffers_.take(inputBuffer(inputSize_));
    }

    // One inflate call into `out`; returns the bytes produced.
    std::size_t step(std::span<std::uint8_t> out)
    {
        if (z_.avail_in == 0 && !inputEnded_) {
            const std::size_t n = input_->read(buffer_.span());
            inputEnded_ = n == 0;
            z_.next_in = buffer_.data();
            z_.avail_in = uInt(n);
        }
        z_.next_out = out.data();
        z_.avail_out = uInt(out.size());
        const int result = inflate(&z_, Z_NO_FLUSH);
        const std::size_t produced = out.size() - z_.avail_out;
        if (result == Z_STREAM_END) {
            streamEnded_ = true;
        } else if (result == Z_BUF_ERROR) {
            if (inputEnded_ && z_.avail_in == 0)
                fail(L("Deflate 해제")); // the stream is cut short
        } else if (result == Z_MEM_ERROR) {
            throw std::bad_alloc();
        } else if (result != Z_OK) {
            fail(L("Deflate 해제"));
        }
        return produced;
    }

    std::size_t readStreaming(std::span<std::uint8_t> out)
    {
        if (!zlibStarted_)
            start();
        const auto want = std::size_t(std::min<std::uint64_t>({out.size(), remaining_, 1u << 30}));
        for (;;) {
            if (streamEnded_)
                fail(L("Deflate 해제")); // ended before the expected size
            const std::size_t n = step(out.first(want));
            remaining_ -= n;
            if (n > 0)
                return n;
        }
    }

    // The expected size is reached: the stream must end here.
    void requireEnd()
    {
        std::array<std::uint8_t, 1> extra{};
        while (!streamEnded_)
            if (step(extra) > 0)
                fail(L("Deflate 해제"));
    }

    bool whole_;
    std::uint64_t inputSize_;
    BufferPool &buffers_;
    bool decoded_ = false;
    BufferPool::Lease buffer_; // whole: the decoded output; streaming: the input
    std::size_t position_ = 0;
    z_stream z_{};
    bool zlibStarted_ = false;
    bool inputEnded_ = false;
    bool streamEnded_ = false;
};

// liblzma's structures as its ABI fixes them (we declare them instead of including lzma.h).
struct LzmaStream {
    const std::uint8_t *nextIn = nullptr;
    std::size_t availIn = 0;
    std::uint64_t totalIn = 0;
    std::uint8_t *nextOut = nullptr;
    std::size_t availOut = 0;
    std::uint64_t totalOut = 0;
    const void *allocator = nullptr;
    void *internal = nullptr;
    void *reservedPtr[4] = {};
    std::uint64_t reservedInt1 = 0;
    std::uint64_t reservedInt2 = 0;
    std::size_t reservedInt3 = 0;
    std::size_t reservedInt4 = 0;
    int reservedEnum1 = 0;
    int reservedEnum2 = 0;
};

struct LzmaFilter {
    std::uint64_t id;
    void *options;
};

constexpr int lzmaOk = 0;
constexpr int lzmaMemError = 5;
constexpr int lzmaRun = 0;
constexpr int lzmaFinish = 3;
constexpr std::uint32_t lzmaDictSizeMin = 4096;

struct LzmaFunctions {
    int (*propertiesDecode)(void *, const void *, const std::uint8_t *, std::size_t);
    int (*rawDecoder)(void *, const void *);
    int (*code)(void *, int);
    void (*end)(void *);
};

// LZMA and LZMA2 through liblzma's streaming decoder. The decoder starts on the first read, so
// an expected size of 0 never reaches the library.
class LzmaStage : public Stage {
public:
    LzmaStage(std::unique_ptr<ByteSource> input, std::uint64_t expectedSize, std::uint64_t filterID,
              ByteView props, bool afterAes, LzmaFunctions lzma, BufferPool &buffers)
        : Stage(std::move(input), expectedSize, afterAes), filterID_(filterID),
          props_(props.begin(), props.end()), lzma_(lzma), buffers_(buffers)
    {
    }

    ~LzmaStage() override
    {
        if (started_)
            lzma_.end(&stream_);
    }

    std::size_t read(std::span<std::uint8_t> out) override
    {
        const auto want = std::size_t(std::min<std::uint64_t>(out.size(), remaining_));
        if (want == 0)
            return 0;
        if (!started_)
            start();
        int idle = 0;
        for (;;) {
            if (stream_.availIn == 0 && !inputEnded_) {
                const std::size_t n = input_->read(buffer_.span());
                inputEnded_ = n == 0;
                stream_.nextIn = buffer_.data();
                stream_.availIn = n;
            }
            stream_.nextOut = out.data();
            stream_.availOut = want;
            const int result = lzma_.code(&stream_, inputEnded_ ? lzmaFinish : lzmaRun);
            const std::size_t produced = want - stream_.availOut;
            remaining_ -= produced;
            if (result == lzmaMemError) // the dictionary the archive asks for
                throw std::bad_alloc();
            // 7-Zip writes LZMA without an end marker: a stream that filled the expected size is
            // complete, whatever the library says about its end.
            if (result != lzmaOk && remaining_ > 0)
                fail(L("LZMA 해제 (코드 %lld)", result));
            if (produced > 0 || remaining_ == 0)
                return produced;
            // The library reports a lack of progress itself; this only guards against a loop.
            if (inputEnded_ && ++idle > 4)
                fail(L("LZMA 해제 (코드 %lld)", result));
        }
    }

private:
    void start()
    {
        LzmaFilter filters[2] = {{filterID_, nullptr}, {~std::uint64_t(0), nullptr}};
        if (lzma_.propertiesDecode(&filters[0], nullptr, props_.data(), props_.size()) != lzmaOk)
            throw SevenZipReadError::corrupted(L("LZMA 속성"));
        std::unique_ptr<void, void (*)(void *)> options(filters[0].options, std::free);
        // Both LZMA option records begin with the dictionary size; no dictionary need exceed the
        // output, so a header claiming gigabytes cannot make the library allocate them.
        if (filters[0].options) {
            std::uint32_t dict = 0;
            std::memcpy(&dict, filters[0].options, sizeof dict);
            const std::uint64_t enough = std::max<std::uint64_t>(remaining_, lzmaDictSizeMin);
            if (dict > enough) {
                dict = std::uint32_t(enough);
                std::memcpy(filters[0].options, &dict, sizeof dict);
            }
        }
        started_ = true; // lzma_end is safe on a stream whose init failed
        const int result = lzma_.rawDecoder(&stream_, filters);
        if (result == lzmaMemError)
            throw std::bad_alloc();
        if (result != lzmaOk)
            throw SevenZipReadError::corrupted(L("LZMA 속성"));
        buffer_ = buffers_.take(chunkSize);
    }

    std::uint64_t filterID_;
    Bytes props_;
    LzmaFunctions lzma_;
    BufferPool &buffers_;
    LzmaStream stream_;
    bool started_ = false;
    bool inputEnded_ = false;
    BufferPool::Lease buffer_;
};

} // namespace

std::uint64_t Folder::totalIn() const
{
    std::uint64_t sum = 0;
    for (const Coder &c : coders)
        sum += c.numIn;
    return sum;
}

std::uint64_t Folder::totalOut() const
{
    std::uint64_t sum = 0;
    for (const Coder &c : coders)
        sum += c.numOut;
    return sum;
}

bool Folder::hasAES() const
{
    return std::any_of(coders.begin(), coders.end(),
                       [](const Coder &c) { return sameId(c.id, aesMethodId); });
}

std::uint64_t Folder::finalOutIndex() const
{
    const std::uint64_t total = totalOut();
    for (std::uint64_t o = 0; o < total; ++o) {
        bool bound = std::any_of(bindPairs.begin(), bindPairs.end(),
                                 [o](const BindPair &p) { return p.outIndex == o; });
        if (!bound)
            return o;
    }
    return 0;
}

std::array<std::uint8_t, 32> KeyCache::key(const QString &password, ByteView salt, int cyclesPower)
{
    auto id = std::make_tuple(password, Bytes(salt.begin(), salt.end()), cyclesPower);
    auto it = keys_.find(id);
    if (it != keys_.end())
        return it->second;
    auto derived = deriveSevenZipKey(password, salt, cyclesPower);
    keys_.emplace(std::move(id), derived);
    return derived;
}

BufferPool::Lease::Lease(Lease &&other) noexcept
    : pool_(other.pool_), bytes_(std::move(other.bytes_)), capacity_(other.capacity_), size_(other.size_)
{
    other.pool_ = nullptr;
}

BufferPool::Lease &BufferPool::Lease::operator=(Lease &&other) noexcept
{
    if (this != &other) {
        giveBack();
        pool_ = other.pool_;
        bytes_ = std::move(other.bytes_);
        capacity_ = other.capacity_;
        size_ = other.size_;
        other.pool_ = nullptr;
    }
    return *this;
}

BufferPool::Lease::~Lease()
{
    giveBack();
}

void BufferPool::Lease::giveBack()
{
    // Kept while the spares stay small beside the memory bound; otherwise freed.
    if (pool_ && bytes_ && pool_->spareBytes_ + capacity_ <= maxSpareBytes) {
        try {
            pool_->spares_.push_back({std::move(bytes_), capacity_});
            pool_->spareBytes_ += capacity_;
        } catch (const std::bad_alloc &) {
        }
    }
    bytes_.reset();
    pool_ = nullptr;
}

BufferPool::Lease BufferPool::take(std::size_t size)
{
    // The smallest spare that fits.
    auto best = spares_.end();
    for (auto it = spares_.begin(); it != spares_.end(); ++it)
        if (it->capacity >= size && (best == spares_.end() || it->capacity < best->capacity))
            best = it;
    Lease lease;
    lease.pool_ = this;
    lease.size_ = size;
    if (best != spares_.end()) {
        lease.bytes_ = std::move(best->bytes);
        lease.capacity_ = best->capacity;
        spareBytes_ -= best->capacity;
        spares_.erase(best);
        return lease;
    }
    lease.capacity_ = std::max<std::size_t>(size, 1);
    lease.bytes_ = std::make_unique_for_overwrite<std::uint8_t[]>(lease.capacity_);
    return lease;
}

Bytes readAll(ByteSource &source)
{
    Bytes out;
    for (;;) {
        const std::size_t at = out.size();
        out.resize(at + chunkSize);
        const std::size_t n = source.read(std::span(out).subspan(at));
        out.resize(at + n);
        if (n == 0)
            return out;
    }
}

std::unique_ptr<ByteSource> rangeSource(const ArchiveInput &input, std::uint64_t offset, std::uint64_t length)
{
    return std::make_unique<RangeSource>(input, offset, length);
}

namespace {

struct Link {
    std::unique_ptr<ByteSource> source;
    std::uint64_t size = 0; // what the source declares it delivers
    bool afterAes = false;
};

// What every coder of one decode shares.
struct Context {
    const QString &password;
    KeyCache &keys;
    BufferPool &buffers;
};

// The coder for one method over its input.
Link makeStage(const Coder &coder, Link input, std::uint64_t expectedSize, const Context &context)
{
    const Bytes &id = coder.id;
    if (id.empty())
        throw SevenZipReadError::corrupted(L("코더 ID"));
    Link out;
    out.size = expectedSize;
    out.afterAes = input.afterAes;
    if (isCopy(id)) {
        out.source = std::make_unique<CopyStage>(std::move(input.source), expectedSize, input.afterAes);
    } else if (sameId(id, deflateMethodId)) {
        out.source = std::make_unique<InflateStage>(std::move(input.source), input.size, expectedSize,
                                                    input.afterAes, context.buffers);
    } else if (isLzma2(id) || isLzma(id)) {
        out.source =
            LZMADecoder::shared().stream(std::move(input.source), expectedSize,
                                         isLzma2(id) ? LZMADecoder::lzma2Filter : LZMADecoder::lzma1Filter,
                                         coder.props, context.buffers, input.afterAes);
    } else if (sameId(id, aesMethodId)) {
        if (context.password.isEmpty())
            throw SevenZipReadError::passwordRequired();
        const AesParameters params = aesParameters(coder.props, context.password, &context.keys);
        if (input.size % 16 != 0)
            throw SevenZipReadError::corrupted(L("AES 블록"));
        out.source = std::make_unique<AesStage>(std::move(input.source), input.size, expectedSize, params,
                                                context.buffers);
        out.afterAes = true;
    } else {
        throw SevenZipReadError::unsupported(
            L("코더 %@ — 7-Zip 기본 설정(LZMA2)으로 다시 압축해 보세요", hexId(id)));
    }
    return out;
}

// Builds the chain from the folder's final output down to its packed stream. Only coders with
// one input and one output are run.
class ChainBuilder {
public:
    ChainBuilder(const Folder &folder, std::vector<std::unique_ptr<ByteSource>> &packed,
                 const std::vector<std::uint64_t> &packedSizes, const Context &context)
        : folder_(folder), packed_(packed), packedSizes_(packedSizes), context_(context)
    {
        for (const Coder &c : folder.coders)
            if (c.numIn > maxFolderStreams || c.numOut > maxFolderStreams)
                throw SevenZipReadError::corrupted(L("코더 수"));
        if (folder.coders.size() > 8 || folder.totalIn() > maxFolderStreams ||
            folder.totalOut() > maxFolderStreams)
            throw SevenZipReadError::corrupted(L("코더 수"));
        std::uint64_t in = 0;
        for (std::size_t c = 0; c < folder.coders.size(); ++c) {
            firstIn_.push_back(in);
            for (std::uint64_t k = 0; k < folder.coders[c].numOut; ++k)
                outOwner_.push_back(c);
            in += folder.coders[c].numIn;
        }
        visited_.assign(outOwner_.size(), false);
    }

    // The coder owning out-stream o, over its input.
    Link produce(std::uint64_t o)
    {
        if (o >= outOwner_.size())
            throw corruptedMapping();
        const Coder &coder = folder_.coders[outOwner_[o]];
        if (coder.numIn != 1 || coder.numOut != 1)
            throw SevenZipReadError::unsupported(L("복합 코더"));
        if (o >= folder_.unpackSizes.size())
            throw SevenZipReadError::corrupted(L("범위 초과"));
        if (visited_[o]) // the bind pairs lead back into themselves
            throw corruptedMapping();
        visited_[o] = true;
        Link input = inputOf(firstIn_[outOwner_[o]]);
        return makeStage(coder, std::move(input), folder_.unpackSizes[o], context_);
    }

private:
    Link inputOf(std::uint64_t g)
    {
        for (const BindPair &pair : folder_.bindPairs)
            if (pair.inIndex == g)
                return produce(pair.outIndex);
        auto it = std::find(folder_.packedIndices.begin(), folder_.packedIndices.end(), g);
        if (it == folder_.packedIndices.end())
            throw corruptedMapping();
        const auto position = std::size_t(it - folder_.packedIndices.begin());
        if (position >= packed_.size() || !packed_[position])
            throw corruptedMapping();
        return {std::move(packed_[position]), packedSizes_[position], false};
    }

    const Folder &folder_;
    std::vector<std::unique_ptr<ByteSource>> &packed_;
    const std::vector<std::uint64_t> &packedSizes_;
    const Context &context_;
    std::vector<std::uint64_t> firstIn_;
    std::vector<std::size_t> outOwner_;
    std::vector<bool> visited_;
};

} // namespace

struct FolderStream::Chain {
    std::unique_ptr<ByteSource> top;
};

FolderStream::FolderStream(const Folder &folder, std::vector<std::unique_ptr<ByteSource>> packed,
                           std::vector<std::uint64_t> packedSizes, const QString &password, KeyCache &keys,
                           BufferPool &buffers)
    : folder_(folder), chain_(std::make_unique<Chain>())
{
    packedSizes.resize(packed.size(), 0);
    const Context context{password, keys, buffers};
    ChainBuilder builder(folder, packed, packedSizes, context);
    const std::uint64_t f = folder.finalOutIndex();
    Link link = builder.produce(f);
    chain_->top = std::move(link.source);
    declaredSize_ = folder.unpackSizes[f];
}

FolderStream::~FolderStream() = default;

std::size_t FolderStream::read(std::span<std::uint8_t> out)
{
    const std::size_t n = chain_->top->read(out);
    if (!folder_.crcDefined)
        return n;
    crc_ = crc32Update(crc_, out.first(n));
    if (n == 0 && !verified_) {
        verified_ = true;
        if (crc_ != folder_.crc) {
            if (folder_.hasAES())
                throw SevenZipReadError::wrongPassword();
            throw SevenZipReadError::corrupted(L("폴더 CRC"));
        }
    }
    return n;
}

Bytes decodeFolder(const Folder &folder, const std::vector<ByteView> &packedStreams, const QString &password,
                   KeyCache *keys)
{
    KeyCache local;
    BufferPool buffers;
    std::vector<ArchiveInput> inputs;
    inputs.reserve(packedStreams.size());
    std::vector<std::unique_ptr<ByteSource>> sources;
    std::vector<std::uint64_t> sizes;
    for (ByteView packed : packedStreams) {
        inputs.emplace_back(packed);
        sources.push_back(rangeSource(inputs.back(), 0, packed.size()));
        sizes.push_back(packed.size());
    }
    FolderStream stream(folder, std::move(sources), std::move(sizes), password, keys ? *keys : local,
                        buffers);
    return readAll(stream);
}

Bytes applyCoder(const Coder &coder, ByteView input, std::uint64_t expectedSize, const QString &password,
                 KeyCache *keys)
{
    KeyCache local;
    BufferPool buffers;
    const ArchiveInput memory(input);
    Link link = makeStage(coder, {rangeSource(memory, 0, input.size()), input.size(), false}, expectedSize,
                          {password, keys ? *keys : local, buffers});
    return readAll(*link.source);
}

Bytes rawInflate(ByteView input, std::uint64_t expectedSize)
{
    BufferPool buffers;
    const ArchiveInput memory(input);
    InflateStage stage(rangeSource(memory, 0, input.size()), input.size(), expectedSize, false, buffers);
    return readAll(stage);
}

LZMADecoder &LZMADecoder::shared()
{
    static LZMADecoder instance("liblzma.so.5");
    return instance;
}

LZMADecoder::LZMADecoder(const char *libraryName)
{
    void *lib = dlopen(libraryName, RTLD_NOW);
    if (!lib)
        return;
    // The library stays loaded for the process.
    propertiesDecode_ = reinterpret_cast<PropertiesDecode>(dlsym(lib, "lzma_properties_decode"));
    rawDecoder_ = reinterpret_cast<RawDecoder>(dlsym(lib, "lzma_raw_decoder"));
    code_ = reinterpret_cast<Code>(dlsym(lib, "lzma_code"));
    end_ = reinterpret_cast<End>(dlsym(lib, "lzma_end"));
}

bool LZMADecoder::available() const
{
    return propertiesDecode_ && rawDecoder_ && code_ && end_;
}

std::unique_ptr<ByteSource> LZMADecoder::stream(std::unique_ptr<ByteSource> input, std::uint64_t expectedSize,
                                                std::uint64_t filterID, ByteView props, BufferPool &buffers,
                                                bool afterAes) const
{
    if (!available())
        throw SevenZipReadError::unsupported(L("LZMA 라이브러리 없음"));
    return std::make_unique<LzmaStage>(std::move(input), expectedSize, filterID, props, afterAes,
                                       LzmaFunctions{propertiesDecode_, rawDecoder_, code_, end_}, buffers);
}

Bytes LZMADecoder::decode(ByteView input, std::uint64_t expectedSize, std::uint64_t filterID,
                          ByteView props) const
{
    BufferPool buffers;
    const ArchiveInput memory(input);
    const auto decoder = stream(rangeSource(memory, 0, input.size()), expectedSize, filterID, props, buffers);
    return readAll(*decoder);
}

AesParameters aesParameters(ByteView props, const QString &password, KeyCache *keys)
{
    if (props.empty())
        throw SevenZipReadError::corrupted(L("AES 속성"));
    const std::uint8_t b0 = props[0];
    const int cyclesPower = b0 & 0x3F;
    if (cyclesPower > 24)
        throw SevenZipReadError::unsupported(L("AES 반복 횟수"));
    // First byte: salt present (0x80), IV present (0x40), cycles power (low 6 bits); the second
    // byte holds the salt size - 1 (high nibble) and the IV size - 1 (low nibble).
    std::size_t header = 1;
    std::size_t saltSize = 0;
    std::size_t ivSize = 0;
    if ((b0 & 0xC0) != 0) {
        if (props.size() < 2)
            throw SevenZipReadError::corrupted(L("AES 속성"));
        const std::uint8_t b1 = props[1];
        saltSize = (b0 & 0x80) ? (b1 >> 4) + 1 : 0;
        ivSize = (b0 & 0x40) ? (b1 & 0x0F) + 1 : 0;
        header = 2;
    }
    if (props.size() < header + saltSize + ivSize)
        throw SevenZipReadError::corrupted(L("AES 속성 크기"));
    const ByteView salt = props.subspan(header, saltSize);
    AesParameters params;
    params.iv.assign(props.begin() + std::ptrdiff_t(header + saltSize),
                     props.begin() + std::ptrdiff_t(header + saltSize + ivSize));
    params.key =
        keys ? keys->key(password, salt, cyclesPower) : deriveSevenZipKey(password, salt, cyclesPower);
    return params;
}

std::array<std::uint8_t, 32> deriveSevenZipKey(const QString &password, ByteView salt, int cyclesPower)
{
    // One round: salt, password as UTF-16LE, counter as 8 bytes little-endian.
    Bytes round(salt.begin(), salt.end());
    for (char16_t unit : password.toStdU16String()) {
        round.push_back(std::uint8_t(unit & 0xFF));
        round.push_back(std::uint8_t(unit >> 8));
    }
    const std::size_t counterAt = round.size();
    round.resize(round.size() + 8, 0);

    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        throw SevenZipError::cryptoError();
    if (cyclesPower >= 0 && cyclesPower <= 63) {
        const std::uint64_t rounds = std::uint64_t(1) << cyclesPower;
        // Many rounds are fed per call: the hash sees the same bytes, with far fewer calls. The
        // batch holds copies of the round; only their counters change.
        const std::uint64_t perBatch = std::max<std::uint64_t>(1, (std::uint64_t(64) << 10) / round.size());
        Bytes batch;
        for (std::uint64_t k = 0; k < std::min(perBatch, rounds); ++k)
            batch.insert(batch.end(), round.begin(), round.end());
        for (std::uint64_t i = 0; i < rounds;) {
            const std::uint64_t count = std::min(perBatch, rounds - i);
            for (std::size_t k = 0; k < count; ++k, ++i) {
                std::uint8_t *at = batch.data() + k * round.size() + counterAt;
                for (int b = 0; b < 8; ++b)
                    at[b] = std::uint8_t(i >> (8 * b));
            }
            if (EVP_DigestUpdate(ctx.get(), batch.data(), std::size_t(count) * round.size()) != 1)
                throw SevenZipError::cryptoError();
        }
    }
    std::array<std::uint8_t, 32> key{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(ctx.get(), key.data(), &length) != 1 || length != key.size())
        throw SevenZipError::cryptoError();
    return key;
}

AesCbc::AesCbc(ByteView key, ByteView iv, CbcOperation operation)
{
    std::array<std::uint8_t, 16> fullIv{};
    std::copy_n(iv.begin(), std::min<std::size_t>(iv.size(), 16), fullIv.begin());
    const EVP_CIPHER *cipher = nullptr;
    switch (key.size()) {
    case 16:
        cipher = EVP_aes_128_cbc();
        break;
    case 24:
        cipher = EVP_aes_192_cbc();
        break;
    case 32:
        cipher = EVP_aes_256_cbc();
        break;
    default:
        throw SevenZipError::cryptoError();
    }
    EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
    if (!ctx)
        throw SevenZipError::cryptoError();
    context_ = ctx;
    const int enc = operation == CbcOperation::encrypt ? 1 : 0;
    if (EVP_CipherInit_ex(ctx, cipher, nullptr, key.data(), fullIv.data(), enc) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx, 0) != 1) {
        EVP_CIPHER_CTX_free(ctx);
        throw SevenZipError::cryptoError();
    }
}

AesCbc::~AesCbc()
{
    EVP_CIPHER_CTX_free(static_cast<EVP_CIPHER_CTX *>(context_));
}

void AesCbc::update(ByteView in, std::uint8_t *out)
{
    if (in.size() % 16 != 0)
        throw SevenZipError::cryptoError();
    auto *ctx = static_cast<EVP_CIPHER_CTX *>(context_);
    constexpr std::size_t most = std::size_t(1) << 30; // the library counts in int
    for (std::size_t done = 0; done < in.size();) {
        const std::size_t n = std::min(most, in.size() - done);
        int moved = 0;
        if (EVP_CipherUpdate(ctx, out + done, &moved, in.data() + done, int(n)) != 1 ||
            std::size_t(moved) != n)
            throw SevenZipError::cryptoError();
        done += n;
    }
}

Bytes aesCbc(ByteView data, ByteView key, ByteView iv, CbcOperation operation)
{
    if (data.size() % 16 != 0)
        throw SevenZipError::cryptoError();
    if (data.empty())
        return {};
    AesCbc cipher(key, iv, operation);
    Bytes out(data.size());
    cipher.update(data, out.data());
    return out;
}

} // namespace SevenZip
