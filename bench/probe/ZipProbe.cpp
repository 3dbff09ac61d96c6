// zip-list ARCHIVE: encoding, name and size per entry.
// zip-extract ARCHIVE DEST [--password P]: extracts every entry below DEST; prints the counts.
// zip-create OUT.zip [--zipcrypto P | --aes P] SOURCE...: folders are walked, entries named
// relative to the source's parent (NFC); prints the number of entries.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Archive/ArchiveInput.h"
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"
#include "Archive/ZipError.h"

#include <cstdio>
#include <filesystem>

namespace {

int list(const std::vector<std::string> &arguments)
{
    if (arguments.size() != 1)
        return Probe::fail("usage: zip-list ARCHIVE");
    return Probe::guarded<ZipError>([&] {
        const auto archive = ArchiveInput::open(arguments[0]);
        for (const auto &entry : ZipReader::readEntries(archive))
            std::printf("%s\t%s\t%lld\n", ZipEntry::toString(entry.encoding).toUtf8().constData(),
                        entry.decodedName.c_str(), static_cast<long long>(entry.uncompressedSize));
        return 0;
    });
}

int extract(const std::vector<std::string> &arguments)
{
    const auto o = Probe::parseArguments(arguments, {}, {"--password"}, false);
    if (o->rest.size() != 2)
        return Probe::fail("usage: zip-extract ARCHIVE DEST [--password P]");
    return Probe::guarded<ZipError>([&] {
        const auto archive = ArchiveInput::open(o->rest[0]);
        const auto entries = ZipReader::readEntries(archive);
        const auto counts = ZipReader::extract(entries, archive, o->rest[1], false, std::nullopt,
                                               o->value("--password").value_or(std::string()));
        std::printf("extracted\t%d\tskipped\t%d\n", counts.extracted, counts.skipped);
        return 0;
    });
}

int create(const std::vector<std::string> &arguments)
{
    const auto o = Probe::parseArguments(arguments, {}, {"--zipcrypto", "--aes"}, false);
    if (o->rest.size() < 2)
        return Probe::fail("usage: zip-create OUT.zip [--zipcrypto P | --aes P] SOURCE...");
    // The last of the two options given wins.
    auto encryption = ZipWriter::Encryption::none;
    std::string password;
    for (const auto &[name, value] : o->values) {
        encryption = name == "--aes" ? ZipWriter::Encryption::aes256 : ZipWriter::Encryption::traditional;
        password = value;
    }
    const auto sources = Probe::entriesFor({o->rest.begin() + 1, o->rest.end()}, Probe::EntryNames::nfc);
    return Probe::guarded<ZipError>([&] {
        ZipWriter::create(o->rest[0], sources, password, encryption);
        std::printf("%zu\n", sources.size());
        return 0;
    });
}

const Probe::Registration listCommand("zip-list", "ARCHIVE", list);
const Probe::Registration extractCommand("zip-extract", "ARCHIVE DEST [--password P]", extract);
const Probe::Registration createCommand("zip-create", "OUT.zip [--zipcrypto P | --aes P] SOURCE...", create);

} // namespace
