#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <tuple>
#include <vector>

class ArchiveInput;

// The coders of 7z folders (copy, Deflate, LZMA, LZMA2, 7zAES), the 7zAES key derivation and
// AES-CBC. Shared by the 7z reader and writer. A folder is decoded as a stream, front to back,
// through a chain of coders that each hold one bounded buffer.
namespace SevenZip {

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline constexpr std::array<std::uint8_t, 4> aesMethodId{0x06, 0xF1, 0x07, 0x01};
inline constexpr std::array<std::uint8_t, 3> deflateMethodId{0x04, 0x01, 0x08};

struct Coder {
    Bytes id;
    std::uint64_t numIn = 1;
    std::uint64_t numOut = 1;
    Bytes props;
};

struct BindPair {
    std::uint64_t inIndex = 0;
    std::uint64_t outIndex = 0;
};

struct Folder {
    std::vector<Coder> coders;
    std::vector<BindPair> bindPairs;
    std::vector<std::uint64_t> packedIndices; // in-streams fed from packed streams, in pack order
    std::vector<std::uint64_t> unpackSizes;   // one per out-stream
    bool crcDefined = false;
    std::uint32_t crc = 0;

    std::uint64_t totalIn() const;
    std::uint64_t totalOut() const;
    bool hasAES() const;
    // The first out-stream that no bind pair consumes (0 when there is none).
    std::uint64_t finalOutIndex() const;
};

// Derived keys of one read or write, so that a password is stretched once per salt.
class KeyCache {
public:
    std::array<std::uint8_t, 32> key(const QString &password, ByteView salt, int cyclesPower);

private:
    std::map<std::tuple<QString, Bytes, int>, std::array<std::uint8_t, 32>> keys_;
};

// Buffers lent to the coders of one folder after another, so that a buffer is allocated, and its
// pages first touched, once per extraction instead of once per folder. Contents are undefined.
class BufferPool {
public:
    class Lease {
    public:
        Lease() = default;
        Lease(Lease &&other) noexcept;
        Lease &operator=(Lease &&other) noexcept;
        ~Lease();
        std::uint8_t *data() const { return bytes_.get(); }
        std::size_t size() const { return size_; }
        std::span<std::uint8_t> span() const { return {bytes_.get(), size_}; }

    private:
        friend class BufferPool;
        void giveBack();
        BufferPool *pool_ = nullptr;
        std::unique_ptr<std::uint8_t[]> bytes_;
        std::size_t capacity_ = 0;
        std::size_t size_ = 0;
    };

    // A buffer of exactly `size` bytes, returned to the pool when the lease ends. The pool must
    // outlive its leases.
    Lease take(std::size_t size);

private:
    static constexpr std::size_t maxSpareBytes = std::size_t(40) << 20;
    struct Spare {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::size_t capacity = 0;
    };
    std::vector<Spare> spares_;
    std::size_t spareBytes_ = 0;
};

// Bytes pulled in order.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to out.size() bytes; 0 only at the end.
    virtual std::size_t read(std::span<std::uint8_t> out) = 0;
};

// Everything the source delivers, held whole (the caller bounds it).
Bytes readAll(ByteSource &source);

// One byte range of an archive, read in place into the caller's buffer.
std::unique_ptr<ByteSource> rangeSource(const ArchiveInput &input, std::uint64_t offset,
                                        std::uint64_t length);

// A folder's final output, decoded as it is read. The folder CRC is checked once the last byte
// has passed. Errors are SevenZipReadError or SevenZipError::cryptoError.
class FolderStream : public ByteSource {
public:
    // packed: the folder's packed streams in packedIndices order, with their sizes.
    FolderStream(const Folder &folder, std::vector<std::unique_ptr<ByteSource>> packed,
                 std::vector<std::uint64_t> packedSizes, const QString &password, KeyCache &keys,
                 BufferPool &buffers);
    ~FolderStream() override;
    FolderStream(const FolderStream &) = delete;
    FolderStream &operator=(const FolderStream &) = delete;

