#pragma once

#include "Archive/ZipSource.h"
#include "Core/DirectoryScan.h"

#include <filesystem>
#include <vector>

// What a new archive will hold: the dropped items and everything below them, a folder before its
// content, each under its name inside the archive (PackingNames), macOS junk left out and counted.
// Links are packed as what they point to; a dangling one, or one to a folder being walked, is
// left out.
struct SourceCollection {
    std::vector<ZipWriter::Source> sources;
    int junkSkipped = 0;
    // The dropped items that put something in it, by their places in the list given.
    std::vector<std::size_t> packed;

    // `scan` lists every folder, counting those it may not read.
    static SourceCollection of(const std::vector<std::filesystem::path> &items, DirectoryScan &scan);
};
