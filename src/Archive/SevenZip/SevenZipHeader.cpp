#include "Archive/SevenZip/SevenZipHeader.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipFormat.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <algorithm>

namespace SevenZip {

namespace {

constexpr std::uint64_t numberLimit = 0x7FFFFFFFFFFFFFFFULL;

SevenZipReadError outOfRange()
{
    return SevenZipReadError::corrupted(L("범위 초과"));
}

// a + b, or noOffset when the sum does not fit.
std::uint64_t addChecked(std::uint64_t a, std::uint64_t b)
{
    if (a == noOffset || b == noOffset || a > noOffset - 1 - b)
        return noOffset;
    return a + b;
}

class ByteReader {
public:
    explicit ByteReader(ByteView bytes, std::size_t position = 0) : bytes_(bytes), position_(position) {}

    std::size_t position() const { return position_; }
    void setPosition(std::size_t p) { position_ = p; }
    std::size_t remaining() const { return position_ < bytes_.size() ? bytes_.size() - position_ : 0; }

    std::uint8_t readByte()
    {
        if (remaining() < 1)
            throw outOfRange();
        return bytes_[position_++];
    }

    ByteView readBytes(std::uint64_t n)
    {
        if (n > remaining())
            throw outOfRange();
        ByteView view = bytes_.subspan(position_, std::size_t(n));
        position_ += std::size_t(n);
        return view;
    }

    // A 7z number: the leading one bits of the first byte count the bytes that follow (the low
    // part, little-endian); the first byte's bits below them form the high part.
    std::uint64_t readNumber()
    {
        const std::uint8_t first = readByte();
        std::uint8_t mask = 0x80;
        std::uint64_t value = 0;
        for (int i = 0; i < 8; ++i) {
            if ((first & mask) == 0) {
                const std::uint64_t high = first & (mask - 1u);
                value |= high << (8 * i);
                return checked(value);
            }
            value |= std::uint64_t(readByte()) << (8 * i);
            mask >>= 1;
        }
        return checked(value);
    }

    Property readProperty() { return Property(readNumber()); }

    // A count read from the file is checked against the bytes left before anything is sized by it.
    void requireItems(std::uint64_t count, std::uint64_t bytesPerItem = 1) const
    {
        if (count > remaining() / bytesPerItem)
            throw outOfRange();
    }

    // Item i is bit 7 - i % 8 of byte i / 8: the most significant bit first.
    std::vector<bool> readBitVector(std::uint64_t count)
    {
        if (count == 0)
            return {};
        const std::uint64_t byteCount = count / 8 + (count % 8 != 0 ? 1 : 0);
        const ByteView bits = readBytes(byteCount);
        std::vector<bool> items(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i] = (bits[i / 8] >> (7 - i % 8)) & 1;
        return items;
    }

    // An all-defined byte (else a bit vector of the defined ones), then a little-endian CRC-32
    // for each defined item.
    std::vector<std::optional<std::uint32_t>> readDigests(std::uint64_t count)
    {
        const bool allDefined = readByte() != 0;
        std::vector<bool> defined;
        if (allDefined)
            requireItems(count, 4);
        else
            defined = readBitVector(count);
        std::vector<std::optional<std::uint32_t>> digests(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < digests.size(); ++i) {
            if (!allDefined && !defined[i])
                continue;
            const ByteView b = readBytes(4);
            digests[i] = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                         std::uint32_t(b[3]) << 24;
        }
        return digests;
    }

private:
    static std::uint64_t checked(std::uint64_t value)
    {
        if (value >= numberLimit)
            throw SevenZipReadError::corrupted(L("숫자 범위"));
        return value;
    }