    // The size the folder declares for its output (the output may end earlier).
    std::uint64_t declaredSize() const { return declaredSize_; }
    std::size_t read(std::span<std::uint8_t> out) override;

private:
    struct Chain;
    const Folder &folder_;
    std::unique_ptr<Chain> chain_;
    std::uint64_t declaredSize_ = 0;
    std::uint32_t crc_ = 0;
    bool verified_ = false;
};

// Runs the folder's coders over its packed streams (given in packedIndices order) and checks
// the folder CRC. Throws SevenZipReadError or SevenZipError::cryptoError. The output is held
// whole: for encoded headers (bounded by the caller) and small inputs.
Bytes decodeFolder(const Folder &folder, const std::vector<ByteView> &packedStreams, const QString &password,
                   KeyCache *keys = nullptr);

// One coder with one input and one output, over bytes in memory.
Bytes applyCoder(const Coder &coder, ByteView input, std::uint64_t expectedSize, const QString &password,
                 KeyCache *keys = nullptr);

// Raw DEFLATE whose output must be exactly expectedSize bytes.
Bytes rawInflate(ByteView input, std::uint64_t expectedSize);

// liblzma, bound at run time; decoding reports unsupported when it is missing.
class LZMADecoder {
public:
    static LZMADecoder &shared();
    explicit LZMADecoder(const char *libraryName);
    LZMADecoder(const LZMADecoder &) = delete;
    LZMADecoder &operator=(const LZMADecoder &) = delete;

    bool available() const;
    static constexpr std::uint64_t lzma1Filter = 0x4000000000000001ULL;
    static constexpr std::uint64_t lzma2Filter = 0x21;
    // A decoder pulling from `input`; it ends after expectedSize bytes (7-Zip writes LZMA without
    // an end marker). `afterAes`: damage in the input means a wrong key.
    std::unique_ptr<ByteSource> stream(std::unique_ptr<ByteSource> input, std::uint64_t expectedSize,
                                       std::uint64_t filterID, ByteView props, BufferPool &buffers,
                                       bool afterAes = false) const;
    Bytes decode(ByteView input, std::uint64_t expectedSize, std::uint64_t filterID, ByteView props) const;

private:
    using PropertiesDecode = int (*)(void *filter, const void *allocator, const std::uint8_t *props,
                                     std::size_t propsSize);
    using RawDecoder = int (*)(void *stream, const void *filters);
    using Code = int (*)(void *stream, int action);
    using End = void (*)(void *stream);
    PropertiesDecode propertiesDecode_ = nullptr;
    RawDecoder rawDecoder_ = nullptr;
    Code code_ = nullptr;
    End end_ = nullptr;
};

struct AesParameters {
    std::array<std::uint8_t, 32> key{};
    Bytes iv;
};
AesParameters aesParameters(ByteView props, const QString &password, KeyCache *keys = nullptr);

// SHA-256 over 2^cyclesPower rounds of salt, UTF-16LE password and an 8-byte counter.
std::array<std::uint8_t, 32> deriveSevenZipKey(const QString &password, ByteView salt, int cyclesPower);

enum class CbcOperation : std::uint32_t { encrypt = 0, decrypt = 1 };

// AES-CBC without padding, continued across calls; a short IV is zero-extended. Throws
// SevenZipError::cryptoError.
class AesCbc {
public:
    AesCbc(ByteView key, ByteView iv, CbcOperation operation);
    ~AesCbc();
    AesCbc(const AesCbc &) = delete;
    AesCbc &operator=(const AesCbc &) = delete;

    // Whole blocks only (a multiple of 16 bytes); `out` may be `in` itself.
    void update(ByteView in, std::uint8_t *out);

private:
    void *context_ = nullptr;
};

// The same over a whole buffer, whose length must be a multiple of 16 bytes.
Bytes aesCbc(ByteView data, ByteView key, ByteView iv, CbcOperation operation);

} // namespace SevenZip
