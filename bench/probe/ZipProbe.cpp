// zip-list ARCHIVE: encoding, name and size per entry.
// zip-extract ARCHIVE DEST [--password P]: extracts every entry below DEST; prints the counts.
// zip-create OUT.zip [--zipcrypto P | --aes P] SOURCE...: folders are walked, entries named
// relative to the source's parent (NFC); prints the number of entries.
#include "Probe.h"

#include "Core/Text.h"
#include "Features/ZipKorean/ArchiveFiles.h"
#include "Features/ZipKorean/Zip/ZipReader.h"
#include "Features/ZipKorean/Zip/ZipWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

int list(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1)
        return Probe::fail("usage: zip-list ARCHIVE");
    try {
        const auto archive = readWholeFile(arguments[0]);
        for (const auto &entry : ZipReader::readEntries(archive))
            std::printf("%s\t%s\t%lld\n", ZipEntry::toString(entry.encoding).toUtf8().constData(),
                        entry.decodedName.c_str(), static_cast<long long>(entry.uncompressedSize));
    } catch (const ZipError &error) {
        return Probe::fail(error.what());
    }
    return 0;
}

int extract(const std::vector<std::string> &arguments)
{
    std::string password;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--password" && i + 1 < arguments.size())
            password = arguments[++i];
        else
            rest.push_back(arguments[i]);
    }
    if (rest.size() != 2)
        return Probe::fail("usage: zip-extract ARCHIVE DEST [--password P]");
    try {
        const auto archive = readWholeFile(rest[0]);
        const auto entries = ZipReader::readEntries(archive);
        const auto counts = ZipReader::extract(entries, archive, rest[1], false, std::nullopt, password);
        std::printf("extracted\t%d\tskipped\t%d\n", counts.extracted, counts.skipped);
    } catch (const ZipError &error) {
        return Probe::fail(error.what());
    }
    return 0;
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
    auto encryption = ZipWriter::Encryption::none;
    std::string password;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if ((arguments[i] == "--zipcrypto" || arguments[i] == "--aes") && i + 1 < arguments.size()) {
            encryption =
                arguments[i] == "--aes" ? ZipWriter::Encryption::aes256 : ZipWriter::Encryption::traditional;
            password = arguments[++i];
        } else {
            rest.push_back(arguments[i]);
        }
    }
    if (rest.size() < 2)
        return Probe::fail("usage: zip-create OUT.zip [--zipcrypto P | --aes P] SOURCE...");
    std::vector<ZipWriter::Source> sources;
    for (std::size_t i = 1; i < rest.size(); ++i) {
        auto normal = fs::path(rest[i]).lexically_normal();
        if (normal.filename().empty())
            normal = normal.parent_path();
        collect(rest[i], Text::toNfc(normal.filename().native()), sources);
    }
    try {
        ZipWriter::create(rest[0], sources, password, encryption);
    } catch (const ZipError &error) {
        return Probe::fail(error.what());
    }
    std::printf("%zu\n", sources.size());
    return 0;
}

const Probe::Registration listCommand("zip-list", "ARCHIVE", list);
const Probe::Registration extractCommand("zip-extract", "ARCHIVE DEST [--password P]", extract);
const Probe::Registration createCommand("zip-create", "OUT.zip [--zipcrypto P | --aes P] SOURCE...", create);

} // namespace
