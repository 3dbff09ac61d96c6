// Large archives made on the fly with 7-Zip: the probe's peak memory while it extracts them must
// not grow with the archive or its entries.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
