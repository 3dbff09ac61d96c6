// Memory of the engine on tar.gz, measured in a child process: a large entry streams through
// creation and extraction, so the peak stays near the probe's idle size.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t entrySize = std::uintmax_t(256) << 20;
constexpr long boundKiB = 64 * 1024;

bool onlyZeros(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, 1 << 16> buffer{};
    while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i)
            if (buffer[std::size_t(i)] != 0)
                return false;
    }
    return true;
}

} // namespace

TEST(LibArchiveMemory, ALargeEntryOfZerosPacksAndExtractsWithinTheBound)
{
    TestSupport::TempDir dir;
    const std::string probe = QUILLFERN_PROBE;
    const std::string tiny = (dir / "tiny.tar.gz").native();
    const auto made = TestSupport::run(
        "bsdtar", {"-czf", QString::fromStdString(tiny), "-C", TestSupport::q(dir.folder("few")), "."});
    ASSERT_EQ(made.exitCode, 0) << made.err;
    const auto idle = TestSupport::runMeasuringPeak(probe, {"archive-open", tiny});
    ASSERT_EQ(idle.exitCode, 0) << idle.err;

    // A sparse file reads as zeros without taking the disk.
    const fs::path zeros = dir.file("big/zeros.bin");
    fs::resize_file(zeros, entrySize);
    const auto created =
        TestSupport::runMeasuringPeak(probe, {"archive-create", "tar.gz", (dir / "big").native()});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    EXPECT_LT(created.peakKiB - idle.peakKiB, boundKiB) << "idle " << idle.peakKiB << " KiB";
    fs::remove_all(dir / "big");

    const auto extracted =
        TestSupport::runMeasuringPeak(probe, {"archive-extract", (dir / "big.tar.gz").native()});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.err;
    EXPECT_LT(extracted.peakKiB - idle.peakKiB, boundKiB) << "idle " << idle.peakKiB << " KiB";
    const fs::path out = dir / "big" / "zeros.bin";
    ASSERT_EQ(fs::file_size(out), entrySize);
    EXPECT_TRUE(onlyZeros(out));
}
