#include "Archive/SevenZip/SevenZipReader.h"
#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipWriter.h"
#include "SevenZipFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using SevenZipTest::expectReadError;
using TestSupport::TempDir;

namespace {

const QString password = QStringLiteral("비밀 pw");

// The fixture archives, made once per test process by the committed script.
const fs::path &fixtures()
{
    static TempDir dir;
    static const bool made = [] {
        const auto result =
            TestSupport::run(QStringLiteral("bash"), {QStringLiteral(QF_SEVENZIP_FIXTURE_SCRIPT),
                                                      QString::fromStdString(dir.path().native()), password});
        if (result.exitCode != 0)
            ADD_FAILURE() << "fixture script failed: " << result.err;
        return result.exitCode == 0;
    }();
    (void)made;
    return dir.path();
}

Bytes hex(std::string_view text)
{
    Bytes out;
    std::istringstream in{std::string(text)};
    std::string byte;
    while (in >> byte)
        out.push_back(std::uint8_t(std::stoul(byte, nullptr, 16)));
    return out;
}

void number(Bytes &out, std::uint64_t v)
{
    if (v < 0x80) {
        out.push_back(std::uint8_t(v));
        return;
    }
    out.push_back(0xFF);
    for (int i = 0; i < 8; ++i)
        out.push_back(std::uint8_t(v >> (8 * i)));
}

void append(Bytes &out, const Bytes &more)
{
    out.insert(out.end(), more.begin(), more.end());
}

std::uint64_t le64(const Bytes &b, std::size_t at)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | b.at(at + std::size_t(i));
    return v;
}

void put32(Bytes &b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.at(at + std::size_t(i)) = std::uint8_t(v >> (8 * i));
}

// Writes the start header's two CRCs for the header its fields name and for itself.
void sealStartHeader(Bytes &b)
{
    const std::size_t at = 32 + std::size_t(le64(b, 12));
    put32(b, 28, crc32(std::span(b).subspan(at, std::size_t(le64(b, 20)))));
    put32(b, 8, crc32(std::span(b).subspan(12, 20)));
}

// Signature header, packed data, header.
Bytes archive(const Bytes &packed, const Bytes &header)
{
    Bytes out = hex("37 7A BC AF 27 1C 00 04 00 00 00 00");
    for (std::uint64_t v : {std::uint64_t(packed.size()), std::uint64_t(header.size())})
        for (int i = 0; i < 8; ++i)
            out.push_back(std::uint8_t(v >> (8 * i)));
    append(out, hex("00 00 00 00"));
    append(out, packed);
    append(out, header);
    sealStartHeader(out);
    return out;
}

struct CraftFile {
    std::string name; // UTF-8; a "\" stays as stored
    std::string data;
    bool isDirectory = false;
};

Bytes utf16(const std::string &s)
{
    Bytes out;
    for (char16_t u : QString::fromStdString(s).toStdU16String()) {
        out.push_back(std::uint8_t(u & 0xFF));
        out.push_back(std::uint8_t(u >> 8));
    }
    return out;
}

Bytes bits(const std::vector<bool> &items)
{
    Bytes out((items.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i])
            out[i / 8] |= std::uint8_t(0x80 >> (i % 8));
    return out;
}

