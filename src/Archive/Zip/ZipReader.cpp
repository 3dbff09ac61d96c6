#include "Archive/Zip/ZipReader.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/Zip/ZipCrypto.h"
#include "Archive/Zip/ZipFormat.h"
#include "Archive/ZipError.h"
#include "Core/AtomicFile.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <new>
#include <unordered_set>

namespace fs = std::filesystem;
using namespace ZipFormat;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Sink = std::function<void(std::span<const std::uint8_t>)>;

ZipError corrupted(const char *detail)
{
    return ZipError::corrupted(L(detail));
}

ZipError zip64()
{
    return ZipError::unsupported(L("ZIP64 (4GB 이상)"));
}

// Running out of memory anywhere in the reader is one error, never a crash; a file that cannot be
// written is the layer's ioError.
template <class F> auto memoryGuarded(F &&f) -> decltype(f())
{
    try {
        return withinMemory(f, [] { return corrupted("메모리 부족"); });
    } catch (const FileError &error) {
        throw ZipError::ioError(error);
    }
}

// DEFLATE cannot expand more than 1032:1 (a 2-bit code per 258-byte match); a declared size
// beyond that is a lie.
constexpr std::uint64_t maxInflateRatio = 1032;
constexpr std::uint64_t inflateSlack = 1024;

