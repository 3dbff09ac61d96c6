#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipBackend.h"
#include "Archive/Zip/ZipWriter.h"

#include "Archive/ArchiveFiles.h"
#include "Core/Text.h"
#include "FailingAllocations.h"
#include "ZipTestSupport.h"
#include "support/TestSupport.h"

using namespace ZipTest;
using Kind = ZipError::Kind;
using Enc = ZipEntry::NameEncoding;

namespace {

RawEntry stored(std::string name, std::string_view content)
{
    RawEntry e;
    e.name = std::move(name);
    e.data = bytes(content);
    return e;
}

RawEntry deflated(std::string name, const Bytes &plain)
{
    RawEntry e;
    e.name = std::move(name);
    e.data = rawDeflate(plain);
    e.method = 8;
    e.crc = ::crc32(plain);
    e.uncompressedSize = std::uint32_t(plain.size());
    return e;
}

Bytes unicodePathExtra(std::string_view utf8)
{
    Bytes extra;
    put16(extra, 0x7075);
    put16(extra, std::uint32_t(5 + utf8.size()));
    extra.push_back(1);
    put32(extra, 0);
    extra.insert(extra.end(), utf8.begin(), utf8.end());
    return extra;
}

} // namespace

TEST(ZipReaderListing, endRecordSearchWindow)
{
    EXPECT_TRUE(ZipReader::readEntries(memory(endRecord(0, 0, 0))).empty());
    expectZipError([] { ZipReader::readEntries(memory(Bytes(21))); }, Kind::notAZip);

    // A comment of 65 536 bytes still leaves the record in the window; one more byte does not.
    Bytes withComment = endRecord(0, 0, 0);
    withComment.resize(22 + 65536, 'c');
    EXPECT_TRUE(ZipReader::readEntries(memory(withComment)).empty());
    withComment.push_back('c');
    expectZipError([&] { ZipReader::readEntries(memory(withComment)); }, Kind::notAZip);

    // The record nearest the end wins; the earlier one becomes part of its comment.
    Bytes archive = buildZip({stored("a.txt", "A")});
    EXPECT_EQ(ZipReader::readEntries(memory(archive)).size(), 1u);
    const Bytes later = endRecord(0, 0, 0);
    archive.insert(archive.end(), later.begin(), later.end());
    EXPECT_TRUE(ZipReader::readEntries(memory(archive)).empty());
}

