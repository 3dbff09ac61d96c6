// libarchive-list ARCHIVE: name, directory flag and size per entry.
// libarchive-extract ARCHIVE DEST: extracts below DEST and prints the number of files written.
// libarchive-create FORMAT OUT SOURCE...: FORMAT is 7z, tar, tar.gz, tar.bz2 or tar.xz; folders are
// walked, their entries named relative to the source's parent.
#include "Probe.h"

#include "Features/ZipKorean/LibArchive/LibArchive.h"

#include <cstdio>
#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

using Format = LibArchive::WriteFormat;

int list(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1)
        return Probe::fail("usage: libarchive-list ARCHIVE");
    try {
        for (const auto &item : LibArchive::shared().listEntries(arguments[0], {}))
            std::printf("%s\t%s\t%lld\n", item.name.c_str(), item.isDirectory ? "folder" : "file",
                        static_cast<long long>(item.size));
    } catch (const LibArchive::ArchiveError &error) {
        return Probe::fail(error.what());
    }
    return 0;
}

int extract(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 2)
        return Probe::fail("usage: libarchive-extract ARCHIVE DEST");
    try {
        const int count = LibArchive::shared().extract(arguments[0], arguments[1], false, {}, {}, {});
        std::printf("%d\n", count);
    } catch (const LibArchive::ArchiveError &error) {
        return Probe::fail(error.what());
    }
    return 0;
}

void collect(const fs::path &path, const std::string &entryName, std::vector<ZipWriter::Source> &sources)
{
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {
        sources.push_back({entryName + "/", path, true});
        for (const auto &child : fs::directory_iterator(path))
            collect(child.path(), entryName + "/" + child.path().filename().native(), sources);
    } else {
        sources.push_back({entryName, path, false});
    }
}

int create(const std::vector<std::string> &arguments)
{
    static const std::map<std::string, Format> formats{{"7z", Format::sevenZip},
                                                       {"tar", Format::tar},
                                                       {"tar.gz", Format::tarGz},
                                                       {"tar.bz2", Format::tarBz2},
                                                       {"tar.xz", Format::tarXz}};
    if (arguments.size() < 3 || formats.count(arguments[0]) == 0)
        return Probe::fail("usage: libarchive-create 7z|tar|tar.gz|tar.bz2|tar.xz OUT SOURCE...");
    std::vector<ZipWriter::Source> sources;
    for (std::size_t i = 2; i < arguments.size(); ++i) {
        const fs::path source = arguments[i];
        auto normal = source.lexically_normal();
        if (normal.filename().empty())
            normal = normal.parent_path();
        collect(source, normal.filename().native(), sources);
    }
    try {
        LibArchive::shared().createArchive(arguments[1], sources, formats.at(arguments[0]));
    } catch (const LibArchive::ArchiveError &error) {
        return Probe::fail(error.what());
    }
    std::printf("%zu\n", sources.size());
    return 0;
}

const Probe::Registration listing("libarchive-list", "ARCHIVE", list);
const Probe::Registration extraction("libarchive-extract", "ARCHIVE DEST", extract);
const Probe::Registration creation("libarchive-create", "7z|tar|tar.gz|tar.bz2|tar.xz OUT SOURCE...", create);

} // namespace