// A plain-header archive whose files with data share one copy folder, with times and attributes
// properties that the reader must skip by their sizes.
Bytes craftArchive(const std::vector<CraftFile> &files, bool withNames = true)
{
    Bytes packed;
    std::vector<std::uint64_t> sizes;
    std::vector<std::uint32_t> crcs;
    std::vector<bool> emptyStream, emptyFile;
    for (const CraftFile &f : files) {
        const bool empty = f.isDirectory || f.data.empty();
        emptyStream.push_back(empty);
        if (empty) {
            emptyFile.push_back(!f.isDirectory);
            continue;
        }
        append(packed, SevenZipTest::bytes(f.data));
        sizes.push_back(f.data.size());
        crcs.push_back(crc32(SevenZipTest::bytes(f.data)));
    }
    Bytes h = hex("01");
    if (!sizes.empty()) {
        append(h, hex("04 06 00 01 09"));
        number(h, packed.size());
        append(h, hex("00 07 0B 01 00 01 01 00 0C"));
        number(h, packed.size());
        append(h, hex("00 08 0D"));
        number(h, sizes.size());
        h.push_back(0x09);
        for (std::size_t i = 0; i + 1 < sizes.size(); ++i)
            number(h, sizes[i]);
        append(h, hex("0A 01"));
        for (std::uint32_t c : crcs)
            for (int i = 0; i < 4; ++i)
                h.push_back(std::uint8_t(c >> (8 * i)));
        append(h, hex("00 00"));
    }
    h.push_back(0x05);
    number(h, files.size());
    auto property = [&h](std::uint8_t type, const Bytes &data) {
        h.push_back(type);
        number(h, data.size());
        append(h, data);
    };
    property(0x0E, bits(emptyStream));
    property(0x0F, bits(emptyFile));
    if (withNames) {
        Bytes names = hex("00");
        for (const CraftFile &f : files) {
            append(names, utf16(f.name));
            append(names, hex("00 00"));
        }
        property(0x11, names);
    }
    property(0x14, Bytes(2 + 8 * files.size(), 0x01));
    Bytes attributes = hex("01 00");
    for (const CraftFile &f : files)
        append(attributes, f.isDirectory ? hex("10 00 00 00") : hex("20 00 00 00"));
    property(0x15, attributes);
    append(h, hex("00 00"));
    return archive(packed, h);
}

fs::path save(const TempDir &dir, const Bytes &bytes, const char *name = "crafted.7z")
{
    const fs::path p = dir / name;
    writeFile(bytes, p);
    return p;
}

std::vector<std::string> names(const SevenZipReader::ArchiveInfo &info)
{
    std::vector<std::string> out;
    for (const auto &e : info.entries)
        out.push_back(e.name);
    return out;
}

} // namespace

TEST(SevenZipReader, ListsAndExtractsEveryPeerArchiveLikeSevenZip)
{
    const struct {
        const char *name;
        bool filesEncrypted;
        bool headerEncrypted;
    } cases[] = {
        {"default", false, false},
        {"lzma", false, false},
        {"copy", false, false},
        {"deflate", false, false},
        {"header-plain", false, false},
        {"solid", false, false},
        {"non-solid", false, false},
        {"encrypted", true, false},
        {"encrypted-header", true, true},
        {"deflate-encrypted-header", true, true},
        {"encrypted-plain-header", true, false},
        {"bsdtar", false, false},
        {"bsdtar-deflate", false, false},
        {"bsdtar-store", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path archive = fixtures() / (std::string(c.name) + ".7z");
        bool ok = false;
        const auto peer = SevenZipTest::peerList(archive, password, &ok);
        ASSERT_TRUE(ok);
        const auto info = SevenZipReader::info(archive, password);
        EXPECT_EQ(info.filesEncrypted, c.filesEncrypted);
        EXPECT_EQ(info.headerEncrypted, c.headerEncrypted);
        std::vector<SevenZipTest::PeerEntry> ours;
        for (const auto &e : info.entries)
            ours.push_back({e.name, e.isDirectory, e.isDirectory ? 0 : e.size, ""});
        for (auto &p : peer)
            const_cast<SevenZipTest::PeerEntry &>(p).method.clear();
        EXPECT_EQ(ours, peer);
        EXPECT_GT(info.entries.size(), 5u);

        TempDir mine, theirs;
        const auto written =
            SevenZipReader::extract(archive, mine.path(), false, std::nullopt, std::nullopt, password);
        ASSERT_EQ(SevenZipTest::sevenZip(
                      {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-p") + password,
                       QStringLiteral("-o") + QString::fromStdString(theirs.path().native()),
                       QString::fromStdString(archive.native())}),
                  0);
        const auto expected = SevenZipTest::tree(theirs.path());
        EXPECT_EQ(SevenZipTest::tree(mine.path()), expected);
        std::int64_t files = 0;
        for (const auto &[path, content] : expected)
            files += content != "/";
        EXPECT_EQ(written, files);
    }
}

TEST(SevenZipReader, EncryptedArchivesAskForTheRightPassword)
{
    TempDir out;
    for (const char *name : {"encrypted", "encrypted-header", "deflate-encrypted-header"}) {
        SCOPED_TRACE(name);
        const fs::path archive = fixtures() / (std::string(name) + ".7z");
        const bool hiddenNames = std::string(name) != "encrypted";
        if (hiddenNames) {
            expectReadError([&] { SevenZipReader::info(archive, {}); },
                            SevenZipReadError::Kind::passwordRequired);
            expectReadError([&] { SevenZipReader::info(archive, QStringLiteral("wrong")); },
                            SevenZipReadError::Kind::wrongPassword);
        } else {
            EXPECT_GT(SevenZipReader::info(archive, {}).entries.size(), 5u);
        }
        expectReadError([&] { SevenZipReader::extract(archive, out.path(), false, {}, {}, {}); },
                        SevenZipReadError::Kind::passwordRequired);
        for (const char *wrong : {"wrong", "비밀", "비밀 pW", "x"})
            expectReadError(
                [&] {
                    SevenZipReader::extract(archive, out.path(), false, {}, {}, QString::fromUtf8(wrong));
                },
                SevenZipReadError::Kind::wrongPassword);
    }
}

TEST(SevenZipReader, CodersOutsideTheReaderAreUnsupported)
{
    const QString advice = QStringLiteral(" — 7-Zip 기본 설정(LZMA2)으로 다시 압축해 보세요");
    const struct {
        const char *name;
        QString detail;
    } cases[] = {
        {"ppmd", QStringLiteral("코더 030401") + advice},
        {"deflate64", QStringLiteral("코더 040109") + advice},
        {"bcj", QStringLiteral("코더 03030103") + advice},
        {"bcj2", QStringLiteral("복합 코더")},
    };
    TempDir out;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path archive = fixtures() / (std::string(c.name) + ".7z");
        EXPECT_GT(SevenZipReader::info(archive, {}).entries.size(), 5u);
        expectReadError([&] { SevenZipReader::extract(archive, out.path(), false, {}, {}, {}); },
                        SevenZipReadError::Kind::unsupported, c.detail);
    }
}