    ByteView bytes_;
    std::size_t position_;
};

struct FilesInfo {
    std::uint64_t count = 0;
    std::vector<bool> emptyStream;
    std::vector<bool> emptyFile; // over the empty streams only
    std::vector<std::string> names;
    std::vector<std::optional<std::uint32_t>> attributes;
};

std::uint64_t folderSize(const Folder &folder)
{
    if (folder.unpackSizes.empty())
        return 0;
    const std::uint64_t f = folder.finalOutIndex();
    if (f >= folder.unpackSizes.size())
        throw outOfRange();
    return folder.unpackSizes[f];
}

// Coder flag byte: low 4 bits the ID size; 0x10 in and out counts follow; 0x20 properties follow.
Folder parseFolder(ByteReader &r)
{
    Folder folder;
    const std::uint64_t numCoders = r.readNumber();
    if (numCoders < 1 || numCoders > 8)
        throw SevenZipReadError::corrupted(L("코더 수"));
    for (std::uint64_t i = 0; i < numCoders; ++i) {
        Coder coder;
        const std::uint8_t flag = r.readByte();
        const ByteView id = r.readBytes(flag & 0x0F);
        coder.id.assign(id.begin(), id.end());
        if (flag & 0x10) {
            coder.numIn = r.readNumber();
            coder.numOut = r.readNumber();
            if (coder.numIn > 64 || coder.numOut > 64)
                throw SevenZipReadError::corrupted(L("코더 수"));
        }
        if (flag & 0x20) {
            const ByteView props = r.readBytes(r.readNumber());
            coder.props.assign(props.begin(), props.end());
        }
        folder.coders.push_back(std::move(coder));
    }
    const std::uint64_t totalOut = folder.totalOut();
    const std::uint64_t totalIn = folder.totalIn();
    const std::uint64_t numBindPairs = totalOut > 0 ? totalOut - 1 : 0;
    for (std::uint64_t i = 0; i < numBindPairs; ++i) {
        BindPair pair;
        pair.inIndex = r.readNumber();
        pair.outIndex = r.readNumber();
        folder.bindPairs.push_back(pair);
    }
    if (numBindPairs > totalIn)
        throw SevenZipReadError::corrupted(L("입력 스트림 매핑"));
    // One packed stream is implied: the only in-stream that no bind pair feeds.
    const std::uint64_t numPacked = totalIn - numBindPairs;
    if (numPacked == 1) {
        for (std::uint64_t g = 0; g < totalIn; ++g) {
            const bool bound = std::any_of(folder.bindPairs.begin(), folder.bindPairs.end(),
                                           [g](const BindPair &p) { return p.inIndex == g; });
            if (!bound) {
                folder.packedIndices.push_back(g);
                break;
            }
        }
    } else {
        for (std::uint64_t i = 0; i < numPacked; ++i)
            folder.packedIndices.push_back(r.readNumber());
    }
    return folder;
}

void parsePackInfo(ByteReader &r, StreamsData &s)
{
    s.packPosition = r.readNumber();
    const std::uint64_t count = r.readNumber();
    for (;;) {
        const Property sub = r.readProperty();
        if (sub == Property::end)
            break;
        if (sub == Property::size) {
            r.requireItems(count);
            s.packSizes.clear();
            for (std::uint64_t i = 0; i < count; ++i)
                s.packSizes.push_back(r.readNumber());
        } else if (sub == Property::crc) {
            r.readDigests(count);
        } else {
            throw SevenZipReadError::corrupted(QStringLiteral("PackInfo %1").arg(std::uint64_t(sub)));
        }
    }
}

void parseUnpackInfo(ByteReader &r, StreamsData &s)
{
    if (r.readProperty() != Property::folder)
        throw SevenZipReadError::corrupted(L("Folder 마커"));
    const std::uint64_t count = r.readNumber();
    r.requireItems(count);
    if (r.readByte() != 0) // folders kept in an additional stream
        throw SevenZipReadError::unsupported(L("외부 폴더 정보"));
    s.folders.clear();
    for (std::uint64_t i = 0; i < count; ++i)
        s.folders.push_back(parseFolder(r));
    if (r.readProperty() != Property::codersUnpackSize)
        throw SevenZipReadError::corrupted(L("UnpackSize 마커"));
    for (Folder &folder : s.folders) {
        const std::uint64_t outs = folder.totalOut();
        r.requireItems(outs);
        for (std::uint64_t k = 0; k < outs; ++k)
            folder.unpackSizes.push_back(r.readNumber());
    }
    for (;;) {
        const Property sub = r.readProperty();
        if (sub == Property::end)
            break;
        if (sub != Property::crc)
            throw SevenZipReadError::corrupted(QStringLiteral("UnPackInfo %1").arg(std::uint64_t(sub)));
        const auto digests = r.readDigests(s.folders.size());
        for (std::size_t i = 0; i < s.folders.size(); ++i) {
            if (digests[i]) {
                s.folders[i].crcDefined = true;
                s.folders[i].crc = *digests[i];
            }
        }
    }
}

void parseSubStreamsInfo(ByteReader &r, StreamsData &s)
{
    s.numUnpackStreams.clear();
    s.explicitSizes.reset();
    s.streamCRCs.clear();
    Property type = r.readProperty();
    if (type == Property::numUnpackStream) {
        for (std::size_t i = 0; i < s.folders.size(); ++i)
            s.numUnpackStreams.push_back(r.readNumber());
        type = r.readProperty();
    }
    if (s.numUnpackStreams.empty())
        s.numUnpackStreams.assign(s.folders.size(), 1);
    // Sizes of all but the last file of each folder: the last one takes what remains.
    if (type == Property::size) {
        std::vector<std::uint64_t> sizes;
        for (std::uint64_t n : s.numUnpackStreams) {
            if (n < 2)
                continue;
            r.requireItems(n - 1);
            for (std::uint64_t k = 0; k + 1 < n; ++k)
                sizes.push_back(r.readNumber());
        }
        s.explicitSizes = std::move(sizes);
        type = r.readProperty();
    } else if (std::any_of(s.numUnpackStreams.begin(), s.numUnpackStreams.end(),
                           [](std::uint64_t n) { return n >= 2; })) {
        // Files sharing a folder without their sizes cannot be told apart.
        throw outOfRange();
    }
    // The CRCs cover only the streams whose folder CRC does not already stand for them.
    if (type == Property::crc) {
        std::uint64_t open = 0;
        for (std::size_t i = 0; i < s.folders.size(); ++i) {
            const std::uint64_t n = s.numUnpackStreams[i];
            if (!(n == 1 && s.folders[i].crcDefined))
                open += n; // bounded: every n above 1 was paid for in sizes
        }
        const auto digests = r.readDigests(open);
        std::size_t next = 0;
        for (std::size_t i = 0; i < s.folders.size(); ++i) {
            const std::uint64_t n = s.numUnpackStreams[i];
            if (n == 1 && s.folders[i].crcDefined) {
                s.streamCRCs.emplace_back(s.folders[i].crc);
                continue;
            }
            for (std::uint64_t k = 0; k < n; ++k)
                s.streamCRCs.push_back(next < digests.size() ? digests[next++] : std::nullopt);
        }
        type = r.readProperty();
    }
    if (type != Property::end)
        throw SevenZipReadError::corrupted(QStringLiteral("SubStreams %1").arg(std::uint64_t(type)));
}

StreamsData parseStreamsInfo(ByteReader &r)
{
    StreamsData s;
    for (;;) {
        const Property id = r.readProperty();
        switch (id) {
        case Property::end:
            if (s.numUnpackStreams.empty())
                s.numUnpackStreams.assign(s.folders.size(), 1);
            // Substreams info read before the folders it counts would not match them.
            if (s.numUnpackStreams.size() != s.folders.size())
                throw outOfRange();
            return s;
        case Property::packInfo:
            parsePackInfo(r, s);
            break;
        case Property::unpackInfo:
            parseUnpackInfo(r, s);
            break;
        case Property::subStreamsInfo:
            parseSubStreamsInfo(r, s);
            break;
        default:
            throw SevenZipReadError::unsupported(L("StreamsInfo 섹션 %lld", std::uint64_t(id)));
        }
    }
}

std::string utf16ToUtf8(const std::vector<char16_t> &units)
{
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            Text::appendUtf8(out,
                             0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(units[i + 1]) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            Text::appendUtf8(out, 0xFFFD);
        } else {
            Text::appendUtf8(out, u == u'\\' ? u'/' : u);
        }
    }
    return out;
}

// An external-storage byte, then each name as UTF-16LE code units ended by a zero unit.
void readNames(ByteReader &prop, std::uint64_t count, std::vector<std::string> &names)
{
    if (prop.readByte() != 0)
        throw SevenZipReadError::unsupported(L("외부 이름 저장"));
    names.clear();
    std::vector<char16_t> units;
    while (names.size() < count && prop.remaining() >= 2) {
        units.clear();
        bool ended = false;
        while (prop.remaining() >= 2) {
            const ByteView b = prop.readBytes(2);
            const auto unit = char16_t(b[0] | (b[1] << 8));
            if (unit == 0) {
                ended = true;
                break;
            }
            units.push_back(unit);
        }
        if (!ended)
            break; // cut off by the end of the property
        names.push_back(utf16ToUtf8(units));
    }
}

// A defined-bits vector, an external-storage byte, then 4 bytes for each defined file. Attributes
// kept elsewhere are not read.
std::vector<std::optional<std::uint32_t>> readAttributes(ByteReader &prop, std::uint64_t count)
{
    const bool allDefined = prop.readByte() != 0;
    const std::vector<bool> defined = allDefined ? std::vector<bool>() : prop.readBitVector(count);
    if (prop.readByte() != 0)
        return {};
    std::vector<std::optional<std::uint32_t>> attributes;
    for (std::uint64_t i = 0; i < count && prop.remaining() >= 4; ++i) {
        if (!allDefined && !defined[std::size_t(i)]) {
            attributes.emplace_back();
            continue;
        }
        const ByteView b = prop.readBytes(4);
        attributes.emplace_back(std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                                std::uint32_t(b[3]) << 24);
    }
    return attributes;
}

// A Unix mode in the upper 16 bits (7-Zip's extension bit 0x8000 set) that says symbolic link.
bool isSymbolicLink(const std::optional<std::uint32_t> &attributes)
{
    constexpr std::uint32_t unixExtension = 0x8000;
    return attributes && (*attributes & unixExtension) != 0 && ((*attributes >> 16) & 0170000) == 0120000;
}

// Each property: its type, its size, then that many bytes (so unknown ones can be skipped).
FilesInfo parseFilesInfo(ByteReader &r, ByteView header)
{
    FilesInfo info;
    info.count = r.readNumber();
    for (;;) {
        const Property type = r.readProperty();
        if (type == Property::end)
            break;
        const std::uint64_t size = r.readNumber();
        const std::size_t start = r.position();
        if (size >= r.remaining()) // the property and the end marker must fit
            throw outOfRange();
        ByteReader prop(header.subspan(start, std::size_t(size)));
        switch (type) {
        case Property::emptyStream:
            info.emptyStream = prop.readBitVector(info.count);
            break;
        case Property::emptyFile:
            info.emptyFile = prop.readBitVector(
                std::uint64_t(std::count(info.emptyStream.begin(), info.emptyStream.end(), true)));
            break;
        case Property::name:
            readNames(prop, info.count, info.names);
            break;
        case Property::windowsAttributes:
            info.attributes = readAttributes(prop, info.count);
            break;
        default:
            // Times, anti items and the rest carry nothing the reader uses: a folder is an empty
            // stream that is not an empty file.
            break;
        }
        r.setPosition(start + std::size_t(size));
    }
    return info;
}

std::vector<FileRecord> buildRecords(const FilesInfo &files, const std::vector<std::uint64_t> &flatSizes)
{
    const auto empties = std::uint64_t(std::count(files.emptyStream.begin(), files.emptyStream.end(), true));
    // Every file with data needs a stream; more files than that would be records of nothing.
    if (files.count - empties > flatSizes.size())
        throw SevenZipReadError::corrupted(L("스트림 매핑"));
    std::vector<FileRecord> records;
    records.reserve(std::size_t(files.count));
    std::size_t e = 0;
    std::size_t s = 0;
    for (std::size_t i = 0; i < files.count; ++i) {
        FileRecord record;
        record.name = i < files.names.size() ? files.names[i] : "항목" + std::to_string(i);
        record.isSymbolicLink = i < files.attributes.size() && isSymbolicLink(files.attributes[i]);
        if (i < files.emptyStream.size() && files.emptyStream[i]) {
            record.isDirectory = !(e < files.emptyFile.size() && files.emptyFile[e]);
            ++e;
        } else {
            record.hasStream = true;
            record.size = flatSizes[s++];
        }
        records.push_back(std::move(record));
    }
    return records;
}

std::uint32_t readUInt32LE(ByteView bytes, std::size_t offset)
{
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

std::uint64_t readUInt64LE(ByteView bytes, std::size_t offset)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | bytes[offset + std::size_t(i)];
    return v;
}

// The real header of an encoded one: its first folder decoded from the packed streams.
Bytes decodeHeader(const ArchiveInput &input, const StreamsData &s, const QString &password, KeyCache &keys)
{
    if (s.folders.empty())
        throw SevenZipReadError::corrupted(L("헤더 폴더"));
    const Folder &folder = s.folders[0];
    if (folder.hasAES() && password.isEmpty())
        throw SevenZipReadError::passwordRequired();
    PackedStreams packed = packedStreams(input, s, s.packOffsets(), 0, s.packSizes.size(),
                                         QT_TRANSLATE_NOOP("Quillfern", "헤더 데이터"));
    // The decoded header's CRC is checked here, to name the header when it fails.
    Folder unchecked = folder;
    unchecked.crcDefined = false;
    BufferPool buffers;
    FolderStream stream(unchecked, std::move(packed.sources), std::move(packed.sizes), password, keys,
                        buffers);
    if (stream.declaredSize() > maxHeaderSize)
        throw SevenZipReadError::corrupted(L("메모리 부족"));
    Bytes decoded = readAll(stream);
    const std::optional<std::uint32_t> expected = folder.crcDefined      ? std::optional(folder.crc)
                                                  : s.streamCRCs.empty() ? std::nullopt
                                                                         : s.streamCRCs[0];
    if (expected && crc32(decoded) != *expected) {
        // Garbage that a wrong key decrypted fails here first.
        if (folder.hasAES())
            throw SevenZipReadError::wrongPassword();
        throw SevenZipReadError::corrupted(L("인코딩된 헤더 CRC"));
    }
    return decoded;
}

} // namespace

