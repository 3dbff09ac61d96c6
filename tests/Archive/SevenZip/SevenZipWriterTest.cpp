#include "Archive/SevenZip/SevenZipWriter.h"
#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipCoders.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipReader.h"
#include "SevenZipFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using TestSupport::TempDir;
using ZipWriter::Source;

namespace {

const QString password = QStringLiteral("pw");

Bytes fromHex(const char *text)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(text));
    return Bytes(raw.begin(), raw.end());
}

Bytes fileBytes(const fs::path &p)
{
    return SevenZipTest::bytes(TestSupport::readBytes(p));
}

std::string randomText(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char &c : s)
        c = char(gen() & 0xFF);
    return s;
}

std::uint64_t le(const Bytes &b, std::size_t at, int n)
{
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b[at + std::size_t(i)];
    return v;
}

// The header as written (after the packed data).
Bytes headerOf(const Bytes &archive)
{
    const auto offset = std::size_t(le(archive, 12, 8));
    const auto size = std::size_t(le(archive, 20, 8));
    return Bytes(archive.begin() + std::ptrdiff_t(32 + offset),
                 archive.begin() + std::ptrdiff_t(32 + offset + size));
}

bool startsWith(const Bytes &bytes, std::size_t at, const Bytes &prefix)
{
    return bytes.size() >= at + prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), bytes.begin() + std::ptrdiff_t(at));
}

void expectSevenZipError(const std::function<void()> &step, const QString &detail)
{
    try {
        step();
        ADD_FAILURE() << "no error";
    } catch (const SevenZipError &e) {
        EXPECT_EQ(int(e.kind()), int(SevenZipError::Kind::ioError));
        EXPECT_EQ(e.detail(), detail);
        EXPECT_EQ(e.description(), QStringLiteral("7z 생성 실패: ") + detail);
    }
}

} // namespace

TEST(SevenZipWriter, EmptyArchiveIsFortyFourBytes)
{
    TempDir dir;
    const fs::path out = dir / "empty.7z";
    SevenZipWriter::create(out, {}, password, false);
    const Bytes b = fileBytes(out);
    ASSERT_EQ(b.size(), 44u);
    EXPECT_TRUE(startsWith(b, 0, fromHex("377ABCAF271C0004")));
    EXPECT_EQ(le(b, 12, 8), 0u);
    EXPECT_EQ(le(b, 20, 8), 12u);
    EXPECT_EQ(le(b, 28, 4), crc32(std::span(b).subspan(32)));
    EXPECT_EQ(le(b, 8, 4), crc32(std::span(b).subspan(12, 20)));
    EXPECT_EQ(headerOf(b), fromHex("010500110100150201000000"));
    EXPECT_EQ(SevenZipTest::sevenZip(
                  {QStringLiteral("t"), QStringLiteral("-ppw"), QString::fromStdString(out.native())}),
              0);
}

