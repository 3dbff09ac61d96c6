// Large inputs made on the fly: memory that does not grow with an entry, a full disk, allocation
// failure. The probe runs as a child so that its peak memory can be read.
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"

#include "FailingAllocations.h"
#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <set>

using namespace ZipTest;
using TestSupport::q;
using TestSupport::run;

namespace {

const std::string probe = QUILLFERN_PROBE;
const std::string password = "memory-password";
// Scaled down from the benchmark's 1 GiB to stay quick under the sanitizers; the bound is the same.
constexpr std::size_t entryMiB = 256;
constexpr long boundKiB = 64 * 1024;

void writeZeros(const std::filesystem::path &path, std::size_t mib)
{
    std::ofstream out(path, std::ios::binary);
    const std::string block(1 << 20, '\0');
    for (std::size_t i = 0; i < mib; ++i)
        out.write(block.data(), std::streamsize(block.size()));
}

// Whether the file holds exactly `mib` MiB of zeros.
bool holdsZeros(const std::filesystem::path &path, std::size_t mib)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> block(1 << 20);
    std::size_t total = 0;
    while (in.read(block.data(), std::streamsize(block.size())) || in.gcount() > 0) {
        const auto n = std::size_t(in.gcount());
        if (std::any_of(block.begin(), block.begin() + std::ptrdiff_t(n), [](char c) { return c != 0; }))
            return false;
        total += n;
    }
    return total == mib << 20;
}

long idleKiB(const TestSupport::TempDir &dir)
{
    const auto tiny = dir / "tiny.zip";
    ZipWriter::create(tiny, {{"t.txt", dir.file("tiny.txt", "x"), false}}, "", ZipWriter::Encryption::none);
    const auto idle = TestSupport::runMeasuringPeak(probe, {"zip-list", tiny.native()});
    EXPECT_EQ(idle.exitCode, 0) << idle.err;
    return idle.peakKiB;
}

} // namespace

// One large entry of zeros, stored, DEFLATE and AES (made by Info-ZIP and 7-Zip), extracts correctly
// within 64 MiB above the probe's idle size; creating such archives stays within it too.
TEST(ZipMemory, largeEntriesStayWithinTheBound)
{
    for (const char *tool : {"zip", "7zz"})
        ASSERT_TRUE(TestSupport::haveProgram(QString::fromUtf8(tool))) << tool;
    TestSupport::TempDir dir;
    const long idle = idleKiB(dir);
    writeZeros(dir.folder("src") / "zeros.bin", entryMiB);

    const std::pair<const char *, QStringList> makers[] = {
        {"zip", {"-q", "-0", "../stored.zip", "zeros.bin"}},
        {"zip", {"-q", "-6", "../deflate.zip", "zeros.bin"}},
        {"7zz",
         {"a", "-bso0", "-tzip", "-mem=AES256", QString::fromStdString("-p" + password), "../aes.zip",
          "zeros.bin"}},
    };
    for (const auto &[tool, args] : makers) {
        const auto r = run(QString::fromUtf8(tool), args, dir / "src");
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
    }
    for (const char *kind : {"stored", "deflate", "aes"}) {
        SCOPED_TRACE(kind);
        const auto out = dir.folder(std::string("out-") + kind);
        const auto r = TestSupport::runMeasuringPeak(probe, {"zip-extract",
                                                             (dir / (std::string(kind) + ".zip")).native(),
                                                             out.native(), "--password", password});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_LE(r.peakKiB - idle, boundKiB) << "idle " << idle << " KiB, peak " << r.peakKiB << " KiB";
        EXPECT_TRUE(holdsZeros(out / "zeros.bin", entryMiB));
        std::filesystem::remove_all(out);
    }

    for (const bool aes : {false, true}) {
        SCOPED_TRACE(aes);
        const auto zip = dir / "ours.zip";
        std::filesystem::remove(zip);
        std::vector<std::string> args{"zip-create", zip.native()};
        if (aes)
            args.insert(args.end(), {"--aes", password});
        args.push_back((dir / "src" / "zeros.bin").native());
        const auto r = TestSupport::runMeasuringPeak(probe, args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_LE(r.peakKiB - idle, boundKiB) << "idle " << idle << " KiB, peak " << r.peakKiB << " KiB";
        const auto input = ArchiveInput::open(zip);
        const auto entries = ZipReader::readEntries(input);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].uncompressedSize, std::int64_t(entryMiB) << 20);
        EXPECT_LT(entries[0].compressedSize, std::int64_t(entryMiB) << 12);
    }
}

// A full disk stops extraction and creation with the write-failure text, and neither the entry being
// written nor the new archive stays behind.
TEST(ZipMemory, fullDiskLeavesNoPartialFile)
{
    TestSupport::TempDir dir;
    const auto disk = dir / "disk";
    const TestSupport::SmallDisk small(disk);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";

    writeZeros(dir.folder("src") / "zeros.bin", 8);
    const auto zip = dir / "zeros.zip";
    ZipWriter::create(
        zip,
        {{"small.txt", dir.file("small.txt", "small"), false}, {"zeros.bin", dir / "src/zeros.bin", false}},
        "", ZipWriter::Encryption::none);
    const auto input = ArchiveInput::open(zip);
    expectZipError(
        [&] { ZipReader::extract(ZipReader::readEntries(input), input, disk, false, std::nullopt, ""); },
        ZipError::Kind::ioError, QString::fromStdString("쓰기 실패: " + (disk / "zeros.bin").native()));
    EXPECT_EQ(TestSupport::entriesBelow(disk), std::set<std::string>{"small.txt"});
    std::filesystem::remove(disk / "small.txt");

    std::mt19937 gen(3);
    std::string noise(6 << 20, '\0');
    for (auto &c : noise)
        c = char(gen());
    const auto target = disk / "new.zip";
    expectZipError(
        [&] {
            ZipWriter::create(target, {{"noise.bin", dir.file("noise.bin", noise), false}}, "",
                              ZipWriter::Encryption::none);
        },
        ZipError::Kind::ioError, QString::fromStdString("쓰기 실패: " + target.native()));
    EXPECT_TRUE(TestSupport::entriesBelow(disk).empty());
}

// An allocation that fails ends in the format's own error, never a crash or a raw exception text.
TEST(ZipMemory, allocationFailureIsTheFormatsError)
{
    TestSupport::TempDir dir;
    std::vector<ZipWriter::Source> many;
    for (int i = 0; i < 30000; ++i)
        many.push_back({std::to_string(i), std::nullopt, false});
    const auto manyZip = dir / "many.zip";
    ZipWriter::create(manyZip, many, "", ZipWriter::Encryption::none);
    const auto big = dir.file("big.bin", std::string(3 << 20, 'b'));
    const auto input = ArchiveInput::open(manyZip);
    const auto out = dir / "out.zip";

    const FailingAllocations failing(1 << 20);
    expectZipError([&] { ZipReader::readEntries(input); }, ZipError::Kind::corrupted,
                   QStringLiteral("메모리 부족"));
    expectZipError(
        [&] {
            ZipWriter::create(out, {{"big.bin", big, false}}, "", ZipWriter::Encryption::none);
        },
        ZipError::Kind::ioError, QString::fromStdString("쓰기 실패: " + out.native()));
    EXPECT_FALSE(std::filesystem::exists(out));
}
