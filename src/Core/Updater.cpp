#include "Core/Updater.h"

#include "Core/AppInfo.h"
#include "Core/BuildInfo.h"
#include "Core/Localization.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace {

Updater *&installedUpdater()
{
    static Updater *updater = nullptr;
    return updater;
}

} // namespace

Updater &Updater::shared()
{
    // Never released: it lives as long as the process.
    static auto *feed = new FeedUpdater(QStringLiteral(QUILLFERN_UPDATE_FEED), AppInfo::shortVersion());
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
        result.address = document.object().value(QStringLiteral("url")).toString();
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
    request.setTransferTimeout(30000);
    QNetworkReply *reply = network_->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        UpdateCheckResult result;
        if (reply->error() != QNetworkReply::NoError) {
            result.kind = UpdateCheckResult::Kind::failed;
            result.detail = reply->errorString();
        } else {
            result = evaluate(reply->readAll(), current_);
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
