// Large archives made on the fly with 7-Zip: the probe's peak memory while it extracts them must
// not grow with the archive or its entries. With them the extraction faults that streaming
// touches: entries from a pipe, names that collide, a full disk.
#include "Archive/SevenZip/SevenZipReader.h"
#include "Archive/SevenZip/SevenZipWriter.h"
#include "Archive/ZipError.h"
#include "SevenZipFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {

const std::string probe = QUILLFERN_PROBE;
const QString password = QStringLiteral("큰 암호 pw");
// Large enough that holding an entry or a folder whole would break the bound many times over,
// small enough for a sanitizer build (the benchmark proves 1 GiB).
constexpr std::uint64_t largeSize = std::uint64_t(128) << 20;
constexpr long boundKiB = 64 * 1024;

int sevenZip(const QStringList &arguments, const fs::path &workDir)
{
    const auto result = TestSupport::run(QStringLiteral("7zz"), arguments, workDir);
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    return result.exitCode;
}

// A file of zeros that takes no disk space.
fs::path sparseZeros(const fs::path &path, std::uint64_t size)
{
    TestSupport::writeBytes(path, {});
    EXPECT_EQ(::truncate(path.c_str(), off_t(size)), 0);
    return path;
}

// The probe's peak while it lists a tiny archive: what it needs before any archive work.
long idlePeakKiB()
{
    static const long idle = [] {
        TempDir dir;
        dir.file("a.txt", "a");
        sevenZip({QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("tiny.7z"),
                  QStringLiteral("a.txt")},
                 dir.path());
        const auto result = TestSupport::runMeasuringPeak(probe, {"7z-list", (dir / "tiny.7z").native()});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return result.peakKiB;
    }();
    return idle;
}

// Runs the probe and checks it succeeded within the bound above its idle size.
void expectWithinBound(const std::vector<std::string> &arguments)
{
    const auto result = TestSupport::runMeasuringPeak(probe, arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_LE(result.peakKiB - idlePeakKiB(), boundKiB)
        << "peak " << result.peakKiB << " KiB, idle " << idlePeakKiB() << " KiB";
}

// A file of exactly `size` zero bytes.
void expectZeros(const fs::path &path, std::uint64_t size)
{
    ASSERT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(fs::file_size(path), size);
    const auto cmp =
        TestSupport::run(QStringLiteral("cmp"), {QStringLiteral("-n"), QString::number(size),
                                                 TestSupport::q(path), QStringLiteral("/dev/zero")});
    EXPECT_EQ(cmp.exitCode, 0) << cmp.out;
}

} // namespace