TEST(SevenZipReader, SignatureAndHeaderPlacement)
{
    TempDir dir;
    const Bytes signature = hex("37 7A BC AF 27 1C 00 04");
    auto startHeader = [&](std::uint64_t offset, std::uint64_t size) {
        Bytes b = signature;
        append(b, hex("DE AD BE EF")); // the placement is judged before the CRCs
        for (std::uint64_t v : {offset, size})
            for (int i = 0; i < 8; ++i)
                b.push_back(std::uint8_t(v >> (8 * i)));
        append(b, hex("01 02 03 04"));
        return b;
    };
    using K = SevenZipReadError::Kind;
    expectReadError([&] { SevenZipReader::info(save(dir, startHeader(0, 1)), {}); }, K::notSevenZip);
    Bytes wrongSignature = startHeader(0, 1);
    wrongSignature[5] = 0x1D;
    wrongSignature.push_back(0x01);
    expectReadError([&] { SevenZipReader::info(save(dir, wrongSignature), {}); }, K::notSevenZip);
    Bytes sizeZero = startHeader(0, 0);
    sizeZero.push_back(0x01);
    expectReadError([&] { SevenZipReader::info(save(dir, sizeZero), {}); }, K::corrupted,
                    QStringLiteral("헤더 위치"));
    Bytes overflowing = startHeader(0xFFFFFFFFFFFFFFF0ULL, 0x20);
    overflowing.push_back(0x01);
    expectReadError([&] { SevenZipReader::info(save(dir, overflowing), {}); }, K::corrupted,
                    QStringLiteral("헤더 위치"));
    expectReadError([&] { SevenZipReader::info(dir / "missing.7z", {}); }, K::corrupted,
                    QStringLiteral("파일 읽기"));

    // A header larger than the reader holds is refused before it is read.
    const fs::path huge = save(dir, startHeader(0, (64 << 20) + 1), "huge.7z");
    ASSERT_EQ(::truncate(huge.c_str(), 32 + (64 << 20) + 1), 0);
    expectReadError([&] { SevenZipReader::info(huge, {}); }, K::corrupted, QStringLiteral("메모리 부족"));

    const fs::path empty = save(dir, archive({}, hex("01 00")));
    EXPECT_TRUE(SevenZipReader::info(empty, {}).entries.empty());
    EXPECT_EQ(SevenZipReader::extract(empty, dir.folder("out"), false, {}, {}, {}), 0);
}