TEST(ZipReaderListing, structuralFaults)
{
    struct Case {
        const char *what;
        Bytes archive;
        Kind kind;
        const char *detail;
    };
    Bytes nameOverrun = buildZip({stored("name.txt", "")});
    nameOverrun[nameOverrun.size() - 22 - 46 - 8 + 28] = 0xFF; // central name length beyond the data
    RawEntry zip64 = stored("big", "x");
    zip64.uncompressedSize = 0xFFFFFFFF;
    const Bytes two = buildZip({stored("a", "1"), stored("b", "2")});
    // A ZIP64 locator (signature 50 4B 06 07 and 16 bytes) between the directory and the end record.
    Bytes locator = two;
    const Bytes locatorRecord{0x50, 0x4B, 0x06, 0x07, 0, 0, 0, 0, 9, 9, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    locator.insert(locator.end() - 22, locatorRecord.begin(), locatorRecord.end());
    Bytes allOnes = two;
    std::fill(allOnes.end() - 6, allOnes.end() - 2, 0xFF); // the directory's offset
    Bytes sizeOverEnd = two;
    sizeOverEnd[sizeOverEnd.size() - 10] += 1; // the directory's size reaches into the end record
    const Case cases[] = {
        {"central offset at the end", endRecord(0, 0, 22), Kind::corrupted, "중앙 디렉터리 위치"},
        {"record count beyond the records", buildZip({stored("a", "1")}, 65535), Kind::corrupted,
         "중앙 디렉터리 항목"},
        {"records beyond the count", buildZip({stored("a", "1"), stored("b", "2")}, 1), Kind::corrupted,
         "중앙 디렉터리 항목"},
        {"end record alone claiming entries", endRecord(3, 46, 0), Kind::corrupted, "중앙 디렉터리 항목"},
        {"directory size past the end record", sizeOverEnd, Kind::corrupted, "중앙 디렉터리 항목"},
        {"ZIP64 marker in an entry", buildZip({zip64}), Kind::unsupported, "ZIP64 (4GB 이상)"},
        {"ZIP64 locator", locator, Kind::unsupported, "ZIP64 (4GB 이상)"},
        {"end record at ZIP64's maximum", allOnes, Kind::unsupported, "ZIP64 (4GB 이상)"},
        {"name past the end", nameOverrun, Kind::corrupted, "파일명"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        expectZipError([&] { ZipReader::readEntries(memory(c.archive)); }, c.kind,
                       QString::fromUtf8(c.detail));
    }
}

// A writer without ZIP64 that wraps the 16-bit count past 65 535 records: the listing is refused
// whole, never cut to the first records, and nothing is extracted.
TEST(ZipReaderListing, wrappedRecordCountIsZip64)
{
    std::vector<RawEntry> entries;
    for (int i = 0; i < 65537; ++i)
        entries.push_back(stored(std::to_string(i), ""));
    TestSupport::TempDir dir;
    const auto zip = dir.file("wrapped.zip", text(buildZip(entries, 1)));
    expectZipError([&] { ZipReader::readEntries(ArchiveInput::open(zip)); }, Kind::unsupported,
                   QStringLiteral("ZIP64 (4GB 이상)"));
    ArchiveBackend::ExtractOptions options;
    options.destination = dir.folder("out");
    expectZipError([&] { ZipBackend().extract(zip, options); }, Kind::unsupported);
    EXPECT_TRUE(TestSupport::entriesBelow(dir / "out").empty());
}

TEST(ZipReaderListing, extraFieldRunningPastTheDataIsNotRead)
{
    Bytes archive = buildZip({stored("a.txt", "A")});
    const std::size_t cd = get32(archive, archive.size() - 6);
    archive[cd + 30] = 0xF4; // an extra field of 500 bytes, running over the end record and beyond
    archive[cd + 31] = 0x01;
    const auto entries = ZipReader::readEntries(memory(archive));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].decodedName, "a.txt");
}

TEST(ZipReaderListing, nameDecoding)
{
    const std::string cp949 = *Text::encodeCp949("한글 문서.txt");
    struct Case {
        std::string raw;
        bool flagged;
        std::optional<std::string> unicode;
        std::string name;
        Enc encoding;
    };
    const Case cases[] = {
        {"plain.txt", false, {}, "plain.txt", Enc::utf8},
        {"plain.txt", true, {}, "plain.txt", Enc::utf8},
        {"", false, {}, "", Enc::utf8},
        {cp949, false, {}, "한글 문서.txt", Enc::cp949},
        {cp949, true, {}, "한글 문서.txt", Enc::cp949},     // flagged but not UTF-8
        {"가나다.txt", false, {}, "가나다.txt", Enc::utf8}, // UTF-8 that CP949 refuses
        {"가나다.txt", true, {}, "가나다.txt", Enc::utf8},
        {"caf\xFF.txt", false, {}, "caf\xC3\xBF.txt", Enc::latin1},
        {cp949, false, std::string("유니코드.txt"), "유니코드.txt", Enc::utf8},
        // Flagless UTF-8 that CP949 also accepts (문서 would read 臾몄꽌): UTF-8 first.
        {"문서.txt", false, {}, "문서.txt", Enc::utf8},
        {"café.txt", false, {}, "café.txt", Enc::utf8}, // an accented word keeps its ASCII letters
        // CP949 that is also valid UTF-8, in the shapes misread Hangul takes: a word made only of
        // U+0080–U+023F (표 1 reads ǥ 1), a C1 control (혰 reads U+0097).
        {"\xC7\xA5 1.xlsx", false, {}, "표 1.xlsx", Enc::cp949},
        {"\xC4\xB7 v2", false, {}, "캠 v2", Enc::cp949},
        {"\xC2\x97.txt", false, {}, "혰.txt", Enc::cp949},
        // The rule's known cost: a lone accented letter as a word reads as Korean.
        {"é.txt", false, {}, "챕.txt", Enc::cp949},
    };
    for (const auto &c : cases) {
        const auto [name, encoding] = ZipReader::decodeName(c.raw, c.flagged, c.unicode);
        EXPECT_EQ(name, c.name) << c.raw;
        EXPECT_EQ(int(encoding), int(c.encoding)) << c.raw;
    }
    EXPECT_EQ(ZipEntry::fromString(QStringLiteral("CP949")), Enc::cp949);
    EXPECT_EQ(ZipEntry::fromString(QStringLiteral("cp949")), std::nullopt);
}

