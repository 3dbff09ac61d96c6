#include "LibArchiveTesting.h"

#include "Core/FreeName.h"

#include <gtest/gtest.h>

using namespace LibArchiveTesting;
using Kind = LibArchive::ArchiveError::Kind;
using Format = LibArchive::WriteFormat;
namespace fs = std::filesystem;

namespace {

std::vector<ZipWriter::Source> oneFile(const TestSupport::TempDir &dir)
{
    return {{"a.txt", dir.file("src/a.txt", "contents\n"), false}};
}

} // namespace

TEST(LibArchiveLoading, TheSystemLibraryReadsAndWrites)
{
    EXPECT_TRUE(LibArchive::shared().isAvailable());
    EXPECT_TRUE(LibArchive::shared().canWrite());
}

TEST(LibArchiveLoading, WithoutTheLibraryEveryOperationIsUnavailable)
{
    const LibArchive missing("libarchive-that-does-not-exist.so.0");
    EXPECT_FALSE(missing.isAvailable());
    EXPECT_FALSE(missing.canWrite());
    TestSupport::TempDir dir;
    const auto tar = fixtures() / "pax.tar";
    EXPECT_EQ(errorOf([&] { missing.listEntries(tar, {}); }).kind(), Kind::unavailable);
    EXPECT_EQ(errorOf([&] { missing.extract(tar, dir.path(), false, {}, {}, {}); }).kind(),
              Kind::unavailable);
    EXPECT_EQ(errorOf([&] { missing.createArchive(dir / "x.tar", oneFile(dir), Format::tar); }).kind(),
              Kind::unavailable);
    EXPECT_FALSE(pathIsTaken(dir / "x.tar"));
    EXPECT_EQ(LibArchive::ArchiveError::unavailable().description(),
              QStringLiteral("이 시스템에서 압축 라이브러리를 사용할 수 없습니다."));
}

TEST(LibArchiveLoading, AReadingOnlyLibraryListsAndExtractsButDoesNotCreate)
{
    const LibArchive readOnly(STANDIN_READONLY_PATH);
    ASSERT_TRUE(readOnly.isAvailable());
    EXPECT_FALSE(readOnly.canWrite());
    TestSupport::TempDir dir;
    EXPECT_EQ(readOnly.listEntries(fixtures() / "pax.tar", {}).size(), 6u);
    EXPECT_EQ(readOnly.extract(fixtures() / "pax.tar", dir.path(), false, {}, {}, {}), 4);
    EXPECT_EQ(TestSupport::readBytes(dir / "readme.txt"), "Read me first, please.\n");
    EXPECT_EQ(errorOf([&] { readOnly.createArchive(dir / "x.tar", oneFile(dir), Format::tar); }).kind(),
              Kind::unavailable);
    EXPECT_FALSE(pathIsTaken(dir / "x.tar"));
}

TEST(LibArchiveLoading, CreationNeedsTheReadingEntryPointsToo)
{
    const LibArchive noNextHeader(STANDIN_NONEXT_PATH);
    EXPECT_FALSE(noNextHeader.isAvailable());
    EXPECT_TRUE(noNextHeader.canWrite());
    TestSupport::TempDir dir;
    EXPECT_EQ(errorOf([&] { noNextHeader.listEntries(fixtures() / "pax.tar", {}); }).kind(),
              Kind::unavailable);
    EXPECT_EQ(errorOf([&] { noNextHeader.createArchive(dir / "x.tar", oneFile(dir), Format::tar); }).kind(),
              Kind::unavailable);
}

TEST(LibArchiveLoading, WithoutTheFilterCallOnlyUncompressedFormatsAreWritten)
{
    const LibArchive noFilter(STANDIN_NOFILTER_PATH);
    ASSERT_TRUE(noFilter.isAvailable());
    ASSERT_TRUE(noFilter.canWrite());
    TestSupport::TempDir dir;
    noFilter.createArchive(dir / "x.tar", oneFile(dir), Format::tar);
    noFilter.createArchive(dir / "x.7z", oneFile(dir), Format::sevenZip);
    EXPECT_EQ(peer({"bsdtar", "-tf", q(dir / "x.tar")}).out, "a.txt\n");
    EXPECT_EQ(peer({"bsdtar", "-tf", q(dir / "x.7z")}).out, "a.txt\n");
    for (const auto format : {Format::tarGz, Format::tarBz2, Format::tarXz}) {
        EXPECT_EQ(errorOf([&] { noFilter.createArchive(dir / "x.tgz", oneFile(dir), format); }).kind(),
                  Kind::unavailable);
        EXPECT_FALSE(pathIsTaken(dir / "x.tgz"));
    }
}
