#pragma once

#include "Archive/ZipSource.h"

#include <string>
#include <string_view>
#include <vector>

// The names items on disk get inside a new archive. Names on disk are bytes: a UTF-8 name is
// composed to NFC, a name that is valid CP949 (what an old unzip leaves of a Korean Windows ZIP)
// becomes the Korean text it spells, and any other name keeps its bytes. Two items of one folder
// never end up under one name.
namespace PackingNames {

std::string entryName(std::string_view raw);

// The names of the items of one folder (or of the dropped items), in their order: each its
// entryName, unless a sibling holds that already; then its own bytes, else the entryName numbered
// by the " N" rule. A name kept exactly as it is on disk wins over one that was rewritten.
std::vector<std::string> forSiblings(const std::vector<std::string> &raw);

// A name that is not UTF-8, spelled for a format that stores Unicode (7z): each byte that does not
// decode as %XX, and so that two names never meet, each '%' as %25. Valid UTF-8 stays as it is.
std::string spelledOut(std::string_view raw);

// The sources with every name component that is not UTF-8 spelled out, still distinct within
// its folder.
std::vector<ZipWriter::Source> inUnicode(std::vector<ZipWriter::Source> sources);

} // namespace PackingNames
