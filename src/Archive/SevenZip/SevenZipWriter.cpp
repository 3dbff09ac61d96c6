#include "Archive/SevenZip/SevenZipWriter.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"
#include "Archive/BufferPool.h"
#include "Archive/Deflate.h"
#include "Archive/SevenZip/SevenZipCoders.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipFormat.h"
#include "Core/AtomicFile.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/WorkerPool.h"

#include <libdeflate.h>
#include <openssl/rand.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <unistd.h>

namespace SevenZipWriter {

namespace {

using SevenZip::Bytes;
using SevenZip::ByteView;
using SevenZip::Property;

constexpr int cyclesPower = 19;
// Files up to this size are read and deflated whole by libdeflate (several times faster than
// zlib); larger ones stream through zlib's deflater.
constexpr std::uint64_t wholeFileLimit = std::uint64_t(16) << 20;
// The piece of a large file read, deflated and encrypted at a time (a multiple of 16).
constexpr std::size_t chunkSize = std::size_t(1) << 20;

using Key = std::array<std::uint8_t, 32>;
using Iv = std::array<std::uint8_t, 16>;

struct Record {
    std::string name;
    bool isDirectory = false;
    bool isEmptyFile = false;
};

struct PackedFile {
    std::uint64_t cipherSize = 0;
    std::optional<std::uint64_t> deflatedSize;
    std::uint64_t originalSize = 0;
    Iv iv{};
    std::uint32_t crc = 0;
};

void randomBytes(std::span<std::uint8_t> into)
{
    if (RAND_bytes(into.data(), int(into.size())) != 1)
        throw SevenZipError::cryptoError();
}

// The 7z number encoding in its shortest form: the first byte's leading one bits count the bytes
// that follow (the value's low bytes, little-endian); its remaining bits hold the high part.
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

void put(Bytes &out, Property id)
{
    out.push_back(SevenZip::byte(id));
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

// Resized and copied rather than inserted: GCC 12 misreads the insert into a two-byte vector as
// an out-of-bounds copy.
void append(Bytes &out, ByteView bytes)
{
    const std::size_t at = out.size();
    out.resize(at + bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin() + std::ptrdiff_t(at));
}

// 0xC0 | power: salt and IV present; then (salt size - 1) << 4 | (IV size - 1); salt; IV.
Bytes aesProperties(ByteView salt, ByteView iv)
{
    Bytes props{std::uint8_t(0xC0 | cyclesPower), std::uint8_t(((salt.size() - 1) << 4) | (iv.size() - 1))};
    append(props, salt);
    append(props, iv);
    return props;
}

// One coder; flag 0x24: a 4-byte method ID followed by properties.
Bytes aesOnlyFolder(ByteView salt, ByteView iv)
{
    Bytes folder{0x01, 0x24};
    append(folder, SevenZip::aesMethodId);
    const Bytes props = aesProperties(salt, iv);
    writeNumber(folder, props.size());
    append(folder, props);
    return folder;
}

// Two coders, Deflate (flag 0x03: a 3-byte ID, no properties) then 7zAES, and one bind pair.
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
    folder.push_back(0x00); // bind pair: Deflate's input (in-stream 0) takes the 7zAES output
    folder.push_back(0x01); // (out-stream 1)
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
    Bytes out;
    put(out, Property::packInfo);
    writeNumber(out, packPosition);
    writeNumber(out, packSizes.size());
    put(out, Property::size);
    for (std::uint64_t size : packSizes)
        writeNumber(out, size);
    put(out, Property::end);

    put(out, Property::unpackInfo);
    put(out, Property::folder);
    writeNumber(out, folders.size());
    out.push_back(0x00); // the folders follow here, not in an additional stream
    for (const FolderEntry &f : folders)
        append(out, f.definition);
    put(out, Property::codersUnpackSize);
    for (const FolderEntry &f : folders)
        for (std::uint64_t size : f.unpackSizes)
            writeNumber(out, size);
    const bool anyCrc =
        std::any_of(folders.begin(), folders.end(), [](const FolderEntry &f) { return bool(f.crc); });
    if (anyCrc) {
        put(out, Property::crc);
        const bool all =
            std::all_of(folders.begin(), folders.end(), [](const FolderEntry &f) { return bool(f.crc); });
        out.push_back(all ? 0x01 : 0x00);
        if (!all) {
            std::vector<bool> defined;
            defined.reserve(folders.size());
            for (const FolderEntry &f : folders)
                defined.push_back(bool(f.crc));
            append(out, bitVector(defined));
        }
        for (const FolderEntry &f : folders)
            if (f.crc)
                appendUInt32LE(out, *f.crc);
    }
    put(out, Property::end);

    // One file per folder, so the substreams info holds only the files' CRCs.
    if (streamCRCs) {
        put(out, Property::subStreamsInfo);
        put(out, Property::crc);
        out.push_back(0x01); // all defined
        for (std::uint32_t crc : *streamCRCs)
            appendUInt32LE(out, crc);
        put(out, Property::end);
    }
    put(out, Property::end);
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

// Each property: its ID, its size in bytes, its data.
void property(Bytes &out, Property id, const Bytes &data)
{
    put(out, id);
    writeNumber(out, data.size());
    append(out, data);
}

Bytes filesInfo(const std::vector<Record> &records)
{
    Bytes out;
    put(out, Property::filesInfo);
    writeNumber(out, records.size());
    std::vector<bool> emptyStream;
    std::vector<bool> emptyFile; // over the empty streams only
    bool anyEmptyFile = false;
    for (const Record &r : records) {
        emptyStream.push_back(r.isDirectory || r.isEmptyFile);
        if (r.isDirectory || r.isEmptyFile)
            emptyFile.push_back(!r.isDirectory && r.isEmptyFile);
        anyEmptyFile = anyEmptyFile || r.isEmptyFile;
    }
    if (std::find(emptyStream.begin(), emptyStream.end(), true) != emptyStream.end())
        property(out, Property::emptyStream, bitVector(emptyStream));
    if (anyEmptyFile)
        property(out, Property::emptyFile, bitVector(emptyFile));
    Bytes names{0x00}; // the names follow here, not in an additional stream
    for (const Record &r : records) {
        append(names, utf16le(r.name));
        names.push_back(0x00);
        names.push_back(0x00);
    }
    property(out, Property::name, names);

    // All defined, kept here; then per record FILE_ATTRIBUTE_DIRECTORY or FILE_ATTRIBUTE_ARCHIVE.
    Bytes attributes{0x01, 0x00};
    for (const Record &r : records)
        appendUInt32LE(attributes, r.isDirectory ? 0x10 : 0x20);
    property(out, Property::windowsAttributes, attributes);
    put(out, Property::end);
    return out;
}

std::uint64_t padded(std::uint64_t size)
{
    return (size + 15) / 16 * 16;
}

// Encrypts what it is given into the archive: whole blocks as they fill, the last block filled
// with zero bytes.
class EncryptingSink {
public:
    EncryptingSink(AtomicFile &out, const Key &key, const Iv &iv)
        : out_(out), cipher_(key, iv, SevenZip::CbcOperation::encrypt), buffer_(chunkSize)
    {
    }

    void write(ByteView bytes)
    {
        while (!bytes.empty()) {
            const std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
            std::memcpy(buffer_.data() + used_, bytes.data(), n);
            used_ += n;
            bytes = bytes.subspan(n);
            if (used_ == buffer_.size())
                flush(used_);
        }
    }

    // Returns the bytes written to the archive.
    std::uint64_t finish()
    {
        const auto end = std::size_t(padded(used_));
        std::fill(buffer_.begin() + std::ptrdiff_t(used_), buffer_.begin() + std::ptrdiff_t(end), 0);
        flush(end);
        return written_;
    }

private:
    void flush(std::size_t n)
    {
        cipher_.update(std::span(buffer_).first(n), buffer_.data());
        out_.write(std::span(buffer_).first(n));
        written_ += n;
        used_ = 0;
    }

    AtomicFile &out_;
    SevenZip::AesCbc cipher_;
    Bytes buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
};

[[noreturn]] void readFailed(const std::string &name)
{
    throw SevenZipError::ioError(L("읽기 실패: %@", name));
}

// A read of a source file; its failure names the entry.
std::size_t readAt(const ArchiveInput &input, const std::string &name, std::uint64_t offset,
                   std::span<std::uint8_t> into)
{
    try {
        return input.readAt(offset, into);
    } catch (const ZipError &) {
        readFailed(name);
    }
}

// One source made ready ahead of the writer: its record and, for a file with data up to the
// whole-buffer bound, its encrypted payload; a larger file stays open for the writer to stream.
// A failure is kept for the writer to throw when the source's turn comes.
struct PreparedSource {
    Record record;
    std::optional<PackedFile> file;
    BufferPool::Lease cipherBuffer;
    std::span<std::uint8_t> cipher;
    std::optional<ArchiveInput> large;
    std::exception_ptr failure;
};

// Small files whole: deflated only when that comes out strictly shorter, then encrypted in place.
void packWhole(const ArchiveInput &input, const Key &key, BufferPool &pool, PreparedSource &prepared)
{
    PackedFile &file = *prepared.file;
    const std::string &name = prepared.record.name;
    const auto size = std::size_t(input.size());
    const auto room = std::size_t(padded(size));
    BufferPool::Lease buffer = pool.lease();
    const auto plain = buffer.take(room);
    if (readAt(input, name, 0, plain.first(size)) != size)
        readFailed(name);
    file.originalSize = size;
    file.crc = crc32(plain.first(size));
    std::span<std::uint8_t> payload = plain;
    std::size_t length = size;
    if (!deflateWouldNotShrink(plain.first(size))) {
        libdeflate_compressor *compressor = deflateCompressor();
        if (!compressor)
            throw std::bad_alloc();
        BufferPool::Lease packed = pool.lease();
        const auto deflated = packed.take(room);
        // An output one byte short of the input: libdeflate gives up as soon as it would not shrink.
        if (const std::size_t n =
                libdeflate_deflate_compress(compressor, plain.data(), size, deflated.data(), size - 1);
            n > 0) {
            file.deflatedSize = n;
            payload = deflated;
            length = n;
            buffer = std::move(packed);
        }
    }
    const auto cipher = payload.first(std::size_t(padded(length)));
    std::fill(cipher.begin() + std::ptrdiff_t(length), cipher.end(), 0);
    SevenZip::AesCbc(key, file.iv, SevenZip::CbcOperation::encrypt).update(cipher, cipher.data());
    file.cipherSize = cipher.size();
    prepared.cipherBuffer = std::move(buffer);
    prepared.cipher = cipher;
}

// Reads, deflates and encrypts one source; safe on any thread.
PreparedSource prepareSource(const ZipWriter::Source &source, const Key &key, BufferPool &pool)
{
    PreparedSource prepared;
    Record &record = prepared.record;
    record.name = source.entryName;
    if (!record.name.empty() && record.name.back() == '/')
        record.name.pop_back();
    if (source.isDirectory) {
        record.isDirectory = true;
        return prepared;
    }
    try {
        std::optional<ArchiveInput> input;
        try {
            // Symbolic links are followed: a link to a file packs the file.
            if (source.filePath)
                input.emplace(ArchiveInput::open(*source.filePath));
        } catch (const ZipError &) {
        }
        if (!input)
            readFailed(record.name);
        if (input->size() == 0) {
            record.isEmptyFile = true;
            return prepared;
        }
        prepared.file.emplace();
        randomBytes(prepared.file->iv);
        if (input->size() <= wholeFileLimit)
            packWhole(*input, key, pool, prepared);
        else
            prepared.large.emplace(std::move(*input));
    } catch (...) {
        prepared.failure = std::current_exception();
    }
    return prepared;
}

class ArchiveBuilder {
public:
    ArchiveBuilder(AtomicFile &out, const QString &password) : key_(deriveKey(password)), out_(out)
    {
        // The start header is written last, once the header's place is known.
        const std::array<std::uint8_t, SevenZip::startHeaderSize> placeholder{};
        out_.write(placeholder);
    }

    const Key &key() const { return key_; }

    void add(PreparedSource &prepared)
    {
        if (prepared.failure)
            std::rethrow_exception(prepared.failure);
        if (prepared.large) {
            name_ = prepared.record.name;
            packStreaming(*prepared.large, *prepared.file);
        } else if (prepared.file) {
            out_.write(prepared.cipher);
            packedSize_ += prepared.file->cipherSize;
        }
        records_.push_back(std::move(prepared.record));
        if (prepared.file)
            files_.push_back(*prepared.file);
    }

    void finish(bool encryptHeader)
    {
        Bytes header;
        put(header, Property::header);
        if (!files_.empty()) {
            put(header, Property::mainStreamsInfo);
            std::vector<std::uint64_t> packSizes;
            std::vector<FolderEntry> folders;
            std::vector<std::uint32_t> crcs;
            for (const PackedFile &f : files_) {
                packSizes.push_back(f.cipherSize);
                FolderEntry entry{folderDefinition(f, salt_), {f.originalSize}, std::nullopt};
                if (f.deflatedSize)
                    entry.unpackSizes.push_back(*f.deflatedSize);
                folders.push_back(std::move(entry));
                crcs.push_back(f.crc);
            }
            append(header, streamsInfoBody(0, packSizes, folders, &crcs));
        }
        append(header, filesInfo(records_));
        put(header, Property::end);

        if (encryptHeader) {
            Iv iv{};
            randomBytes(iv);
            const std::uint64_t plainSize = header.size();
            // The CRC of the plain header lets a reader tell a wrong password from a damaged file.
            const std::uint32_t plainCrc = crc32(header);
            header.resize(std::size_t(padded(header.size())), 0);
            SevenZip::AesCbc(key_, iv, SevenZip::CbcOperation::encrypt).update(header, header.data());
            const std::uint64_t position = packedSize_;
            out_.write(header);
            packedSize_ += header.size();
            Bytes encoded;
            put(encoded, Property::encodedHeader);
            append(encoded, streamsInfoBody(position, {header.size()},
                                            {{aesOnlyFolder(salt_, iv), {plainSize}, plainCrc}}, nullptr));
            header = std::move(encoded);
        }
        out_.write(header);

        // Version 0.4, the start-header CRC, then the next-header offset, size and CRC.
        Bytes start(SevenZip::signature.begin(), SevenZip::signature.end());
        start.push_back(0x00);
        start.push_back(0x04);
        Bytes next;
        appendUInt64LE(next, packedSize_);
        appendUInt64LE(next, header.size());
        appendUInt32LE(next, crc32(header));
        appendUInt32LE(start, crc32(next));
        append(start, next);
        out_.writeAt(0, start);
    }

private:
    Key deriveKey(const QString &password)
    {
        randomBytes(salt_);
        return SevenZip::deriveSevenZipKey(password, salt_, cyclesPower);
    }

    // Large files stream: deflated into the archive, and written again stored when DEFLATE did
    // not make them smaller; stored at once when samples show it would not.
    void packStreaming(const ArchiveInput &input, PackedFile &file)
    {
        file.originalSize = input.size();
        const bool store =
            deflateWouldNotShrink(input.size(), [&](std::uint64_t at, std::span<std::uint8_t> into) {
                return readAt(input, name_, at, into);
            });
        if (store || !deflateInto(input, file)) {
            out_.truncate(startHeaderPlusPacked());
            file.deflatedSize.reset();
            EncryptingSink sink(out_, key_, file.iv);
            file.crc = copyInto(input, sink);
            file.cipherSize = sink.finish();
        }
        packedSize_ += file.cipherSize;
    }

    std::uint64_t startHeaderPlusPacked() const { return SevenZip::startHeaderSize + packedSize_; }

    // Reads the whole source in pieces, passing each to the step; returns the CRC and the size.
    template <typename Step>
    std::pair<std::uint32_t, std::uint64_t> readSource(const ArchiveInput &input, Step step)
    {
        if (readBuffer_.empty())
            readBuffer_.resize(chunkSize);
        std::uint32_t crc = 0;
        std::uint64_t offset = 0;
        for (;;) {
            const std::size_t n = readAt(input, name_, offset, readBuffer_);
            if (n == 0)
                break;
            const auto piece = std::span(readBuffer_).first(n);
            crc = crc32Update(crc, piece);
            offset += n;
            if (!step(piece))
                break;
        }
        return {crc, offset};
    }

    std::uint32_t copyInto(const ArchiveInput &input, EncryptingSink &sink)
    {
        const auto [crc, size] = readSource(input, [&](ByteView piece) {
            sink.write(piece);
            return true;
        });
        if (size != input.size())
            readFailed(name_);
        return crc;
    }

    // False when the deflated stream would not be shorter than the file.
    bool deflateInto(const ArchiveInput &input, PackedFile &file)
    {
        z_stream z{};
        if (deflateInit2(&z, deflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::bad_alloc();
        std::unique_ptr<z_stream, int (*)(z_stream *)> end(&z, deflateEnd);
        if (deflateBuffer_.empty())
            deflateBuffer_.resize(chunkSize);
        EncryptingSink sink(out_, key_, file.iv);
        const std::uint64_t size = input.size();
        bool shrinks = true;
        const auto run = [&](ByteView in, int flush) {
            z.next_in = const_cast<std::uint8_t *>(in.data());
            z.avail_in = uInt(in.size());
            do {
                z.next_out = deflateBuffer_.data();
                z.avail_out = uInt(deflateBuffer_.size());
                if (deflate(&z, flush) == Z_STREAM_ERROR)
                    throw std::bad_alloc();
                sink.write(std::span(deflateBuffer_).first(deflateBuffer_.size() - z.avail_out));
                // Once the output reaches the file's size DEFLATE cannot win any more.
                if (z.total_out >= size)
                    shrinks = false;
            } while (shrinks && z.avail_out == 0);
            return shrinks;
        };
        const auto [crc, read] = readSource(input, [&](ByteView piece) { return run(piece, Z_NO_FLUSH); });
        if (!shrinks)
            return false;
        if (read != size)
            readFailed(name_);
        if (!run({}, Z_FINISH) || z.total_out >= size)
            return false;
        file.crc = crc;
        file.deflatedSize = z.total_out;
        file.cipherSize = sink.finish();
        return true;
    }

    std::array<std::uint8_t, 16> salt_{};
    Key key_;
    AtomicFile &out_;
    std::uint64_t packedSize_ = 0; // bytes after the start header
    std::vector<Record> records_;
    std::vector<PackedFile> files_;
    std::string name_; // of the file being packed
    Bytes readBuffer_;
    Bytes deflateBuffer_;
};

} // namespace

void create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources, const QString &password,
            bool encryptHeader)
{
    writingZipOutput(out.target(), [&] {
        ArchiveBuilder builder(out, password);
        BufferPool buffers;
        // Files are read, deflated and encrypted ahead on worker threads and added here in their
        // order; a failure is thrown when its source's turn comes, as in a plain loop.
        WorkerPool::inOrder(
            sources.size(), WorkerPool::threads(),
            [&](std::size_t i, unsigned) { return prepareSource(sources[i], builder.key(), buffers); },
            [&](std::size_t, PreparedSource prepared) { builder.add(prepared); });
        builder.finish(encryptHeader);
    });
}

void create(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
            const QString &password, bool encryptHeader)
{
    writingZipOutput(at, [&] {
        AtomicFile out = AtomicFile::beside(at);
        create(out, sources, password, encryptHeader);
        out.commitReplacing();
    });
}

} // namespace SevenZipWriter
