// text --to utf8|cp949 --eol keep|lf|crlf [--apply] PATH...: status, encoding, line endings, path
//   (and the failure text) per item.
// heic [--apply] ROOT...: status, size, path, JPEG name or failure text per item.
// video [--apply] ROOT...: status, size, path, detail, output name or failure text per item.
// Without --apply the engines only scan (and, for video, read the codecs). A summary goes to
// standard error; the exit code is 1 when an item failed.
#include "Probe.h"

#include "Features/HeicConvert/HeicConvertEngine.h"
#include "Features/TextEncoding/TextEncodingEngine.h"
#include "Features/VideoConvert/VideoConvertEngine.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string text(const QString &s)
{
    return s.toStdString();
}

struct Options {
    bool apply = false;
    std::vector<fs::path> roots;
    std::vector<std::pair<std::string, std::string>> values; // --name value
};

bool parse(const std::vector<std::string> &arguments, const std::vector<std::string> &valued,
           Options &options)
{
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto &argument = arguments[i];
        if (argument == "--apply") {
            options.apply = true;
        } else if (std::find(valued.begin(), valued.end(), argument) != valued.end() &&
                   i + 1 < arguments.size()) {
            options.values.emplace_back(argument, arguments[++i]);
        } else if (argument.rfind("--", 0) == 0) {
            return false;
        } else {
            options.roots.emplace_back(argument);
        }
    }
    return !options.roots.empty();
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
        const char *state = "pending";
        switch (item.status.kind) {
        case TextEncodingEngine::Status::Kind::pending:
            break;
        case TextEncodingEngine::Status::Kind::alreadyOk:
            state = "alreadyOk";
            break;
        case TextEncodingEngine::Status::Kind::done:
            state = "done";
            break;
        case TextEncodingEngine::Status::Kind::failed:
            state = "failed";
            break;
        }
        std::printf("%s\t%s\t%s\t%s\t%s\n", state, text(TextEncodingEngine::toString(item.detected)).c_str(),
                    text(item.lineEnding).c_str(), item.url.c_str(), text(item.status.message).c_str());
    }
    std::fprintf(stderr, "items %zu, skipped %lld, pending %lld, already ok %lld, done %lld, failed %lld\n",
                 engine.items().size(), static_cast<long long>(engine.skippedCount()),
                 static_cast<long long>(engine.pendingCount()),
                 static_cast<long long>(engine.alreadyOkCount()), static_cast<long long>(engine.doneCount()),
                 static_cast<long long>(engine.failedCount()));
    return engine.failedCount() > 0 ? 1 : 0;
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
        const char *state = item.status.kind == HeicConvertEngine::Status::Kind::pending ? "pending"
                            : item.status.kind == HeicConvertEngine::Status::Kind::done  ? "done"
                                                                                         : "failed";
        std::printf("%s\t%lld\t%s\t%s\n", state, static_cast<long long>(item.size), item.url.c_str(),
                    text(item.status.text).c_str());
    }
    std::fprintf(stderr, "items %zu, skipped %lld, unreadable folders %lld, done %lld, failed %lld\n",
                 engine.items().size(), static_cast<long long>(engine.skippedCount()),
                 static_cast<long long>(engine.scan.unreadableCount),
                 static_cast<long long>(engine.doneCount()), static_cast<long long>(engine.failedCount()));
    return engine.failedCount() > 0 ? 1 : 0;
}

const char *videoState(VideoConvertEngine::Status::Kind kind)
{
    using Kind = VideoConvertEngine::Status::Kind;
    switch (kind) {
    case Kind::pending:
        return "pending";
    case Kind::alreadyOk:
        return "alreadyOk";
    case Kind::done:
        return "done";
    case Kind::failed:
        return "failed";
    case Kind::analyzing:
        return "analyzing";
    case Kind::converting:
        return "converting";
    }
    return "";
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
        std::printf("%s\t%lld\t%s\t%s\n", videoState(item.status.kind), static_cast<long long>(item.size),
                    item.url.c_str(), text(item.status.text).c_str());
    std::fprintf(stderr, "items %zu, skipped %lld, pending %lld, already ok %lld, done %lld, failed %lld\n",
                 engine.items().size(), static_cast<long long>(engine.skippedCount()),
                 static_cast<long long>(engine.pendingCount()),
                 static_cast<long long>(engine.alreadyOkCount()), static_cast<long long>(engine.doneCount()),
                 static_cast<long long>(engine.failedCount()));
    return engine.failedCount() > 0 ? 1 : 0;
}

const Probe::Registration textRegistration("text", "--to utf8|cp949 --eol keep|lf|crlf [--apply] PATH...",
                                           textCommand);
const Probe::Registration heicRegistration("heic", "[--apply] ROOT...", heicCommand);
const Probe::Registration videoRegistration("video", "[--apply] ROOT...", videoCommand);

} // namespace