TEST(ZipReaderListing, fieldsBackslashesAndUnicodePath)
{
    RawEntry legacy = stored(*Text::encodeCp949("옛이름.txt"), "x");
    legacy.centralExtra = unicodePathExtra("새 이름.txt");
    RawEntry broken = stored("keep.txt", "y");
    broken.centralExtra = unicodePathExtra("\xFF\xFE"); // not UTF-8: ignored
    RawEntry dir = stored("dir\\", "");
    const auto entries =
        ZipReader::readEntries(memory(buildZip({legacy, broken, dir, stored("a\\b.txt", "ab")})));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].decodedName, "새 이름.txt");
    EXPECT_EQ(entries[1].decodedName, "keep.txt");
    EXPECT_EQ(entries[2].decodedName, "dir/");
    EXPECT_TRUE(entries[2].isDirectory);
    EXPECT_EQ(entries[3].decodedName, "a/b.txt");
    EXPECT_FALSE(entries[3].isDirectory);
    EXPECT_EQ(entries[3].compressedSize, 2);
    EXPECT_EQ(entries[3].crc, ::crc32(bytes("ab")));
    EXPECT_NE(entries[0].id, entries[1].id);
}

TEST(ZipReaderData, faultsOfOneEntry)
{
    RawEntry badCrc = stored("a", "hello");
    badCrc.crc = 1;
    RawEntry zeroCrc = stored("a", "hello");
    zeroCrc.crc = 0;
    RawEntry method12 = stored("a", "x");
    method12.method = 12;
    RawEntry plain99 = stored("a", "x");
    plain99.method = 99;
    RawEntry locked = stored("a", "xxxxxxxxxxxxxxxx");
    locked.flags = 1;
    RawEntry aesNoStrength = locked;
    aesNoStrength.method = 99;
    RawEntry pastEnd = stored("a", "x");
    pastEnd.compressedSize = 1000;
    RawEntry badLocal = stored("a", "x");
    badLocal.localOffset = 1;
    // A tiny DEFLATE entry declaring 32 MiB, a size that would be inflated in memory: refused
    // before anything is allocated for it (the allocation would fail below).
    RawEntry bomb = deflated("a", Bytes(100, 'z'));
    bomb.uncompressedSize = 32u << 20;
    RawEntry emptyInflate = stored("a", "not deflate at all");
    emptyInflate.method = 8;
    emptyInflate.uncompressedSize = 0;
    emptyInflate.crc = 0;

    struct Case {
        const char *what;
        RawEntry entry;
        const char *password;
        Kind kind;
        const char *detail;
    };
    const Case cases[] = {
        {"CRC mismatch", badCrc, "", Kind::corrupted, "CRC 불일치"},
        {"method 12", method12, "", Kind::unsupported, "압축 방식 12"},
        {"unencrypted 99", plain99, "", Kind::unsupported, "압축 방식 99"},
        {"encrypted, no password", locked, "", Kind::passwordRequired, ""},
        {"AES without strength", aesNoStrength, "pw", Kind::corrupted, "AES 정보"},
        {"data past the end", pastEnd, "", Kind::corrupted, "데이터 범위"},
        {"no local header", badLocal, "", Kind::corrupted, "로컬 헤더"},
        {"declared size beyond any DEFLATE ratio", bomb, "", Kind::corrupted, "압축 해제 실패"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes archive = buildZip({c.entry});
        const auto entries = ZipReader::readEntries(memory(archive));
        const FailingAllocations nothingLarge(4u << 20);
        expectZipError([&] { ZipReader::extractData(entries[0], memory(archive), c.password); }, c.kind,
                       QString::fromUtf8(c.detail));
    }

    // Unverified without a CRC, and a DEFLATE entry of size 0 is never decoded.
    const std::pair<RawEntry, Bytes> fine[] = {{zeroCrc, bytes("hello")}, {emptyInflate, {}}};
    for (const auto &[entry, content] : fine) {
        const Bytes archive = buildZip({entry});
        const auto entries = ZipReader::readEntries(memory(archive));
        EXPECT_EQ(ZipReader::extractData(entries[0], memory(archive), ""), content);
    }
}

TEST(ZipReaderData, inflateNeedsTheExactSize)
{
    const Bytes plain(5000, 'q');
    const Bytes packed = rawDeflate(plain);
    EXPECT_EQ(ZipReader::inflate(packed, 5000), plain);
    expectZipError([&] { ZipReader::inflate(packed, 4999); }, Kind::corrupted,
                   QStringLiteral("압축 해제 실패"));
    expectZipError([&] { ZipReader::inflate(packed, 5001); }, Kind::corrupted,
                   QStringLiteral("압축 해제 실패"));
    expectZipError([&] { ZipReader::inflate(bytes("garbage!"), 10); }, Kind::corrupted,
                   QStringLiteral("압축 해제 실패"));
}

// An entry's data must come to exactly its declared size, whatever the method, in memory and
// streamed (above 32 MiB): a size that lies is damage, and no file is left of it.
TEST(ZipReaderData, declaredSizesAreHeldToTheData)
{
    std::string numbers;
    for (int i = 0; numbers.size() < (40u << 20); ++i)
        numbers += std::to_string(i) + '\n';
    const Bytes large = bytes(numbers);
    const Bytes small(1000, 'x');
    RawEntry storedShort = stored("a", "four");
    storedShort.uncompressedSize = 0xFFFFFFFE;
    RawEntry storedLong = stored("a", "four");
    storedLong.uncompressedSize = 2;
    RawEntry deflatedShort = deflated("a", small);
    deflatedShort.uncompressedSize = 1001;
    RawEntry deflatedLong = deflated("a", small);
    deflatedLong.uncompressedSize = 999;
    RawEntry streamedShort = deflated("a", large);
    streamedShort.uncompressedSize = std::uint32_t(large.size() + 1);
    RawEntry streamedLong = deflated("a", large);
    streamedLong.uncompressedSize = std::uint32_t(large.size() - 1);
    RawEntry streamedBomb = deflated("a", Bytes(100, 'z'));
    streamedBomb.uncompressedSize = 0xFFFFFFFE;
    const struct {
        const char *what;
        RawEntry entry;
        const char *detail;
    } cases[] = {
        {"stored, 4 bytes declaring 4 GiB", storedShort, "크기 불일치"},
        {"stored, 4 bytes declaring 2", storedLong, "크기 불일치"},
        {"DEFLATE in memory, declared one byte more", deflatedShort, "압축 해제 실패"},
        {"DEFLATE in memory, declared one byte less", deflatedLong, "압축 해제 실패"},
        {"DEFLATE streamed, declared one byte more", streamedShort, "압축 해제 실패"},
        {"DEFLATE streamed, declared one byte less", streamedLong, "압축 해제 실패"},
        {"DEFLATE streamed, a few bytes declaring 4 GiB", streamedBomb, "압축 해제 실패"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes archive = buildZip({c.entry});
        const auto entries = ZipReader::readEntries(memory(archive));
        expectZipError([&] { ZipReader::extractData(entries[0], memory(archive), ""); }, Kind::corrupted,
                       QString::fromUtf8(c.detail));
        TestSupport::TempDir dir;
        expectZipError(
            [&] { ZipReader::extract(entries, memory(archive), dir.path(), false, std::nullopt, ""); },
            Kind::corrupted, QString::fromUtf8(c.detail));
        expectZipError([&] { ZipReader::extractFile(entries[0], memory(archive), "", dir / "one"); },
                       Kind::corrupted, QString::fromUtf8(c.detail));
        EXPECT_TRUE(TestSupport::entriesBelow(dir.path()).empty());
    }
}

// A wrong password passes the traditional check byte for about one password in 256; what follows
// is noise, which for DEFLATE data fails to inflate. That is a wrong password, not damage.
TEST(ZipReaderData, traditionalDeflateWithAPassingWrongPasswordIsWrongPassword)
{
    TestSupport::TempDir dir;
    std::string content;
    for (int i = 0; i < 300; ++i)
        content += "line " + std::to_string(i) + " of a compressible file\n";
    const auto source = dir.file("t.txt", content);
    const auto zip = dir / "t.zip";
    ZipWriter::create(zip, {{"t.txt", source, false}}, "correct", ZipWriter::Encryption::traditional);
    const Bytes archive = readFile(zip);
    const auto entries = ZipReader::readEntries(memory(archive));
    ASSERT_EQ(entries[0].method, 8);
    EXPECT_EQ(text(ZipReader::extractData(entries[0], memory(archive), "correct")), content);

    int passedCheckByte = 0;
    for (int i = 0; i < 20000 && passedCheckByte < 5; ++i) {
        const std::string guess = "guess" + std::to_string(i);
        try {
            ZipReader::zipCryptoDecrypt(
                std::span(archive).subspan(30 + 5, std::size_t(entries[0].compressedSize)), entries[0],
                guess);
        } catch (const ZipError &) {
            continue;
        }
        ++passedCheckByte;
        expectZipError([&] { ZipReader::extractData(entries[0], memory(archive), guess); },
                       Kind::wrongPassword);
    }
    EXPECT_EQ(passedCheckByte, 5);
}

// Names that meet after composition to NFC, and plain repeats, each keep their own file: the
// later one takes a free " N" name and the count stays true.
TEST(ZipReaderExtract, namesPrefixesAndJunk)
{
    TestSupport::TempDir dir;
    RawEntry nfd = stored("root/\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB.txt", "nfd"); // 한 in NFD
    nfd.flags = 0x0800;
    RawEntry nfc = stored("root/한.txt", "nfc");
    nfc.flags = 0x0800;
    const Bytes archive = buildZip({
        stored("root/", ""), stored("root/a//b.txt", "ab"), stored("root/..a", "dots"), nfd,
        stored("root/.DS_Store", "junk"), stored("__MACOSX/root/._a", "junk"), stored("other.txt", "outside"),
        stored("root/same.txt", "first"), nfc, stored("root/same.txt", "second"),
        stored("root/", ""), // a folder met again is the same folder
    });
    const auto entries = ZipReader::readEntries(memory(archive));

    const auto all = ZipReader::extract(entries, memory(archive), dir.folder("all"), true, std::nullopt, "");
    EXPECT_EQ(all.extracted, 7);
    EXPECT_EQ(all.skipped, 2);
    const std::map<std::string, std::string> expected{
        {"root/a/b.txt", "ab"},       {"root/..a", "dots"},     {"root/한.txt", "nfd"},
        {"root/한 2.txt", "nfc"},     {"other.txt", "outside"}, {"root/same.txt", "first"},
        {"root/same 2.txt", "second"}};
    EXPECT_EQ(tree(dir / "all"), expected);

    const auto stripped =
        ZipReader::extract(entries, memory(archive), dir.folder("strip"), false, "root/", "");
    EXPECT_EQ(stripped.extracted, 7); // the junk inside root is written when not skipped
    EXPECT_EQ(stripped.skipped, 0);
    EXPECT_EQ(tree(dir / "strip").count("a/b.txt"), 1u);
    EXPECT_EQ(tree(dir / "strip").count(".DS_Store"), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / "strip" / "other.txt"));
}

TEST(ZipReaderExtract, unsafeNamesStopTheExtraction)
{
    const char *unsafe[] = {"../up.txt", "a/../../up.txt", "/abs.txt", "\\abs.txt", "a\\..\\up.txt"};
    for (const char *name : unsafe) {
        SCOPED_TRACE(name);
        TestSupport::TempDir dir;
        const Bytes archive = buildZip({stored("first.txt", "1"), stored(name, "x")});
        const auto entries = ZipReader::readEntries(memory(archive));
        expectZipError(
            [&] { ZipReader::extract(entries, memory(archive), dir.path(), false, std::nullopt, ""); },
            Kind::corrupted, QStringLiteral("잘못된 경로: ") + QString::fromUtf8(entries[1].decodedName));
        EXPECT_TRUE(std::filesystem::exists(dir / "first.txt")); // earlier entries stay
        EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "up.txt"));
    }

    // A NUL would cut the path at the system call: "evil\0/../x" must not become "evil".
    TestSupport::TempDir dir;
    const Bytes archive = buildZip({stored(std::string("evil\0.txt", 9), "x")});
    const auto entries = ZipReader::readEntries(memory(archive));
    expectZipError([&] { ZipReader::extract(entries, memory(archive), dir.path(), false, std::nullopt, ""); },
                   Kind::corrupted);
    EXPECT_FALSE(std::filesystem::exists(dir / "evil"));
}

