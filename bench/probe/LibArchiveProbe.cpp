// libarchive-list ARCHIVE: name, directory flag and size per entry.
// libarchive-extract ARCHIVE DEST: extracts below DEST and prints the number of files written.
// libarchive-create FORMAT OUT SOURCE...: FORMAT is 7z, tar, tar.gz, tar.bz2 or tar.xz; folders are
// walked (in sorted order), their entries named relative to the source's parent.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Archive/LibArchive/LibArchive.h"

#include <cstdio>
#include <map>

namespace {

using Format = LibArchive::WriteFormat;

int list(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1)
        return Probe::fail("usage: libarchive-list ARCHIVE");
    return Probe::guarded<LibArchive::ArchiveError>([&] {
        for (const auto &item : LibArchive::shared().listEntries(arguments[0], {}))
            std::printf("%s\t%s\t%lld\n", item.name.c_str(), item.isDirectory ? "folder" : "file",
                        static_cast<long long>(item.size));
        return 0;
    });
}

int extract(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 2)
        return Probe::fail("usage: libarchive-extract ARCHIVE DEST");
    return Probe::guarded<LibArchive::ArchiveError>([&] {
        const int count = LibArchive::shared().extract(arguments[0], arguments[1], false, {}, {}, {});
        std::printf("%d\n", count);
        return 0;
    });
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
    const auto sources = Probe::entriesFor({arguments.begin() + 2, arguments.end()}, Probe::EntryNames::asIs);
    return Probe::guarded<LibArchive::ArchiveError>([&] {
        LibArchive::shared().createArchive(arguments[1], sources, formats.at(arguments[0]));
        std::printf("%zu\n", sources.size());
        return 0;
    });
}

const Probe::Registration listing("libarchive-list", "ARCHIVE", list);
const Probe::Registration extraction("libarchive-extract", "ARCHIVE DEST", extract);
const Probe::Registration creation("libarchive-create", "7z|tar|tar.gz|tar.bz2|tar.xz OUT SOURCE...", create);

} // namespace
