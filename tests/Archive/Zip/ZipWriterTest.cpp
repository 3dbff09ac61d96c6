#include "Archive/Zip/ZipWriter.h"
#include "Archive/Zip/ZipReader.h"

#include "Archive/ArchiveFiles.h"
#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <random>

using namespace ZipTest;
using Kind = ZipError::Kind;
using ZipWriter::Encryption;
using ZipWriter::Source;

namespace {

// The central records of an archive, as raw fields.
struct Record {
    std::uint16_t madeBy, version, flags, method, time, date;
    std::uint32_t crc, compressed, uncompressed, attributes, offset;
    Bytes extra, localExtra;
};

std::vector<Record> records(const Bytes &zip)
{
    std::vector<Record> out;
    const std::size_t count = get16(zip, zip.size() - 12);
    std::size_t pos = get32(zip, zip.size() - 6);
    for (std::size_t i = 0; i < count; ++i) {
        Record r{get16(zip, pos + 4),
                 get16(zip, pos + 6),
                 get16(zip, pos + 8),
                 get16(zip, pos + 10),
                 get16(zip, pos + 12),
                 get16(zip, pos + 14),
                 get32(zip, pos + 16),
                 get32(zip, pos + 20),
                 get32(zip, pos + 24),
                 get32(zip, pos + 38),
                 get32(zip, pos + 42),
                 {},
                 {}};
        const std::size_t n = get16(zip, pos + 28), m = get16(zip, pos + 30);
        r.extra.assign(zip.begin() + std::ptrdiff_t(pos + 46 + n),
                       zip.begin() + std::ptrdiff_t(pos + 46 + n + m));
        const std::size_t l = r.offset;
        EXPECT_EQ(get32(zip, l), 0x04034B50u);
        EXPECT_EQ(get16(zip, l + 4), r.version);
        EXPECT_EQ(get16(zip, l + 8), r.method);
        EXPECT_EQ(get32(zip, l + 14), r.crc);
        EXPECT_EQ(get32(zip, l + 18), r.compressed);
        const std::size_t ln = get16(zip, l + 26), lm = get16(zip, l + 28);
        r.localExtra.assign(zip.begin() + std::ptrdiff_t(l + 30 + ln),
                            zip.begin() + std::ptrdiff_t(l + 30 + ln + lm));
        out.push_back(r);
        pos += 46 + n + m + get16(zip, pos + 32);
    }
    return out;
}

std::string randomText(std::size_t n)
{
    std::mt19937 gen(42);
    std::string s(n, '\0');
    for (auto &c : s)
        c = char(gen());
    return s;
}

} // namespace

TEST(ZipWriter, emptyListIsTheEndRecordAlone)
{
    TestSupport::TempDir dir;
    ZipWriter::create(dir / "e.zip", {}, "", Encryption::none);
    const Bytes zip = readFile(dir / "e.zip");
    EXPECT_EQ(zip, endRecord(0, 0, 0));
    EXPECT_TRUE(ZipReader::readEntries(memory(zip)).empty());
}