// Many entries pointing at one compressed block multiply its output: refused before any write.
TEST(ZipReaderExtract, overlappingEntriesAreRefused)
{
    TestSupport::TempDir dir;
    RawEntry first = deflated("a.txt", Bytes(100000, 'a'));
    RawEntry second = first;
    second.name = "b.txt"; // same name length, so the shared local header fits both
    second.localOffset = 0;
    const Bytes archive = buildZip({first, second});
    const auto entries = ZipReader::readEntries(memory(archive));
    EXPECT_EQ(ZipReader::extractData(entries[1], memory(archive), "").size(), 100000u);
    expectZipError([&] { ZipReader::extract(entries, memory(archive), dir.path(), false, std::nullopt, ""); },
                   Kind::corrupted, QStringLiteral("데이터 범위"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.txt"));
}

// Unix modes count only from a Unix host: elsewhere an entry marked as a symbolic link is written
// as a plain file holding the link text, never as a link that later entries could follow.
TEST(ZipReaderExtract, symbolicLinkEntriesBecomePlainFiles)
{
    TestSupport::TempDir dir;
    RawEntry link = stored("link", dir.path().parent_path().native());
    link.externalAttributes = 0xA1FF0000; // S_IFLNK | 0777
    const Bytes archive = buildZip({link, stored("link/inside.txt", "x")});
    const auto entries = ZipReader::readEntries(memory(archive));
    expectZipError([&] { ZipReader::extract(entries, memory(archive), dir.path(), false, std::nullopt, ""); },
                   Kind::ioError);
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir / "link")));
    EXPECT_EQ(TestSupport::readBytes(dir / "link"), dir.path().parent_path().native());
    EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "inside.txt"));
}

// From a Unix host a symbolic-link entry is left out, counted nowhere: extraction never makes a
// link, and a later entry below its name goes into a real folder.
TEST(ZipReaderExtract, symbolicLinkEntriesFromUnixAreLeftOut)
{
    TestSupport::TempDir dir;
    RawEntry link = stored("link", dir.path().parent_path().native());
    link.externalAttributes = 0xA1FF0000; // S_IFLNK | 0777
    link.versionMadeBy = (3 << 8) | 20;
    const Bytes archive = buildZip({link, stored("link/inside.txt", "x"), stored("plain.txt", "p")});
    const auto entries = ZipReader::readEntries(memory(archive));
    EXPECT_TRUE(entries[0].isSymbolicLink);
    const auto counts = ZipReader::extract(entries, memory(archive), dir.path(), false, std::nullopt, "");
    EXPECT_EQ(counts.extracted, 2);
    EXPECT_EQ(counts.skipped, 0);
    EXPECT_EQ(tree(dir.path()),
              (std::map<std::string, std::string>{{"link/inside.txt", "x"}, {"plain.txt", "p"}}));
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "link"));
}
