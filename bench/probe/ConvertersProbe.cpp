// text --to utf8|cp949 --eol keep|lf|crlf [--apply] PATH...: status, encoding, line endings, path
//   (and the failure text) per item.
// heic [--apply] ROOT...: status, size, path, JPEG name or failure text per item.
// video [--apply] ROOT...: status, size, path, detail, output name or failure text per item.
// Without --apply the engines only scan (and, for video, read the codecs). A summary goes to
// standard error; the exit code is 1 when an item failed.
#include "Probe.h"
#include "ProbeSupport.h"

#include "Features/HeicConvert/HeicConvertEngine.h"
#include "Features/TextEncoding/TextEncodingEngine.h"
#include "Features/VideoConvert/VideoConvertEngine.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using Probe::text;

struct Options {
    bool apply = false;
    std::vector<fs::path> roots;
    std::vector<std::pair<std::string, std::string>> values; // --name value
};

bool parse(const std::vector<std::string> &arguments, const std::vector<std::string> &valued,
           Options &options)
{
    const auto parsed = Probe::parseArguments(arguments, {"--apply"}, valued, true);
    if (!parsed)
        return false;
    options.apply = parsed->has("--apply");
    options.roots.assign(parsed->rest.begin(), parsed->rest.end());
    options.values = parsed->values;
    return !options.roots.empty();
}

// The summary line of the text and video converters; exit code 1 when an item failed.
template <typename Engine> int summarise(const Engine &engine)
{
    Probe::printSummary(engine.items().size(), {{"skipped", engine.skippedCount()},
                                                {"pending", engine.pendingCount()},
                                                {"already ok", engine.alreadyOkCount()},
                                                {"done", engine.doneCount()},
                                                {"failed", engine.failedCount()}});
    return engine.failedCount() > 0 ? 1 : 0;
}

int textCommand(const std::vector<std::string> &arguments)
{
    const char *usage = "usage: text --to utf8|cp949 --eol keep|lf|crlf [--apply] PATH...";
    Options options;
    if (!parse(arguments, {"--to", "--eol"}, options))
        return Probe::fail(usage);
    TextEncodingEngine engine;
    for (const auto &[name, value] : options.values) {
        if (name == "--to") {
            const auto target = TextEncodingEngine::targetFromString(QString::fromStdString(value));
            if (!target)
                return Probe::fail(usage);
            engine.setTarget(*target);
        } else {
            const auto eol = TextEncodingEngine::lineEndingFromString(QString::fromStdString(value));
            if (!eol)
                return Probe::fail(usage);
            engine.setLineEnding(*eol);
        }
    }
    engine.addURLs(options.roots);
    if (options.apply)
        engine.convertAll();
    for (const auto &item : engine.items()) {
        std::printf("%s\t%s\t%s\t%s\t%s\n", Probe::stateName(item.status.kind),
                    text(TextEncodingEngine::toString(item.detected)).c_str(), text(item.lineEnding).c_str(),
                    item.url.c_str(), text(item.status.message).c_str());
    }
    return summarise(engine);
}

int heicCommand(const std::vector<std::string> &arguments)
{
    Options options;
    if (!parse(arguments, {}, options))
        return Probe::fail("usage: heic [--apply] ROOT...");
    HeicConvertEngine engine;
    engine.addURLs(options.roots);
    if (options.apply)
        engine.convertAll();
    for (const auto &item : engine.items()) {
        std::printf("%s\t%lld\t%s\t%s\n", Probe::stateName(item.status.kind),
                    static_cast<long long>(item.size), item.url.c_str(), text(item.status.text).c_str());
    }
    Probe::printSummary(engine.items().size(), {{"skipped", engine.skippedCount()},
                                                {"unreadable folders", engine.scan.unreadableCount},
                                                {"done", engine.doneCount()},
                                                {"failed", engine.failedCount()}});
    return engine.failedCount() > 0 ? 1 : 0;
}

int videoCommand(const std::vector<std::string> &arguments)
{
    Options options;
    if (!parse(arguments, {}, options))
        return Probe::fail("usage: video [--apply] ROOT...");
    VideoConvertEngine engine;
    QEventLoop loop;
    QObject::connect(&engine, &VideoConvertEngine::analysisFinished, &loop, &QEventLoop::quit);
    QObject::connect(&engine, &VideoConvertEngine::conversionFinished, &loop, &QEventLoop::quit);
    engine.addURLs(options.roots);
    if (engine.isAnalyzing())
        loop.exec();
    if (options.apply) {
        engine.convertAll();
        if (engine.isWorking())
            loop.exec();
    }
    for (const auto &item : engine.items())
        std::printf("%s\t%lld\t%s\t%s\n", Probe::stateName(item.status.kind),
                    static_cast<long long>(item.size), item.url.c_str(), text(item.status.text).c_str());
    return summarise(engine);
}

const Probe::Registration textRegistration("text", "--to utf8|cp949 --eol keep|lf|crlf [--apply] PATH...",
                                           textCommand);
const Probe::Registration heicRegistration("heic", "[--apply] ROOT...", heicCommand);
const Probe::Registration videoRegistration("video", "[--apply] ROOT...", videoCommand);

} // namespace