std::vector<std::uint64_t> StreamsData::flatSizes() const
{
    std::vector<std::uint64_t> sizes;
    std::size_t cursor = 0;
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const std::uint64_t n = i < numUnpackStreams.size() ? numUnpackStreams[i] : 1;
        const std::uint64_t total = folderSize(folders[i]);
        if (n == 0)
            continue;
        if (n == 1) {
            sizes.push_back(total);
            continue;
        }
        // Several files in one folder need their sizes; without them the data cannot be divided.
        if (!explicitSizes || n - 1 > explicitSizes->size() - cursor)
            throw outOfRange();
        std::uint64_t sum = 0;
        for (std::uint64_t k = 0; k + 1 < n; ++k) {
            const std::uint64_t size = (*explicitSizes)[cursor++];
            sum = addChecked(sum, size);
            if (sum > total)
                throw outOfRange();
            sizes.push_back(size);
        }
        sizes.push_back(total - sum);
    }
    return sizes;
}

std::vector<std::uint64_t> StreamsData::packOffsets() const
{
    std::vector<std::uint64_t> offsets;
    offsets.reserve(packSizes.size());
    std::uint64_t at = addChecked(startHeaderSize, packPosition);
    for (std::uint64_t size : packSizes) {
        offsets.push_back(at);
        at = addChecked(at, size);
    }
    return offsets;
}