TEST(SevenZipMemory, LargeEntriesExtractWithinTheBound)
{
    TempDir dir;
    const fs::path source = dir.folder("source");
    sparseZeros(source / "zeros.bin", largeSize);
    dir.file("source/note.txt", "작은 파일");
    const QString pw = QStringLiteral("-p") + password;
    const struct {
        const char *what;
        QStringList switches;
        bool encrypted;
    } cases[] = {
        {"LZMA2, solid", {QStringLiteral("-ms=on")}, false},
        {"LZMA2, encrypted, names hidden", {QStringLiteral("-ms=on"), QStringLiteral("-mhe=on"), pw}, true},
        {"Deflate, encrypted", {QStringLiteral("-m0=Deflate"), pw}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path archive = dir / "large.7z";
        fs::remove(archive);
        ASSERT_EQ(sevenZip(QStringList{QStringLiteral("a"), QStringLiteral("-bso0")} + c.switches +
                               QStringList{TestSupport::q(archive), QStringLiteral("zeros.bin"),
                                           QStringLiteral("note.txt")},
                           source),
                  0);
        std::vector<std::string> arguments{"7z-extract", archive.native(), dir.folder("out").native()};
        if (c.encrypted)
            arguments.insert(arguments.end(), {"--password", password.toStdString()});
        expectWithinBound(arguments);
        expectZeros(dir / "out/zeros.bin", largeSize);
        EXPECT_EQ(TestSupport::readBytes(dir / "out/note.txt"), "작은 파일");
        fs::remove_all(dir / "out");
    }
}

TEST(SevenZipMemory, EngineExtractsAnEncryptedLoneFileWithinTheBound)
{
    TempDir dir;
    sparseZeros(dir / "zeros.bin", largeSize);
    const fs::path folder = dir.folder("archive");
    ASSERT_EQ(sevenZip({QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("-mhe=on"),
                        QStringLiteral("-p") + password, TestSupport::q(folder / "large.7z"),
                        QStringLiteral("zeros.bin")},
                       dir.path()),
              0);
    expectWithinBound(
        {"archive-extract", (folder / "large.7z").native(), "--password", password.toStdString()});
    expectZeros(folder / "zeros.bin", largeSize);
}

TEST(SevenZipMemory, CreatesAndReadsBackWithinTheBound)
{
    TempDir dir;
    const fs::path source = dir.folder("자료");
    sparseZeros(source / "zeros.bin", largeSize);
    dir.file("자료/note.txt", "작은 파일");
    const fs::path archive = dir / "ours.7z";
    expectWithinBound({"7z-create", archive.native(), "--password", password.toStdString(), "--hide-names",
                       source.native()});
    expectWithinBound({"archive-create", "7z", source.native(), "--password", password.toStdString()});
    EXPECT_TRUE(fs::exists(dir / "자료.7z"));
    expectWithinBound(
        {"7z-extract", archive.native(), dir.folder("out").native(), "--password", password.toStdString()});
    expectZeros(dir / "out/자료/zeros.bin", largeSize);
    EXPECT_EQ(TestSupport::readBytes(dir / "out/자료/note.txt"), "작은 파일");
}

TEST(SevenZipMemory, EntryFromAPipeIsWrittenAsAFileOfItsData)
{
    // 7-Zip marks what it read from standard input as a FIFO and stores no name for it, so it is
    // listed as the first unnamed entry; its data is an ordinary file's.
    const std::string unnamed = "항목0";
    TempDir dir;
    const QString pw = QStringLiteral("-p") + password;
    for (const bool encrypted : {false, true}) {
        SCOPED_TRACE(encrypted ? "encrypted" : "plain");
        const fs::path folder = dir.folder(encrypted ? "encrypted" : "plain");
        const QString command = QStringLiteral("printf abc | 7zz a -si -bso0 %1 pipe.7z")
                                    .arg(encrypted ? QStringLiteral("-mhe=on '%1'").arg(pw) : QString());
        ASSERT_EQ(TestSupport::run(QStringLiteral("bash"), {QStringLiteral("-c"), command}, folder).exitCode,
                  0);
        std::vector<std::string> arguments{"7z-extract", (folder / "pipe.7z").native(),
                                           dir.folder("out").native()};
        if (encrypted)
            arguments.insert(arguments.end(), {"--password", password.toStdString()});
        const auto result = TestSupport::run(QString::fromStdString(probe), [&] {
            QStringList list;
            for (const auto &a : arguments)
                list << QString::fromStdString(a);
            return list;
        }());
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, "extracted\t1\n");
        EXPECT_EQ(TestSupport::readBytes(dir / "out" / unnamed), "abc");
        fs::remove_all(dir / "out");
    }
    // The engine reads an encrypted archive with this reader, and writes the lone file beside it.
    const auto engine =
        TestSupport::run(QString::fromStdString(probe),
                         {QStringLiteral("archive-extract"), TestSupport::q(dir / "encrypted/pipe.7z"),
                          QStringLiteral("--password"), password});
    EXPECT_EQ(engine.exitCode, 0) << engine.err;
    EXPECT_EQ(TestSupport::readBytes(dir / "encrypted" / unnamed), "abc");
}

