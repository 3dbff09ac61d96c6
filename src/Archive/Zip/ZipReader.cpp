#include "Archive/Zip/ZipReader.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ExtractionFolder.h"
#include "Archive/Zip/ZipContent.h"
#include "Archive/Zip/ZipFormat.h"
#include "Archive/ZipError.h"
#include "Core/AtomicFile.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <algorithm>
#include <array>

namespace fs = std::filesystem;
using namespace ZipFormat;

namespace {

using Bytes = std::vector<std::uint8_t>;
using ZipContent::corrupted;
using ZipContent::DataRange;
using ZipContent::dataRange;

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
        if (id == extraAes && size >= 7) {
            // vendor version (2), "AE" (2), strength (1), actual method (2)
            entry.aesStrength = block[4];
            entry.aesActualMethod = le16(block + 5);
        } else if (id == extraUnicodePath && size >= 6) {
            // version (1), CRC-32 of the stored name (4), the name in UTF-8
            std::string text(reinterpret_cast<const char *>(block + 5), size - 5);
            unicodeName = Text::isValidUtf8(text) ? std::optional(std::move(text)) : std::nullopt;
        }
        at = data + size;
    }
}

// Where the central directory lies.
struct DirectoryPlace {
    std::uint64_t start = 0; // where it actually starts
    std::uint32_t size = 0;
    std::uint16_t total = 0;
    // Bytes before the archive (a self-extractor's program) that its offsets do not count.
    std::uint64_t shift = 0;
};

bool signatureAt(const ArchiveInput &input, std::uint64_t at, std::uint32_t signature)
{
    std::array<std::uint8_t, 4> bytes{};
    return input.readAt(at, bytes) == bytes.size() && le32(bytes.data()) == signature;
}

// The ZIP64 end record a locator names; returns where it starts. Info-ZIP writes one whenever it
// streams, with values that all fit the end record's fields, and such an archive reads as any
// other; a record with larger values (or one that cannot be found) means an archive that needs
// ZIP64.
std::uint64_t zip64EndRecord(const ArchiveInput &input, const std::uint8_t *locator, std::uint64_t endRecord,
                             std::uint16_t total, std::uint32_t directorySize, std::uint32_t directoryOffset)
{
    // Locator: signature, the record's disk (4), its offset (8), the number of disks (16).
    if (le32(locator + 4) != 0 || le32(locator + 16) > 1)
        throw zip64();
    // The record ends where the locator starts; bytes before the archive move it from where the
    // locator says.
    const std::uint64_t locatorAt = endRecord - zip64LocatorSize;
    std::array<std::uint8_t, zip64EndRecordSize> record{};
    for (const std::uint64_t at :
         {le64(locator + 8), locatorAt - std::min<std::uint64_t>(locatorAt, record.size())}) {
        if (at > locatorAt || locatorAt - at < record.size() || input.readAt(at, record) != record.size() ||
            le32(record.data()) != zip64EndRecordSignature)
            continue;
        // Record: signature, size (4), versions (12, 14), disk (16), directory's disk (20),
        // records here (24), total records (32), directory size (40), directory offset (48).
        const std::uint8_t *r = record.data();
        if (le32(r + 16) != 0 || le32(r + 20) != 0 || le64(r + 24) != total || le64(r + 32) != total ||
            le64(r + 40) != directorySize || le64(r + 48) != directoryOffset)
            throw zip64();
        return at;
    }
    throw zip64();
}