TEST(SevenZipReader, DamagedHeadersAreReportedNeverTrusted)
{
    using K = SevenZipReadError::Kind;
    const std::string copyFolder = "07 0B 01 00 01 01 00 0C 05 00";
    const struct {
        const char *what;
        std::string header;
        K kind;
        QString detail;
    } cases[] = {
        {"unknown header start", "02", K::corrupted, QStringLiteral("헤더 시작")},
        {"archive properties", "01 02 00", K::unsupported, QStringLiteral("헤더 섹션 2")},
        {"additional streams", "01 03 00", K::unsupported, QStringLiteral("헤더 섹션 3")},
        {"number too large", "01 FF FF FF FF FF FF FF FF 7F 00", K::corrupted, QStringLiteral("숫자 범위")},
        {"header cut short", "01 04 06", K::corrupted, QStringLiteral("범위 초과")},
        {"pack info sub-ID", "01 04 06 00 01 05 00", K::corrupted, QStringLiteral("PackInfo 5")},
        {"folder marker", "01 04 07 0C", K::corrupted, QStringLiteral("Folder 마커")},
        {"external folders", "01 04 07 0B 01 01", K::unsupported, QStringLiteral("외부 폴더 정보")},
        {"no coders", "01 04 07 0B 01 00 00 0C 00 00 00 00", K::corrupted, QStringLiteral("코더 수")},
        {"nine coders", "01 04 07 0B 01 00 09", K::corrupted, QStringLiteral("코더 수")},
        {"unpack size marker", "01 04 07 0B 01 00 01 01 00 0D", K::corrupted,
         QStringLiteral("UnpackSize 마커")},
        {"unpack info sub-ID", "01 04 07 0B 01 00 01 01 00 0C 05 09 00", K::corrupted,
         QStringLiteral("UnPackInfo 9")},
        {"substreams sub-ID", "01 04 " + copyFolder + " 08 05", K::corrupted, QStringLiteral("SubStreams 5")},
        {"streams info block", "01 04 09", K::unsupported, QStringLiteral("StreamsInfo 섹션 9")},
        {"more folders than bytes", "01 04 07 0B FE FF FF FF FF FF FF 00 00", K::corrupted,
         QStringLiteral("범위 초과")},
        {"more pack sizes than bytes", "01 04 06 00 FE FF FF FF FF FF FF 00 09 01 00", K::corrupted,
         QStringLiteral("범위 초과")},
        {"files of a folder without sizes", "01 04 " + copyFolder + " 08 0D FE FF FF FF FF FF FF 00 00 00",
         K::corrupted, QStringLiteral("범위 초과")},
        {"sizes past the folder", "01 04 " + copyFolder + " 08 0D 02 09 0A 00 00 00", K::corrupted,
         QStringLiteral("범위 초과")},
        {"more files than streams", "01 05 FE FF FF FF FF FF FF 00 00 00", K::corrupted,
         QStringLiteral("스트림 매핑")},
        {"empty-stream vector past its property", "01 05 FE FF FF FF FF FF FF 00 0E 01 FF 00 00",
         K::corrupted, QStringLiteral("범위 초과")},
        {"property past the header", "01 05 01 11 10 00", K::corrupted, QStringLiteral("범위 초과")},
        {"external names", "01 05 01 11 02 01 00 00 00", K::unsupported, QStringLiteral("외부 이름 저장")},
        {"bind pairs exceed inputs", "01 04 07 0B 01 00 01 11 00 00 03 00 00 00 00", K::corrupted,
         QStringLiteral("입력 스트림 매핑")},
        {"encoded header without folder", "17 06 00 00 00 00", K::corrupted, QStringLiteral("헤더 폴더")},
        {"encoded header past the file", "17 06 00 01 09 7F 00 07 0B 01 00 01 01 00 0C 05 00 00",
         K::corrupted, QStringLiteral("헤더 데이터")},
        {"encoded header claiming gigabytes",
         "17 06 00 01 09 01 00 07 0B 01 00 01 01 00 0C FF 00 00 00 40 00 00 00 00 00 00", K::corrupted,
         QStringLiteral("메모리 부족")},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path p = save(dir, archive({}, hex(c.header)));
        expectReadError([&] { SevenZipReader::info(p, {}); }, c.kind, c.detail);
    }
}