bool plausibleInflateSize(std::uint64_t compressed, std::uint64_t uncompressed)
{
    return uncompressed <= compressed * maxInflateRatio + inflateSlack;
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

libdeflate_decompressor *decompressor()
{
    thread_local std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(
        libdeflate_alloc_decompressor());
    if (!d)
        throw corrupted("메모리 부족");
    return d.get();
}

// Raw DEFLATE into exactly out.size() bytes: without an actual-size out-parameter libdeflate
// insists on the exact length.
bool inflateWhole(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out)
{
    return libdeflate_deflate_decompress(decompressor(), compressed.data(), compressed.size(), out.data(),
                                         out.size(), nullptr) == LIBDEFLATE_SUCCESS;
}

void readExactly(const ArchiveInput &input, std::uint64_t offset, std::span<std::uint8_t> into)
{
    // The range was checked against the size: a short read means the file shrank meanwhile.
    if (input.readAt(offset, into) != into.size())
        throw corrupted("데이터 범위");
}

// Where an entry's stored bytes lie, read from its local header.
struct DataRange {
    std::uint64_t header = 0;
    std::uint64_t start = 0;
    std::uint64_t end = 0;
};

DataRange dataRange(const ZipEntry &entry, const ArchiveInput &input)
{
    const std::uint64_t size = input.size();
    std::array<std::uint8_t, localHeaderSize> h{};
    if (entry.localHeaderOffset < 0 || std::uint64_t(entry.localHeaderOffset) + h.size() > size ||
        input.readAt(std::uint64_t(entry.localHeaderOffset), h) != h.size() ||
        le32(h.data()) != localHeaderSignature)
        throw corrupted("로컬 헤더");
    const auto offset = std::uint64_t(entry.localHeaderOffset);
    // Local header: name length at 26, extra-field length at 28; the data follow both.
    const std::uint64_t start = offset + h.size() + le16(h.data() + 26) + le16(h.data() + 28);
    if (entry.compressedSize < 0 || start > size || std::uint64_t(entry.compressedSize) > size - start)
        throw corrupted("데이터 범위");
    return {offset, start, start + std::uint64_t(entry.compressedSize)};
}

// Decryption of an entry's stored bytes as they pass, set up from the bytes before the data.
class Decryptor {
public:
    static constexpr std::size_t traditionalHeader = 12;
    static constexpr std::size_t aesCode = 10;
    static std::size_t aesPrefix(int strength) { return std::size_t(4 * strength + 4 + 2); }

    // The traditional cipher: the decrypted header's last byte is the check byte.
    Decryptor(std::span<const std::uint8_t> header, const ZipEntry &entry, const std::string &password)
        : traditional_(ZipCryptoState(password))
    {
        std::array<std::uint8_t, traditionalHeader> plain{};
        std::copy_n(header.begin(), plain.size(), plain.begin());
        traditional_->decrypt(plain);
        const auto check =
            (entry.flags & 0x0008) ? std::uint8_t(entry.dosTime >> 8) : std::uint8_t(entry.crc >> 24);
        if (plain.back() != check)
            throw ZipError::wrongPassword();
    }

    // WinZip AES: salt (4s + 4 bytes) and the 2-byte password verifier.
    Decryptor(std::span<const std::uint8_t> saltAndVerifier, int strength, const std::string &password)
    {
        const std::size_t saltLength = aesPrefix(strength) - 2;
        const AesKeys keys = deriveAesKeys(password, saltAndVerifier.first(saltLength), 8 * strength + 8);
        if (!std::equal(keys.verifier.begin(), keys.verifier.end(), saltAndVerifier.begin() + saltLength))
            throw ZipError::wrongPassword();
        ctr_ = std::make_unique<AesCtr>(keys.aesKey);
        mac_ = std::make_unique<HmacSha1>(keys.hmacKey);
    }

    bool isAes() const { return ctr_ != nullptr; }

    void apply(std::span<std::uint8_t> bytes)
    {
        if (ctr_) {
            mac_->update(bytes); // the code covers the encrypted bytes
            ctr_->apply(bytes);
        } else {
            traditional_->decrypt(bytes);
        }
    }

    // AES only: the code over every encrypted byte must match the stored one. Checked once.
    void authenticate(std::span<const std::uint8_t> code)
    {
        if (!mac_ || authenticated_)
            return;
        authenticated_ = true;
        const auto digest = mac_->finish();
        if (!std::equal(code.begin(), code.end(), digest.begin()))
            throw ZipError::wrongPassword();
    }

private:
    std::optional<ZipCryptoState> traditional_;
    std::unique_ptr<AesCtr> ctr_;
    std::unique_ptr<HmacSha1> mac_;
    bool authenticated_ = false;
};

// Buffers reused from entry to entry while extracting.
struct Scratch {
    ScratchBuffer chunk;      // one read of stored data
    ScratchBuffer compressed; // a whole entry for libdeflate
    ScratchBuffer inflated;   // its whole output, or one piece of zlib's
};

struct InflaterEnd {
    void operator()(z_stream *zs) const { inflateEnd(zs); }
};

// Streams the plain content of one entry to the sink in pieces. The checks that need every byte
// (the authentication code, the CRC) come last, so the caller must keep nothing before this
// returns.
void streamContent(const ZipEntry &entry, const DataRange &range, const ArchiveInput &input,
                   const std::string &password, Scratch &scratch, const Sink &sink)
{
    std::uint64_t pos = range.start;
    std::uint64_t end = range.end;
    std::uint16_t method = entry.method;
    std::optional<Decryptor> decryptor;
    std::array<std::uint8_t, Decryptor::aesCode> code{};
    if (entry.isEncrypted()) {
        if (password.empty())
            throw ZipError::passwordRequired();
        if (method == 99) {
            if (!entry.aesStrength || *entry.aesStrength < 1 || *entry.aesStrength > 3)
                throw corrupted("AES 정보");
            const int strength = *entry.aesStrength;
            const std::size_t prefix = Decryptor::aesPrefix(strength);
            if (end - pos < prefix + code.size())
                throw corrupted("AES 데이터");
            std::array<std::uint8_t, 18> head{};
            readExactly(input, pos, std::span(head).first(prefix));
            readExactly(input, end - code.size(), code);
            decryptor.emplace(std::span(head).first(prefix), strength, password);
            pos += prefix;
            end -= code.size();
            method = entry.aesActualMethod;
        } else {
            if (end - pos < Decryptor::traditionalHeader)
                throw corrupted("암호 헤더");
            std::array<std::uint8_t, Decryptor::traditionalHeader> head{};
            readExactly(input, pos, head);
            decryptor.emplace(head, entry, password);
            pos += head.size();
        }
    }
    const bool aes = decryptor && decryptor->isAes();
    const bool traditional = decryptor && !aes;

    // The next piece of the stored bytes, decrypted; empty at the end.
    const auto nextChunk = [&]() -> std::span<std::uint8_t> {
        if (pos >= end)
            return {};
        const auto piece =
            scratch.chunk.take(chunkSize).first(std::size_t(std::min<std::uint64_t>(chunkSize, end - pos)));
        readExactly(input, pos, piece);
        pos += piece.size();
        if (decryptor)
            decryptor->apply(piece);
        return piece;
    };
    // The stored bytes not read yet still pass the authentication code, which must match.
    const auto authenticateRest = [&] {
        if (!aes)
            return;
        while (!nextChunk().empty()) {
        }
        decryptor->authenticate(code);
    };
    // An AES entry that fails to decode may be a tampered one: its code decides first. Only the
    // check byte guards the traditional cipher, so there a failure means a wrong password.
    const auto failDecoding = [&](const char *detail) {
        if (traditional)
            throw ZipError::wrongPassword();
        authenticateRest();
        throw corrupted(detail);
    };

    std::uint32_t crc = 0;
    const auto deliver = [&](std::span<const std::uint8_t> piece) {
        crc = crc32Update(crc, piece);
        sink(piece);
    };

    if (method == 0) {
        for (auto piece = nextChunk(); !piece.empty(); piece = nextChunk())
            deliver(piece);
        authenticateRest();
    } else if (method == 8) {
        const std::uint64_t packed = end - pos;
        const auto expected = std::uint64_t(std::max<std::int64_t>(entry.uncompressedSize, 0));
        if (expected == 0) {
            authenticateRest();
        } else if (!plausibleInflateSize(packed, expected)) {
            failDecoding("압축 해제 실패");
        } else if (packed <= wholeBufferLimit && expected <= wholeBufferLimit &&
                   packed + expected <= wholeBufferTotal) {
            const auto in = scratch.compressed.take(std::size_t(packed));
            readExactly(input, pos, in);
            pos = end;
            if (decryptor) {
                decryptor->apply(in);
                authenticateRest();
            }
            const auto out = scratch.inflated.take(std::size_t(expected));
            if (!inflateWhole(in, out))
                failDecoding("압축 해제 실패");
            deliver(out);
        } else {
            z_stream zs{};
            if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
                throw corrupted("메모리 부족");
            const std::unique_ptr<z_stream, InflaterEnd> inflater(&zs);
            const auto out = scratch.inflated.take(chunkSize);
            std::uint64_t produced = 0;
            bool ended = false;
            bool failed = false;
            for (auto piece = nextChunk(); !piece.empty() && !failed && !ended; piece = nextChunk()) {
                zs.next_in = piece.data();
                zs.avail_in = uInt(piece.size());
                do {
                    zs.next_out = out.data();
                    zs.avail_out = uInt(out.size());
                    const int rc = ::inflate(&zs, Z_NO_FLUSH);
                    const std::size_t n = out.size() - zs.avail_out;
                    // Exactly the declared size, as the whole-buffer path insists.
                    if (n > expected - produced || (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)) {
                        failed = true;
                        break;
                    }
                    produced += n;
                    if (n > 0)
                        deliver(out.first(n));
                    if (rc == Z_STREAM_END)
                        ended = true;
                    if (rc != Z_OK)
                        break;
                } while (zs.avail_in > 0 || zs.avail_out == 0);
            }
            if (failed || !ended || produced != expected)
                failDecoding("압축 해제 실패");
            // Bytes after the end of the stream are not decoded but still carry the code.
            authenticateRest();
        }
    } else {
        authenticateRest();
        throw ZipError::unsupported(L("압축 방식 %u").replace(QStringLiteral("%u"), QString::number(method)));
    }

    if (entry.crc != 0 && crc != entry.crc) {
        if (entry.isEncrypted())
            throw ZipError::wrongPassword();
        throw corrupted("CRC 불일치");
    }
}

std::string latin1ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

// The data range of every entry, checking that no two share bytes: entries whose local header
// and data overlap are a known decompression-bomb shape (one compressed block claimed by many
// entries) that no honest writer produces. An entry whose range cannot be read gets none and
// reports its fault in its turn, after the entries before it.
std::vector<std::optional<DataRange>> dataRanges(const std::vector<ZipEntry> &entries,
                                                 const ArchiveInput &input)
{
    std::vector<std::optional<DataRange>> ranges;
    ranges.reserve(entries.size());
    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
    spans.reserve(entries.size());
    for (const auto &entry : entries) {
        try {
            const DataRange range = dataRange(entry, input);
            ranges.emplace_back(range);
            spans.emplace_back(range.header, range.end);
        } catch (const ZipError &) {
            ranges.emplace_back();
        }
    }
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i)
        if (spans[i].first < spans[i - 1].second)
            throw corrupted("데이터 범위");
    return ranges;
}

