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

#include <tuple>

namespace fs = std::filesystem;

namespace {

const QString password = QStringLiteral("병렬 암호");

struct Made {
    std::vector<std::tuple<std::string, bool, std::int64_t>> listing;
    std::map<std::string, std::string> contents;
    std::uintmax_t size = 0;
};

Made make(const TestSupport::TempDir &dir, const std::vector<ZipWriter::Source> &sources, bool hideNames,
          unsigned threads)
{
    const TestSupport::WorkerThreads cap(threads);
    const auto archive = dir / ("out-" + std::to_string(threads) + (hideNames ? "-hidden" : "") + ".7z");
    fs::remove(archive);
    SevenZipWriter::create(archive, sources, password, hideNames);
    Made made;
    for (const auto &e : SevenZipReader::info(archive, password).entries)
        made.listing.emplace_back(e.name, e.isDirectory, e.size);
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
    const auto sources = SourceBatch::mixed(dir, 300, false); // 7z refuses an entry without data
    for (const bool hideNames : {true, false}) {
        SCOPED_TRACE(hideNames);
        SourceBatch::againstOneThread(
            sources.size(), [&](unsigned threads) { return make(dir, sources, hideNames, threads); },
            [&](const Made &many, const Made &one) {
                // The same coders and paddings: only the IVs' bytes differ.
                EXPECT_EQ(many.size, one.size);
            });
    }
    // 7-Zip sees the same coders in each file. (Child processes only now: ThreadSanitizer loses
    // track of the calling thread's locks once QProcess has started one.)
    for (const std::string hidden : {"", "-hidden"}) {
        bool ok = false;
        const auto peer = SevenZipTest::peerList(dir / ("out-1" + hidden + ".7z"), password, &ok);
        EXPECT_TRUE(ok);
        EXPECT_EQ(SevenZipTest::peerList(dir / ("out-8" + hidden + ".7z"), password, &ok), peer);
    }
}

// The first unreadable source in list order ends the call with its name, and a disk that fills up
// in the middle of the batch with the write failure; neither leaves a file.
TEST(SevenZipParallel, failuresAreTheSequentialOnes)
{
    TestSupport::TempDir dir;
    SourceBatch::expectUnreadableFailure(
        dir, SourceBatch::mixed(dir, 120, false), dir / "failed.7z",
        [](const QString &detail) { return SevenZipError::ioError(detail).description(); }, failure);
    SourceBatch::expectFullDiskFailure(dir, "new.7z", failure);
}
