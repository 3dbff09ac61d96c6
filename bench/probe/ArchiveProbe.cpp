// archive-open ARCHIVE [--password P]: the engine's rows: encoding, name, size, marks (junk, locked).
// archive-extract ARCHIVE [--password P] [--keep-junk]: extracts beside the archive; prints the result.
// archive-create FORMAT SOURCE... [--password P] [--aes] [--show-names]: FORMAT is zip, 7z, tar,
// tar.gz, tar.bz2 or tar.xz (or the engine's raw value); prints the new archive's path, and on
// standard error how many folders it could not look into.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Features/ZipKorean/ZipKoreanEngine.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Options {
    QString password;
    bool keepJunk = false;
    bool aes = false;
    bool showNames = false;
    std::vector<std::string> rest;
};

Options parse(const std::vector<std::string> &arguments)
{
    const auto parsed =
        Probe::parseArguments(arguments, {"--keep-junk", "--aes", "--show-names"}, {"--password"}, false);
    return {QString::fromStdString(parsed->value("--password").value_or(std::string())),
            parsed->has("--keep-junk"), parsed->has("--aes"), parsed->has("--show-names"), parsed->rest};
}

int failWith(const std::optional<QString> &text)
{
    return Probe::fail(text.value_or(QString()).toStdString());
}

int open(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    if (o.rest.size() != 1)
        return Probe::fail("usage: archive-open ARCHIVE [--password P]");
    ZipKoreanEngine engine;
    engine.addURLs({fs::path(o.rest[0])});
    if (engine.mode() != ZipKoreanEngine::Mode::extract)
        return Probe::fail("not an archive: " + o.rest[0]);
    if (!o.password.isEmpty() && engine.displayEntries().empty()) {
        engine.setPassword(o.password);
        engine.reloadArchiveList();
    }
    if (engine.loadError())
        return failWith(engine.loadError());
    if (engine.displayEntries().empty() && engine.needsPassword())
        return Probe::fail(engine.encodingSummary().toStdString());
    for (const auto &row : engine.displayEntries()) {
        std::string marks;
        if (row.isMacJunk)
            marks += "junk";
        if (row.isEncrypted)
            marks += marks.empty() ? "locked" : ",locked";
        std::printf("%s\t%s\t%lld\t%s\n", row.badge ? "CP949" : "-", row.name.c_str(), (long long)row.size,
                    marks.empty() ? "-" : marks.c_str());
    }
    return 0;
}

int extract(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    if (o.rest.size() != 1)
        return Probe::fail("usage: archive-extract ARCHIVE [--password P] [--keep-junk]");
    ZipKoreanEngine engine;
    engine.addURLs({fs::path(o.rest[0])});
    if (engine.mode() != ZipKoreanEngine::Mode::extract)
        return Probe::fail("not an archive: " + o.rest[0]);
    if (engine.loadError())
        return failWith(engine.loadError());
    engine.setSkipMacJunk(!o.keepJunk);
    engine.setPassword(o.password);
    engine.extract();
    if (engine.actionError() || !engine.extractedItem())
        return failWith(engine.actionError());
    std::printf("%s\n", engine.extractedItem()->c_str());
    return 0;
}

std::optional<ZipKoreanEngine::CreateFormat> formatNamed(const std::string &name)
{
    for (auto format : ZipKoreanEngine::allCreateFormats)
        if (ZipKoreanEngine::extension(format) == name)
            return format;
    return ZipKoreanEngine::createFormatFromString(QString::fromStdString(name));
}

int create(const std::vector<std::string> &arguments)
{
    const Options o = parse(arguments);
    const auto format = o.rest.empty() ? std::nullopt : formatNamed(o.rest[0]);
    if (o.rest.size() < 2 || !format)
        return Probe::fail("usage: archive-create zip|7z|tar|tar.gz|tar.bz2|tar.xz SOURCE... [--password P] "
                           "[--aes] [--show-names]");
    std::vector<fs::path> sources(o.rest.begin() + 1, o.rest.end());
    ZipKoreanEngine engine;
    engine.addURLs(sources);
    if (engine.mode() != ZipKoreanEngine::Mode::create)
        return Probe::fail("a single archive is opened, not packed: " + o.rest[1]);
    engine.setCreateFormat(*format);
    engine.setCreatePassword(o.password);
    engine.setZipEncryption(o.aes ? ZipKoreanEngine::ZipEncryptionChoice::aes256
                                  : ZipKoreanEngine::ZipEncryptionChoice::compatible);
    engine.setSevenZipHideNames(!o.showNames);
    engine.createZip();
    // Folders it could not look into went in empty: said, as the page says it, beside the result.
    if (const auto warning = engine.unreadableWarning())
        std::fprintf(stderr, "%s\n", warning->toStdString().c_str());
    if (engine.actionError() || !engine.createdZip())
        return failWith(engine.actionError());
    std::printf("%s\n", engine.createdZip()->c_str());
    return 0;
}

const Probe::Registration openCommand("archive-open", "ARCHIVE [--password P]", open);
const Probe::Registration extractCommand("archive-extract", "ARCHIVE [--password P] [--keep-junk]", extract);
const Probe::Registration createCommand("archive-create",
                                        "zip|7z|tar|tar.gz|tar.bz2|tar.xz SOURCE... [--password P] [--aes] "
                                        "[--show-names]",
                                        create);

} // namespace
