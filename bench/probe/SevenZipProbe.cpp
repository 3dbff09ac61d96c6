// 7z-list ARCHIVE [--password P]: name, size and kind (file or dir) per entry.
// 7z-extract ARCHIVE DEST [--password P]: extracts below DEST; prints the number of files written.
// 7z-create OUT.7z --password P [--hide-names] SOURCE...: folders are walked, entries named
// relative to the source's parent (NFC); prints the number of entries.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipReader.h"
#include "Archive/SevenZip/SevenZipWriter.h"

#include <cstdio>

namespace {

struct Options {
    QString password;
    bool hideNames = false;
    std::vector<std::string> rest;
};

Options parse(const std::vector<std::string> &arguments)
{
    const auto parsed = Probe::parseArguments(arguments, {"--hide-names"}, {"--password"}, false);
    return {QString::fromStdString(parsed->value("--password").value_or(std::string())),
            parsed->has("--hide-names"), parsed->rest};
}

template <typename Step> int guarded(Step step)
{
    return Probe::guarded<SevenZipReadError, SevenZipError, ZipError>(step);
}

int list(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    if (o.rest.size() != 1)
        return Probe::fail("usage: 7z-list ARCHIVE [--password P]");
    return guarded([&] {
        for (const auto &entry : SevenZipReader::info(o.rest[0], o.password).entries)
            std::printf("%s\t%lld\t%s\n", entry.name.c_str(), static_cast<long long>(entry.size),
                        entry.isDirectory ? "dir" : "file");
        return 0;
    });
}

int extract(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    if (o.rest.size() != 2)
        return Probe::fail("usage: 7z-extract ARCHIVE DEST [--password P]");
    return guarded([&] {
        const auto written =
            SevenZipReader::extract(o.rest[0], o.rest[1], false, std::nullopt, std::nullopt, o.password);
        std::printf("extracted\t%lld\n", static_cast<long long>(written));
        return 0;
    });
}

int create(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    if (o.rest.size() < 2 || o.password.isEmpty())
        return Probe::fail("usage: 7z-create OUT.7z --password P [--hide-names] SOURCE...");
    const auto sources = Probe::entriesFor({o.rest.begin() + 1, o.rest.end()}, Probe::EntryNames::nfc);
    return guarded([&] {
        SevenZipWriter::create(o.rest[0], sources, o.password, o.hideNames);
        std::printf("%zu\n", sources.size());
        return 0;
    });
}

const Probe::Registration listCommand("7z-list", "ARCHIVE [--password P]", list);
const Probe::Registration extractCommand("7z-extract", "ARCHIVE DEST [--password P]", extract);
const Probe::Registration createCommand("7z-create", "OUT.7z --password P [--hide-names] SOURCE...", create);

} // namespace
