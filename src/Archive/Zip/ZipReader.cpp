#include "Archive/Zip/ZipReader.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/Zip/ZipCrypto.h"
#include "Archive/ZipError.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <libdeflate.h>

#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <unordered_set>

namespace {

std::uint16_t le16(std::span<const std::uint8_t> d, std::size_t at)
{
    return std::uint16_t(d[at] | (d[at + 1] << 8));
}

std::uint32_t le32(std::span<const std::uint8_t> d, std::size_t at)
{
    return std::uint32_t(d[at]) | (std::uint32_t(d[at + 1]) << 8) | (std::uint32_t(d[at + 2]) << 16) |
           (std::uint32_t(d[at + 3]) << 24);
}

bool hasSignature(std::span<const std::uint8_t> d, std::size_t at, std::uint8_t third, std::uint8_t fourth)
{
    return d[at] == 0x50 && d[at + 1] == 0x4B && d[at + 2] == third && d[at + 3] == fourth;
}

ZipError corrupted(const char *detail)
{
    return ZipError::corrupted(L(detail));
}

// DEFLATE cannot expand more than 1032:1 (a 2-bit code per 258-byte match); a declared size
// beyond that is a lie, and allocating it would let a tiny entry claim gigabytes.
constexpr std::int64_t maxInflateRatio = 1032;
constexpr std::int64_t inflateSlack = 1024;

struct DecompressorFree {
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

libdeflate_decompressor *decompressor()
{
    thread_local std::unique_ptr<libdeflate_decompressor, DecompressorFree> d(
        libdeflate_alloc_decompressor());
    if (!d)
        throw corrupted("압축 해제 실패");
    return d.get();
}

// Where an entry's data lie in the archive, read from its local header.
struct DataRange {
    std::size_t header = 0;
    std::size_t start = 0;
    std::size_t end = 0;
};

DataRange dataRange(const ZipEntry &entry, std::span<const std::uint8_t> archive)
{
    const auto size = std::int64_t(archive.size());
    if (entry.localHeaderOffset < 0 || entry.localHeaderOffset > size - 30 ||
        !hasSignature(archive, std::size_t(entry.localHeaderOffset), 0x03, 0x04))
        throw corrupted("로컬 헤더");
    const auto offset = std::size_t(entry.localHeaderOffset);
    const std::int64_t start =
        entry.localHeaderOffset + 30 + le16(archive, offset + 26) + le16(archive, offset + 28);
    if (entry.compressedSize < 0 || start > size || entry.compressedSize > size - start)
        throw corrupted("데이터 범위");
    return {offset, std::size_t(start), std::size_t(start + entry.compressedSize)};
}

// Buffers reused from entry to entry while extracting: fresh pages for every entry would cost
// more in page faults than the decoding itself. Grown to exactly the size needed, never doubled.
struct Scratch {
    std::vector<std::uint8_t> decrypted;
    std::vector<std::uint8_t> inflated;

