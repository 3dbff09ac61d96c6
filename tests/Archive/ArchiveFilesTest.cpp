#include "Archive/ArchiveFiles.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using TestSupport::TempDir;

namespace {
std::vector<std::uint8_t> bytesOf(std::string_view s)
{
    return {s.begin(), s.end()};
}

mode_t modeOf(const fs::path &p)
{
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}
} // namespace

TEST(ArchiveFiles, WriteFileCreatesTruncatesAndKeepsPermissions)
{
    TempDir dir;
    const auto fresh = dir / "fresh.bin";
    const mode_t old = ::umask(022);
    writeFile(bytesOf("hello"), fresh);
    ::umask(old);
    EXPECT_EQ(TestSupport::readBytes(fresh), "hello");
    EXPECT_EQ(modeOf(fresh), 0644u);

    const auto existing = dir.file("existing.bin", "a longer old content");
    ::chmod(existing.c_str(), 0600);
    writeFile({}, existing);
    EXPECT_EQ(fs::file_size(existing), 0u);
    EXPECT_EQ(modeOf(existing), 0600u);
}

TEST(ArchiveFiles, WriteFileFailureNamesThePath)
{
    TempDir dir;
    const auto target = dir / "no-folder" / "file.bin";
    try {
        writeFile(bytesOf("x"), target);
        FAIL() << "expected an error";
    } catch (const ZipError &e) {
        EXPECT_EQ(e.kind(), ZipError::Kind::ioError);
        EXPECT_EQ(e.detail(), QStringLiteral("쓰기 실패: ") + QString::fromStdString(target.native()));
        EXPECT_EQ(e.description(), QStringLiteral("파일 처리 중 오류가 발생했습니다. (쓰기 실패: %1)")
                                       .arg(QString::fromStdString(target.native())));
    }
}

TEST(ArchiveFiles, WriteFileReportsAFullDisk)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    EXPECT_THROW(writeFile(bytesOf("x"), "/dev/full"), ZipError);
}

TEST(ArchiveFiles, MakeDirectoriesCreatesChainAndStopsAtAFile)
{
    TempDir dir;
    makeDirectories(dir.path(), {"a", "b"});
    EXPECT_TRUE(fs::is_directory(dir / "a" / "b"));
    EXPECT_NO_THROW(makeDirectories(dir.path(), {"a", "b"}));
    EXPECT_NO_THROW(makeDirectories(dir.path(), {}));

    dir.file("f");
    try {
        makeDirectories(dir.path(), {"f", "b"});
        FAIL() << "expected an error";
    } catch (const ZipError &e) {
        EXPECT_EQ(e.detail(),
                  QStringLiteral("폴더 생성 실패: ") + QString::fromStdString((dir / "f/b").native()));
    }
}

TEST(ArchiveFiles, Crc32MatchesTheZipParameterSet)
{
    EXPECT_EQ(crc32({}), 0u);
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32(bytesOf("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
    const auto whole = bytesOf("123456789");
    EXPECT_EQ(crc32Update(crc32(std::span(whole).first(4)), std::span(whole).subspan(4)), 0xCBF43926u);
}

TEST(ArchiveFiles, JunkRule)
{
    const struct {
        const char *name;
        bool junk;
    } cases[] = {
        {"__MACOSX/anything/here.txt", true},
        {"__MACOSX/", true},
        {"a/__MACOSX/b", true},
        {".DS_Store", true},
        {"deep/folder/.DS_Store", true},
        {"._photo.jpg", true},
        {"dir/._x", true},
        {"._dir/file.txt", false},
        {"a/.DS_Store/b.txt", false},
        {"///", false},
        {"", false},
        {"folder/._sub/", true},
        {"__macosx/x", false},
        {".ds_store", false},
        {"plain.txt", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isMacJunk(c.name), c.junk) << c.name;
}

TEST(ArchiveFiles, ReadWholeFileRefusesWhatIsNotARegularFile)
{
    TempDir dir;
    const auto file = dir.file("data", std::string(100000, 'x'));
    EXPECT_EQ(readWholeFile(file).size(), 100000u);
    EXPECT_THROW(readWholeFile(dir.path()), ZipError);
    EXPECT_THROW(readWholeFile(dir / "missing"), ZipError);
}

TEST(ArchiveFiles, ReadRegularFileFollowsALinkOnlyWhenAsked)
{
    TempDir dir;
    const auto file = dir.file("data", "abc");
    fs::create_symlink("data", dir / "link");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(readRegularFile(dir / "link"), bytesOf("abc"));
    EXPECT_EQ(readRegularFile(file, false), bytesOf("abc"));
    EXPECT_EQ(readRegularFile(dir / "link", false), std::nullopt);
    EXPECT_EQ(readRegularFile(dir / "fifo"), std::nullopt); // refused without waiting for a writer
    EXPECT_EQ(readRegularFile(dir.path()), std::nullopt);
    EXPECT_EQ(readRegularFile(dir.file("empty")), std::vector<std::uint8_t>{});
}