// The central directory read through a window of bounded size.
class CentralWindow {
public:
    // Larger than any record: 46 bytes and three fields of up to 65 535 bytes.
    static constexpr std::size_t windowSize = std::size_t(512) << 10;

    CentralWindow(const ArchiveInput &input, std::uint64_t end) : input_(input), end_(end) {}

    // The bytes [pos, pos + n) of the directory, or nullptr when they run past its end.
    const std::uint8_t *at(std::uint64_t pos, std::size_t n)
    {
        if (pos > end_ || n > end_ - pos)
            return nullptr;
        if (pos < start_ || pos + n > start_ + length_) {
            const auto want = std::size_t(std::min<std::uint64_t>(windowSize, end_ - pos));
            start_ = pos;
            length_ = input_.readAt(pos, buffer_.take(want));
            if (length_ < n)
                return nullptr;
        }
        return buffer_.take(length_).data() + (pos - start_);
    }

private:
    const ArchiveInput &input_;
    std::uint64_t end_;
    ScratchBuffer buffer_;
    std::uint64_t start_ = 0;
    std::size_t length_ = 0;
};

// Reads the extra-field blocks of a central record that lie within `extra`: WinZip AES (0x9901)
// and the Info-ZIP Unicode Path (0x7075). Blocks running past the field are passed over.
void readExtraField(std::span<const std::uint8_t> extra, ZipEntry &entry,
                    std::optional<std::string> &unicodeName)
{
    for (std::size_t at = 0; extra.size() - at >= 4;) {
        const std::uint16_t id = le16(extra.data() + at);
        const std::size_t size = le16(extra.data() + at + 2);
        const std::size_t data = at + 4;
        if (size > extra.size() - data)
            break;
        const std::uint8_t *block = extra.data() + data;
        if (id == 0x9901 && size >= 7) {
            // vendor version (2), "AE" (2), strength (1), actual method (2)
            entry.aesStrength = block[4];
            entry.aesActualMethod = le16(block + 5);
        } else if (id == 0x7075 && size >= 6) {
            // version (1), CRC-32 of the stored name (4), the name in UTF-8
            std::string text(reinterpret_cast<const char *>(block + 5), size - 5);
            unicodeName = Text::isValidUtf8(text) ? std::optional(std::move(text)) : std::nullopt;
        }
        at = data + size;
    }
}

