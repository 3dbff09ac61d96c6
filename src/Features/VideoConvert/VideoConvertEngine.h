#pragma once

#include "Core/ScanEngine.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QThread>
#include <QUuid>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class VideoWorker;

// Finds MOV, MP4 and M4V files, reads the codec of each one's first video track, and writes an
// H.264 MPEG-4 copy beside every file that is not already H.264 in an .mp4 file; the source is
// never changed. The engine lives on the main thread; reading codecs and exporting run on worker
// threads, one file at a time each, and their results come back to the main thread, where they
// are matched to items by id (a result whose item is gone is dropped).
class VideoConvertEngine : public FileScanEngine {
    Q_OBJECT

public:
    struct Status {
        enum class Kind { pending, alreadyOk, done, failed, analyzing, converting };
        Kind kind = Kind::analyzing;
        QString text; // pending: detail; alreadyOk: message; done: output name; failed: message

        static Status pending(QString detail) { return {Kind::pending, std::move(detail)}; }
        static Status alreadyOk(QString message) { return {Kind::alreadyOk, std::move(message)}; }
        static Status done(QString name) { return {Kind::done, std::move(name)}; }
        static Status failed(QString message) { return {Kind::failed, std::move(message)}; }
        static Status analyzing() { return {Kind::analyzing, {}}; }
        static Status converting() { return {Kind::converting, {}}; }
        bool operator==(const Status &) const = default;
    };

    struct Item {
        QUuid id;
        std::filesystem::path url;
        std::int64_t size = 0;
        Status status;
        std::filesystem::path written; // done: the output, byte-exact
    };

    static const std::vector<std::string> &videoExtensions();

    explicit VideoConvertEngine(QObject *parent = nullptr);
    ~VideoConvertEngine() override;

    const std::vector<Item> &items() const { return items_; }
    bool isWorking() const { return isWorking_; }

    std::int64_t pendingCount() const { return count(Status::Kind::pending); }
    std::int64_t doneCount() const { return count(Status::Kind::done); }
    std::int64_t failedCount() const { return count(Status::Kind::failed); }
    std::int64_t alreadyOkCount() const { return count(Status::Kind::alreadyOk); }
    // True while a codec reading is under way or waiting.
    bool isAnalyzing() const { return analysisInFlight_.has_value(); }

    void rescan() override;
    // Starts converting every pending item, one after another; conversionFinished() tells the end.
    // Does nothing while a run is under way.
    void convertAll();

signals:
    void isWorkingChanged();
    void analysisFinished();   // no item is left to analyse
    void conversionFinished(); // the run of convertAll() ended

    void analyzeRequested(QUuid id, QByteArray path);
    void exportRequested(QUuid id, QByteArray source);

private slots:
    void analyzed(QUuid id, bool ok, const QString &code, const QString &name);
    void exported(QUuid id, bool ok, const QString &text, const QByteArray &written);

private:
    std::int64_t count(Status::Kind kind) const;
    bool addFile(const std::filesystem::path &path);
    void clearItems() override { items_.clear(); }
    Item *find(const QUuid &id);
    void analyzeNext();
    void convertNext();
    void setWorking(bool working);

    std::vector<Item> items_;
    bool isWorking_ = false;

    std::optional<QUuid> analysisInFlight_;
    std::vector<QUuid> conversionQueue_; // ids still to visit in the running convertAll()
    std::optional<QUuid> conversionInFlight_;

    std::shared_ptr<std::atomic<bool>> stop_;
    QThread analysisThread_;
    QThread exportThread_;
    VideoWorker *analysisWorker_ = nullptr;
    VideoWorker *exportWorker_ = nullptr;
};

// Runs the blocking FFmpeg work on its thread; answers by queued signals.
class VideoWorker : public QObject {
    Q_OBJECT

public:
    explicit VideoWorker(std::shared_ptr<std::atomic<bool>> stop) : stop_(std::move(stop)) {}

    // Exports the source into a hidden file beside it, which takes a free name there once the
    // export is complete; returns the path written. Throws FileError; nothing is left on failure.
    static std::filesystem::path convert(const std::filesystem::path &source, const std::atomic<bool> &stop);

public slots:
    void analyze(QUuid id, const QByteArray &path);
    void exportVideo(QUuid id, const QByteArray &source);

signals:
    void analyzed(QUuid id, bool ok, QString code, QString name);
    void exported(QUuid id, bool ok, QString text, QByteArray written);

private:
    std::shared_ptr<std::atomic<bool>> stop_;
};
