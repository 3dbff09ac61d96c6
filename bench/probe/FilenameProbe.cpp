// hangul [--nfd] [--apply] ROOT...: status, path, new name (and the failure text) per item.
// sanitize [--apply] ROOT...: status, path, new name, issues (and the failure text) per item.
// junk [--apply] ROOT...: status, kind, size, path, and where it went in the Trash (or the failure text).
// Without --apply the engines only scan. A summary goes to standard error; the exit code is 1 when
// an item failed.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Features/DSStoreCleaner/DSStoreCleanerEngine.h"
#include "Features/FilenameSanitizer/FilenameSanitizerEngine.h"
#include "Features/HangulFilename/HangulRenameEngine.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Options {
    bool apply = false;
    bool nfd = false;
    std::vector<fs::path> roots;
};

bool parse(const std::vector<std::string> &arguments, bool allowNfd, Options &options)
{
    std::vector<std::string> flags{"--apply"};
    if (allowNfd)
        flags.emplace_back("--nfd");
    const auto parsed = Probe::parseArguments(arguments, flags, {}, true);
    if (!parsed)
        return false;
    options.apply = parsed->has("--apply");
    options.nfd = parsed->has("--nfd");
    options.roots.assign(parsed->rest.begin(), parsed->rest.end());
    return !options.roots.empty();
}

using Probe::stateName;
using Probe::text;

int hangul(const std::vector<std::string> &arguments)
{
    Options options;
    if (!parse(arguments, true, options))
        return Probe::fail("usage: hangul [--nfd] [--apply] ROOT...");
    HangulRenameEngine engine;
    if (options.nfd)
        engine.setForm(HangulRenameEngine::Form::nfd);
    engine.addURLs(options.roots);
    if (options.apply)
        engine.applyAll();
    for (const auto &item : engine.items())
        std::printf("%s\t%s\t%s\t%s\n", stateName(item.status.kind), item.url.c_str(), item.newName.c_str(),
                    text(item.status.message).c_str());
    Probe::printSummary(engine.items().size(), {{"already normalized", engine.alreadyNormalizedCount()},
                                                {"unreadable", engine.unreadableCount()},
                                                {"done", engine.doneCount()},
                                                {"failed", engine.failedCount()}});
    return engine.failedCount() > 0 ? 1 : 0;
}

int sanitize(const std::vector<std::string> &arguments)
{
    Options options;
    if (!parse(arguments, false, options))
        return Probe::fail("usage: sanitize [--apply] ROOT...");
    FilenameSanitizerEngine engine;
    engine.addURLs(options.roots);
    if (options.apply)
        engine.applyAll();
    for (const auto &item : engine.items())
        std::printf("%s\t%s\t%s\t%s\t%s\n", stateName(item.status.kind), item.originalPath.c_str(),
                    item.newName.c_str(), text(item.issues.join(QStringLiteral("; "))).c_str(),
                    text(item.status.message).c_str());
    Probe::printSummary(engine.items().size(), {{"scanned", engine.scannedCount()},
                                                {"unreadable", engine.scan.unreadableCount},
                                                {"done", engine.doneCount()},
                                                {"failed", engine.failedCount()}});
    return engine.failedCount() > 0 ? 1 : 0;
}

int junk(const std::vector<std::string> &arguments)
{
    Options options;
    if (!parse(arguments, false, options))
        return Probe::fail("usage: junk [--apply] ROOT...");
    DSStoreCleanerEngine engine;
    engine.addURLs(options.roots);
    if (options.apply)
        engine.trashAll();
    static const char *kinds[] = {"dsStore", "appleDouble", "macosxFolder"};
    for (const auto &item : engine.items()) {
        const std::string where = item.trashedTo ? item.trashedTo->native() : text(item.status.message);
        std::printf("%s\t%s\t%lld\t%s\t%s\n", stateName(item.status.kind), kinds[int(item.kind)],
                    static_cast<long long>(item.size), item.url.c_str(), where.c_str());
    }
    Probe::printSummary(engine.items().size(), {{"scanned", engine.scannedCount()},
                                                {"unreadable", engine.scan.unreadableCount},
                                                {"bytes", engine.pendingSize()},
                                                {"trashed", engine.trashedCount()},
                                                {"failed", engine.failedCount()}});
    return engine.failedCount() > 0 ? 1 : 0;
}

const Probe::Registration hangulCommand("hangul", "[--nfd] [--apply] ROOT...", hangul);
const Probe::Registration sanitizeCommand("sanitize", "[--apply] ROOT...", sanitize);
const Probe::Registration junkCommand("junk", "[--apply] ROOT...", junk);

} // namespace
