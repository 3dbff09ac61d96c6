// hangul [--nfd] [--apply] ROOT...: status, path, new name (and the failure text) per item.
// sanitize [--apply] ROOT...: status, path, new name, issues (and the failure text) per item.
// junk [--apply] ROOT...: status, kind, size, path, and where it went in the Trash (or the failure text).
// Without --apply the engines only scan. A summary goes to standard error; the exit code is 1 when
// an item failed.
#include "Probe.h"

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
    for (const auto &argument : arguments) {
        if (argument == "--apply")
            options.apply = true;
        else if (allowNfd && argument == "--nfd")
            options.nfd = true;
        else if (argument.rfind("--", 0) == 0)
            return false;
        else
            options.roots.emplace_back(argument);
    }
    return !options.roots.empty();
}

template <typename Status> const char *stateText(const Status &status)
{
    switch (status.kind) {
    case Status::Kind::pending:
        return "pending";
    case Status::Kind::failed:
        return "failed";
    default:
        return "done";
    }
}

std::string text(const QString &s)
{
    return s.toStdString();
}

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
        std::printf("%s\t%s\t%s\t%s\n", stateText(item.status), item.url.c_str(), item.newName.c_str(),
                    text(item.status.message).c_str());
    std::fprintf(stderr, "items %zu, already normalized %lld, unreadable %lld, done %d, failed %d\n",
                 engine.items().size(), static_cast<long long>(engine.alreadyNormalizedCount()),
                 static_cast<long long>(engine.unreadableCount()), engine.doneCount(), engine.failedCount());
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
        std::printf("%s\t%s\t%s\t%s\t%s\n", stateText(item.status), item.originalPath.c_str(),
                    item.newName.c_str(), text(item.issues.join(QStringLiteral("; "))).c_str(),
                    text(item.status.message).c_str());
    std::fprintf(stderr, "items %zu, scanned %lld, unreadable %lld, done %d, failed %d\n",
                 engine.items().size(), static_cast<long long>(engine.scannedCount()),
                 static_cast<long long>(engine.scan.unreadableCount), engine.doneCount(),
                 engine.failedCount());
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
        const char *state = item.status.kind == DSStoreCleanerEngine::Item::Status::Kind::pending ? "pending"
                            : item.status.kind == DSStoreCleanerEngine::Item::Status::Kind::failed
                                ? "failed"
                                : "trashed";
        const std::string where = item.trashedTo ? item.trashedTo->native() : text(item.status.message);
        std::printf("%s\t%s\t%lld\t%s\t%s\n", state, kinds[int(item.kind)], static_cast<long long>(item.size),
                    item.url.c_str(), where.c_str());
    }
    std::fprintf(stderr, "items %zu, scanned %lld, unreadable %lld, bytes %lld, trashed %d, failed %d\n",
                 engine.items().size(), static_cast<long long>(engine.scannedCount()),
                 static_cast<long long>(engine.scan.unreadableCount),
                 static_cast<long long>(engine.pendingSize()), engine.trashedCount(), engine.failedCount());
    return engine.failedCount() > 0 ? 1 : 0;
}

const Probe::Registration hangulCommand("hangul", "[--nfd] [--apply] ROOT...", hangul);
const Probe::Registration sanitizeCommand("sanitize", "[--apply] ROOT...", sanitize);
const Probe::Registration junkCommand("junk", "[--apply] ROOT...", junk);

} // namespace
