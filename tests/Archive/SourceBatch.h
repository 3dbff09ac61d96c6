#pragma once

#include "Archive/ZipSource.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// Batches of sources for the archive writers' tests of worker threads.
namespace SourceBatch {

// A varied batch below dir/src: folders, text files of many sizes (empty and one byte among them),
// random files that do not shrink, an entry without data (ZIP only), Korean names, and a sparse file
// of 25 MiB, larger than the writers hold in memory, in the middle.
std::vector<ZipWriter::Source> mixed(const TestSupport::TempDir &dir, int textFiles = 300);

// Puts two unreadable sources into the batch, a missing file and a folder given as a file; returns
// the entry name of the first.
std::string addUnreadable(std::vector<ZipWriter::Source> &sources, const TestSupport::TempDir &dir);

// Random files that together do not fit on a SmallDisk of 4 MiB.
std::vector<ZipWriter::Source> tooLargeFor4MiB(const TestSupport::TempDir &dir);

// Every entry below a folder by its relative path, with a file's bytes ("/" for a folder).
std::map<std::string, std::string> contents(const std::filesystem::path &root);

} // namespace SourceBatch
