#pragma once

#include <cstdint>
#include <memory>
#include <span>

// Record layouts and buffer bounds shared by the ZIP reader and writer. All integers in a ZIP
// archive are little-endian.
namespace ZipFormat {

constexpr std::uint32_t localHeaderSignature = 0x04034B50;
constexpr std::uint32_t centralHeaderSignature = 0x02014B50;
constexpr std::uint32_t endRecordSignature = 0x06054B50;
constexpr std::uint32_t zip64LocatorSignature = 0x07064B50;
constexpr std::uint32_t zip64EndRecordSignature = 0x06064B50;

// Compression methods (WinZip AES keeps the real one in its extra block), general-purpose flag
// bits and the extra-field blocks the reader knows.
enum : std::uint16_t { methodStored = 0, methodDeflate = 8, methodAes = 99 };
enum : std::uint16_t { flagEncrypted = 0x0001, flagDataDescriptor = 0x0008, flagUtf8Name = 0x0800 };
enum : std::uint16_t { extraAes = 0x9901, extraUnicodePath = 0x7075 };
// A Unix host (the made-by field's upper byte) keeps a mode in the external attributes' upper
// 16 bits.
enum : std::uint32_t { hostUnix = 3, unixTypeMask = 0170000, unixSymbolicLink = 0120000 };

// A 32-bit field with all bits set (a 16-bit one likewise) says the value is in a ZIP64 record.
constexpr std::uint32_t zip64Marker32 = 0xFFFFFFFFu;
constexpr std::uint16_t zip64Marker16 = 0xFFFF;

constexpr std::size_t localHeaderSize = 30;
constexpr std::size_t centralHeaderSize = 46;
constexpr std::size_t endRecordSize = 22;
constexpr std::size_t zip64LocatorSize = 20;
constexpr std::size_t zip64EndRecordSize = 56;
// The end record lies within its own size and a comment of up to 65 535 bytes from the end;
// one byte more is searched, as the reader always has.
constexpr std::size_t endRecordWindow = endRecordSize + 65536;

// Entries whose compressed and plain sizes both stay within this bound are (de)compressed in
// memory by libdeflate, several times faster than zlib; larger ones stream through zlib. The two
// buffers together never exceed wholeBufferTotal, which keeps the peak memory bounded.
constexpr std::uint64_t wholeBufferLimit = std::uint64_t(32) << 20;
constexpr std::uint64_t wholeBufferTotal = std::uint64_t(48) << 20;
// One read or write of streamed data.
constexpr std::size_t chunkSize = std::size_t(256) << 10;

// A buffer reused from entry to entry: fresh pages for every entry would cost more in page faults
// and clearing than the work itself. It grows in whole MiB (so entries of about one size share
// it) and is never cleared, its bytes being written before they are read.
class ScratchBuffer {
public:
    std::span<std::uint8_t> take(std::size_t n)
    {
        if (capacity_ < n) {
            constexpr std::size_t step = std::size_t(1) << 20;
            data_.reset();
            capacity_ = (n + step - 1) / step * step;
            data_.reset(new std::uint8_t[capacity_]);
        }
        return {data_.get(), n};
    }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t capacity_ = 0;
};

inline std::uint16_t le16(const std::uint8_t *p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}

inline std::uint32_t le32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline std::uint64_t le64(const std::uint8_t *p)
{
    return std::uint64_t(le32(p)) | (std::uint64_t(le32(p + 4)) << 32);
}

inline void put16(std::uint8_t *p, std::uint16_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

inline void put32(std::uint8_t *p, std::uint32_t v)
{
    put16(p, std::uint16_t(v));
    put16(p + 2, std::uint16_t(v >> 16));
}

} // namespace ZipFormat
