#include "Features/VideoConvert/VideoConvertEngine.h"

#include "Core/AtomicFile.h"
#include "Core/ErrorText.h"
#include "Core/FileError.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"
#include "Core/Notify.h"
#include "Core/PathExtension.h"
#include "Core/ScanSupport.h"
#include "Core/Text.h"
#include "Features/VideoConvert/VideoTranscoder.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {

QByteArray bytes(const fs::path &path)
{
    return QByteArray::fromStdString(path.native());
}
fs::path pathOf(const QByteArray &bytes)
{
    return {bytes.toStdString()};
}

} // namespace

const std::vector<std::string> &VideoConvertEngine::videoExtensions()
{
    static const std::vector<std::string> extensions{"mov", "mp4", "m4v"};
    return extensions;
}

VideoConvertEngine::VideoConvertEngine(QObject *parent)
    : FileScanEngine(parent), stop_(std::make_shared<std::atomic<bool>>(false))
{
    analysisWorker_ = new VideoWorker(stop_);
    exportWorker_ = new VideoWorker(stop_);
    analysisWorker_->moveToThread(&analysisThread_);
    exportWorker_->moveToThread(&exportThread_);
    connect(&analysisThread_, &QThread::finished, analysisWorker_, &QObject::deleteLater);
    connect(&exportThread_, &QThread::finished, exportWorker_, &QObject::deleteLater);
    connect(this, &VideoConvertEngine::analyzeRequested, analysisWorker_, &VideoWorker::analyze);
    connect(this, &VideoConvertEngine::exportRequested, exportWorker_, &VideoWorker::exportVideo);
    connect(analysisWorker_, &VideoWorker::analyzed, this, &VideoConvertEngine::analyzed);
    connect(exportWorker_, &VideoWorker::exported, this, &VideoConvertEngine::exported);
    analysisThread_.start();
    exportThread_.start();
}

VideoConvertEngine::~VideoConvertEngine()
{
    // A running export notices the flag between packets, removes its file and ends.
    *stop_ = true;
    analysisThread_.quit();
    exportThread_.quit();
    analysisThread_.wait();
    exportThread_.wait();
}

std::int64_t VideoConvertEngine::count(Status::Kind kind) const
{
    return ScanSupport::countWithStatus(items_, kind);
}

VideoConvertEngine::Item *VideoConvertEngine::find(const QUuid &id)
{
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const Item &i) { return i.id == id; });
    return it == items_.end() ? nullptr : &*it;
}

void VideoConvertEngine::setWorking(bool working)
{
    Notify::assign(this, isWorking_, working, &VideoConvertEngine::isWorkingChanged);
}

void VideoConvertEngine::rescan()
{
    relistFiles(items_, true, [this](const fs::path &file, bool) { return addFile(file); });
    analyzeNext();
}

bool VideoConvertEngine::addFile(const fs::path &path)
{
    const auto &known = videoExtensions();
    if (std::find(known.begin(), known.end(), lowerExtension(path)) == known.end())
        return false;
    items_.push_back(Item{QUuid::createUuid(), path, ScanSupport::entrySize(path), Status::analyzing(), {}});
    return true;
}

// One codec reading at a time: the next starts when the previous result is in, so a rescan
// never leaves stale readings queued behind a new list.
void VideoConvertEngine::analyzeNext()
{
    if (analysisInFlight_)
        return;
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [](const Item &i) { return i.status.kind == Status::Kind::analyzing; });
    if (it == items_.end()) {
        emit analysisFinished();
        return;
    }
    analysisInFlight_ = it->id;
    emit analyzeRequested(it->id, bytes(it->url));
}

void VideoConvertEngine::analyzed(QUuid id, bool ok, const QString &code, const QString &name)
{
    analysisInFlight_.reset();
    if (Item *item = find(id); item && item->status.kind == Status::Kind::analyzing) {
        const auto extension = lowerExtension(item->url);
        if (!ok)
            item->status = Status::failed(L("영상 정보를 읽을 수 없습니다"));
        else if (extension == "mp4" && code == "avc1")
            item->status = Status::alreadyOk(L("H.264 MP4 — 이미 호환"));
        else
            item->status = Status::pending(name + " · " + QString::fromStdString(extension).toUpper());
        emit itemsChanged();
    }
    analyzeNext();
}

void VideoConvertEngine::convertAll()
{
    if (isWorking_)
        return;
    setWorking(true);
    conversionQueue_.clear();
    for (const auto &item : items_)
        conversionQueue_.push_back(item.id);
    std::reverse(conversionQueue_.begin(), conversionQueue_.end());
    convertNext();
}

void VideoConvertEngine::convertNext()
{
    while (!conversionQueue_.empty()) {
        const QUuid id = conversionQueue_.back();
        conversionQueue_.pop_back();
        Item *item = find(id);
        if (!item || item->status.kind != Status::Kind::pending)
            continue;
        item->status = Status::converting();
        emit itemsChanged();
        conversionInFlight_ = id;
        emit exportRequested(id, bytes(item->url));
        return;
    }
    setWorking(false);
    emit conversionFinished();
}

void VideoConvertEngine::exported(QUuid id, bool ok, const QString &text, const QByteArray &written)
{
    conversionInFlight_.reset();
    if (Item *item = find(id); item && item->status.kind == Status::Kind::converting) {
        item->status = ok ? Status::done(text) : Status::failed(text);
        if (ok)
            item->written = pathOf(written);
        emit itemsChanged();
    }
    convertNext();
}

void VideoWorker::analyze(QUuid id, const QByteArray &path)
{
    if (*stop_)
        return;
    try {
        const auto [code, name] = VideoTranscoder::videoCodec(pathOf(path));
        emit analyzed(id, true, code, name);
    } catch (const std::exception &) {
        emit analyzed(id, false, {}, {});
    }
}

void VideoWorker::exportVideo(QUuid id, const QByteArray &source)
{
    if (*stop_)
        return;
    try {
        const auto written = convert(pathOf(source), *stop_);
        emit exported(id, true, FilePath::display(written.filename()), bytes(written));
    } catch (const FileError &error) {
        emit exported(id, false, error.description(), {});
    } catch (const std::exception &error) {
        emit exported(id, false, FileError(QString::fromUtf8(error.what())).description(), {});
    }
}

fs::path VideoWorker::convert(const fs::path &source, const std::atomic<bool> &stop)
{
    std::string base = source.filename().native();
    const auto extension = lowerExtension(source);
    if (!extension.empty())
        base.erase(base.size() - extension.size() - 1);
    base = Text::toNfc(base);
    if (extension == "mp4")
        base += " (H.264)";
    const fs::path wanted = source.parent_path() / (base + ".mp4");
    AtomicFile out = AtomicFile::beside(wanted);
    VideoTranscoder::transcode(source, out, stop);
    return out.commitFree(wanted);
}