TEST(SevenZipMemory, NamesThatCollideAreAllWritten)
{
    // An NFC/NFD pair compose to one name, and a renamed entry repeats another: every later one
    // takes a free name, never the place of an earlier one.
    TempDir dir;
    const fs::path source = dir.folder("source");
    const std::string nfc = "\xED\x95\x9C.txt";                         // 한.txt
    const std::string nfd = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB.txt"; // 한.txt, decomposed
    dir.file("source/" + nfc, "nfc");
    dir.file("source/" + nfd, "nfd");
    dir.file("source/a.txt", "one");
    dir.file("source/b.txt", "two");
    const QString pw = QStringLiteral("-p") + password;
    ASSERT_EQ(sevenZip({QStringLiteral("a"), QStringLiteral("-bso0"), pw, QStringLiteral("../twins.7z"),
                        QString::fromStdString(nfc), QString::fromStdString(nfd), QStringLiteral("a.txt"),
                        QStringLiteral("b.txt")},
                       source),
              0);
    ASSERT_EQ(sevenZip({QStringLiteral("rn"), QStringLiteral("-bso0"), pw, QStringLiteral("../twins.7z"),
                        QStringLiteral("b.txt"), QStringLiteral("a.txt")},
                       source),
              0);
    const fs::path out = dir.folder("out");
    EXPECT_EQ(SevenZipReader::extract(dir / "twins.7z", out, false, {}, {}, password), 4);
    const auto tree = SevenZipTest::tree(out);
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ((std::set<std::string>{tree.at("a.txt"), tree.at("a 2.txt")}),
              (std::set<std::string>{"one", "two"}));
    EXPECT_EQ((std::set<std::string>{tree.at(nfc), tree.at("\xED\x95\x9C 2.txt")}),
              (std::set<std::string>{"nfc", "nfd"}));

    // Through the engine, whose extraction of an encrypted 7z runs this reader.
    const auto engine = TestSupport::run(QString::fromStdString(probe),
                                         {QStringLiteral("archive-extract"), TestSupport::q(dir / "twins.7z"),
                                          QStringLiteral("--password"), password});
    EXPECT_EQ(engine.exitCode, 0) << engine.err;
    EXPECT_EQ(SevenZipTest::tree(dir / "twins"), tree);
}

namespace {

std::string writeFailure(const std::function<void()> &step)
{
    try {
        step();
    } catch (const ZipError &e) {
        return e.detail().toStdString();
    }
    return "no error";
}

} // namespace

TEST(SevenZipMemory, FullDiskLeavesNoPartialFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    TempDir dir;
    const TestSupport::SmallDisk disk(dir / "disk");
    if (!disk.mounted())
        GTEST_SKIP() << "this system refuses to mount a tmpfs";
    const fs::path source = dir.folder("source");
    dir.file("source/a.txt", "first");
    sparseZeros(source / "zeros.bin", std::uint64_t(16) << 20);
    ASSERT_EQ(sevenZip({QStringLiteral("a"), QStringLiteral("-bso0"), QStringLiteral("-p") + password,
                        QStringLiteral("../full.7z"), QStringLiteral("a.txt"), QStringLiteral("zeros.bin")},
                       source),
              0);
    // The file that did not fit is removed; the one before it stays whole.
    EXPECT_EQ(writeFailure(
                  [&] { SevenZipReader::extract(dir / "full.7z", dir / "disk", false, {}, {}, password); }),
              "쓰기 실패: " + (dir / "disk/zeros.bin").native());
    EXPECT_EQ(TestSupport::entriesBelow(dir / "disk"), (std::set<std::string>{"a.txt"}));
    EXPECT_EQ(TestSupport::readBytes(dir / "disk/a.txt"), "first");

    // A new archive that does not fit leaves nothing, and the error names it. The file is large
    // enough to stream and random, so it is written deflated and then again stored.
    std::string noise(std::size_t(20) << 20, '\0');
    std::mt19937 random(5);
    for (char &c : noise)
        c = char(random());
    const fs::path big = dir.file("source/noise.bin", noise);
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "names hidden" : "names shown");
        EXPECT_EQ(
            writeFailure([&] {
                SevenZipWriter::create(dir / "disk/new.7z", {{"noise.bin", big, false}}, password, hidden);
            }),
            "쓰기 실패: " + (dir / "disk/new.7z").native());
        EXPECT_EQ(TestSupport::entriesBelow(dir / "disk"), (std::set<std::string>{"a.txt"}));
    }
}
