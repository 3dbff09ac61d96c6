// The writer's files are deflated and encrypted on worker threads: whatever their number, the
// archive must be the one a single thread writes, apart from its random IVs.
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipReader.h"
#include "Archive/SevenZip/SevenZipWriter.h"
#include "Archive/ZipError.h"

#include "../SourceBatch.h"
#include "SevenZipFixtures.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const QString password = QStringLiteral("병렬 암호");

struct Made {
    std::vector<SevenZipTest::PeerEntry> listing; // 7-Zip's, with each file's coders
    std::map<std::string, std::string> contents;
    std::uintmax_t size = 0;
};

Made make(const TestSupport::TempDir &dir, const std::vector<ZipWriter::Source> &sources, bool hideNames,
          unsigned threads)
{
    const TestSupport::WorkerThreads cap(threads);
    const auto archive = dir / ("out-" + std::to_string(threads) + ".7z");
    fs::remove(archive);
    SevenZipWriter::create(archive, sources, password, hideNames);
    Made made;
    bool ok = false;
    made.listing = SevenZipTest::peerList(archive, password, &ok);
    EXPECT_TRUE(ok);
    const auto to = dir / ("x-" + std::to_string(threads));
    fs::remove_all(to);
    fs::create_directory(to);
    SevenZipReader::extract(archive, to, false, std::nullopt, std::nullopt, password);
    made.contents = SourceBatch::contents(to);
    made.size = fs::file_size(archive);
    return made;
}

// The text of the error that creating the archive throws, and whether anything was left.
std::pair<QString, bool> failure(const fs::path &archive, const std::vector<ZipWriter::Source> &sources,
                                 unsigned threads)
{
    const TestSupport::WorkerThreads cap(threads);
    QString text = QStringLiteral("no error");
    try {
        SevenZipWriter::create(archive, sources, password, true);
    } catch (const FormatError &e) {
        text = e.description();
    }
    return {text, fs::exists(archive) || !TestSupport::noPartialFiles(archive.parent_path())};
}

} // namespace

TEST(SevenZipParallel, everyThreadCountWritesTheSameArchive)
{
    TestSupport::TempDir dir;
    auto sources = SourceBatch::mixed(dir);
    std::erase_if(sources, [](const ZipWriter::Source &s) { return !s.filePath; }); // 7z refuses them
    for (const bool hideNames : {true, false}) {
        SCOPED_TRACE(hideNames);
        const Made one = make(dir, sources, hideNames, 1);
        ASSERT_EQ(one.listing.size(), sources.size());
        EXPECT_EQ(one.contents.at("large.bin").size(), std::size_t(25) << 20);
        for (const unsigned threads : {3u, 8u}) {
            SCOPED_TRACE(threads);
            const Made many = make(dir, sources, hideNames, threads);
            EXPECT_EQ(many.listing, one.listing);
            EXPECT_TRUE(many.contents == one.contents);
            // The same coders and paddings: only the IVs' bytes differ.
            EXPECT_EQ(many.size, one.size);
        }
    }
}

// The first unreadable source in list order ends the call with its name, and a disk that fills up
// in the middle of the batch with the write failure; neither leaves a file.
TEST(SevenZipParallel, failuresAreTheSequentialOnes)
{
    TestSupport::TempDir dir;
    auto sources = SourceBatch::mixed(dir, 120);
    std::erase_if(sources, [](const ZipWriter::Source &s) { return !s.filePath; });
    const std::string first = SourceBatch::addUnreadable(sources, dir);
    const QString unreadable =
        SevenZipError::ioError(QString::fromStdString("읽기 실패: " + first)).description();
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(failure(dir / "failed.7z", sources, threads), std::make_pair(unreadable, false));
    }

    const auto disk = dir / "disk";
    const TestSupport::SmallDisk small(disk);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const auto target = disk / "new.7z";
    const QString full = ZipError::ioError(FileError::writeFailed(target)).description();
    const auto tooLarge = SourceBatch::tooLargeFor4MiB(dir);
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(failure(target, tooLarge, threads), std::make_pair(full, false));
        EXPECT_TRUE(TestSupport::entriesBelow(disk).empty());
    }
}
