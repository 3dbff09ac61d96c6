#include "Archive/Zip/ZipWriter.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/BufferPool.h"
#include "Archive/Deflate.h"
#include "Archive/Zip/ZipCrypto.h"
#include "Archive/Zip/ZipFormat.h"
#include "Archive/ZipError.h"
#include "Core/AtomicFile.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Core/Text.h"
#include "Core/WorkerPool.h"

#include <libdeflate.h>
#include <zlib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <ctime>
#include <exception>
#include <memory>
#include <new>
#include <optional>

using namespace ZipFormat;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Values of 0xFFFFFFFF mark ZIP64, which this format does not write and the reader refuses.
constexpr std::uint64_t max32 = 0xFFFFFFFEu;
constexpr std::size_t max16 = 0xFFFF;

// "Version made by": Unix (3) in the high byte, so that Info-ZIP's unzip honours flag bit 11 and
// every reader applies the mode bits; ZIP 2.0 in the low byte.
constexpr std::uint16_t versionMadeBy = (3 << 8) | 20;
// External attributes: the Unix mode in the high half; a folder keeps MS-DOS's directory bit.
constexpr std::uint32_t fileAttributes = 0100644u << 16;
constexpr std::uint32_t folderAttributes = (040755u << 16) | 0x10;

// Files up to this size are read, compressed and encrypted in memory (content and compressed
// copy together within the whole-buffer bound); larger ones stream.
constexpr std::uint64_t wholeFileLimit = wholeBufferTotal / 2;

ZipError tooLarge()
{
    return ZipError::unsupported(L("ZIP64 (4GB 이상)"));
}

ZipError readFailed(const std::string &entryName)
{
    return ZipError::ioError(L("읽기 실패: %@", entryName));
}

// Raw DEFLATE into `out`, which has room for one byte less than the input: a result that does
// not shrink is not wanted. 0 when it did not fit or failed.
std::size_t deflateInto(std::span<const std::uint8_t> in, std::span<std::uint8_t> out)
{
    libdeflate_compressor *c = deflateCompressor();
    if (!c || in.size() < 2)
        return 0;
    return libdeflate_deflate_compress(c, in.data(), in.size(), out.data(), out.size());
}

// A source file opened for reading; every failure names the entry, not the path.
class SourceFile {
public:
    explicit SourceFile(const ZipWriter::Source &source) : entryName_(source.entryName)
    {
        // Non-blocking, so that a FIFO cannot hang the open; fstat then refuses it.
        fd_ = LongPath::open(*source.filePath, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        struct stat st {};
        if (fd_ < 0 || ::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            if (fd_ >= 0)
                ::close(fd_);
            throw readFailed(entryName_);
        }
        size_ = std::uint64_t(st.st_size);
    }
    SourceFile(const SourceFile &) = delete;
    SourceFile &operator=(const SourceFile &) = delete;
    ~SourceFile() { ::close(fd_); }

    std::uint64_t size() const { return size_; }

    // Fills the buffer; fewer bytes only at the end of the file.
    std::size_t read(std::span<std::uint8_t> into)
    {
        return fill(into,
                    [&](std::size_t done) { return ::read(fd_, into.data() + done, into.size() - done); });
    }

    // Fills the buffer from `offset` without moving the read position; fewer bytes at the end.
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into)
    {
        return fill(into, [&](std::size_t done) {
            return ::pread(fd_, into.data() + done, into.size() - done, off_t(offset + done));
        });
    }

