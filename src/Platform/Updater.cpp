#include "Platform/Updater.h"

#include "Core/AppInfo.h"
#include "Core/Localization.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
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

bool Updater::isNewer(const QString &candidate, const QString &current)
{
    const QStringList a = candidate.trimmed().split(QLatin1Char('.'));
    const QStringList b = current.trimmed().split(QLatin1Char('.'));
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString x = i < a.size() ? a[i] : QStringLiteral("0");
        const QString y = i < b.size() ? b[i] : QStringLiteral("0");
        bool xNumber = false;
        bool yNumber = false;
        const qulonglong xv = x.toULongLong(&xNumber);
        const qulonglong yv = y.toULongLong(&yNumber);
        if (xNumber && yNumber) {
            if (xv != yv)
                return xv > yv;
        } else if (x != y) {
            return x > y;
        }
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
    if (result.version.isEmpty()) {
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
    reply->setReadBufferSize(maximumFeed + 1);
    // Why the check was cut short, if it was.
    auto cutShort = std::make_shared<QString>();
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply, cutShort](qint64 received, qint64 total) {
        if (cutShort->isEmpty() && (received > maximumFeed || total > maximumFeed)) {
            *cutShort = L("업데이트 정보가 너무 큽니다.");
            reply->abort();
        }
    });
    QTimer::singleShot(checkTimeout, reply, [reply, cutShort] {
        if (cutShort->isEmpty()) {
            *cutShort = L("업데이트 서버가 제때 답하지 않았습니다.");
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, cutShort] {
        reply->deleteLater();
        UpdateCheckResult result;
        const QByteArray feed =
            reply->error() == QNetworkReply::NoError ? reply->read(maximumFeed + 1) : QByteArray();
        if (feed.size() > maximumFeed && cutShort->isEmpty())
            *cutShort = L("업데이트 정보가 너무 큽니다.");
        if (!cutShort->isEmpty()) {
            result.kind = UpdateCheckResult::Kind::failed;
            result.detail = *cutShort;
        } else if (reply->error() != QNetworkReply::NoError) {
            result.kind = UpdateCheckResult::Kind::failed;
            result.detail = reply->errorString();
        } else {
            result = evaluate(feed, current_);
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