// A header whose bytes changed can still parse (a name with a byte flipped): the CRCs decide.
TEST(SevenZipReader, HeaderCrcsAreChecked)
{
    using K = SevenZipReadError::Kind;
    // A name in the plain header of an archive with a password (7-Zip's -mhc=off).
    Bytes renamed = readWholeFile(fixtures() / "encrypted-plain-header.7z");
    const Bytes name = utf16("numbers.txt");
    const auto at = std::search(renamed.begin(), renamed.end(), name.begin(), name.end());
    ASSERT_NE(at, renamed.end());
    *at = 'N';
    // The start header's own CRC.
    Bytes start = readWholeFile(fixtures() / "default.7z");
    start[8] ^= 1;
    // The CRC of the encoded header's decoded bytes (the 4 bytes before its two end markers),
    // with the start header sealed again so that only that check can fail.
    Bytes encoded = readWholeFile(fixtures() / "default.7z");
    ASSERT_EQ(encoded.at(32 + std::size_t(le64(encoded, 12))), 0x17);
    encoded.at(encoded.size() - 6) ^= 1;
    sealStartHeader(encoded);
    const struct {
        const char *what;
        Bytes bytes;
        QString detail;
    } cases[] = {
        {"name changed", renamed, QStringLiteral("헤더 CRC")},
        {"start header changed", start, QStringLiteral("시작 헤더 CRC")},
        {"encoded header's CRC", encoded, QStringLiteral("인코딩된 헤더 CRC")},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path p = save(dir, c.bytes);
        expectReadError([&] { SevenZipReader::info(p, password); }, K::corrupted, c.detail);
        expectReadError([&] { SevenZipReader::extract(p, dir.folder("out"), false, {}, {}, password); },
                        K::corrupted, c.detail);
        EXPECT_TRUE(TestSupport::entriesBelow(dir / "out").empty());
        // 7-Zip refuses each as well.
        EXPECT_NE(SevenZipTest::sevenZip({QStringLiteral("t"), QStringLiteral("-p") + password,
                                          QString::fromStdString(p.native())}),
                  0);
    }
}

TEST(SevenZipReader, DamagedFoldersFailOnlyWhenExtracted)
{
    using K = SevenZipReadError::Kind;
    auto oneFile = [](const std::string &streams) { return "01 04 " + streams + " 05 01 00 00"; };
    const struct {
        const char *what;
        Bytes packed;
        std::string header;
        QString detail;
    } cases[] = {
        {"pack stream past the file",
         {},
         oneFile("06 00 01 09 40 00 07 0B 01 00 01 01 00 0C 05 00 00"),
         QStringLiteral("데이터 범위")},
        {"file past its folder's bytes", hex("61 62 63"),
         oneFile("06 00 01 09 03 00 07 0B 01 00 01 01 00 0C 0A 00 00"), QStringLiteral("범위 초과")},
        {"bind pair to a missing out-stream", hex("61"),
         oneFile("06 00 01 09 01 00 07 0B 01 00 02 01 00 01 00 00 07 0C 01 01 00 00"),
         QStringLiteral("입력 스트림 매핑")},
        {"deflate claiming a terabyte", hex("03 00"),
         oneFile("06 00 01 09 02 00 07 0B 01 00 01 03 04 01 08 0C FF 00 00 00 00 00 01 00 00 00 00"),
         QStringLiteral("Deflate 해제")},
        {"LZMA2 claiming a petabyte", hex("00"),
         oneFile("06 00 01 09 01 00 07 0B 01 00 01 21 21 01 18 0C FF 00 00 00 00 00 00 04 00 00 00"),
         QStringLiteral("LZMA 해제 (코드 1)")},
        {"CRC mismatch", hex("61 62 63"),
         oneFile("06 00 01 09 03 00 07 0B 01 00 01 01 00 0C 03 00 08 0A 01 00 00 00 00 00 00"),
         QStringLiteral("CRC 불일치")},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path p = save(dir, archive(c.packed, hex(c.header)));
        EXPECT_NO_THROW(EXPECT_EQ(SevenZipReader::info(p, {}).entries.size(), 1u));
        expectReadError([&] { SevenZipReader::extract(p, dir.folder("out"), false, {}, {}, {}); },
                        K::corrupted, c.detail);
    }
}