TEST(SevenZipWriter, FolderLayouts)
{
    TempDir dir;
    const std::string compressible(1000, 'a');
    const fs::path small = dir.file("small.bin", randomText(10, 1));
    const fs::path block = dir.file("block.bin", randomText(32, 2));
    const fs::path big = dir.file("big.bin", compressible);
    const struct {
        const char *what;
        fs::path file;
        Bytes folderStart;
        std::string packSize;
    } cases[] = {
        // stored: one 7zAES coder, padded to 16, unpack size the file's length
        {"10 bytes stored", small, fromHex("0B01000124 06F10701 22 D3FF"), "10"},
        // exactly 32 bytes get no extra block
        {"32 bytes stored", block, fromHex("0B01000124 06F10701 22 D3FF"), "20"},
        // deflated: Deflate then 7zAES joined by the bind pair 00 01
        {"1000 bytes deflated", big, fromHex("0B01000203 040108 24 06F10701 22 D3FF"), ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path out = dir / "layout.7z";
        fs::remove(out);
        SevenZipWriter::create(out, {{"f", c.file, false}}, password, false);
        const Bytes h = headerOf(fileBytes(out));
        ASSERT_TRUE(startsWith(h, 0, fromHex("01 04 06 00 01 09")));
        const std::uint64_t packSize = h[6];
        if (!c.packSize.empty()) {
            EXPECT_EQ(packSize, std::stoul(c.packSize, nullptr, 16));
        }
        EXPECT_EQ(packSize % 16, 0u);
        ASSERT_TRUE(startsWith(h, 7, fromHex("00 07")));
        EXPECT_TRUE(startsWith(h, 9, c.folderStart));
        const std::size_t afterProps = 9 + c.folderStart.size() + 32;
        const auto size = std::uint64_t(fs::file_size(c.file));
        if (c.folderStart.size() > 12) {
            EXPECT_TRUE(startsWith(h, afterProps, fromHex("00 01 0C 83 E8")));
            const std::uint64_t deflated = h[afterProps + 5];
            EXPECT_LT(deflated, size);
            EXPECT_EQ(packSize, (deflated + 15) / 16 * 16);
        } else {
            EXPECT_TRUE(startsWith(h, afterProps, Bytes{0x0C, std::uint8_t(size), 0x00}));
        }
        // The extracted data comes back.
        const fs::path back = dir / "back.bin";
        fs::remove(back); // a target that stands already is never replaced
        SevenZipReader::extract(out, dir.path(), false, {}, back, password);
        EXPECT_EQ(fileBytes(back), fileBytes(c.file));
    }
}

TEST(SevenZipWriter, FoldersAndEmptyFilesHaveNoStreams)
{
    TempDir dir;
    const fs::path empty = dir.file("empty", "");
    const fs::path out = dir / "a.7z";
    SevenZipWriter::create(out, {{"d/", dir.path(), true}, {"e", empty, false}}, password, false);
    // empty streams 11, empty files 01 (d is a folder), names "d" "e", attributes 0x10 and 0x20
    EXPECT_EQ(
        headerOf(fileBytes(out)),
        fromHex(
            "01 05 02 0E 01 C0 0F 01 40 11 09 00 6400 0000 6500 0000 15 0A 01 00 10000000 20000000 00 00"));

    fs::remove(out);
    SevenZipWriter::create(out, {{"d/", std::nullopt, true}, {"d/f", std::nullopt, true}}, password, false);
    EXPECT_EQ(
        headerOf(fileBytes(out)),
        fromHex(
            "01 05 02 0E 01 C0 11 0D 00 6400 0000 6400 2F00 6600 0000 15 0A 01 00 10000000 10000000 00 00"));
}

TEST(SevenZipWriter, SevenZipAcceptsWhatWeWrite)
{
    TempDir dir;
    const fs::path root = dir.folder("src/한글 폴더");
    dir.file("src/한글 폴더/문서.txt", std::string(5000, 'x') + "끝");
    dir.file("src/noise.bin", randomText(3000, 3));
    dir.file("src/empty.txt", "");
    dir.folder("src/빈 폴더");
    dir.file("src/emoji 😀.txt", "smile");
    const std::vector<Source> sources = {
        {"한글 폴더/", root, true},
        {"한글 폴더/문서.txt", dir / "src/한글 폴더/문서.txt", false},
        {"noise.bin", dir / "src/noise.bin", false},
        {"empty.txt", dir / "src/empty.txt", false},
        {"빈 폴더/", dir / "src/빈 폴더", true},
        {"emoji 😀.txt", dir / "src/emoji 😀.txt", false},
    };
    const QString korean = QStringLiteral("한국어 암호 🔑");
    for (bool hide : {false, true}) {
        SCOPED_TRACE(hide ? "hidden names" : "names shown");
        const fs::path out = dir / (hide ? "hidden.7z" : "shown.7z");
        SevenZipWriter::create(out, sources, korean, hide);
        const QString archive = QString::fromStdString(out.native());
        std::string log;
        EXPECT_EQ(SevenZipTest::sevenZip({QStringLiteral("t"), QStringLiteral("-p") + korean, archive}, &log),
                  0)
            << log;

        bool ok = false;
        const auto peer = SevenZipTest::peerList(out, korean, &ok);
        ASSERT_TRUE(ok);
        std::map<std::string, std::string> methods;
        for (const auto &e : peer)
            methods[e.path] = e.method;
        EXPECT_EQ(methods["한글 폴더/문서.txt"], "7zAES:19 Deflate");
        EXPECT_EQ(methods["noise.bin"], "7zAES:19");
        EXPECT_EQ(methods["empty.txt"], "");
        EXPECT_EQ(peer.size(), sources.size());

        // Without the password the names stay hidden from 7-Zip and from the bytes of the file.
        const bool listed = SevenZipTest::sevenZip({QStringLiteral("l"), archive}) == 0;
        EXPECT_EQ(listed, !hide);
        const std::string raw = TestSupport::readBytes(out);
        const std::u16string name = u"문서.txt";
        const std::string utf16(reinterpret_cast<const char *>(name.data()), name.size() * 2);
        EXPECT_EQ(raw.find(utf16) == std::string::npos, hide);

        const auto info = SevenZipReader::info(out, korean);
        EXPECT_TRUE(info.filesEncrypted);
        EXPECT_EQ(info.headerEncrypted, hide);
        TempDir mine, theirs;
        SevenZipReader::extract(out, mine.path(), false, {}, {}, korean);
        ASSERT_EQ(SevenZipTest::sevenZip(
                      {QStringLiteral("x"), QStringLiteral("-p") + korean,
                       QStringLiteral("-o") + QString::fromStdString(theirs.path().native()), archive}),
                  0);
        const auto expected = SevenZipTest::tree(theirs.path());
        EXPECT_EQ(SevenZipTest::tree(mine.path()), expected);
        EXPECT_EQ(expected, SevenZipTest::tree(dir / "src"));
    }
}

TEST(SevenZipWriter, HiddenHeaderCarriesItsCrcSoWrongPasswordsAreRecognised)
{
    TempDir dir;
    const fs::path file = dir.file("a.txt", "hello");
    const fs::path out = dir / "h.7z";
    SevenZipWriter::create(out, {{"a.txt", file, false}}, password, true);
    const Bytes archive = fileBytes(out);
    const Bytes h = headerOf(archive);
    // 17, pack info (position 16: after the file's one block), one 7zAES folder, its size, its CRC.
    ASSERT_TRUE(startsWith(h, 0, fromHex("17 06 10 01 09")));
    const std::size_t cipherSize = h[5];
    ASSERT_TRUE(startsWith(h, 6, fromHex("00 07 0B 01 00 01 24 06F10701 22 D3 FF")));
    const Bytes props(h.begin() + 18, h.begin() + 18 + 34);
    const std::size_t plainSize = h[52 + 1];
    ASSERT_EQ(h[52], 0x0C);
    ASSERT_TRUE(startsWith(h, 54, fromHex("0A 01")));
    const auto crc = std::uint32_t(le(h, 56, 4));
    EXPECT_TRUE(startsWith(h, 60, fromHex("00 00")));
    EXPECT_EQ(h.size(), 62u);

    // The CRC is that of the plain header, which the archive's one salt and key decrypt.
    const auto params = SevenZip::aesParameters(props, password);
    const Bytes cipher(archive.begin() + 32 + 16, archive.begin() + 32 + 16 + std::ptrdiff_t(cipherSize));
    Bytes plain = SevenZip::aesCbc(cipher, params.key, params.iv, SevenZip::CbcOperation::decrypt);
    plain.resize(plainSize);
    EXPECT_EQ(plain[0], 0x01);
    EXPECT_EQ(crc32(plain), crc);

    for (int i = 0; i < 12; ++i) {
        try {
            SevenZipReader::info(out, QStringLiteral("wrong %1").arg(i));
            ADD_FAILURE() << "wrong password accepted";
        } catch (const SevenZipReadError &e) {
            EXPECT_EQ(int(e.kind()), int(SevenZipReadError::Kind::wrongPassword));
        }
    }
}

TEST(SevenZipWriter, UnreadableSourcesStopBeforeAnythingIsWritten)
{
    TempDir dir;
    const fs::path real = dir.file("real.txt", "data");
    fs::create_symlink(dir / "missing.txt", dir / "dangling");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0644), 0);
    const struct {
        const char *what;
        Source source;
    } cases[] = {
        {"no path", {"a", std::nullopt, false}},
        {"missing", {"b", dir / "missing.txt", false}},
        {"dangling link", {"c/link", dir / "dangling", false}},
        {"FIFO", {"d", dir / "pipe", false}},
        {"folder as a file", {"e", dir.path(), false}},
    };
    const fs::path out = dir.folder("out") / "x.7z";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        expectSevenZipError(
            [&] {
                SevenZipWriter::create(out, {{"ok", real, false}, c.source}, password, false);
            },
            QStringLiteral("읽기 실패: ") + QString::fromStdString(c.source.entryName));
        EXPECT_TRUE(fs::is_empty(dir / "out"));
    }

    // A write that fails names the archive asked for (never the hidden file written first) and
    // leaves nothing under either name.
    const fs::path blocked = dir.folder("blocked");
    ::chmod(blocked.c_str(), 0555);
    const std::string text = TestSupport::runAsNobodyCapture([&] {
        try {
            SevenZipWriter::create(blocked / "x.7z", {{"ok", real, false}}, password, true);
            return std::string("no error");
        } catch (const ZipError &e) {
            return e.description().toStdString();
        }
    });
    EXPECT_EQ(text, "파일 처리 중 오류가 발생했습니다. (쓰기 실패: " + (blocked / "x.7z").native() + ")");
    EXPECT_TRUE(fs::is_empty(blocked));
    try {
        SevenZipWriter::create(dir / "no-such-folder/x.7z", {}, password, false);
        ADD_FAILURE() << "no error";
    } catch (const ZipError &e) {
        EXPECT_EQ(e.detail().toStdString(), "쓰기 실패: " + (dir / "no-such-folder/x.7z").native());
    }
}

