#pragma once

#include "ZipTestSupport.h"
#include "support/TestSupport.h"

#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace EngineTest {

namespace fs = std::filesystem;

// One stored entry of a hand-built ZIP: the raw name bytes, as an old archiver writes them.
struct RawEntry {
    std::string name;
    std::string data;
    std::uint16_t flags = 0; // bit 11: UTF-8 name
};

// A ZIP of stored entries with the names exactly as given.
inline std::string storedZip(const std::vector<RawEntry> &entries)
{
    std::vector<ZipTest::RawEntry> raw;
    for (const auto &e : entries) {
        ZipTest::RawEntry entry;
        entry.name = e.name;
        entry.data = ZipTest::bytes(e.data);
        entry.flags = e.flags;
        entry.externalAttributes = e.name.ends_with('/') ? 0x10 : 0; // the MS-DOS folder bit
        raw.push_back(std::move(entry));
    }
    return ZipTest::text(ZipTest::buildZip(raw));
}

using TestSupport::q;

// Relative path -> content ("/" for folders) of everything below root.
inline std::map<std::string, std::string> tree(const fs::path &root)
{
    std::map<std::string, std::string> out;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::string rel = fs::relative(it->path(), root).native();
        if (it->is_directory() && !it->is_symlink())
            out[rel + "/"] = "/";
        else
            out[rel] = TestSupport::readBytes(it->path());
    }
    return out;
}

// Names directly inside a folder.
inline std::set<std::string> namesIn(const fs::path &folder)
{
    std::set<std::string> out;
    for (const auto &entry : fs::directory_iterator(folder))
        out.insert(entry.path().filename().native());
    return out;
}

} // namespace EngineTest
