#include "App/AppDelegate.h"

#include "App/HostWindow.h"
#include "App/LaunchRequest.h"
#include "App/LoginItem.h"
#include "App/MainWindow.h"
#include "App/ServiceProvider.h"
#include "App/WindowActivation.h"
#include "Core/Localization.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"

#include <QMimeData>
#include <QPointer>

AppDelegate::AppDelegate() : serviceProvider_(std::make_unique<ServiceProvider>()) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching(bool launchedAsLoginItem, bool hasTray)
{
    LoginItem::registerOnFirstProperLaunch();
    if (launchedAsLoginItem && hasTray)
        Scheduler::main().after(0, &AppDelegate::keepOnlyTheTray);
}

void AppDelegate::keepOnlyTheTray()
{
    // Only the main windows: the tray's own icon may be a top-level widget too.
    for (HostWindow *host : HostWindow::hosts())
        if (host->isVisible())
            host->close();
}

void AppDelegate::deliver(const PathList &files)
{
    Router &router = Router::shared();
    // The router hands the files to the active session, else the last live one.
    std::optional<QUuid> target = router.activeSession();
    if (!target && !router.liveSessions().empty())
        target = router.liveSessions().back();
    // Forward first: a dashboard that already shows files asks about the new ones, and that
    // question must come up on a window the user can see, not on a minimised one.
    MainWindow::show(target);
    router.openCheckup(files);
}

void AppDelegate::open(const std::vector<std::string> &urls)
{
    PathList files;
    for (const std::string &url : urls) {
        PathList some = Router::filesToDiagnose(url);
        files.insert(files.end(), std::make_move_iterator(some.begin()), std::make_move_iterator(some.end()));
    }
    if (files.empty())
        return;
    deliver(files);
}

void AppDelegate::reopen()
{
    if (MainWindow::existingMainWindow())
        MainWindow::show();
    else
        HostWindow::openMainWindow();
}

void AppDelegate::newWindowForTab()
{
    TabOpener::shared().openTab(QUuid::createUuid());
}

namespace {

void fill(QMimeData &pasteboard, const LaunchRequest &request)
{
    for (const auto &[type, bytes] : request.pasteboard)
        pasteboard.setData(type, bytes);
}

QJsonObject refusal(const QString &error)
{
    return QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}};
}

} // namespace

QJsonObject AppDelegate::check(const QJsonObject &object)
{
    const LaunchRequest request = LaunchRequest::fromJson(object);
    if (request.kind == LaunchRequest::Kind::service) {
        QMimeData pasteboard;
        fill(pasteboard, request);
        if (ServiceProvider::files(pasteboard).empty())
            return refusal(L("보낼 파일을 찾지 못했습니다"));
    }
    return QJsonObject{{QStringLiteral("ok"), true}};
}

QJsonObject AppDelegate::handle(const QJsonObject &object)
{
    const LaunchRequest request = LaunchRequest::fromJson(object);
    // The window this request brings forward may take the focus the launch was given.
    WindowActivation::setPendingToken({request.activationToken, request.startupId});
    if (request.kind == LaunchRequest::Kind::service) {
        QMimeData pasteboard;
        fill(pasteboard, request);
        QString error;
        serviceProvider_->sendToQuillfern(pasteboard, QString(), &error);
        if (!error.isEmpty())
            return refusal(error);
    } else if (request.urls.empty()) {
        // A login launch while already running changes nothing; any other plain launch is a
        // click on the application's icon.
        if (!request.loginItem)
            reopen();
    } else {
        open(request.urls);
    }
    return QJsonObject{{QStringLiteral("ok"), true}};
}
