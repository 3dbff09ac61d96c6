#pragma once

#include "Archive/ZipError.h"
#include "Archive/ZipSource.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Batches of sources for the archive writers' tests of worker threads.
namespace SourceBatch {

// A varied batch below dir/src: folders, text files of many sizes (empty and one byte among them),
// random files that do not shrink, an entry without data (ZIP only), Korean names, and a sparse file
// of 25 MiB, larger than the writers hold in memory, in the middle.
std::vector<ZipWriter::Source> mixed(const TestSupport::TempDir &dir, int textFiles = 300,
                                     bool entryWithoutData = true);

// Puts two unreadable sources into the batch, a missing file and a folder given as a file; returns
// the entry name of the first.
std::string addUnreadable(std::vector<ZipWriter::Source> &sources, const TestSupport::TempDir &dir);

// Random files that together do not fit on a SmallDisk of 4 MiB.
std::vector<ZipWriter::Source> tooLargeFor4MiB(const TestSupport::TempDir &dir);

// `failure(target, sources, threads)` archives the sources into target and gives the error's text
// and whether anything was left behind.
//
// A batch with unreadable sources must fail with one thread and with eight with the text that
// `unreadable(name)` gives for the first of them, leaving nothing.
template <typename Unreadable, typename Failure>
void expectUnreadableFailure(const TestSupport::TempDir &dir, std::vector<ZipWriter::Source> sources,
                             const std::filesystem::path &target, Unreadable unreadable, Failure failure)
{
    const QString text = unreadable(QString::fromStdString("읽기 실패: " + addUnreadable(sources, dir)));
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(failure(target, sources, threads), std::make_pair(text, false));
    }
}

// A batch that fills the disk must fail with one thread and with eight with the write failure,
// leaving nothing on the disk. Skipped where a tmpfs cannot be mounted.
template <typename Failure>
void expectFullDiskFailure(const TestSupport::TempDir &dir, const std::string &name, Failure failure)
{
    const auto disk = dir / "disk";
    const TestSupport::SmallDisk small(disk);
    if (!small.mounted())
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    const auto target = disk / name;
    const QString full = ZipError::ioError(FileError::writeFailed(target)).description();
    const auto sources = tooLargeFor4MiB(dir);
    for (const unsigned threads : {1u, 8u}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(failure(target, sources, threads), std::make_pair(full, false));
        EXPECT_TRUE(TestSupport::entriesBelow(disk).empty());
    }
}

// Makes an archive of `sources` entries with one worker thread, then with several, and checks that
// each of the latter lists and extracts as the first (`listing` and `contents` of what `make`
// returns) before handing it to `compare` together with the first.
template <typename Make, typename Compare>
void againstOneThread(std::size_t sources, Make make, Compare compare)
{
    const auto one = make(1u);
    ASSERT_EQ(one.listing.size(), sources);
    EXPECT_EQ(one.contents.at("large.bin").rfind("26214400 bytes", 0), 0u);
    for (const unsigned threads : {3u, 8u}) {
        SCOPED_TRACE(threads);
        const auto many = make(threads);
        EXPECT_EQ(many.listing, one.listing);
        EXPECT_TRUE(many.contents == one.contents);
        compare(many, one);
    }
}

// Every entry below a folder by its relative path, with a file's bytes ("/" for a folder; the size
// and CRC of a file of 1 MiB or more).
std::map<std::string, std::string> contents(const std::filesystem::path &root);

} // namespace SourceBatch