    static std::span<std::uint8_t> take(std::vector<std::uint8_t> &buffer, std::size_t n)
    {
        try {
            if (buffer.size() < n) {
                buffer = {};
                buffer.resize(n);
            }
        } catch (const std::bad_alloc &) {
            throw corrupted("데이터 범위");
        }
        return std::span(buffer).first(n);
    }
};

void inflateInto(std::span<const std::uint8_t> compressed, std::span<std::uint8_t> out)
{
    // Without an actual-size out-parameter libdeflate insists on exactly the expected length.
    if (libdeflate_deflate_decompress(decompressor(), compressed.data(), compressed.size(), out.data(),
                                      out.size(), nullptr) != LIBDEFLATE_SUCCESS)
        throw corrupted("압축 해제 실패");
}

std::size_t checkedInflateSize(std::span<const std::uint8_t> compressed, std::int64_t uncompressedSize)
{
    if (uncompressedSize > std::int64_t(compressed.size()) * maxInflateRatio + inflateSlack)
        throw corrupted("압축 해제 실패");
    return std::size_t(uncompressedSize);
}

std::span<const std::uint8_t> zipCryptoDecryptInto(std::span<const std::uint8_t> stored,
                                                   const ZipEntry &entry, const std::string &password,
                                                   std::vector<std::uint8_t> &buffer)
{
    if (stored.size() < 12)
        throw corrupted("암호 헤더");
    ZipCryptoState state(password);
    std::array<std::uint8_t, 12> header{};
    std::copy_n(stored.begin(), 12, header.begin());
    state.decrypt(header);
    const auto check =
        (entry.flags & 0x0008) ? std::uint8_t(entry.dosTime >> 8) : std::uint8_t(entry.crc >> 24);
    if (header[11] != check)
        throw ZipError::wrongPassword();
    const auto plain = Scratch::take(buffer, stored.size() - 12);
    std::copy(stored.begin() + 12, stored.end(), plain.begin());
    state.decrypt(plain);
    return plain;
}

std::span<const std::uint8_t> aesDecryptInto(std::span<const std::uint8_t> stored,
                                             const std::string &password, int strength,
                                             std::vector<std::uint8_t> &buffer)
{
    const std::size_t saltLength = std::size_t(4 * strength + 4);
    if (stored.size() < saltLength + 12)
        throw corrupted("AES 데이터");
    const auto salt = stored.first(saltLength);
    const auto verifier = stored.subspan(saltLength, 2);
    const auto encrypted = stored.subspan(saltLength + 2, stored.size() - saltLength - 12);
    const auto code = stored.last(10);

    const AesKeys keys = deriveAesKeys(password, salt, 8 * strength + 8);
    if (!std::equal(verifier.begin(), verifier.end(), keys.verifier.begin()))
        throw ZipError::wrongPassword();
    const auto mac = hmacSha1Prefix10(encrypted, keys.hmacKey);
    if (!std::equal(code.begin(), code.end(), mac.begin()))
        throw ZipError::wrongPassword();
    const auto plain = Scratch::take(buffer, encrypted.size());
    std::copy(encrypted.begin(), encrypted.end(), plain.begin());
    aesCtrApplyInPlace(plain, keys.aesKey);
    return plain;
}

// An entry's plain content: a view into the archive for plain stored entries, else into scratch.
std::span<const std::uint8_t> readContent(const ZipEntry &entry, std::span<const std::uint8_t> archive,
                                          const std::string &password, Scratch &scratch)
{
    const DataRange range = dataRange(entry, archive);
    std::span<const std::uint8_t> data = archive.subspan(range.start, range.end - range.start);

    std::uint16_t method = entry.method;
    bool traditional = false;
    if (entry.isEncrypted()) {
        if (password.empty())
            throw ZipError::passwordRequired();
        if (method == 99) {
            if (!entry.aesStrength || *entry.aesStrength < 1 || *entry.aesStrength > 3)
                throw corrupted("AES 정보");
            data = aesDecryptInto(data, password, *entry.aesStrength, scratch.decrypted);
            method = entry.aesActualMethod;
        } else {
            data = zipCryptoDecryptInto(data, entry, password, scratch.decrypted);
            traditional = true;
        }
    }

    std::span<const std::uint8_t> content;
    if (method == 0) {
        content = data;
    } else if (method == 8) {
        if (entry.uncompressedSize >= 1) {
            const auto out =
                Scratch::take(scratch.inflated, checkedInflateSize(data, entry.uncompressedSize));
            try {
                inflateInto(data, out);
                content = out;
            } catch (const ZipError &error) {
                // Only the check byte guards the traditional cipher; a wrong password that passes
                // it (one in 256) leaves noise that no longer inflates.
                if (traditional && error.kind() == ZipError::Kind::corrupted)
                    throw ZipError::wrongPassword();
                throw;
            }
        }
    } else {
        throw ZipError::unsupported(L("압축 방식 %u").replace(QStringLiteral("%u"), QString::number(method)));
    }

    if (entry.crc != 0 && crc32(content) != entry.crc) {
        if (entry.isEncrypted())
            throw ZipError::wrongPassword();
        throw corrupted("CRC 불일치");
    }
    return content;
}

std::vector<std::string> splitPieces(std::string_view name)
{
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos <= name.size()) {
        const std::size_t slash = std::min(name.find('/', pos), name.size());
        if (slash > pos)
            pieces.emplace_back(name.substr(pos, slash - pos));
        pos = slash + 1;
    }
    return pieces;
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

// Entries whose local header and data share bytes are a known decompression-bomb shape (one
// compressed block claimed by many entries); no honest writer produces them.
void refuseOverlaps(const std::vector<ZipEntry> &entries, std::span<const std::uint8_t> archive)
{
    std::vector<std::pair<std::size_t, std::size_t>> ranges;
    ranges.reserve(entries.size());
    for (const auto &entry : entries) {
        try {
            const DataRange range = dataRange(entry, archive);
            ranges.emplace_back(range.header, range.end);
        } catch (const ZipError &) {
            // reported in its turn, after the entries before it
        }
    }
    std::sort(ranges.begin(), ranges.end());
    for (std::size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].first < ranges[i - 1].second)
            throw corrupted("데이터 범위");
}

} // namespace