TEST(SevenZipReader, NamesAsStoredAndDefaultNames)
{
    TempDir dir;
    const std::vector<CraftFile> files = {
        {"dir\\file.txt", "abc"}, {"dir", "", true}, {"empty", ""}, {"b", "xy"}};
    const auto info = SevenZipReader::info(save(dir, craftArchive(files)), {});
    EXPECT_EQ(names(info), (std::vector<std::string>{"dir/file.txt", "dir", "empty", "b"}));
    EXPECT_FALSE(info.entries[0].isDirectory);
    EXPECT_EQ(info.entries[0].size, 3);
    EXPECT_TRUE(info.entries[1].isDirectory);
    EXPECT_FALSE(info.entries[2].isDirectory);
    EXPECT_EQ(info.entries[2].size, 0);
    EXPECT_EQ(info.entries[3].size, 2);
    EXPECT_FALSE(info.filesEncrypted);

    const auto unnamed = SevenZipReader::info(save(dir, craftArchive(files, false), "unnamed.7z"), {});
    EXPECT_EQ(names(unnamed), (std::vector<std::string>{"항목0", "항목1", "항목2", "항목3"}));

    const fs::path out = dir.folder("out");
    EXPECT_EQ(SevenZipReader::extract(dir / "crafted.7z", out, false, {}, {}, {}), 3);
    EXPECT_EQ(SevenZipTest::tree(out),
              (std::map<std::string, std::string>{
                  {"dir", "/"}, {"dir/file.txt", "abc"}, {"empty", ""}, {"b", "xy"}}));
}

TEST(SevenZipReader, ExtractionStaysInsideTheDestination)
{
    TempDir dir;
    // Names outside the prefix, the prefix's own folder and empty names are passed over.
    const std::vector<CraftFile> files = {
        {"", "4"}, {"top/a/b", "5"}, {"top", "", true}, {"top/", "", true}, {"other/c", "6"}, {"top/ok", "7"},
    };
    const fs::path archivePath = save(dir, craftArchive(files));
    const fs::path out = dir.folder("deep/out");
    EXPECT_EQ(SevenZipReader::extract(archivePath, out, false, std::string("top/"), {}, {}), 2);
    EXPECT_EQ(SevenZipTest::tree(out),
              (std::map<std::string, std::string>{{"a", "/"}, {"a/b", "5"}, {"ok", "7"}}));

    const fs::path all = dir.folder("all");
    EXPECT_EQ(SevenZipReader::extract(archivePath, all, false, {}, {}, {}), 3);
    EXPECT_EQ(SevenZipTest::tree(all), (std::map<std::string, std::string>{{"top", "/"},
                                                                           {"top/a", "/"},
                                                                           {"top/a/b", "5"},
                                                                           {"top/ok", "7"},
                                                                           {"other", "/"},
                                                                           {"other/c", "6"}}));
}

