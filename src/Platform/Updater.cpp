#include "Platform/Updater.h"

#include "Core/AppInfo.h"
#include "Core/Localization.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

// A feed is a few lines: anything longer is no feed, and is not read further.
constexpr qint64 maximumFeed = qint64{64} * 1024;
// The whole check, however slowly the bytes trickle in.
constexpr int checkTimeout = 30000;

Updater *&installedUpdater()
{
    static Updater *updater = nullptr;
    return updater;
}

} // namespace

Updater &Updater::shared()
{
    // Never released: it lives as long as the process.
    static auto *feed = new FeedUpdater(AppInfo::updateFeed(), AppInfo::shortVersion());
    return installedUpdater() ? *installedUpdater() : *feed;
}

void Updater::install(Updater *updater)
{
    installedUpdater() = updater;
}

bool Updater::isVersion(const QString &text)
{
    static const QRegularExpression numbers(QStringLiteral("^[0-9]+(\\.[0-9]+)*$"));
    return numbers.match(text.trimmed()).hasMatch();
}

bool Updater::isNewer(const QString &candidate, const QString &current)
{
    // What is not a version (a web page, a typo) is never taken for a later one.
    if (!isVersion(candidate) || !isVersion(current))
        return false;
    const QStringList a = candidate.trimmed().split(QLatin1Char('.'));
    const QStringList b = current.trimmed().split(QLatin1Char('.'));
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        // Compared as digit strings, so a piece longer than any integer still orders right.
        QString x = i < a.size() ? a[i] : QStringLiteral("0");
        QString y = i < b.size() ? b[i] : QStringLiteral("0");
        while (x.size() > 1 && x.front() == QLatin1Char('0'))
            x.remove(0, 1);
        while (y.size() > 1 && y.front() == QLatin1Char('0'))
            y.remove(0, 1);
        if (x.size() != y.size())
            return x.size() > y.size();
        if (x != y)
            return x > y;
    }
    return false;
}

FeedUpdater::FeedUpdater(QString feedAddress, QString currentVersion, QObject *parent)
    : feed_(std::move(feedAddress)), current_(std::move(currentVersion))
{
    setParent(parent);
}

bool FeedUpdater::canCheckForUpdates() const
{
    return !feed_.isEmpty() && !checking_;
}

void FeedUpdater::setChecking(bool checking)
{
    const bool before = canCheckForUpdates();
    checking_ = checking;
    if (canCheckForUpdates() != before)
        emit canCheckForUpdatesChanged(canCheckForUpdates());
}

UpdateCheckResult FeedUpdater::evaluate(const QByteArray &feed, const QString &currentVersion)
{
    UpdateCheckResult result;
    const QJsonDocument document = QJsonDocument::fromJson(feed);
    if (document.isObject()) {
        result.version = document.object().value(QStringLiteral("version")).toString().trimmed();
        // Only a web page is opened for the user; any other scheme could start a program.
        const QUrl address(document.object().value(QStringLiteral("url")).toString(), QUrl::StrictMode);
        if (address.isValid() && !address.host().isEmpty() &&
            (address.scheme() == QLatin1String("https") || address.scheme() == QLatin1String("http")))
            result.address = address.toString();
    } else {
        result.version = QString::fromUtf8(feed).section(QLatin1Char('\n'), 0, 0).trimmed();
    }
    if (!isVersion(result.version)) {
        result.version.clear();
        result.kind = UpdateCheckResult::Kind::failed;
        result.detail = L("업데이트 정보를 읽을 수 없습니다.");
        return result;
    }
    result.kind = Updater::isNewer(result.version, currentVersion) ? UpdateCheckResult::Kind::newVersion
                                                                   : UpdateCheckResult::Kind::upToDate;
    return result;
}

void FeedUpdater::checkForUpdates()
{
    if (!canCheckForUpdates())
        return;
    if (!network_)
        network_ = new QNetworkAccessManager(this);
    setChecking(true);
    QNetworkRequest request{QUrl(feed_)};
    request.setTransferTimeout(checkTimeout);
    QNetworkReply *reply = network_->get(request);
    // The bytes are taken as they come, so a long answer is found out as soon as it passes the
    // bound rather than stalling in a full buffer until the time runs out.
    struct Progress {
        QByteArray feed;
        QString cutShort; // why the check was cut short, if it was
    };
    auto progress = std::make_shared<Progress>();
    const auto stop = [reply, progress](const QString &why) {
        if (progress->cutShort.isEmpty()) {
            progress->cutShort = why;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, stop] {
        bool known = false;
        const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
        if (known && length > maximumFeed)
            stop(L("업데이트 정보가 너무 큽니다."));
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, progress, stop] {
        progress->feed += reply->read(maximumFeed + 1 - progress->feed.size());
        if (progress->feed.size() > maximumFeed)
            stop(L("업데이트 정보가 너무 큽니다."));
    });
    QTimer::singleShot(checkTimeout, reply, [stop] { stop(L("업데이트 서버가 제때 답하지 않았습니다.")); });
    connect(reply, &QNetworkReply::finished, this, [this, reply, progress] {
        reply->deleteLater();
        if (progress->cutShort.isEmpty() && reply->error() == QNetworkReply::NoError) {
            progress->feed += reply->read(maximumFeed + 1 - progress->feed.size());
            if (progress->feed.size() > maximumFeed || reply->bytesAvailable() > 0)
                progress->cutShort = L("업데이트 정보가 너무 큽니다.");
        }
        UpdateCheckResult result;
        if (!progress->cutShort.isEmpty()) {
            result.kind = UpdateCheckResult::Kind::failed;
            result.detail = progress->cutShort;
        } else if (reply->error() != QNetworkReply::NoError) {
            result.kind = UpdateCheckResult::Kind::failed;
            result.detail = reply->errorString();
        } else {
            result = evaluate(progress->feed, current_);
        }
        setChecking(false);
        emit checkFinished(result);
    });
}

CheckForUpdatesViewModel::CheckForUpdatesViewModel(QObject *parent) : QObject(parent)
{
    Updater &updater = Updater::shared();
    set(updater.canCheckForUpdates());
    connect(&updater, &Updater::canCheckForUpdatesChanged, this, &CheckForUpdatesViewModel::set);
}

void CheckForUpdatesViewModel::checkForUpdates()
{
    Updater::shared().checkForUpdates();
}

void CheckForUpdatesViewModel::set(bool canCheck)
{
    if (canCheck == canCheck_)
        return;
    canCheck_ = canCheck;
    emit canCheckForUpdatesChanged(canCheck);
}
