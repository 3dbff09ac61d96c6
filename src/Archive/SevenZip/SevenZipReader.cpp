#include "Archive/SevenZip/SevenZipReader.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipCoders.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <algorithm>
#include <limits>
#include <map>

namespace SevenZipReader {

namespace {

using SevenZip::Bytes;
using SevenZip::ByteView;
using SevenZip::Folder;

constexpr std::uint64_t numberLimit = 0x7FFFFFFFFFFFFFFFULL;
constexpr std::uint64_t noOffset = std::numeric_limits<std::uint64_t>::max();

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

    // A count read from the file is checked against the bytes left before anything is sized by it.
    void requireItems(std::uint64_t count, std::uint64_t bytesPerItem = 1) const
    {
        if (count > remaining() / bytesPerItem)
            throw outOfRange();
    }

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

struct StreamsData {
    std::uint64_t packPosition = 0;
    std::vector<std::uint64_t> packSizes;
    std::vector<Folder> folders;
    std::vector<std::uint64_t> numUnpackStreams;
    std::optional<std::vector<std::uint64_t>> explicitSizes;
    std::vector<std::optional<std::uint32_t>> streamCRCs;

    // Sizes of every file stream, folder by folder.
    std::vector<std::uint64_t> flatSizes() const;
    // The folder holding stream s (starts: each folder's first stream).
    std::optional<std::size_t> folderIndex(std::uint64_t s, const std::vector<std::uint64_t> &starts) const;
};

struct FileRecord {
    std::string name;
    bool isDirectory = false;
    bool hasStream = false;
    std::uint64_t size = 0;
};

struct FilesInfo {
    std::uint64_t count = 0;
    std::vector<bool> emptyStream;
    std::vector<bool> emptyFile;
    std::vector<std::string> names;
};

struct Parsed {
    ByteView bytes;
    Bytes decodedHeader;
    StreamsData streams;
    std::vector<std::uint64_t> flatSizes;
    std::vector<FileRecord> entries;
    bool filesEncrypted = false;
    bool headerEncrypted = false;
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

std::optional<std::size_t> StreamsData::folderIndex(std::uint64_t s,
                                                    const std::vector<std::uint64_t> &starts) const
{
    // starts never decrease: the last folder starting at or before s is the only candidate.
    auto it = std::upper_bound(starts.begin(), starts.end(), s);
    if (it == starts.begin())
        return std::nullopt;
    const auto f = std::size_t(it - starts.begin() - 1);
    if (s - starts[f] < numUnpackStreams[f])
        return f;
    return std::nullopt;
}

Folder parseFolder(ByteReader &r)
{
    Folder folder;
    const std::uint64_t numCoders = r.readNumber();
    if (numCoders < 1 || numCoders > 8)
        throw SevenZipReadError::corrupted(L("코더 수"));
    for (std::uint64_t i = 0; i < numCoders; ++i) {
        SevenZip::Coder coder;
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
        SevenZip::BindPair pair;
        pair.inIndex = r.readNumber();
        pair.outIndex = r.readNumber();
        folder.bindPairs.push_back(pair);
    }
    if (numBindPairs > totalIn)
        throw SevenZipReadError::corrupted(L("입력 스트림 매핑"));
    const std::uint64_t numPacked = totalIn - numBindPairs;
    if (numPacked == 1) {
        for (std::uint64_t g = 0; g < totalIn; ++g) {
            const bool bound = std::any_of(folder.bindPairs.begin(), folder.bindPairs.end(),
                                           [g](const SevenZip::BindPair &p) { return p.inIndex == g; });
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
        const std::uint64_t sub = r.readNumber();
        if (sub == 0)
            break;
        if (sub == 0x09) {
            r.requireItems(count);
            s.packSizes.clear();
            for (std::uint64_t i = 0; i < count; ++i)
                s.packSizes.push_back(r.readNumber());
        } else if (sub == 0x0A) {
            r.readDigests(count);
        } else {
            throw SevenZipReadError::corrupted(QStringLiteral("PackInfo %1").arg(sub));
        }
    }
}

void parseUnpackInfo(ByteReader &r, StreamsData &s)
{
    if (r.readNumber() != 0x0B)
        throw SevenZipReadError::corrupted(L("Folder 마커"));
    const std::uint64_t count = r.readNumber();
    r.requireItems(count);
    if (r.readByte() != 0)
        throw SevenZipReadError::unsupported(L("외부 폴더 정보"));
    s.folders.clear();
    for (std::uint64_t i = 0; i < count; ++i)
        s.folders.push_back(parseFolder(r));
    if (r.readNumber() != 0x0C)
        throw SevenZipReadError::corrupted(L("UnpackSize 마커"));
    for (Folder &folder : s.folders) {
        const std::uint64_t outs = folder.totalOut();
        r.requireItems(outs);
        for (std::uint64_t k = 0; k < outs; ++k)
            folder.unpackSizes.push_back(r.readNumber());
    }
    for (;;) {
        const std::uint64_t sub = r.readNumber();
        if (sub == 0)
            break;
        if (sub != 0x0A)
            throw SevenZipReadError::corrupted(QStringLiteral("UnPackInfo %1").arg(sub));
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
    std::uint64_t type = r.readNumber();
    if (type == 0x0D) {
        for (std::size_t i = 0; i < s.folders.size(); ++i)
            s.numUnpackStreams.push_back(r.readNumber());
        type = r.readNumber();
    }
    if (s.numUnpackStreams.empty())
        s.numUnpackStreams.assign(s.folders.size(), 1);
    if (type == 0x09) {
        std::vector<std::uint64_t> sizes;
        for (std::uint64_t n : s.numUnpackStreams) {
            if (n < 2)
                continue;
            r.requireItems(n - 1);
            for (std::uint64_t k = 0; k + 1 < n; ++k)
                sizes.push_back(r.readNumber());
        }
        s.explicitSizes = std::move(sizes);
        type = r.readNumber();
    } else if (std::any_of(s.numUnpackStreams.begin(), s.numUnpackStreams.end(),
                           [](std::uint64_t n) { return n >= 2; })) {
        // Files sharing a folder without their sizes cannot be told apart.
        throw outOfRange();
    }
    if (type == 0x0A) {
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
        type = r.readNumber();
    }
    if (type != 0)
        throw SevenZipReadError::corrupted(QStringLiteral("SubStreams %1").arg(type));
}

StreamsData parseStreamsInfo(ByteReader &r)
{
    StreamsData s;
    for (;;) {
        const std::uint64_t id = r.readNumber();
        switch (id) {
        case 0x00:
            if (s.numUnpackStreams.empty())
                s.numUnpackStreams.assign(s.folders.size(), 1);
            if (s.numUnpackStreams.size() != s.folders.size())
                throw outOfRange();
            return s;
        case 0x06:
            parsePackInfo(r, s);
            break;
        case 0x07:
            parseUnpackInfo(r, s);
            break;
        case 0x08:
            parseSubStreamsInfo(r, s);
            break;
        default:
            throw SevenZipReadError::unsupported(L("StreamsInfo 섹션 %lld", id));
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

FilesInfo parseFilesInfo(ByteReader &r, ByteView header)
{
    FilesInfo info;
    info.count = r.readNumber();
    for (;;) {
        const std::uint64_t type = r.readNumber();
        if (type == 0)
            break;
        const std::uint64_t size = r.readNumber();
        const std::size_t start = r.position();
        if (size >= r.remaining()) // the property and the end marker must fit
            throw outOfRange();
        ByteReader prop(header.subspan(start, std::size_t(size)));
        switch (type) {
        case 0x0E:
            info.emptyStream = prop.readBitVector(info.count);
            break;
        case 0x0F:
            info.emptyFile = prop.readBitVector(
                std::uint64_t(std::count(info.emptyStream.begin(), info.emptyStream.end(), true)));
            break;
        case 0x11:
            readNames(prop, info.count, info.names);
            break;
        default:
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

std::uint64_t readUInt64LE(ByteView bytes, std::size_t offset)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | bytes[offset + std::size_t(i)];
    return v;
}

// Start offsets of every pack stream (noOffset where a sum overflows).
std::vector<std::uint64_t> packOffsets(const StreamsData &s)
{
    std::vector<std::uint64_t> offsets;
    std::uint64_t at = addChecked(32, s.packPosition);
    for (std::uint64_t size : s.packSizes) {
        offsets.push_back(at);
        at = addChecked(at, size);
    }
    return offsets;
}

ByteView cutPackStream(ByteView file, const StreamsData &s, const std::vector<std::uint64_t> &offsets,
                       std::uint64_t index, const char *detail)
{
    if (index >= s.packSizes.size())
        throw SevenZipReadError::corrupted(L(detail));
    const std::uint64_t start = offsets[std::size_t(index)];
    const std::uint64_t end = addChecked(start, s.packSizes[std::size_t(index)]);
    if (end == noOffset || end > file.size())
        throw SevenZipReadError::corrupted(L(detail));
    return file.subspan(std::size_t(start), std::size_t(end - start));
}

Parsed parse(ByteView file, const QString &password, SevenZip::KeyCache &keys)
{
    static constexpr std::uint8_t signature[6] = {0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C};
    if (file.size() < 33 || !std::equal(std::begin(signature), std::end(signature), file.begin()))
        throw SevenZipReadError::notSevenZip();
    Parsed parsed;
    parsed.bytes = file;
    const std::uint64_t offset = readUInt64LE(file, 12);
    const std::uint64_t size = readUInt64LE(file, 20);
    const std::uint64_t start = addChecked(32, offset);
    const std::uint64_t end = addChecked(start, size);
    if (size == 0 || end == noOffset || end > file.size())
        throw SevenZipReadError::corrupted(L("헤더 위치"));
    ByteView header = file.subspan(std::size_t(start), std::size_t(size));

    if (header[0] == 0x17) {
        ByteReader r(header, 1);
        const StreamsData s = parseStreamsInfo(r);
        if (s.folders.empty())
            throw SevenZipReadError::corrupted(L("헤더 폴더"));
        const Folder &folder = s.folders[0];
        if (folder.hasAES() && password.isEmpty())
            throw SevenZipReadError::passwordRequired();
        const auto offsets = packOffsets(s);
        std::vector<ByteView> packs;
        for (std::size_t k = 0; k < s.packSizes.size(); ++k)
            packs.push_back(
                cutPackStream(file, s, offsets, k, QT_TRANSLATE_NOOP("Quillfern", "헤더 데이터")));
        parsed.decodedHeader = SevenZip::decodeFolder(folder, packs, password, &keys);
        if (parsed.decodedHeader.empty())
            throw outOfRange();
        if (parsed.decodedHeader[0] != 0x01) {
            if (folder.hasAES())
                throw SevenZipReadError::wrongPassword();
            throw SevenZipReadError::corrupted(L("헤더 시작"));
        }
        parsed.headerEncrypted = folder.hasAES();
        header = parsed.decodedHeader;
    } else if (header[0] != 0x01) {
        throw SevenZipReadError::corrupted(L("헤더 시작"));
    }

    ByteReader r(header, 1);
    FilesInfo files;
    for (;;) {
        const std::uint64_t id = r.readNumber();
        if (id == 0)
            break;
        if (id == 0x04)
            parsed.streams = parseStreamsInfo(r);
        else if (id == 0x05)
            files = parseFilesInfo(r, header);
        else
            throw SevenZipReadError::unsupported(L("헤더 섹션 %lld", id));
    }
    parsed.flatSizes = parsed.streams.flatSizes();
    parsed.entries = buildRecords(files, parsed.flatSizes);
    parsed.filesEncrypted = std::any_of(parsed.streams.folders.begin(), parsed.streams.folders.end(),
                                        [](const Folder &f) { return f.hasAES(); });
    return parsed;
}

ArchiveInfo toInfo(const Parsed &parsed)
{
    ArchiveInfo info;
    info.filesEncrypted = parsed.filesEncrypted;
    info.headerEncrypted = parsed.headerEncrypted;
    info.entries.reserve(parsed.entries.size());
    for (const FileRecord &record : parsed.entries)
        info.entries.push_back({record.name, record.isDirectory, std::int64_t(record.size)});
    return info;
}

Bytes readArchive(const std::filesystem::path &path)
{
    try {
        return readWholeFile(path);
    } catch (const ZipError &) {
        throw SevenZipReadError::corrupted(L("파일 읽기"));
    }
}

std::filesystem::path joined(const std::filesystem::path &base, const std::vector<std::string> &parts)
{
    std::string relative;
    for (const std::string &part : parts) {
        if (!relative.empty())
            relative += '/';
        relative += part;
    }
    return base / std::filesystem::path(relative);
}

void makeDirectoriesQuietly(const std::filesystem::path &base, const std::vector<std::string> &components)
{
    try {
        makeDirectories(base, components);
    } catch (const ZipError &) {
        // A folder that cannot be made shows up when its file is written.
    }
}

} // namespace

std::optional<std::vector<std::string>> pathComponents(std::string_view name,
                                                       const std::optional<std::string> &strippingPrefix)
{
    if (strippingPrefix) {
        const std::string &p = *strippingPrefix;
        const bool within = name.substr(0, p.size()) == p;
        const bool isTop = name == p || std::string(name) + "/" == p;
        if (!within || isTop)
            return std::nullopt;
        name.remove_prefix(p.size());
    }
    if (name.empty() || name.front() == '/' || name.find('\0') != std::string_view::npos)
        return std::nullopt;
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= name.size()) {
        std::size_t slash = name.find('/', begin);
        if (slash == std::string_view::npos)
            slash = name.size();
        if (slash > begin) {
            std::string part(name.substr(begin, slash - begin));
            if (part == "..")
                return std::nullopt;
            parts.push_back(std::move(part));
        }
        begin = slash + 1;
    }
    if (parts.empty())
        return std::nullopt;
    return parts;
}

ArchiveInfo infoFromMemory(std::span<const std::uint8_t> archive, const QString &password)
{
    SevenZip::KeyCache keys;
    return toInfo(parse(archive, password, keys));
}

ArchiveInfo info(const std::filesystem::path &path, const QString &password)
{
    const Bytes bytes = readArchive(path);
    return infoFromMemory(bytes, password);
}

std::int64_t extractFromMemory(std::span<const std::uint8_t> archive, const std::filesystem::path &to,
                               bool skippingMacJunk, const std::optional<std::string> &strippingPrefix,
                               const std::optional<std::filesystem::path> &singleFileTarget,
                               const QString &password)
{
    SevenZip::KeyCache keys;
    const Parsed parsed = parse(archive, password, keys);
    const StreamsData &s = parsed.streams;
    const auto offsets = packOffsets(s);

    // Each folder's first pack stream and first file stream, and each stream's place in its folder.
    std::vector<std::uint64_t> firstPack, firstStream;
    std::uint64_t pack = 0;
    std::uint64_t stream = 0;
    for (std::size_t f = 0; f < s.folders.size(); ++f) {
        firstPack.push_back(pack);
        firstStream.push_back(stream);
        pack += s.folders[f].totalIn() - s.folders[f].bindPairs.size();
        stream += s.numUnpackStreams[f];
    }
    std::vector<std::uint64_t> offsetInFolder(parsed.flatSizes.size());
    {
        std::size_t k = 0;
        for (std::size_t f = 0; f < s.folders.size(); ++f) {
            std::uint64_t at = 0;
            for (std::uint64_t n = 0; n < s.numUnpackStreams[f] && k < offsetInFolder.size(); ++n, ++k) {
                offsetInFolder[k] = at;
                at = addChecked(at, parsed.flatSizes[k]);
            }
        }
    }

    std::map<std::size_t, Bytes> cache;
    std::vector<std::uint64_t> streamsLeft = s.numUnpackStreams;
    auto folderBytes = [&](std::size_t f) -> const Bytes & {
        auto it = cache.find(f);
        if (it != cache.end())
            return it->second;
        const Folder &folder = s.folders[f];
        std::vector<ByteView> packs;
        for (std::size_t k = 0; k < folder.packedIndices.size(); ++k)
            packs.push_back(cutPackStream(archive, s, offsets, firstPack[f] + k,
                                          QT_TRANSLATE_NOOP("Quillfern", "데이터 범위")));
        return cache.emplace(f, SevenZip::decodeFolder(folder, packs, password, &keys)).first->second;
    };
    // A folder is dropped once its last file is done with.
    auto release = [&](std::size_t f) {
        if (streamsLeft[f] > 0 && --streamsLeft[f] == 0)
            cache.erase(f);
    };

    std::int64_t written = 0;
    std::uint64_t streamIndex = 0;
    for (const FileRecord &record : parsed.entries) {
        const std::string name = Text::toNfc(record.name);
        if (record.hasStream) {
            const std::uint64_t si = streamIndex++;
            const auto f = s.folderIndex(si, firstStream);
            if (!f)
                throw SevenZipReadError::corrupted(L("스트림 매핑"));
            if (skippingMacJunk && isMacJunk(name)) {
                release(*f);
                continue;
            }
            const Bytes &data = folderBytes(*f);
            const std::uint64_t at = offsetInFolder[std::size_t(si)];
            const std::uint64_t size = parsed.flatSizes[std::size_t(si)];
            const std::uint64_t end = addChecked(at, size);
            if (end == noOffset || end > data.size())
                throw outOfRange();
            const ByteView slice = ByteView(data).subspan(std::size_t(at), std::size_t(size));
            if (si < s.streamCRCs.size() && s.streamCRCs[std::size_t(si)] &&
                crc32(slice) != *s.streamCRCs[std::size_t(si)]) {
                if (parsed.filesEncrypted)
                    throw SevenZipReadError::wrongPassword();
                throw SevenZipReadError::corrupted(L("CRC 불일치"));
            }
            if (singleFileTarget) {
                writeFile(slice, *singleFileTarget);
                ++written;
            } else if (auto parts = pathComponents(name, strippingPrefix)) {
                makeDirectoriesQuietly(to, std::vector<std::string>(parts->begin(), parts->end() - 1));
                writeFile(slice, joined(to, *parts));
                ++written;
            }
            release(*f);
            continue;
        }
        if (skippingMacJunk && isMacJunk(name))
            continue;
        if (singleFileTarget)
            continue;
        const auto parts = pathComponents(name, strippingPrefix);
        if (!parts)
            continue;
        if (record.isDirectory) {
            makeDirectoriesQuietly(to, *parts);
            continue;
        }
        makeDirectoriesQuietly(to, std::vector<std::string>(parts->begin(), parts->end() - 1));
        writeFile({}, joined(to, *parts));
        ++written;
    }
    return written;
}

std::int64_t extract(const std::filesystem::path &path, const std::filesystem::path &to, bool skippingMacJunk,
                     const std::optional<std::string> &strippingPrefix,
                     const std::optional<std::filesystem::path> &singleFileTarget, const QString &password)
{
    const Bytes bytes = readArchive(path);
    return extractFromMemory(bytes, to, skippingMacJunk, strippingPrefix, singleFileTarget, password);
}

} // namespace SevenZipReader
