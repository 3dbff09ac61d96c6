#pragma once

#include "Archive/ArchiveFiles.h"
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

inline void put16(std::string &out, std::uint32_t v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char((v >> 8) & 0xFF));
}
inline void put32(std::string &out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// A ZIP of stored entries with the names exactly as given.
inline std::string storedZip(const std::vector<RawEntry> &entries)
{
    std::string out;
    std::string central;
    for (const auto &e : entries) {
        const auto crc = crc32({reinterpret_cast<const std::uint8_t *>(e.data.data()), e.data.size()});
        const auto offset = std::uint32_t(out.size());
        const auto header = [&](std::string &to, bool isCentral) {
            put32(to, isCentral ? 0x02014b50 : 0x04034b50);
            if (isCentral)
                put16(to, 20);
            put16(to, 20);
            put16(to, e.flags);
            put16(to, 0);
            put16(to, 0);
            put16(to, 0x21);
            put32(to, crc);
            put32(to, std::uint32_t(e.data.size()));
            put32(to, std::uint32_t(e.data.size()));
            put16(to, std::uint16_t(e.name.size()));
            put16(to, 0);
            if (isCentral) {
                put16(to, 0);
                put16(to, 0);
                put16(to, 0);
                put32(to, e.name.ends_with('/') ? 0x10 : 0);
                put32(to, offset);
            }
            to += e.name;
        };
        header(out, false);
        out += e.data;
        header(central, true);
    }
    const auto cdOffset = std::uint32_t(out.size());
    out += central;
    put32(out, 0x06054b50);
    put32(out, 0);
    put16(out, std::uint16_t(entries.size()));
    put16(out, std::uint16_t(entries.size()));
    put32(out, std::uint32_t(central.size()));
    put32(out, cdOffset);
    put16(out, 0);
    return out;
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
