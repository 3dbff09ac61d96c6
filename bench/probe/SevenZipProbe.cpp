// 7z-list ARCHIVE [--password P]: name, size and kind (file or dir) per entry.
// 7z-extract ARCHIVE DEST [--password P]: extracts below DEST; prints the number of files written.
// 7z-create OUT.7z --password P [--hide-names] SOURCE...: folders are walked, entries named
// relative to the source's parent (NFC); prints the number of entries.
#include "Probe.h"

#include "Core/Text.h"
#include "Features/ZipKorean/ArchiveFiles.h"
#include "Features/ZipKorean/SevenZip/SevenZipError.h"
#include "Features/ZipKorean/SevenZip/SevenZipReader.h"
#include "Features/ZipKorean/SevenZip/SevenZipWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Options {
    QString password;
    bool hideNames = false;
    std::vector<std::string> rest;
};

Options parse(const std::vector<std::string> &arguments)
{
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--password" && i + 1 < arguments.size())
            options.password = QString::fromStdString(arguments[++i]);
        else if (arguments[i] == "--hide-names")
            options.hideNames = true;
        else
            options.rest.push_back(arguments[i]);
    }
    return options;
}

template <typename Step> int guarded(Step step)
{
    try {
        return step();
    } catch (const SevenZipReadError &error) {
        return Probe::fail(error.what());
    } catch (const SevenZipError &error) {
        return Probe::fail(error.what());
    } catch (const ZipError &error) {
        return Probe::fail(error.what());
    }
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

void collect(const fs::path &path, const std::string &entryName, std::vector<ZipWriter::Source> &sources)
{
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {
        sources.push_back({entryName + "/", path, true});
        std::vector<fs::path> children;
        for (const auto &child : fs::directory_iterator(path))
            children.push_back(child.path());
        std::sort(children.begin(), children.end());
        for (const auto &child : children)
            collect(child, entryName + "/" + Text::toNfc(child.filename().native()), sources);
    } else {
        sources.push_back({entryName, path, false});
    }
}

int create(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    if (o.rest.size() < 2 || o.password.isEmpty())
        return Probe::fail("usage: 7z-create OUT.7z --password P [--hide-names] SOURCE...");
    std::vector<ZipWriter::Source> sources;
    for (std::size_t i = 1; i < o.rest.size(); ++i) {
        auto normal = fs::path(o.rest[i]).lexically_normal();
        if (normal.filename().empty())
            normal = normal.parent_path();
        collect(o.rest[i], Text::toNfc(normal.filename().native()), sources);
    }
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
