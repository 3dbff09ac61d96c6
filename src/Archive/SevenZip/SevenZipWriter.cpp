#include "Archive/SevenZip/SevenZipWriter.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipCoders.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <libdeflate.h>
#include <openssl/rand.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace SevenZipWriter {

namespace {

using SevenZip::Bytes;
using SevenZip::ByteView;

constexpr int cyclesPower = 19;

struct Record {
    std::string name;
    bool isDirectory = false;
    bool isEmptyFile = false;
};

struct PackedFile {
    std::uint64_t cipherSize = 0;
    std::optional<std::uint64_t> deflatedSize;
    std::uint64_t originalSize = 0;
    Bytes iv;
    std::uint32_t crc = 0;
};

Bytes randomBytes(std::size_t n)
{
    Bytes bytes(n);
    if (RAND_bytes(bytes.data(), int(n)) != 1)
        throw SevenZipError::cryptoError();
    return bytes;
}

void writeNumber(Bytes &out, std::uint64_t value)
{
    int extra = 8;
    std::uint8_t first = 0xFF;
    static constexpr std::uint8_t marks[] = {0x00, 0x80, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC, 0xFE};
    for (int n = 0; n < 8; ++n) {
        if (value < (std::uint64_t(1) << (7 * (n + 1)))) {
            extra = n;
            first = std::uint8_t(marks[n] | (n == 0 ? value : value >> (8 * n)));
            break;
        }
    }
    out.push_back(first);
    for (int i = 0; i < extra; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

Bytes bitVector(const std::vector<bool> &items)
{
    Bytes bytes((items.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i])
            bytes[i / 8] |= std::uint8_t(0x80 >> (i % 8));
    return bytes;
}

void appendUInt64LE(Bytes &out, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

void appendUInt32LE(Bytes &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

void append(Bytes &out, ByteView bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

Bytes rawDeflate(ByteView input)
{
    std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor *)> c(
        libdeflate_alloc_compressor(6), libdeflate_free_compressor);
    if (!c)
        return {};
    Bytes out(input.size() + 64);
    const std::size_t n =
        libdeflate_deflate_compress(c.get(), input.data(), input.size(), out.data(), out.size());
    if (n < 1)
        return {};
    out.resize(n);
    return out;
}

Bytes aesProperties(ByteView salt, ByteView iv)
{
    Bytes props{std::uint8_t(0xC0 | cyclesPower), std::uint8_t(((salt.size() - 1) << 4) | (iv.size() - 1))};
    append(props, salt);
    append(props, iv);
    return props;
}

Bytes aesOnlyFolder(ByteView salt, ByteView iv)
{
    Bytes folder{0x01, 0x24};
    append(folder, SevenZip::aesMethodId);
    const Bytes props = aesProperties(salt, iv);
    writeNumber(folder, props.size());
    append(folder, props);
    return folder;
}

Bytes folderDefinition(const PackedFile &file, ByteView salt)
{
    if (!file.deflatedSize)
        return aesOnlyFolder(salt, file.iv);
    Bytes folder{0x02, 0x03};
    append(folder, SevenZip::deflateMethodId);
    folder.push_back(0x24);
    append(folder, SevenZip::aesMethodId);
    const Bytes props = aesProperties(salt, file.iv);
    writeNumber(folder, props.size());
    append(folder, props);
    folder.push_back(0x00); // bind pair: Deflate's input takes the 7zAES output
    folder.push_back(0x01);
    return folder;
}

struct FolderEntry {
    Bytes definition;
    std::vector<std::uint64_t> unpackSizes;
    std::optional<std::uint32_t> crc; // folder CRC in the unpack info
};

Bytes streamsInfoBody(std::uint64_t packPosition, const std::vector<std::uint64_t> &packSizes,
                      const std::vector<FolderEntry> &folders, const std::vector<std::uint32_t> *streamCRCs)
{
    Bytes out{0x06};
    writeNumber(out, packPosition);
    writeNumber(out, packSizes.size());
    out.push_back(0x09);
    for (std::uint64_t size : packSizes)
        writeNumber(out, size);
    out.push_back(0x00);

    out.push_back(0x07);
    out.push_back(0x0B);
    writeNumber(out, folders.size());
    out.push_back(0x00);
    for (const FolderEntry &f : folders)
        append(out, f.definition);
    out.push_back(0x0C);
    for (const FolderEntry &f : folders)
        for (std::uint64_t size : f.unpackSizes)
            writeNumber(out, size);
    const bool anyCrc =
        std::any_of(folders.begin(), folders.end(), [](const FolderEntry &f) { return bool(f.crc); });
    if (anyCrc) {
        out.push_back(0x0A);
        const bool all =
            std::all_of(folders.begin(), folders.end(), [](const FolderEntry &f) { return bool(f.crc); });
        out.push_back(all ? 0x01 : 0x00);
        if (!all) {
            std::vector<bool> defined;
            for (const FolderEntry &f : folders)
                defined.push_back(bool(f.crc));
            append(out, bitVector(defined));
        }
        for (const FolderEntry &f : folders)
            if (f.crc)
                appendUInt32LE(out, *f.crc);
    }
    out.push_back(0x00);

    if (streamCRCs) {
        out.push_back(0x08);
        out.push_back(0x0A);
        out.push_back(0x01);
        for (std::uint32_t crc : *streamCRCs)
            appendUInt32LE(out, crc);
        out.push_back(0x00);
    }
    out.push_back(0x00);
    return out;
}

Bytes utf16le(const std::string &name)
{
    Bytes out;
    for (char16_t unit : QString::fromUtf8(name.data(), qsizetype(name.size())).toStdU16String()) {
        out.push_back(std::uint8_t(unit & 0xFF));
        out.push_back(std::uint8_t(unit >> 8));
    }
    return out;
}

Bytes filesInfo(const std::vector<Record> &records)
{
    Bytes out{0x05};
    writeNumber(out, records.size());
    std::vector<bool> emptyStream;
    std::vector<bool> emptyFile;
    bool anyEmptyFile = false;
    for (const Record &r : records) {
        emptyStream.push_back(r.isDirectory || r.isEmptyFile);
        if (r.isDirectory || r.isEmptyFile)
            emptyFile.push_back(!r.isDirectory && r.isEmptyFile);
        anyEmptyFile = anyEmptyFile || r.isEmptyFile;
    }
    if (std::find(emptyStream.begin(), emptyStream.end(), true) != emptyStream.end()) {
        const Bytes v = bitVector(emptyStream);
        out.push_back(0x0E);
        writeNumber(out, v.size());
        append(out, v);
    }
    if (anyEmptyFile) {
        const Bytes v = bitVector(emptyFile);
        out.push_back(0x0F);
        writeNumber(out, v.size());
        append(out, v);
    }
    Bytes names{0x00};
    for (const Record &r : records) {
        append(names, utf16le(r.name));
        names.push_back(0x00);
        names.push_back(0x00);
    }
    out.push_back(0x11);
    writeNumber(out, names.size());
    append(out, names);

    Bytes attributes{0x01, 0x00};
    for (const Record &r : records)
        appendUInt32LE(attributes, r.isDirectory ? 0x10 : 0x20);
    out.push_back(0x15);
    writeNumber(out, attributes.size());
    append(out, attributes);
    out.push_back(0x00);
    return out;
}

void padTo16(Bytes &bytes)
{
    bytes.resize((bytes.size() + 15) / 16 * 16, 0);
}

// Writes beside the target and renames into place, so a failure leaves nothing under its name.
void writeInPlace(ByteView archive, const std::filesystem::path &at)
{
    const Bytes suffix = randomBytes(6);
    std::string tag;
    for (std::uint8_t b : suffix) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", b);
        tag += hex;
    }
    std::filesystem::path temp = at;
    temp.replace_filename("." + at.filename().native() + "." + tag + ".tmp");
    writeNewFile(archive, temp);
    if (::rename(temp.c_str(), at.c_str()) != 0) {
        ::unlink(temp.c_str());
        throw ZipError::ioError(L("쓰기 실패: %@", FilePath::display(at)));
    }
}

} // namespace

void create(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
            const QString &password, bool encryptHeader)
{
    const Bytes salt = randomBytes(16);
    const auto key = SevenZip::deriveSevenZipKey(password, salt, cyclesPower);

    std::vector<Record> records;
    std::vector<PackedFile> files;
    Bytes packed;
    for (const ZipWriter::Source &source : sources) {
        Record record;
        record.name = source.entryName;
        if (!record.name.empty() && record.name.back() == '/')
            record.name.pop_back();
        if (source.isDirectory) {
            record.isDirectory = true;
            records.push_back(std::move(record));
            continue;
        }
        std::optional<Bytes> data;
        // A source is read only when it is a regular file itself, never through a symbolic link.
        if (source.filePath)
            data = readRegularFile(*source.filePath, false);
        if (!data)
            throw SevenZipError::ioError(L("읽기 실패: %@", record.name));
        if (data->empty()) {
            record.isEmptyFile = true;
            records.push_back(std::move(record));
            continue;
        }
        records.push_back(std::move(record));

        PackedFile file;
        file.originalSize = data->size();
        file.crc = crc32(*data);
        Bytes payload = rawDeflate(*data);
        if (!payload.empty() && payload.size() < data->size()) {
            file.deflatedSize = payload.size();
        } else {
            payload = std::move(*data);
        }
        data.reset();
        file.iv = randomBytes(16);
        padTo16(payload);
        const Bytes cipher = SevenZip::aesCbc(payload, key, file.iv, SevenZip::CbcOperation::encrypt);
        file.cipherSize = cipher.size();
        append(packed, cipher);
        files.push_back(std::move(file));
    }

    Bytes header{0x01};
    if (!files.empty()) {
        header.push_back(0x04);
        std::vector<std::uint64_t> packSizes;
        std::vector<FolderEntry> folders;
        std::vector<std::uint32_t> crcs;
        for (const PackedFile &f : files) {
            packSizes.push_back(f.cipherSize);
            FolderEntry entry{folderDefinition(f, salt), {f.originalSize}, std::nullopt};
            if (f.deflatedSize)
                entry.unpackSizes.push_back(*f.deflatedSize);
            folders.push_back(std::move(entry));
            crcs.push_back(f.crc);
        }
        append(header, streamsInfoBody(0, packSizes, folders, &crcs));
    }
    append(header, filesInfo(records));
    header.push_back(0x00);

    if (encryptHeader) {
        const Bytes iv = randomBytes(16);
        const std::uint64_t plainSize = header.size();
        // The CRC of the plain header lets a reader tell a wrong password from a damaged file.
        const std::uint32_t plainCrc = crc32(header);
        padTo16(header);
        const Bytes cipher = SevenZip::aesCbc(header, key, iv, SevenZip::CbcOperation::encrypt);
        const std::uint64_t position = packed.size();
        append(packed, cipher);
        header = Bytes{0x17};
        append(header, streamsInfoBody(position, {cipher.size()},
                                       {{aesOnlyFolder(salt, iv), {plainSize}, plainCrc}}, nullptr));
    }

    Bytes archive{0x37, 0x7A, 0xBC, 0xAF, 0x27, 0x1C, 0x00, 0x04};
    Bytes start;
    appendUInt64LE(start, packed.size());
    appendUInt64LE(start, header.size());
    appendUInt32LE(start, crc32(header));
    appendUInt32LE(archive, crc32(start));
    append(archive, start);
    append(archive, packed);
    packed = Bytes();
    append(archive, header);
    writeInPlace(archive, at);
}

} // namespace SevenZipWriter
