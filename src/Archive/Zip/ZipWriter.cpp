#include "Archive/Zip/ZipWriter.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/Zip/ZipCrypto.h"
#include "Archive/ZipError.h"
#include "Core/Localization.h"

#include <libdeflate.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <ctime>
#include <memory>
#include <new>

namespace {

// Values of 0xFFFFFFFF mark ZIP64, which this format does not write and the reader refuses.
constexpr std::uint64_t max32 = 0xFFFFFFFEu;
constexpr std::size_t max16 = 0xFFFF;
constexpr int deflateLevel = 6;

ZipError tooLarge()
{
    return ZipError::unsupported(L("ZIP64 (4GB 이상)"));
}
ZipError readFailed(const std::string &entryName)
{
    return ZipError::ioError(L("읽기 실패: %@", entryName));
}

struct CompressorFree {
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

// A source file's bytes; a FIFO or a device is refused (readWholeFile opens without blocking
// and reads regular files only), and the error names the entry, not the path.
std::vector<std::uint8_t> readSource(const ZipWriter::Source &source)
{
    std::vector<std::uint8_t> bytes;
    try {
        bytes = readWholeFile(*source.filePath);
    } catch (const ZipError &) {
        throw readFailed(source.entryName);
    } catch (const std::bad_alloc &) {
        throw readFailed(source.entryName);
    }
    if (bytes.size() > max32)
        throw tooLarge();
    return bytes;
}

// Encrypts the data in place; returns the 12-byte encrypted header that precedes it.
std::array<std::uint8_t, 12> traditionalInPlace(std::span<std::uint8_t> data, const std::string &password,
                                                std::uint8_t check)
{
    std::array<std::uint8_t, 12> header{};
    randomBytes(std::span(header).first(11));
    header[11] = check;
    ZipCryptoState state(password);
    state.encrypt(header);
    state.encrypt(data);
    return header;
}

struct AesFrame {
    std::vector<std::uint8_t> prefix; // salt and verifier
    std::vector<std::uint8_t> code;
};

// Encrypts the data in place with AES-256; returns what surrounds it.
AesFrame aesInPlace(std::span<std::uint8_t> data, const std::string &password)
{
    AesFrame frame;
    frame.prefix.resize(18);
    const auto salt = std::span(frame.prefix).first(16);
    randomBytes(salt);
    const AesKeys keys = deriveAesKeys(password, salt, 32);
    aesCtrApplyInPlace(data, keys.aesKey);
    frame.prefix[16] = keys.verifier.at(0);
    frame.prefix[17] = keys.verifier.at(1);
    frame.code = hmacSha1Prefix10(data, keys.hmacKey);
    return frame;
}

// The archive under construction: a temporary file beside the destination, renamed over it only
// when complete and removed on failure.
class TempArchive {
public:
    explicit TempArchive(const std::filesystem::path &destination) : destination_(destination)
    {
        const std::filesystem::path folder = destination.has_parent_path() ? destination.parent_path() : ".";
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            std::array<std::uint8_t, 6> random{};
            randomBytes(random);
            std::string name = ".zip-";
            for (auto b : random)
                name += "0123456789abcdefghijklmnopqrstuv"[b & 31];
            temp_ = folder / name;
            fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            throw failed();
    }
    TempArchive(const TempArchive &) = delete;
    TempArchive &operator=(const TempArchive &) = delete;
    ~TempArchive()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(temp_.c_str());
        }
    }

    std::uint64_t offset() const { return offset_; }

    void write(std::span<const std::uint8_t> bytes)
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw failed();
            done += std::size_t(n);
        }
        offset_ += bytes.size();
    }

    void commit()
    {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 || ::rename(temp_.c_str(), destination_.c_str()) != 0) {
            ::unlink(temp_.c_str());
            throw failed();
        }
    }

private:
    ZipError failed() const { return ZipError::ioError(L("쓰기 실패: %@", destination_.native())); }

    std::filesystem::path destination_;
    std::filesystem::path temp_;
    int fd_ = -1;
    std::uint64_t offset_ = 0;
};

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
    thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(deflateLevel));
    if (!compressor)
        return {};
    std::vector<std::uint8_t> out;
    try {
        out.resize(bytes.size() - 1);
    } catch (const std::bad_alloc &) {
        return {};
    }
    // Room for one byte less than the input: a result that does not shrink is not wanted.
    const std::size_t n =
        libdeflate_deflate_compress(compressor.get(), bytes.data(), bytes.size(), out.data(), out.size());
    out.resize(n);
    return out;
}