bool isAsciiLetter(char32_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

namespace ZipReader {

std::vector<ZipEntry> readEntries(const ArchiveInput &input)
{
    return memoryGuarded([&] {
        const std::uint64_t size = input.size();
        if (size < endRecordSize)
            throw ZipError::notAZip();

        // The end record: the signature nearest the end within the window.
        const auto tailLength = std::size_t(std::min<std::uint64_t>(size, endRecordWindow));
        const std::uint64_t tailStart = size - tailLength;
        Bytes tail(tailLength);
        if (input.readAt(tailStart, tail) != tailLength)
            throw ZipError::notAZip();
        std::size_t at = tailLength - endRecordSize;
        while (le32(tail.data() + at) != endRecordSignature) {
            if (at == 0)
                throw ZipError::notAZip();
            --at;
        }
        const std::uint64_t endRecord = tailStart + at;
        // End record: disk (4), directory's disk (6), records here (8), total records (10),
        // directory size (12), directory offset (16), comment length (20).
        const std::uint8_t *e = tail.data() + at;
        const std::uint16_t disk = le16(e + 4);
        const std::uint16_t directoryDisk = le16(e + 6);
        const std::uint16_t total = le16(e + 10);
        const std::uint32_t directorySize = le32(e + 12);
        const std::uint32_t directoryOffset = le32(e + 16);

        // ZIP64 keeps its real values in records of its own, found through a locator right
        // before the end record, and leaves the end record's fields at their maximum.
        std::array<std::uint8_t, 4> locator{};
        if (endRecord >= zip64LocatorSize && input.readAt(endRecord - zip64LocatorSize, locator) == 4 &&
            le32(locator.data()) == zip64LocatorSignature)
            throw zip64();
        if (directorySize == 0xFFFFFFFFu || directoryOffset == 0xFFFFFFFFu || disk == 0xFFFF ||
            directoryDisk == 0xFFFF)
            throw zip64();
        if (directoryOffset >= size)
            throw corrupted("중앙 디렉터리 위치");
        if (std::uint64_t(directoryOffset) + directorySize > endRecord)
            throw corrupted("중앙 디렉터리 항목");

        const std::uint64_t directoryEnd = std::uint64_t(directoryOffset) + directorySize;
        CentralWindow window(input, directoryEnd);
        std::vector<ZipEntry> entries;
        entries.reserve(std::min<std::size_t>(total, directorySize / centralHeaderSize));
        std::uint64_t records = 0;
        std::uint64_t pos = directoryOffset;
        while (const std::uint8_t *r = window.at(pos, centralHeaderSize)) {
            if (le32(r) != centralHeaderSignature)
                break;
            // Central record: flags (8), method (10), time (12), CRC (16), sizes (20, 24),
            // name, extra and comment lengths (28, 30, 32), disk (34), local offset (42).
            const std::size_t n = le16(r + 28);
            const std::size_t m = le16(r + 30);
            const std::size_t k = le16(r + 32);
            const std::uint64_t next = pos + centralHeaderSize + n + m + k;
            // Records past the count are only counted: the check below decides.
            if (++records > total) {
                pos = next;
                continue;
            }
            ZipEntry entry;
            entry.flags = le16(r + 8);
            entry.method = le16(r + 10);
            entry.dosTime = le16(r + 12);
            entry.crc = le32(r + 16);
            const std::uint32_t compressed = le32(r + 20);
            const std::uint32_t uncompressed = le32(r + 24);
            const std::uint32_t offset = le32(r + 42);
            if (compressed == 0xFFFFFFFFu || uncompressed == 0xFFFFFFFFu || offset == 0xFFFFFFFFu ||
                le16(r + 34) == 0xFFFF)
                throw zip64();
            entry.compressedSize = compressed;
            entry.uncompressedSize = uncompressed;
            entry.localHeaderOffset = offset;

            const std::uint64_t nameStart = pos + centralHeaderSize;
            if (n > directoryEnd - nameStart)
                throw corrupted("파일명");
            // Extra blocks are read only where the directory holds them.
            const auto extraLength = std::size_t(std::min<std::uint64_t>(m, directoryEnd - nameStart - n));
            r = window.at(pos, centralHeaderSize + n + extraLength);
            if (!r)
                throw corrupted("중앙 디렉터리 항목");
            const std::string_view rawName(reinterpret_cast<const char *>(r + centralHeaderSize), n);
            std::optional<std::string> unicodeName;
            readExtraField({r + centralHeaderSize + n, extraLength}, entry, unicodeName);

            auto [name, encoding] = decodeName(rawName, (entry.flags & 0x0800) != 0, unicodeName);
            std::replace(name.begin(), name.end(), '\\', '/');
            entry.isDirectory = !name.empty() && name.back() == '/';
            entry.decodedName = std::move(name);
            entry.encoding = encoding;
            entry.id = QUuid::createUuid();
            entries.push_back(std::move(entry));
            pos = next;
        }

        // The count must describe the directory exactly: a listing never ends early. More records
        // than 16 bits can count are a ZIP64 archive whose writer left out the ZIP64 records.
        if (records > 0xFFFF)
            throw zip64();
        if (records != total)
            throw corrupted("중앙 디렉터리 항목");
        return entries;
    });
}

bool looksLikeMisreadCp949(std::string_view utf8)
{
    // CP949 lead bytes C2–C8 with a trail byte 80–BF form valid UTF-8 for U+0080–U+023F.
    bool wordOnlyLatin = true;
    std::size_t wordLength = 0;
    const auto wordIsMisread = [&] { return wordLength > 0 && wordOnlyLatin; };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int j = 1; j < length && i + std::size_t(j) < utf8.size(); ++j)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + std::size_t(j)]) & 0x3F);
        i += std::size_t(length);
        if (c >= 0x80 && c <= 0x9F)
            return true;
        if (c < 0x80 && !isAsciiLetter(c)) {
            if (wordIsMisread())
                return true;
            wordOnlyLatin = true;
            wordLength = 0;
            continue;
        }
        ++wordLength;
        wordOnlyLatin = wordOnlyLatin && c >= 0x80 && c <= 0x23F;
    }
    return wordIsMisread();
}