TEST(SevenZipWriter, SymbolicLinkToAFilePacksTheFile)
{
    TempDir dir;
    dir.file("real.txt", "linked data");
    fs::create_symlink("real.txt", dir / "link.txt");
    const fs::path out = dir / "x.7z";
    SevenZipWriter::create(out, {{"link.txt", dir / "link.txt", false}}, password, true);
    EXPECT_EQ(SevenZipTest::sevenZip({QStringLiteral("t"), QStringLiteral("-ppw"), TestSupport::q(out)}), 0);
    const fs::path back = dir / "back.txt";
    EXPECT_EQ(SevenZipReader::extract(out, dir.path(), false, {}, back, password), 1);
    EXPECT_EQ(TestSupport::readBytes(back), "linked data");

    // A file that came to stand at the single target after it was chosen is never replaced.
    EXPECT_THROW(SevenZipReader::extract(out, dir.path(), false, {}, back, password), ZipError);
    EXPECT_EQ(TestSupport::readBytes(back), "linked data");
    EXPECT_TRUE(TestSupport::noPartialFiles(dir.path()));
}

TEST(SevenZipWriter, LargeFilesStreamAndAreStoredWhenDeflateDoesNotShrinkThem)
{
    // Above the size deflated whole in memory: compressed as a stream into the archive, and
    // rewritten stored when that came out no smaller (a compressible start is not enough), or
    // stored at once when the file is random throughout.
    TempDir dir;
    const std::size_t size = (std::size_t(16) << 20) + 4096;
    std::string text;
    while (text.size() < size)
        text += "압축되는 줄 " + std::to_string(text.size()) + "\n";
    text.resize(size);
    const fs::path compressible = dir.file("src/text.txt", text);
    const fs::path random = dir.file("src/random.bin", randomText(size, 9));
    const fs::path noise = dir.file("src/noise.bin", std::string(300, '\0') + randomText(size, 10));
    const fs::path out = dir / "large.7z";
    SevenZipWriter::create(
        out, {{"text.txt", compressible, false}, {"random.bin", random, false}, {"noise.bin", noise, false}},
        password, false);
    bool ok = false;
    const auto peer = SevenZipTest::peerList(out, password, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(peer.size(), 3u);
    EXPECT_EQ(peer[0].method, "7zAES:19 Deflate");
    EXPECT_EQ(peer[1].method, "7zAES:19");
    EXPECT_EQ(peer[2].method, "7zAES:19");
    EXPECT_EQ(SevenZipTest::sevenZip({QStringLiteral("t"), QStringLiteral("-ppw"), TestSupport::q(out)}), 0);
    const fs::path back = dir.folder("back");
    EXPECT_EQ(SevenZipReader::extract(out, back, false, {}, {}, password), 3);
    EXPECT_EQ(SevenZipTest::tree(back), SevenZipTest::tree(dir / "src"));
}

TEST(SevenZipWriter, ReplacesAnExistingArchiveWhole)
{
    TempDir dir;
    const fs::path out = dir.file("x.7z", std::string(100000, 'z'));
    SevenZipWriter::create(out, {}, password, false);
    EXPECT_EQ(fs::file_size(out), 44u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}