TEST(SevenZipReader, NamesLeavingTheDestinationRefuseTheExtraction)
{
    // As the ZIP and libarchive readers do, and before anything is written.
    const struct {
        std::string name;
        bool isDirectory;
        std::optional<std::string> prefix;
        std::string shown;
    } cases[] = {
        {"/etc/abs.txt", false, {}, "/etc/abs.txt"},
        {"../up.txt", false, {}, "../up.txt"},
        {"a/../../up2.txt", false, {}, "a/../../up2.txt"},
        {"..\\win.txt", false, {}, "../win.txt"},
        {"../d", true, {}, "../d"},
        {"top/../x", false, std::string("top/"), "../x"},
    };
    TempDir dir;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shown);
        const fs::path archivePath =
            save(dir, craftArchive({{"first.txt", "1"}, {c.name, c.isDirectory ? "" : "2", c.isDirectory}}));
        const fs::path out = dir.folder("out");
        expectReadError([&] { SevenZipReader::extract(archivePath, out, false, c.prefix, {}, {}); },
                        SevenZipReadError::Kind::corrupted,
                        QStringLiteral("잘못된 경로: ") +
                            QString::fromUtf8(c.shown.data(), qsizetype(c.shown.size())));
        EXPECT_TRUE(fs::is_empty(out));
        fs::remove(out);
    }
    EXPECT_FALSE(fs::exists(dir / "up.txt"));

    // The same with the names hidden behind a password.
    const fs::path data = dir.file("data.txt", "x");
    const fs::path hidden = dir / "hidden.7z";
    SevenZipWriter::create(hidden, {{"ok.txt", data, false}, {"../../x", data, false}}, password, true);
    const fs::path out = dir.folder("out");
    try {
        SevenZipReader::extract(hidden, out, false, {}, {}, password);
        ADD_FAILURE() << "no error";
    } catch (const SevenZipReadError &e) {
        EXPECT_EQ(e.description(), QStringLiteral("손상된 7z 파일입니다. (잘못된 경로: ../../x)"));
    }
    EXPECT_TRUE(fs::is_empty(out));
}

TEST(SevenZipReader, PathComponentsRule)
{
    using V = std::optional<std::vector<std::string>>;
    const std::optional<std::string> top = std::string("top/");
    const struct {
        std::string name;
        std::optional<std::string> prefix;
        V expected;
    } cases[] = {
        {"a//b/", {}, V({"a", "b"})},
        {"/abs", {}, std::nullopt},
        {"a/../b", {}, std::nullopt},
        {"..", {}, std::nullopt},
        {"", {}, std::nullopt},
        {"///", {}, std::nullopt},
        {std::string("a\0b", 3), {}, std::nullopt},
        {"top", top, std::nullopt},
        {"top/", top, std::nullopt},
        {"topx/a", top, std::nullopt},
        {"top//a", top, std::nullopt},
        {"top/a/b", top, V({"a", "b"})},
        {"top/../x", top, std::nullopt},
        {"top/./etc", top, V({".", "etc"})},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SevenZipReader::pathComponents(c.name, c.prefix), c.expected) << c.name;
}

TEST(SevenZipReader, JunkSkippingKeepsEachFileWithItsOwnData)
{
    TempDir dir;
    const std::vector<CraftFile> files = {
        {"__MACOSX/._a", "junk1"}, {"a", "AAAA"}, {"d/.DS_Store", "junk2"}, {"d/b", "BB"}, {"._c", "junk3"}};
    const fs::path archivePath = save(dir, craftArchive(files));
    const fs::path out = dir.folder("out");
    EXPECT_EQ(SevenZipReader::extract(archivePath, out, true, {}, {}, {}), 2);
    EXPECT_EQ(SevenZipTest::tree(out),
              (std::map<std::string, std::string>{{"a", "AAAA"}, {"d", "/"}, {"d/b", "BB"}}));

    // A single-file target receives each file in turn; entries without data are ignored.
    const fs::path target = dir / "single.bin";
    EXPECT_EQ(SevenZipReader::extract(archivePath, dir.folder("unused"), true, {}, target, {}), 2);
    EXPECT_EQ(TestSupport::readBytes(target), "BB");
    EXPECT_TRUE(fs::is_empty(dir / "unused"));
}

TEST(SevenZipReader, NfcNamesOnExtraction)
{
    TempDir dir;
    const std::string nfd = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB.txt"; // 한 decomposed
    const fs::path archivePath = save(dir, craftArchive({{nfd, "k"}}));
    EXPECT_EQ(names(SevenZipReader::info(archivePath, {})), std::vector<std::string>{nfd});
    const fs::path out = dir.folder("out");
    SevenZipReader::extract(archivePath, out, false, {}, {}, {});
    EXPECT_EQ(SevenZipTest::tree(out), (std::map<std::string, std::string>{{"한.txt", "k"}}));
}