std::pair<std::string, ZipEntry::NameEncoding> decodeName(std::string_view bytes, bool isUTF8Flagged,
                                                          const std::optional<std::string> &unicodeName)
{
    using E = ZipEntry::NameEncoding;
    if (unicodeName)
        return {*unicodeName, E::utf8};
    const bool validUtf8 = Text::isValidUtf8(bytes);
    if (isUTF8Flagged && validUtf8)
        return {std::string(bytes), E::utf8};
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return (unsigned char)c < 0x80; }))
        return {std::string(bytes), E::utf8};
    // Info-ZIP on Linux stores UTF-8 without the flag; UTF-8 non-ASCII is almost never CP949 text,
    // unless its reading has the shape CP949 Hangul takes when read as UTF-8.
    if (validUtf8 && !looksLikeMisreadCp949(bytes))
        return {std::string(bytes), E::utf8};
    if (auto korean = Text::decodeCp949(bytes))
        return {std::move(*korean), E::cp949};
    if (validUtf8)
        return {std::string(bytes), E::utf8};
    return {latin1ToUtf8(bytes), E::latin1};
}

std::vector<std::uint8_t> inflate(std::span<const std::uint8_t> compressed, std::int64_t uncompressedSize)
{
    if (uncompressedSize < 1)
        return {};
    return memoryGuarded([&] {
        if (!plausibleInflateSize(compressed.size(), std::uint64_t(uncompressedSize)))
            throw corrupted("압축 해제 실패");
        Bytes out(static_cast<std::size_t>(uncompressedSize));
        if (!inflateWhole(compressed, out))
            throw corrupted("압축 해제 실패");
        return out;
    });
}