namespace ZipReader {

std::vector<ZipEntry> readEntries(std::span<const std::uint8_t> archive)
{
    const std::size_t count = archive.size();
    if (count < 22)
        throw ZipError::notAZip();

    // The end record lies within the last 22 + 65 536 bytes: the record and room for its comment.
    const std::size_t lowest = count > 65558 ? count - 65558 : 0;
    std::size_t eocd = count - 22;
    while (!hasSignature(archive, eocd, 0x05, 0x06)) {
        if (eocd == lowest)
            throw ZipError::notAZip();
        --eocd;
    }

    const std::size_t total = le16(archive, eocd + 10);
    std::size_t pos = le32(archive, eocd + 16);
    if (pos >= count)
        throw corrupted("중앙 디렉터리 위치");

    std::vector<ZipEntry> entries;
    try {
        entries.reserve(std::min(total, (count - pos) / 46));
        for (std::size_t i = 0; i < total; ++i) {
            if (pos > count || count - pos < 46 || !hasSignature(archive, pos, 0x01, 0x02))
                throw corrupted("중앙 디렉터리 항목");
            ZipEntry entry;
            entry.flags = le16(archive, pos + 8);
            entry.method = le16(archive, pos + 10);
            entry.dosTime = le16(archive, pos + 12);
            entry.crc = le32(archive, pos + 16);
            const std::uint32_t compressed = le32(archive, pos + 20);
            const std::uint32_t uncompressed = le32(archive, pos + 24);
            const std::uint32_t offset = le32(archive, pos + 42);
            const std::size_t n = le16(archive, pos + 28);
            const std::size_t m = le16(archive, pos + 30);
            const std::size_t k = le16(archive, pos + 32);
            if (compressed == 0xFFFFFFFFu || uncompressed == 0xFFFFFFFFu || offset == 0xFFFFFFFFu)
                throw ZipError::unsupported(L("ZIP64 (4GB 이상)"));
            entry.compressedSize = compressed;
            entry.uncompressedSize = uncompressed;
            entry.localHeaderOffset = offset;

            const std::size_t nameStart = pos + 46;
            if (n > count - nameStart)
                throw corrupted("파일명");
            const std::string_view rawName(reinterpret_cast<const char *>(archive.data() + nameStart), n);

            // Blocks are read only where both the extra field and the archive hold them.
            const std::size_t extraStart = nameStart + n;
            const std::size_t extraEnd = extraStart + std::min(m, count - extraStart);
            std::optional<std::string> unicodeName;
            for (std::size_t at = extraStart; extraEnd - at >= 4;) {
                const std::uint16_t id = le16(archive, at);
                const std::size_t size = le16(archive, at + 2);
                const std::size_t data = at + 4;
                const bool fits = size <= extraEnd - data;
                if (fits && id == 0x9901 && size >= 7) {
                    entry.aesStrength = archive[data + 4];
                    entry.aesActualMethod = le16(archive, data + 5);
                } else if (fits && id == 0x7075 && size >= 6) {
                    std::string text(reinterpret_cast<const char *>(archive.data() + data + 5), size - 5);
                    unicodeName = Text::isValidUtf8(text) ? std::optional(std::move(text)) : std::nullopt;
                }
                if (!fits)
                    break;
                at = data + size;
            }

            auto [name, encoding] = decodeName(rawName, (entry.flags & 0x0800) != 0, unicodeName);
            std::replace(name.begin(), name.end(), '\\', '/');
            entry.isDirectory = !name.empty() && name.back() == '/';
            entry.decodedName = std::move(name);
            entry.encoding = encoding;
            entry.id = QUuid::createUuid();
            entries.push_back(std::move(entry));
            pos = nameStart + n + m + k;
        }
    } catch (const std::bad_alloc &) {
        throw corrupted("중앙 디렉터리 항목");
    }
    return entries;
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
    std::vector<std::uint8_t> out;
    inflateInto(compressed, Scratch::take(out, checkedInflateSize(compressed, uncompressedSize)));
    return out;
}

std::vector<std::uint8_t> zipCryptoDecrypt(std::span<const std::uint8_t> stored, const ZipEntry &entry,
                                           const std::string &password)
{
    std::vector<std::uint8_t> out;
    zipCryptoDecryptInto(stored, entry, password, out);
    return out;
}

std::vector<std::uint8_t> aesDecrypt(std::span<const std::uint8_t> stored, const std::string &password,
                                     int strength)
{
    std::vector<std::uint8_t> out;
    aesDecryptInto(stored, password, strength, out);
    return out;
}

std::vector<std::uint8_t> extractData(const ZipEntry &entry, std::span<const std::uint8_t> archive,
                                      const std::string &password)
{
    Scratch scratch;
    const auto content = readContent(entry, archive, password, scratch);
    // A fresh scratch holds exactly the content when the content lies in it.
    if (!content.empty() && content.data() == scratch.inflated.data())
        return std::move(scratch.inflated);
    if (!content.empty() && content.data() == scratch.decrypted.data())
        return std::move(scratch.decrypted);
    try {
        return {content.begin(), content.end()};
    } catch (const std::bad_alloc &) {
        throw corrupted("데이터 범위");
    }
}

ExtractCounts extract(const std::vector<ZipEntry> &entries, std::span<const std::uint8_t> archive,
                      const std::filesystem::path &destination, bool skippingMacJunk,
                      const std::optional<std::string> &strippingPrefix, const std::string &password)
{
    refuseOverlaps(entries, archive);
    const std::optional<std::string> prefix =
        strippingPrefix ? std::optional(Text::toNfc(*strippingPrefix)) : std::nullopt;

    ExtractCounts counts;
    Scratch scratch;
    std::unordered_set<std::string> madeFolders;
    for (const auto &entry : entries) {
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
        const std::vector<std::string> pieces = splitPieces(name);
        // A NUL would cut the path short at the system call, so it is as unsafe as "..".
        if (name.starts_with('/') || name.find('\0') != std::string::npos ||
            std::find(pieces.begin(), pieces.end(), "..") != pieces.end())
            throw ZipError::corrupted(L("잘못된 경로: %@", name));
        if (pieces.empty())
            continue;
        // Folders made earlier in this extraction are not asked for again: with many small files
        // the repeated mkdir calls cost more than writing the files.
        const auto makeFolders = [&](std::vector<std::string> folders) {
            std::string key;
            for (const auto &folder : folders)
                key += folder + '/';
            if (!folders.empty() && madeFolders.insert(key).second)
                makeDirectories(destination, folders);
        };
        if (entry.isDirectory) {
            makeFolders(pieces);
            continue;
        }
        makeFolders({pieces.begin(), pieces.end() - 1});
        const auto content = readContent(entry, archive, password, scratch);
        std::string target = destination.native();
        for (const auto &piece : pieces)
            target += '/' + piece;
        writeFile(content, std::filesystem::path(target));
        ++counts.extracted;
    }
    return counts;
}

} // namespace ZipReader