    void rewind()
    {
        if (::lseek(fd_, 0, SEEK_SET) != 0)
            throw readFailed(entryName_);
    }

private:
    // Repeats the read until the buffer is full or the file ends.
    template <typename ReadMore> std::size_t fill(std::span<std::uint8_t> into, ReadMore readMore)
    {
        std::size_t done = 0;
        while (done < into.size()) {
            const ssize_t n = readMore(done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw readFailed(entryName_);
            if (n == 0)
                break;
            done += std::size_t(n);
        }
        return done;
    }

    std::string entryName_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// The encryption of one entry's stored bytes as they pass: the bytes that go before them (the
// traditional header, or AES's salt and verifier), the bytes themselves, and AES's code after.
class Encryptor {
public:
    enum class Kind { traditional, aes };

    Encryptor(Kind kind, const std::string &password, std::uint8_t checkByte)
    {
        if (kind == Kind::traditional) {
            // 11 random bytes, then the check byte, encrypted in the same stream as the data.
            prefix_.resize(12);
            randomBytes(std::span(prefix_).first(11));
            prefix_[11] = checkByte;
            traditional_.emplace(password);
            traditional_->encrypt(prefix_);
        } else {
            // Strength 3: a 16-byte salt, then the 2-byte password verifier.
            prefix_.resize(18);
            randomBytes(std::span(prefix_).first(16));
            const AesKeys keys = deriveAesKeys(password, std::span(prefix_).first(16), 32);
            prefix_[16] = keys.verifier.at(0);
            prefix_[17] = keys.verifier.at(1);
            ctr_ = std::make_unique<AesCtr>(keys.aesKey);
            mac_ = std::make_unique<HmacSha1>(keys.hmacKey);
        }
    }

    static std::size_t overhead(Kind kind) { return kind == Kind::traditional ? 12 : 28; }

    std::span<const std::uint8_t> prefix() const { return prefix_; }

    void apply(std::span<std::uint8_t> bytes)
    {
        if (traditional_) {
            traditional_->encrypt(bytes);
        } else {
            ctr_->apply(bytes);
            mac_->update(bytes); // the code covers the encrypted bytes
        }
    }

    // The bytes after the data: AES's 10-byte authentication code.
    Bytes suffix()
    {
        if (!mac_)
            return {};
        const auto digest = mac_->finish();
        return {digest.begin(), digest.begin() + 10};
    }

private:
    Bytes prefix_;
    std::optional<ZipCryptoState> traditional_;
    std::unique_ptr<AesCtr> ctr_;
    std::unique_ptr<HmacSha1> mac_;
};

// The new archive, written through a buffer so that small entries become large writes.
class ArchiveSink {
public:
    static constexpr std::size_t bufferSize = std::size_t(1) << 20;

    explicit ArchiveSink(AtomicFile &file) : file_(file) { buffer_.reserve(bufferSize); }

    std::uint64_t offset() const { return flushed_ + buffer_.size(); }

    void write(std::span<const std::uint8_t> bytes)
    {
        if (buffer_.size() + bytes.size() > bufferSize)
            flush();
        if (bytes.size() >= bufferSize) {
            file_.write(bytes);
            flushed_ += bytes.size();
        } else {
            buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        }
    }

    // Bytes written before, such as a local header whose sizes are known only afterwards.
    void writeAt(std::uint64_t at, std::span<const std::uint8_t> bytes)
    {
        flush();
        file_.writeAt(at, bytes);
    }

    void truncate(std::uint64_t size)
    {
        flush();
        file_.truncate(size);
        flushed_ = size;
    }

    void flush()
    {
        if (buffer_.empty())
            return;
        file_.write(buffer_);
        flushed_ += buffer_.size();
        buffer_.clear();
    }

private:
    AtomicFile &file_;
    Bytes buffer_;
    std::uint64_t flushed_ = 0;
};

// The fields the local header and the central record share, in their order from offset 4 of the
// local header (offset 6 of the central record).
struct EntryFields {
    std::uint16_t versionNeeded = 20;
    std::uint16_t flags = 0x0800;
    std::uint16_t method = 0;
    std::uint16_t time = 0;
    std::uint16_t date = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
};

void appendFields(Bytes &out, const EntryFields &f, std::size_t nameLength, std::size_t extraLength)
{
    ZipWriter::append16(out, f.versionNeeded);
    ZipWriter::append16(out, f.flags);
    ZipWriter::append16(out, f.method);
    ZipWriter::append16(out, f.time);
    ZipWriter::append16(out, f.date);
    ZipWriter::append32(out, f.crc);
    ZipWriter::append32(out, std::uint32_t(f.compressedSize));
    ZipWriter::append32(out, std::uint32_t(f.uncompressedSize));
    ZipWriter::append16(out, std::uint16_t(nameLength));
    ZipWriter::append16(out, std::uint16_t(extraLength));
}

// The local header: signature, the shared fields, the name and the extra field.
Bytes localHeader(const EntryFields &f, const std::string &name, const Bytes &extra)
{
    Bytes out;
    out.reserve(localHeaderSize + name.size() + extra.size());
    ZipWriter::append32(out, localHeaderSignature);
    appendFields(out, f, name.size(), extra.size());
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

// AES extra field: identifier 0x9901, 7 data bytes: vendor version 1, "AE", strength 3, the
// actual compression method.
Bytes aesExtra(std::uint16_t method)
{
    Bytes extra;
    ZipWriter::append16(extra, 0x9901);
    ZipWriter::append16(extra, 7);
    ZipWriter::append16(extra, 1);
    extra.push_back('A');
    extra.push_back('E');
    extra.push_back(3);
    ZipWriter::append16(extra, method);
    return extra;
}

struct CompressorStreamEnd {
    void operator()(z_stream *zs) const { deflateEnd(zs); }
};

void checkLimits(const EntryFields &f)
{
    if (f.compressedSize > max32 || f.uncompressedSize > max32)
        throw tooLarge();
}

// What every entry of one archive shares: its encryption and its time.
struct EntrySettings {
    ZipWriter::Encryption encryption;
    const std::string &password;
    std::uint16_t time;
    std::uint16_t date;

    bool encrypts(const ZipWriter::Source &source) const
    {
        return encryption != ZipWriter::Encryption::none && !source.isDirectory;
    }

    Encryptor::Kind kind() const
    {
        return encryption == ZipWriter::Encryption::aes256 ? Encryptor::Kind::aes
                                                           : Encryptor::Kind::traditional;
    }

    EntryFields baseFields(const std::string &name, bool encrypted, std::uint16_t method, Bytes &extra) const
    {
        EntryFields f;
        // The UTF-8 flag only where it is true: a name kept as other bytes goes without it.
        if (!Text::isValidUtf8(name))
            f.flags = 0;
        f.time = time;
        f.date = date;
        f.method = method;
        extra.clear();
        if (encrypted) {
            f.flags |= 0x0001;
            if (kind() == Encryptor::Kind::aes) {
                f.versionNeeded = 51;
                f.method = 99;
                extra = aesExtra(method);
            }
        }
        return f;
    }
};

// One entry made ready ahead of the writer: its fields and every byte after its local header, or,
// for a file above the whole-buffer bound, the open file, which the writer streams itself. A
// failure is kept for the writer to throw when the entry's turn comes.
struct PreparedEntry {
    EntryFields fields;
    Bytes extra;
    Bytes prefix; // the traditional header, or AES's salt and verifier
    BufferPool::Lease storedBuffer;
    std::span<std::uint8_t> stored;
    Bytes suffix; // AES's authentication code
    std::unique_ptr<SourceFile> large;
    std::exception_ptr failure;
};

// Stored or DEFLATE, whichever is smaller, decided in memory, then encrypted in place.
void prepareInMemory(PreparedEntry &entry, const std::string &name, BufferPool::Lease content,
                     std::span<std::uint8_t> bytes, bool encrypted, const EntrySettings &settings,
                     BufferPool &pool)
{
    const std::uint32_t crc = crc32(bytes);
    entry.stored = bytes;
    std::uint16_t method = 0;
    if (!bytes.empty() && !deflateWouldNotShrink(bytes)) {
        BufferPool::Lease packed = pool.lease();
        const auto room = packed.take(bytes.size() - 1);
        if (const std::size_t n = deflateInto(bytes, room); n > 0) {
            entry.stored = room.first(n);
            method = 8;
            content = std::move(packed);
        }
    }
    entry.storedBuffer = std::move(content);
    EntryFields &f = entry.fields;
    f = settings.baseFields(name, encrypted, method, entry.extra);
    f.crc = crc;
    f.uncompressedSize = bytes.size();
    f.compressedSize = entry.stored.size();
    if (!encrypted) {
        checkLimits(f);
        return;
    }
    Encryptor encryptor(settings.kind(), settings.password, std::uint8_t(crc >> 24));
    f.compressedSize += Encryptor::overhead(settings.kind());
    checkLimits(f);
    entry.prefix.assign(encryptor.prefix().begin(), encryptor.prefix().end());
    encryptor.apply(entry.stored);
    entry.suffix = encryptor.suffix();
}

// Reads, compresses and encrypts one entry; safe on any thread.
PreparedEntry prepareEntry(const ZipWriter::Source &source, const EntrySettings &settings, BufferPool &pool)
{
    PreparedEntry entry;
    try {
        const bool encrypted = settings.encrypts(source);
        if (!source.filePath || source.isDirectory) {
            prepareInMemory(entry, source.entryName, {}, {}, encrypted, settings, pool);
            return entry;
        }
        auto file = std::make_unique<SourceFile>(source);
        if (file->size() > wholeFileLimit) {
            entry.large = std::move(file);
            return entry;
        }
        BufferPool::Lease content = pool.lease();
        auto bytes = content.take(std::size_t(file->size()));
        bytes = bytes.first(file->read(bytes));
        file.reset();
        prepareInMemory(entry, source.entryName, std::move(content), bytes, encrypted, settings, pool);
    } catch (...) {
        entry.failure = std::current_exception();
    }
    return entry;
}

// Streams the entries above the whole-buffer bound on the writer's own thread: compressed into the
// archive as the file is read, the sizes written back into the local header afterwards.
class EntryStreamer {
public:
    EntryStreamer(ArchiveSink &sink, const EntrySettings &settings) : sink_(sink), settings_(settings) {}

    // Rewritten stored when DEFLATE did not shrink the file, or stored at once when samples show
    // it would not. `extra` receives the extra field that the central record repeats.
    EntryFields write(const ZipWriter::Source &source, SourceFile &file, Bytes &extra)
    {
        const bool encrypted = settings_.encrypts(source);
        // The traditional header's check byte is the CRC's high byte, needed before the data.
        std::uint32_t knownCrc = 0;
        if (encrypted && settings_.kind() == Encryptor::Kind::traditional) {
            knownCrc = crcOf(file);
            file.rewind();
        }
        const std::uint64_t start = sink_.offset();
        const bool store =
            deflateWouldNotShrink(file.size(), [&](std::uint64_t at, std::span<std::uint8_t> into) {
                return file.readAt(at, into);
            });
        EntryFields f = streamPass(source, file, encrypted, knownCrc, store ? 0 : 8, extra);
        if (!store && f.compressedSize - (encrypted ? Encryptor::overhead(settings_.kind()) : 0) >=
                          f.uncompressedSize) {
            sink_.truncate(start);
            file.rewind();
            f = streamPass(source, file, encrypted, knownCrc, 0, extra);
        }
        if (encrypted && settings_.kind() == Encryptor::Kind::traditional && f.crc != knownCrc)
            throw readFailed(source.entryName); // the file changed between the two reads
        sink_.writeAt(start, localHeader(f, source.entryName, extra));
        return f;
    }

private:
    std::uint32_t crcOf(SourceFile &file)
    {
        const auto chunk = chunk_.take(chunkSize);
        std::uint32_t crc = 0;
        for (std::size_t n = file.read(chunk); n > 0; n = file.read(chunk))
            crc = crc32Update(crc, chunk.first(n));
        return crc;
    }

    // One pass over the file, stored (0) or DEFLATE (8), with a provisional local header.
    EntryFields streamPass(const ZipWriter::Source &source, SourceFile &file, bool encrypted,
                           std::uint32_t knownCrc, std::uint16_t method, Bytes &extra)
    {
        EntryFields f = settings_.baseFields(source.entryName, encrypted, method, extra);
        sink_.write(localHeader(f, source.entryName, extra));
        const std::uint64_t dataStart = sink_.offset();
        std::optional<Encryptor> encryptor;
        if (encrypted) {
            encryptor.emplace(settings_.kind(), settings_.password, std::uint8_t(knownCrc >> 24));
            sink_.write(encryptor->prefix());
        }
        const auto put = [&](std::span<std::uint8_t> bytes) {
            if (encryptor)
                encryptor->apply(bytes);
            sink_.write(bytes);
        };

        const auto chunk = chunk_.take(chunkSize);
        std::uint32_t crc = 0;
        std::uint64_t plain = 0;
        if (method == 0) {
            for (std::size_t n = file.read(chunk); n > 0; n = file.read(chunk)) {
                crc = crc32Update(crc, chunk.first(n));
                plain += n;
                put(chunk.first(n));
            }
        } else {
            z_stream zs{};
            if (deflateInit2(&zs, deflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
                throw std::bad_alloc();
            const std::unique_ptr<z_stream, CompressorStreamEnd> guard(&zs);
            const auto out = packed_.take(chunkSize);
            int flush = Z_NO_FLUSH;
            do {
                const std::size_t n = file.read(chunk);
                crc = crc32Update(crc, chunk.first(n));
                plain += n;
                flush = n < chunk.size() ? Z_FINISH : Z_NO_FLUSH;
                zs.next_in = chunk.data();
                zs.avail_in = uInt(n);
                do {
                    zs.next_out = out.data();
                    zs.avail_out = uInt(out.size());
                    ::deflate(&zs, flush);
                    put(out.first(out.size() - zs.avail_out));
                } while (zs.avail_out == 0);
                if (plain > max32)
                    throw tooLarge();
            } while (flush != Z_FINISH);
        }
        if (encryptor)
            sink_.write(encryptor->suffix());
        f.crc = crc;
        f.uncompressedSize = plain;
        f.compressedSize = sink_.offset() - dataStart;
        checkLimits(f);
        return f;
    }

    ArchiveSink &sink_;
    const EntrySettings &settings_;
    ScratchBuffer packed_;
    ScratchBuffer chunk_;
};

// Writes one entry and returns the fields its central record repeats; `extra` receives its extra
// field.
EntryFields writeEntry(ArchiveSink &sink, EntryStreamer &streamer, const ZipWriter::Source &source,
                       PreparedEntry &entry, Bytes &extra)
{
    if (entry.failure)
        std::rethrow_exception(entry.failure);
    if (entry.large)
        return streamer.write(source, *entry.large, extra);
    extra = std::move(entry.extra);
    sink.write(localHeader(entry.fields, source.entryName, extra));
    sink.write(entry.prefix);
    sink.write(entry.stored);
    sink.write(entry.suffix);
    return entry.fields;
}

} // namespace

namespace ZipWriter {

void append16(std::vector<std::uint8_t> &out, std::uint16_t value)
{
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

void append32(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(std::uint8_t(value >> shift));
}

std::pair<std::uint16_t, std::uint16_t> dosDateTime(std::chrono::system_clock::time_point when)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm tm{};
    if (!localtime_r(&t, &tm)) {
        tm = {};
        tm.tm_mday = 1;
        tm.tm_year = 80;
    }
    const int year = tm.tm_year + 1900;
    if (year > 2107)
        throw ZipError::unsupported(L("날짜"));
    const int yearOffset = year < 1980 ? 0 : year - 1980;
    const auto time = std::uint16_t(tm.tm_hour * 2048 + tm.tm_min * 32 + tm.tm_sec / 2);
    const auto date = std::uint16_t(yearOffset * 512 + (tm.tm_mon + 1) * 32 + tm.tm_mday);
    return {time, date};
}

std::vector<std::uint8_t> deflate(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 2)
        return {};
    std::vector<std::uint8_t> out;
    try {
        out.resize(bytes.size() - 1);
    } catch (const std::bad_alloc &) {
        return {};
    }
    out.resize(deflateInto(bytes, out));
    return out;
}

std::vector<std::uint8_t> zipCryptoEncrypt(std::span<const std::uint8_t> bytes, const std::string &password,
                                           std::uint8_t verificationByte)
{
    Encryptor encryptor(Encryptor::Kind::traditional, password, verificationByte);
    std::vector<std::uint8_t> out(encryptor.prefix().begin(), encryptor.prefix().end());
    out.insert(out.end(), bytes.begin(), bytes.end());
    encryptor.apply(std::span(out).subspan(12));
    return out;
}

std::vector<std::uint8_t> aesEncryptPayload(std::span<const std::uint8_t> bytes, const std::string &password)
{
    Encryptor encryptor(Encryptor::Kind::aes, password, 0);
    std::vector<std::uint8_t> out(encryptor.prefix().begin(), encryptor.prefix().end());
    out.insert(out.end(), bytes.begin(), bytes.end());
    encryptor.apply(std::span(out).subspan(18));
    const auto code = encryptor.suffix();
    out.insert(out.end(), code.begin(), code.end());
    return out;
}

void create(AtomicFile &file, const std::vector<Source> &sources, const std::string &password,
            Encryption encryption)
{
    // Limits the reader would refuse are refused before any source is read.
    if (sources.size() > max16)
        throw tooLarge();
    for (const auto &source : sources) {
        if (source.entryName.size() > max16)
            throw ZipError::unsupported(L("파일명"));
        struct stat st {};
        if (source.filePath && !source.isDirectory && LongPath::stat(*source.filePath, st) == 0 &&
            S_ISREG(st.st_mode) && std::uint64_t(st.st_size) + 28 > max32)
            throw tooLarge();
    }

    // Not a structured binding: clang 14 (the fuzz build) does not let the lambda below capture one.
    const std::pair<std::uint16_t, std::uint16_t> dos = dosDateTime(std::chrono::system_clock::now());
    const Encryption effective = password.empty() ? Encryption::none : encryption;

    writingZipOutput(file.target(), [&] {
        ArchiveSink sink(file);
        const EntrySettings settings{effective, password, dos.first, dos.second};
        EntryStreamer streamer(sink, settings);
        BufferPool buffers;
        Bytes central;
        Bytes extra;
        // Entries are read, compressed and encrypted ahead on worker threads and written here in
        // their order; a failure is thrown when its entry's turn comes, as in a plain loop.
        WorkerPool::inOrder(
            sources.size(), WorkerPool::threads(),
            [&](std::size_t i, unsigned) { return prepareEntry(sources[i], settings, buffers); },
            [&](std::size_t i, PreparedEntry entry) {
                const Source &source = sources[i];
                const std::uint64_t offset = sink.offset();
                if (offset > max32)
                    throw tooLarge();
                const EntryFields f = writeEntry(sink, streamer, source, entry, extra);

                // Central record: signature, version made by, the shared fields, comment length,
                // disk number, internal and external attributes, the local header's offset, name,
                // extra.
                append32(central, centralHeaderSignature);
                append16(central, versionMadeBy);
                appendFields(central, f, source.entryName.size(), extra.size());
                append16(central, 0);
                append16(central, 0);
                append16(central, 0);
                append32(central, source.isDirectory ? folderAttributes : fileAttributes);
                append32(central, std::uint32_t(offset));
                central.insert(central.end(), source.entryName.begin(), source.entryName.end());
                central.insert(central.end(), extra.begin(), extra.end());
            });

        const std::uint64_t centralOffset = sink.offset();
        if (centralOffset > max32 || central.size() > max32)
            throw tooLarge();
        // End record: disk numbers, the record counts on this disk and in all, the directory's size
        // and offset, comment length.
        Bytes end;
        append32(end, endRecordSignature);
        append16(end, 0);
        append16(end, 0);
        append16(end, std::uint16_t(sources.size()));
        append16(end, std::uint16_t(sources.size()));
        append32(end, std::uint32_t(central.size()));
        append32(end, std::uint32_t(centralOffset));
        append16(end, 0);
        sink.write(central);
        sink.write(end);
        sink.flush();
    });
}

void create(const std::filesystem::path &at, const std::vector<Source> &sources, const std::string &password,
            Encryption encryption)
{
    writingZipOutput(at, [&] {
        AtomicFile file = AtomicFile::beside(at);
        create(file, sources, password, encryption);
        file.commitReplacing();
    });
}

} // namespace ZipWriter