std::vector<std::uint8_t> zipCryptoDecrypt(std::span<const std::uint8_t> stored, const ZipEntry &entry,
                                           const std::string &password)
{
    if (stored.size() < Decryptor::traditionalHeader)
        throw corrupted("암호 헤더");
    Decryptor decryptor(stored.first(Decryptor::traditionalHeader), entry, password);
    Bytes plain(stored.begin() + Decryptor::traditionalHeader, stored.end());
    decryptor.apply(plain);
    return plain;
}

std::vector<std::uint8_t> aesDecrypt(std::span<const std::uint8_t> stored, const std::string &password,
                                     int strength)
{
    const std::size_t prefix = Decryptor::aesPrefix(strength);
    if (stored.size() < prefix + Decryptor::aesCode)
        throw corrupted("AES 데이터");
    Decryptor decryptor(stored.first(prefix), strength, password);
    Bytes plain(stored.begin() + std::ptrdiff_t(prefix), stored.end() - Decryptor::aesCode);
    decryptor.apply(plain);
    decryptor.authenticate(stored.last(Decryptor::aesCode));
    return plain;
}

std::vector<std::uint8_t> extractData(const ZipEntry &entry, const ArchiveInput &archive,
                                      const std::string &password)
{
    return memoryGuarded([&] {
        const DataRange range = dataRange(entry, archive);
        Scratch scratch;
        Bytes content;
        streamContent(entry, range, archive, password, scratch, [&](std::span<const std::uint8_t> piece) {
            content.insert(content.end(), piece.begin(), piece.end());
        });
        return content;
    });
}

