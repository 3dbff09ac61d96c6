#include "Archive/Zip/ZipContent.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/Zip/ZipCrypto.h"
#include "Archive/Zip/ZipReader.h"
#include "Core/Localization.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

using namespace ZipFormat;

namespace ZipContent {

namespace {

using Bytes = std::vector<std::uint8_t>;

// DEFLATE cannot expand more than 1032:1 (a 2-bit code per 258-byte match).
constexpr std::uint64_t maxInflateRatio = 1032;
constexpr std::uint64_t inflateSlack = 1024;

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

void readExactly(const ArchiveInput &input, std::uint64_t offset, std::span<std::uint8_t> into)
{
    // The range was checked against the size: a short read means the file shrank meanwhile.
    if (input.readAt(offset, into) != into.size())
        throw corrupted("데이터 범위");
}

// Decryption of an entry's stored bytes as they pass, set up from the bytes before the data.
class Decryptor {
public:
    static constexpr std::size_t traditionalHeader = 12;
    static constexpr std::size_t aesCode = 10;
    static std::size_t aesPrefix(int strength) { return std::size_t(4) * std::size_t(strength) + 4 + 2; }

    // The traditional cipher: the decrypted header's last byte is the check byte.
    Decryptor(std::span<const std::uint8_t> header, const ZipEntry &entry, const std::string &password)
        : traditional_(ZipCryptoState(password))
    {
        std::array<std::uint8_t, traditionalHeader> plain{};
        std::copy_n(header.begin(), plain.size(), plain.begin());
        traditional_->decrypt(plain);
        const auto check = (entry.flags & flagDataDescriptor) ? std::uint8_t(entry.dosTime >> 8)
                                                              : std::uint8_t(entry.crc >> 24);
        if (plain.back() != check)
            throw ZipError::wrongPassword();
    }