TEST(ZipWriter, methodsFlagsAndRecords)
{
    TestSupport::TempDir dir;
    const std::vector<Source> sources{
        {"폴더/", dir.folder("폴더"), true},
        {"폴더/한.txt", dir.file("one", "x"), false},
        {"same.bin", dir.file("same", std::string(1000000, 's')), false},
        {"random.bin", dir.file("random", randomText(3000)), false},
        {"empty.txt", std::nullopt, false},
    };
    struct Case {
        Encryption encryption;
        const char *password;
    };
    for (const auto &c : {Case{Encryption::none, "pw"}, Case{Encryption::aes256, ""},
                          Case{Encryption::traditional, "pw"}, Case{Encryption::aes256, "pw"}}) {
        SCOPED_TRACE(int(c.encryption));
        const bool encrypted = c.password[0] != 0 && c.encryption != Encryption::none;
        const bool aes = encrypted && c.encryption == Encryption::aes256;
        const auto zip = dir / "out.zip";
        ZipWriter::create(zip, sources, c.password, c.encryption);
        const Bytes archive = readFile(zip);
        const auto r = records(archive);
        ASSERT_EQ(r.size(), 5u);

        // The folder: plain whatever the password; made on Unix, mode 0755 with MS-DOS's folder bit.
        EXPECT_EQ(r[0].flags, 0x0800);
        EXPECT_EQ(r[0].method, 0);
        EXPECT_EQ(r[0].crc, 0u);
        EXPECT_EQ(r[0].compressed, 0u);
        EXPECT_EQ(r[0].madeBy, 0x0314);
        EXPECT_EQ(r[0].attributes, 0x41ED0010u);
        const std::uint16_t expectedMethods[] = {0, 0, 8, 0, 0};
        for (std::size_t i = 1; i < 5; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(r[i].madeBy, 0x0314);
            EXPECT_EQ(r[i].attributes, 0x81A40000u); // regular file, 0644
            EXPECT_EQ(r[i].flags, encrypted ? 0x0801 : 0x0800);
            EXPECT_EQ(r[i].time, r[0].time);
            EXPECT_EQ(r[i].date, r[0].date);
            EXPECT_EQ(r[i].extra, r[i].localExtra);
            if (aes) {
                EXPECT_EQ(r[i].method, 99);
                EXPECT_EQ(r[i].version, 51);
                const Bytes extra{0x01, 0x99, 7, 0, 1, 0, 'A', 'E', 3, std::uint8_t(expectedMethods[i]), 0};
                EXPECT_EQ(r[i].extra, extra);
            } else {
                EXPECT_EQ(r[i].method, expectedMethods[i]);
                EXPECT_EQ(r[i].version, 20);
                EXPECT_TRUE(r[i].extra.empty());
            }
        }
        EXPECT_EQ(r[1].crc, ::crc32(bytes("x")));
        EXPECT_EQ(r[4].compressed, encrypted ? (aes ? 28u : 12u) : 0u);
        EXPECT_EQ(r[3].compressed, 3000u + (encrypted ? (aes ? 28u : 12u) : 0u));

        // The reader takes back everything the writer wrote.
        const auto entries = ZipReader::readEntries(memory(archive));
        EXPECT_EQ(entries[1].decodedName, "폴더/한.txt");
        EXPECT_EQ(text(ZipReader::extractData(entries[2], memory(archive), c.password)),
                  std::string(1000000, 's'));
        EXPECT_EQ(text(ZipReader::extractData(entries[3], memory(archive), c.password)), randomText(3000));
        EXPECT_TRUE(ZipReader::extractData(entries[4], memory(archive), c.password).empty());
        if (encrypted) {
            expectZipError([&] { ZipReader::extractData(entries[1], memory(archive), ""); },
                           Kind::passwordRequired);
        }
    }
}

TEST(ZipWriter, dosDateTime)
{
    auto at = [](int year, int month, int day, int hour, int minute, int second) {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_sec = second;
        tm.tm_isdst = -1;
        return std::chrono::system_clock::from_time_t(std::mktime(&tm));
    };
    EXPECT_EQ(ZipWriter::dosDateTime(at(2024, 5, 6, 7, 8, 9)),
              std::make_pair(std::uint16_t(7 * 2048 + 8 * 32 + 4), std::uint16_t(44 * 512 + 5 * 32 + 6)));
    EXPECT_EQ(ZipWriter::dosDateTime(at(1979, 12, 31, 23, 59, 58)).second, std::uint16_t(12 * 32 + 31));
    EXPECT_EQ(ZipWriter::dosDateTime(at(2107, 12, 31, 0, 0, 0)).second,
              std::uint16_t(127 * 512 + 12 * 32 + 31));
    expectZipError([&] { ZipWriter::dosDateTime(at(2108, 1, 1, 0, 0, 0)); }, Kind::unsupported);
}

TEST(ZipWriter, unreadableSourcesAreRefusedByName)
{
    TestSupport::TempDir dir;
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto old = dir.file("out.zip", "old archive");
    for (const auto &bad : {fifo, dir / "missing", dir.folder("a folder")}) {
        SCOPED_TRACE(bad.native());
        const std::vector<Source> sources{{"good.txt", dir.file("good", "g"), false},
                                          {"이름.txt", bad, false}};
        expectZipError([&] { ZipWriter::create(old, sources, "", Encryption::none); }, Kind::ioError,
                       QStringLiteral("읽기 실패: 이름.txt"));
        // The archive under the final name is untouched and no temporary file stays behind.
        EXPECT_EQ(TestSupport::readBytes(old), "old archive");
        std::size_t hidden = 0;
        for (const auto &item : std::filesystem::directory_iterator(dir.path()))
            hidden += item.path().filename().native().starts_with(".");
        EXPECT_EQ(hidden, 0u);
    }
    expectZipError([&] { ZipWriter::create(dir / "no/such/out.zip", {}, "", Encryption::none); },
                   Kind::ioError, QString::fromStdString("쓰기 실패: " + (dir / "no/such/out.zip").native()));
}