PackedStreams packedStreams(const ArchiveInput &input, const StreamsData &streams,
                            const std::vector<std::uint64_t> &offsets, std::uint64_t first,
                            std::uint64_t count, const char *detail)
{
    PackedStreams packed;
    for (std::uint64_t k = first; k - first < count; ++k) {
        if (k >= streams.packSizes.size())
            throw SevenZipReadError::corrupted(L(detail));
        const std::uint64_t start = offsets[std::size_t(k)];
        const std::uint64_t size = streams.packSizes[std::size_t(k)];
        const std::uint64_t end = addChecked(start, size);
        if (end == noOffset || end > input.size())
            throw SevenZipReadError::corrupted(L(detail));
        packed.sources.push_back(rangeSource(input, start, size));
        packed.sizes.push_back(size);
    }
    return packed;
}

ArchiveHeader readHeader(const ArchiveInput &input, const QString &password, KeyCache &keys)
{
    std::array<std::uint8_t, startHeaderSize> start{};
    if (input.size() < startHeaderSize + 1 || input.readAt(0, start) != start.size() ||
        !std::equal(signature.begin(), signature.end(), start.begin()))
        throw SevenZipReadError::notSevenZip();
    const std::uint64_t offset = readUInt64LE(start, 12);
    const std::uint64_t size = readUInt64LE(start, 20);
    const std::uint64_t headerStart = addChecked(startHeaderSize, offset);
    const std::uint64_t headerEnd = addChecked(headerStart, size);
    if (size == 0 || headerEnd == noOffset || headerEnd > input.size())
        throw SevenZipReadError::corrupted(L("헤더 위치"));
    if (size > maxHeaderSize)
        throw SevenZipReadError::corrupted(L("메모리 부족"));
    auto stored = input.bytes(headerStart, std::size_t(size));
    if (!stored)
        throw SevenZipReadError::corrupted(L("헤더 위치"));
    Bytes header = std::move(*stored);
    // The start header's CRC covers its last 20 bytes, the header's CRC the header: a damaged
    // header could parse as a plausible one (a name with a byte changed).
    if (readUInt32LE(start, 8) != crc32(std::span(start).subspan(12)))
        throw SevenZipReadError::corrupted(L("시작 헤더 CRC"));
    if (readUInt32LE(start, 28) != crc32(header))
        throw SevenZipReadError::corrupted(L("헤더 CRC"));

    ArchiveHeader parsed;
    if (header[0] == byte(Property::encodedHeader)) {
        ByteReader r(header, 1);
        const StreamsData s = parseStreamsInfo(r);
        Bytes decoded = decodeHeader(input, s, password, keys);
        const bool aes = s.folders[0].hasAES();
        if (decoded.empty())
            throw outOfRange();
        if (decoded[0] != byte(Property::header)) {
            if (aes)
                throw SevenZipReadError::wrongPassword();
            throw SevenZipReadError::corrupted(L("헤더 시작"));
        }
        parsed.headerEncrypted = aes;
        header = std::move(decoded);
    } else if (header[0] != byte(Property::header)) {
        throw SevenZipReadError::corrupted(L("헤더 시작"));
    }

    ByteReader r(header, 1);
    FilesInfo files;
    for (;;) {
        const Property id = r.readProperty();
        if (id == Property::end)
            break;
        if (id == Property::mainStreamsInfo)
            parsed.streams = parseStreamsInfo(r);
        else if (id == Property::filesInfo)
            files = parseFilesInfo(r, header);
        else
            throw SevenZipReadError::unsupported(L("헤더 섹션 %lld", std::uint64_t(id)));
    }
    parsed.flatSizes = parsed.streams.flatSizes();
    parsed.packOffsets = parsed.streams.packOffsets();
    parsed.entries = buildRecords(files, parsed.flatSizes);
    parsed.filesEncrypted = std::any_of(parsed.streams.folders.begin(), parsed.streams.folders.end(),
                                        [](const Folder &f) { return f.hasAES(); });
    return parsed;
}

} // namespace SevenZip