void extractFile(const ZipEntry &entry, const ArchiveInput &archive, const std::string &password,
                 const fs::path &target)
{
    memoryGuarded([&] {
        const DataRange range = dataRange(entry, archive);
        Scratch scratch;
        AtomicFile out = AtomicFile::inPlace(target);
        streamContent(entry, range, archive, password, scratch,
                      [&](std::span<const std::uint8_t> piece) { out.write(piece); });
        out.commit();
    });
}

ExtractCounts extract(const std::vector<ZipEntry> &entries, const ArchiveInput &archive,
                      const fs::path &destination, bool skippingMacJunk,
                      const std::optional<std::string> &strippingPrefix, const std::string &password)
{
    return memoryGuarded([&] {
        const auto ranges = dataRanges(entries, archive);
        const std::optional<std::string> prefix =
            strippingPrefix ? std::optional(Text::toNfc(*strippingPrefix)) : std::nullopt;

        ExtractCounts counts;
        Scratch scratch;
        std::unordered_set<std::string> madeFolders;
        // Folders made earlier in this extraction are not asked for again: with many small files
        // the repeated mkdir calls cost more than writing the files.
        const auto makeFolders = [&](const std::vector<std::string> &pieces, std::size_t count) {
            std::string key;
            for (std::size_t i = 0; i < count; ++i)
                key += pieces[i] + '/';
            if (count > 0 && madeFolders.insert(key).second)
                makeDirectories(destination, {pieces.begin(), pieces.begin() + std::ptrdiff_t(count)});
        };
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ZipEntry &entry = entries[i];
            if (skippingMacJunk && entry.isMacJunk()) {
                ++counts.skipped;
                continue;
            }
            std::string name = Text::toNfc(entry.decodedName);
            if (prefix) {
                if (!name.starts_with(*prefix) || name == *prefix)
                    continue;
                name.erase(0, prefix->size());
            }
            const std::vector<std::string> pieces = nameParts(name);
            // A NUL would cut the path short at the system call, so it is as unsafe as "..".
            if (name.starts_with('/') || name.find('\0') != std::string::npos ||
                std::find(pieces.begin(), pieces.end(), "..") != pieces.end())
                throw ZipError::corrupted(L("잘못된 경로: %@", name));
            if (pieces.empty())
                continue;
            if (entry.isDirectory) {
                makeFolders(pieces, pieces.size());
                continue;
            }
            makeFolders(pieces, pieces.size() - 1);
            const DataRange range = ranges[i] ? *ranges[i] : dataRange(entry, archive);
            std::string target = destination.native();
            for (const auto &piece : pieces)
                target += '/' + piece;
            // A name taken by an earlier entry (the same NFC name, or a repeat) gets a free name.
            AtomicFile out = AtomicFile::inPlaceFree(fs::path(std::move(target)));
            streamContent(entry, range, archive, password, scratch,
                          [&](std::span<const std::uint8_t> piece) { out.write(piece); });
            out.commit();
            ++counts.extracted;
        }
        return counts;
    });
}

} // namespace ZipReader