TEST(ZipWriter, limitsTheReaderWouldRefuseComeBeforeAnyRead)
{
    TestSupport::TempDir dir;
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // A FIFO first: had the writer read anything, it would fail with a read error instead.
    const Source first{"pipe", fifo, false};

    std::vector<Source> many(65536, Source{"x", std::nullopt, false});
    many.front() = first;
    expectZipError([&] { ZipWriter::create(dir / "a.zip", many, "", Encryption::none); }, Kind::unsupported);

    expectZipError(
        [&] {
            ZipWriter::create(dir / "a.zip", {first, {std::string(65536, 'n'), std::nullopt, false}}, "",
                              Encryption::none);
        },
        Kind::unsupported);

    const auto sparse = dir / "sparse";
    const int fd = ::open(sparse.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t(0xFFFFFFFFll)), 0);
    ::close(fd);
    expectZipError(
        [&] {
            ZipWriter::create(dir / "a.zip", {first, {"big", sparse, false}}, "", Encryption::none);
        },
        Kind::unsupported, QStringLiteral("ZIP64 (4GB 이상)"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.zip"));

    // The largest name the format holds still round-trips.
    const std::string longest(65535, 'n');
    ZipWriter::create(dir / "long.zip", {{longest, std::nullopt, false}}, "", Encryption::none);
    EXPECT_EQ(ZipReader::readEntries(memory(readFile(dir / "long.zip"))).at(0).decodedName, longest);
}

// Files past the in-memory bounds stream through zlib both ways, encrypted and authenticated as
// they pass; one that DEFLATE cannot shrink is rewritten stored, or stored at once when it is
// random throughout.
TEST(ZipWriter, largeFilesStreamBothWays)
{
    TestSupport::TempDir dir;
    std::string textLike;
    for (int i = 0; textLike.size() < (std::size_t(33) << 20); ++i)
        textLike += "줄 " + std::to_string(i) + ": 스트리밍으로 압축되는 내용\n";
    const std::string random = randomText(std::size_t(25) << 20);
    // A compressible start is not enough to make the whole entry shrink.
    const std::string noise = std::string(300, '\0') + random;
    const std::vector<Source> sources{{"text.txt", dir.file("text.txt", textLike), false},
                                      {"noise.bin", dir.file("noise.bin", noise), false},
                                      {"random.bin", dir.file("random.bin", random), false}};
    for (const auto encryption : {Encryption::none, Encryption::traditional, Encryption::aes256}) {
        SCOPED_TRACE(int(encryption));
        const auto zip = dir / "big.zip";
        ZipWriter::create(zip, sources, "pw", encryption);
        const auto input = ArchiveInput::open(zip);
        const auto entries = ZipReader::readEntries(input);
        ASSERT_EQ(entries.size(), 3u);
        const bool aes = encryption == Encryption::aes256;
        const std::int64_t overhead = encryption == Encryption::none ? 0 : aes ? 28 : 12;
        EXPECT_EQ(aes ? entries[0].aesActualMethod : entries[0].method, 8);
        EXPECT_EQ(aes ? entries[1].aesActualMethod : entries[1].method, 0);
        EXPECT_EQ(entries[1].compressedSize, std::int64_t(noise.size()) + overhead);
        EXPECT_EQ(aes ? entries[2].aesActualMethod : entries[2].method, 0);
        EXPECT_EQ(entries[2].compressedSize, std::int64_t(random.size()) + overhead);

        const auto out = dir.folder("out" + std::to_string(int(encryption)));
        ZipReader::extract(entries, input, out, false, std::nullopt, "pw");
        EXPECT_TRUE(TestSupport::readBytes(out / "text.txt") == textLike);
        EXPECT_TRUE(TestSupport::readBytes(out / "noise.bin") == noise);
        EXPECT_TRUE(TestSupport::readBytes(out / "random.bin") == random);
    }

    // One flipped bit of AES ciphertext deep in the stream: the code refuses it, and no file stays.
    const auto zip = dir / "big.zip";
    const auto entry = ZipReader::readEntries(ArchiveInput::open(zip)).at(0);
    std::fstream file(zip, std::ios::binary | std::ios::in | std::ios::out);
    file.seekg(entry.localHeaderOffset + 30 + 8 + 11 + 18 + 100000);
    const char byte = char(file.get() ^ 1);
    file.seekp(entry.localHeaderOffset + 30 + 8 + 11 + 18 + 100000);
    file.put(byte);
    file.close();
    const auto bad = dir.folder("tampered");
    const auto input = ArchiveInput::open(zip);
    expectZipError(
        [&] { ZipReader::extract(ZipReader::readEntries(input), input, bad, false, std::nullopt, "pw"); },
        Kind::wrongPassword);
    EXPECT_TRUE(TestSupport::entriesBelow(bad).empty());
}