    // WinZip AES: salt (4s + 4 bytes) and the 2-byte password verifier.
    Decryptor(std::span<const std::uint8_t> saltAndVerifier, int strength, const std::string &password)
    {
        const std::size_t saltLength = aesPrefix(strength) - 2;
        const AesKeys keys = deriveAesKeys(password, saltAndVerifier.first(saltLength), 8 * strength + 8);
        if (!std::equal(keys.verifier.begin(), keys.verifier.end(),
                        saltAndVerifier.begin() + std::ptrdiff_t(saltLength)))
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

// The stored bytes of one entry, read in order and decrypted on the way; the method that applies
// to them once decrypted.
class StoredBytes {
public:
    StoredBytes(const ZipEntry &entry, const DataRange &range, const ArchiveInput &input,
                const std::string &password, Scratch &scratch)
        : input_(input), scratch_(scratch), pos_(range.start), end_(range.end), method_(entry.method)
    {
        if (entry.isEncrypted())
            setUpDecryption(entry, password);
    }

    std::uint16_t method() const { return method_; }
    std::uint64_t remaining() const { return end_ - pos_; }

    // The next piece, decrypted; empty at the end.
    std::span<std::uint8_t> next()
    {
        if (pos_ >= end_)
            return {};
        const auto piece = scratch_.chunk.take(chunkSize).first(
            std::size_t(std::min<std::uint64_t>(chunkSize, end_ - pos_)));
        readExactly(input_, pos_, piece);
        pos_ += piece.size();
        if (decryptor_)
            decryptor_->apply(piece);
        return piece;
    }

    // Everything not read yet in one buffer, decrypted and authenticated.
    std::span<std::uint8_t> rest()
    {
        const auto all = scratch_.compressed.take(std::size_t(end_ - pos_));
        readExactly(input_, pos_, all);
        pos_ = end_;
        if (decryptor_)
            decryptor_->apply(all);
        finish();
        return all;
    }

    // The bytes not read yet still pass the authentication code, which must match.
    void finish()
    {
        if (!isAes())
            return;
        while (!next().empty()) {
        }
        decryptor_->authenticate(code_);
    }

    // An AES entry that fails to decode may be a tampered one: its code decides first. Only the
    // check byte guards the traditional cipher, so there a failure means a wrong password.
    [[noreturn]] void failDecoding(const char *detail)
    {
        if (decryptor_ && !isAes())
            throw ZipError::wrongPassword();
        finish();
        throw corrupted(detail);
    }

private:
    bool isAes() const { return decryptor_ && decryptor_->isAes(); }

    void setUpDecryption(const ZipEntry &entry, const std::string &password)
    {
        if (password.empty())
            throw ZipError::passwordRequired();
        if (entry.method != methodAes) {
            if (end_ - pos_ < Decryptor::traditionalHeader)
                throw corrupted("암호 헤더");
            std::array<std::uint8_t, Decryptor::traditionalHeader> head{};
            readExactly(input_, pos_, head);
            decryptor_.emplace(head, entry, password);
            pos_ += head.size();
            return;
        }
        if (!entry.aesStrength || *entry.aesStrength < 1 || *entry.aesStrength > 3)
            throw corrupted("AES 정보");
        const int strength = *entry.aesStrength;
        const std::size_t prefix = Decryptor::aesPrefix(strength);
        if (end_ - pos_ < prefix + code_.size())
            throw corrupted("AES 데이터");
        std::array<std::uint8_t, 18> head{};
        readExactly(input_, pos_, std::span(head).first(prefix));
        readExactly(input_, end_ - code_.size(), code_);
        decryptor_.emplace(std::span(head).first(prefix), strength, password);
        pos_ += prefix;
        end_ -= code_.size();
        method_ = entry.aesActualMethod;
    }

    const ArchiveInput &input_;
    Scratch &scratch_;
    std::uint64_t pos_;
    std::uint64_t end_;
    std::uint16_t method_;
    std::optional<Decryptor> decryptor_;
    std::array<std::uint8_t, Decryptor::aesCode> code_{};
};

void copyStored(StoredBytes &in, const Sink &deliver)
{
    for (auto piece = in.next(); !piece.empty(); piece = in.next())
        deliver(piece);
    in.finish();
}

void inflateInMemory(StoredBytes &in, std::uint64_t expected, Scratch &scratch, const Sink &deliver)
{
    const auto packed = in.rest();
    const auto out = scratch.inflated.take(std::size_t(expected));
    if (!inflateWhole(packed, out))
        in.failDecoding("압축 해제 실패");
    deliver(out);
}

struct InflaterEnd {
    void operator()(z_stream *zs) const { inflateEnd(zs); }
};

void inflateStreaming(StoredBytes &in, std::uint64_t expected, Scratch &scratch, const Sink &deliver)
{
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        throw corrupted("메모리 부족");
    const std::unique_ptr<z_stream, InflaterEnd> inflater(&zs);
    const auto out = scratch.inflated.take(chunkSize);
    std::uint64_t produced = 0;
    bool ended = false;
    bool failed = false;
    for (auto piece = in.next(); !piece.empty() && !failed && !ended; piece = in.next()) {
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
        in.failDecoding("압축 해제 실패");
    // Bytes after the end of the stream are not decoded but still carry the code.
    in.finish();
}

void inflateContent(StoredBytes &in, std::int64_t declared, Scratch &scratch, const Sink &deliver)
{
    const std::uint64_t packed = in.remaining();
    const auto expected = std::uint64_t(std::max<std::int64_t>(declared, 0));
    if (expected == 0)
        return in.finish();
    if (!plausibleInflateSize(packed, expected))
        in.failDecoding("압축 해제 실패");
    if (packed <= wholeBufferLimit && expected <= wholeBufferLimit && packed + expected <= wholeBufferTotal)
        inflateInMemory(in, expected, scratch, deliver);
    else
        inflateStreaming(in, expected, scratch, deliver);
}

} // namespace

ZipError corrupted(const char *detail)
{
    return ZipError::corrupted(L(detail));
}

bool plausibleInflateSize(std::uint64_t compressed, std::uint64_t uncompressed)
{
    return uncompressed <= compressed * maxInflateRatio + inflateSlack;
}

// Without an actual-size out-parameter libdeflate insists on the exact length.
bool inflateWhole(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out)
{
    return libdeflate_deflate_decompress(decompressor(), compressed.data(), compressed.size(), out.data(),
                                         out.size(), nullptr) == LIBDEFLATE_SUCCESS;
}

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

void stream(const ZipEntry &entry, const DataRange &range, const ArchiveInput &input,
            const std::string &password, Scratch &scratch, const Sink &sink)
{
    StoredBytes in(entry, range, input, password, scratch);
    std::uint32_t crc = 0;
    const Sink deliver = [&](std::span<const std::uint8_t> piece) {
        crc = crc32Update(crc, piece);
        sink(piece);
    };
    switch (in.method()) {
    case methodStored:
        // Stored bytes are the content: as many as the entry declares, no fewer, no more.
        if (in.remaining() != std::uint64_t(std::max<std::int64_t>(entry.uncompressedSize, 0))) {
            in.finish();
            throw corrupted("크기 불일치");
        }
        copyStored(in, deliver);
        break;
    case methodDeflate:
        inflateContent(in, entry.uncompressedSize, scratch, deliver);
        break;
    default:
        in.finish();
        throw ZipError::unsupported(
            L("압축 방식 %u").replace(QStringLiteral("%u"), QString::number(in.method())));
    }
    if (entry.crc != 0 && crc != entry.crc) {
        if (entry.isEncrypted())
            throw ZipError::wrongPassword();
        throw corrupted("CRC 불일치");
    }
}

} // namespace ZipContent

namespace ZipReader {

using ZipContent::corrupted;

std::vector<std::uint8_t> inflate(std::span<const std::uint8_t> compressed, std::int64_t uncompressedSize)
{
    if (uncompressedSize < 1)
        return {};
    return withinMemory(
        [&] {
            if (!ZipContent::plausibleInflateSize(compressed.size(), std::uint64_t(uncompressedSize)))
                throw corrupted("압축 해제 실패");
            ZipContent::Bytes out(static_cast<std::size_t>(uncompressedSize));
            if (!ZipContent::inflateWhole(compressed, out))
                throw corrupted("압축 해제 실패");
            return out;
        },
        [] { return corrupted("메모리 부족"); });
}

std::vector<std::uint8_t> zipCryptoDecrypt(std::span<const std::uint8_t> stored, const ZipEntry &entry,
                                           const std::string &password)
{
    using ZipContent::Decryptor;
    if (stored.size() < Decryptor::traditionalHeader)
        throw corrupted("암호 헤더");
    Decryptor decryptor(stored.first(Decryptor::traditionalHeader), entry, password);
    std::vector<std::uint8_t> plain(stored.begin() + Decryptor::traditionalHeader, stored.end());
    decryptor.apply(plain);
    return plain;
}

std::vector<std::uint8_t> aesDecrypt(std::span<const std::uint8_t> stored, const std::string &password,
                                     int strength)
{
    using ZipContent::Decryptor;
    const std::size_t prefix = Decryptor::aesPrefix(strength);
    if (stored.size() < prefix + Decryptor::aesCode)
        throw corrupted("AES 데이터");
    Decryptor decryptor(stored.first(prefix), strength, password);
    std::vector<std::uint8_t> plain(stored.begin() + std::ptrdiff_t(prefix),
                                    stored.end() - Decryptor::aesCode);
    decryptor.apply(plain);
    decryptor.authenticate(stored.last(Decryptor::aesCode));
    return plain;
}

} // namespace ZipReader