std::vector<std::uint8_t> zipCryptoEncrypt(std::span<const std::uint8_t> bytes, const std::string &password,
                                           std::uint8_t verificationByte)
{
    std::vector<std::uint8_t> out(12 + bytes.size());
    std::copy(bytes.begin(), bytes.end(), out.begin() + 12);
    const auto header = traditionalInPlace(std::span(out).subspan(12), password, verificationByte);
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

std::vector<std::uint8_t> aesEncryptPayload(std::span<const std::uint8_t> bytes, const std::string &password)
{
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    AesFrame frame = aesInPlace(data, password);
    std::vector<std::uint8_t> out = std::move(frame.prefix);
    out.insert(out.end(), data.begin(), data.end());
    out.insert(out.end(), frame.code.begin(), frame.code.end());
    return out;
}

void create(const std::filesystem::path &at, const std::vector<Source> &sources, const std::string &password,
            Encryption encryption)
{
    // Limits the reader would refuse are refused before any source is read.
    if (sources.size() > max16)
        throw tooLarge();
    for (const auto &source : sources) {
        if (source.entryName.size() > max16)
            throw ZipError::unsupported(L("파일명"));
        struct stat st {};
        if (source.filePath && !source.isDirectory && ::stat(source.filePath->c_str(), &st) == 0 &&
            S_ISREG(st.st_mode) && std::uint64_t(st.st_size) + 28 > max32)
            throw tooLarge();
    }

    const auto [dosTime, dosDate] = dosDateTime(std::chrono::system_clock::now());
    const Encryption effective = password.empty() ? Encryption::none : encryption;

    TempArchive archive(at);
    std::vector<std::uint8_t> central;
    std::vector<std::uint8_t> header;
    for (const auto &source : sources) {
        std::vector<std::uint8_t> content;
        if (source.filePath && !source.isDirectory)
            content = readSource(source);
        const std::uint32_t crc = crc32(content);

        std::uint16_t method = 0;
        std::vector<std::uint8_t> stored = deflate(content);
        if (!stored.empty()) {
            method = 8;
        } else {
            stored = std::move(content);
        }
        const std::uint64_t plainSize = method == 8 ? content.size() : stored.size();

        std::uint16_t flags = 0x0800;
        std::uint16_t versionNeeded = 20;
        std::uint16_t methodField = method;
        std::vector<std::uint8_t> extra;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
        if (effective != Encryption::none && !source.isDirectory) {
            flags = 0x0801;
            if (effective == Encryption::traditional) {
                const auto h = traditionalInPlace(stored, password, std::uint8_t(crc >> 24));
                before.assign(h.begin(), h.end());
            } else {
                AesFrame frame = aesInPlace(stored, password);
                before = std::move(frame.prefix);
                after = std::move(frame.code);
                versionNeeded = 51;
                methodField = 99;
                append16(extra, 0x9901);
                append16(extra, 7);
                append16(extra, 1);
                extra.push_back('A');
                extra.push_back('E');
                extra.push_back(3);
                append16(extra, method);
            }
        }
        const std::uint64_t storedSize = before.size() + stored.size() + after.size();
        const std::uint64_t offset = archive.offset();
        if (storedSize > max32 || plainSize > max32 || offset > max32)
            throw tooLarge();

        // The fields shared by the local header and the central record.
        std::vector<std::uint8_t> common;
        append16(common, versionNeeded);
        append16(common, flags);
        append16(common, methodField);
        append16(common, dosTime);
        append16(common, dosDate);
        append32(common, crc);
        append32(common, std::uint32_t(storedSize));
        append32(common, std::uint32_t(plainSize));
        append16(common, std::uint16_t(source.entryName.size()));
        append16(common, std::uint16_t(extra.size()));

        const auto *name = reinterpret_cast<const std::uint8_t *>(source.entryName.data());
        header.clear();
        append32(header, 0x04034B50);
        header.insert(header.end(), common.begin(), common.end());
        header.insert(header.end(), name, name + source.entryName.size());
        header.insert(header.end(), extra.begin(), extra.end());
        header.insert(header.end(), before.begin(), before.end());
        archive.write(header);
        archive.write(stored);
        archive.write(after);

        append32(central, 0x02014B50);
        append16(central, 20);
        central.insert(central.end(), common.begin(), common.end());
        append16(central, 0); // comment length
        append16(central, 0); // disk number start
        append16(central, 0); // internal attributes
        append32(central, source.isDirectory ? 0x10 : 0);
        append32(central, std::uint32_t(offset));
        central.insert(central.end(), name, name + source.entryName.size());
        central.insert(central.end(), extra.begin(), extra.end());
    }

    const std::uint64_t centralOffset = archive.offset();
    if (centralOffset > max32 || central.size() > max32)
        throw tooLarge();
    std::vector<std::uint8_t> end;
    append32(end, 0x06054B50);
    append16(end, 0);
    append16(end, 0);
    append16(end, std::uint16_t(sources.size()));
    append16(end, std::uint16_t(sources.size()));
    append32(end, std::uint32_t(central.size()));
    append32(end, std::uint32_t(centralOffset));
    append16(end, 0);
    archive.write(central);
    archive.write(end);
    archive.commit();
}

} // namespace ZipWriter