DirectoryPlace locateDirectory(const ArchiveInput &input)
{
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
    // A field with all bits set says its real value is in the ZIP64 records.
    if (directorySize == zip64Marker32 || directoryOffset == zip64Marker32 || disk == zip64Marker16 ||
        directoryDisk == zip64Marker16)
        throw zip64();

    // The directory ends right before the ZIP64 end record when a locator names one.
    std::uint64_t directoryEnd = endRecord;
    std::array<std::uint8_t, zip64LocatorSize> locator{};
    if (endRecord >= zip64LocatorSize &&
        input.readAt(endRecord - zip64LocatorSize, locator) == locator.size() &&
        le32(locator.data()) == zip64LocatorSignature)
        directoryEnd =
            zip64EndRecord(input, locator.data(), endRecord, total, directorySize, directoryOffset);
    if (directoryOffset >= size)
        throw corrupted("중앙 디렉터리 위치");

    // A self-extractor's program before the archive moves everything by its length, offsets not
    // counting it: the directory then lies right before its end, not where its offset says.
    std::uint64_t shift = 0;
    if (directorySize > 0 && std::uint64_t(directoryOffset) + directorySize < directoryEnd) {
        const std::uint64_t actual = directoryEnd - directorySize;
        if (!signatureAt(input, directoryOffset, centralHeaderSignature) &&
            signatureAt(input, actual, centralHeaderSignature))
            shift = actual - directoryOffset;
    }
    if (directoryOffset + shift + directorySize > directoryEnd)
        throw corrupted("중앙 디렉터리 항목");
    return {directoryOffset + shift, directorySize, total, shift};
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
        const DirectoryPlace place = locateDirectory(input);
        const std::uint16_t total = place.total;
        const std::uint32_t directorySize = place.size;
        const std::uint64_t directoryEnd = place.start + directorySize;
        CentralWindow window(input, directoryEnd);
        std::vector<ZipEntry> entries;
        entries.reserve(std::min<std::size_t>(total, directorySize / centralHeaderSize));
        std::uint64_t records = 0;
        std::uint64_t pos = place.start;
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
            if (compressed == zip64Marker32 || uncompressed == zip64Marker32 || offset == zip64Marker32 ||
                le16(r + 34) == zip64Marker16)
                throw zip64();
            entry.compressedSize = compressed;
            entry.uncompressedSize = uncompressed;
            entry.localHeaderOffset = std::int64_t(offset + place.shift);
            // Made by (4): the host in its upper byte; external attributes (38).
            entry.isSymbolicLink =
                (le16(r + 4) >> 8) == hostUnix && ((le32(r + 38) >> 16) & unixTypeMask) == unixSymbolicLink;

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

            auto [name, encoding] = decodeName(rawName, (entry.flags & flagUtf8Name) != 0, unicodeName);
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

std::vector<std::uint8_t> extractData(const ZipEntry &entry, const ArchiveInput &archive,
                                      const std::string &password)
{
    return memoryGuarded([&] {
        const DataRange range = dataRange(entry, archive);
        ZipContent::Scratch scratch;
        Bytes content;
        ZipContent::stream(entry, range, archive, password, scratch,
                           [&](std::span<const std::uint8_t> piece) {
                               content.insert(content.end(), piece.begin(), piece.end());
                           });
        return content;
    });
}

void extractFile(const ZipEntry &entry, const ArchiveInput &archive, const std::string &password,
                 const fs::path &target, int folder)
{
    memoryGuarded([&] {
        const DataRange range = dataRange(entry, archive);
        ZipContent::Scratch scratch;
        AtomicFile out = ExtractionFolder(target.parent_path(), folder).createTarget(target);
        ZipContent::stream(entry, range, archive, password, scratch,
                           [&](std::span<const std::uint8_t> piece) { out.write(piece); });
        out.commit();
    });
}

ExtractCounts extract(const std::vector<ZipEntry> &entries, const ArchiveInput &archive,
                      const fs::path &destination, bool skippingMacJunk,
                      const std::optional<std::string> &strippingPrefix, const std::string &password,
                      int destinationFolder)
{
    return memoryGuarded([&] {
        const auto ranges = dataRanges(entries, archive);
        const std::optional<std::string> prefix =
            strippingPrefix ? std::optional(Text::toNfc(*strippingPrefix)) : std::nullopt;

        ExtractCounts counts;
        ZipContent::Scratch scratch;
        ExtractionFolder folder(destination, destinationFolder);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const ZipEntry &entry = entries[i];
            if (skippingMacJunk && entry.isMacJunk()) {
                ++counts.skipped;
                continue;
            }
            // Extraction never makes a symbolic link: its entry is left out, counted nowhere.
            if (entry.isSymbolicLink)
                continue;
            const std::string fullName = Text::toNfc(entry.decodedName);
            const auto below = belowPrefix(fullName, prefix);
            if (!below)
                continue;
            const std::string_view name = *below;
            const std::vector<std::string> pieces = nameParts(name);
            if (leavesDestination(name, pieces))
                throw ZipError::corrupted(L("잘못된 경로: %@", name));
            if (pieces.empty())
                continue;
            if (entry.isDirectory) {
                folder.makeFolders(pieces);
                continue;
            }
            folder.makeFolders(std::span(pieces).first(pieces.size() - 1));
            const DataRange range = ranges[i] ? *ranges[i] : dataRange(entry, archive);
            // A name taken by an earlier entry (the same NFC name, or a repeat) gets a free name.
            AtomicFile out = folder.createFree(pieces);
            ZipContent::stream(entry, range, archive, password, scratch,
                               [&](std::span<const std::uint8_t> piece) { out.write(piece); });
            out.commit();
            ++counts.extracted;
        }
        return counts;
    });
}

} // namespace ZipReader
