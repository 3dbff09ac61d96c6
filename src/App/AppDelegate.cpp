#include "App/AppDelegate.h"

#include "App/HostWindow.h"
#include "App/LaunchRequest.h"
#include "App/LoginItem.h"
#include "App/MainWindow.h"
#include "App/ServiceProvider.h"
#include "Core/Scheduler.h"
#include "Core/TabOpener.h"

#include <QApplication>
#include <QMimeData>
#include <QPointer>
#include <QWidget>

AppDelegate::AppDelegate() : serviceProvider_(std::make_unique<ServiceProvider>()) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationDidFinishLaunching(bool launchedAsLoginItem, bool hasTray)
{
    LoginItem::registerOnFirstProperLaunch();
    if (launchedAsLoginItem && hasTray) {
        Scheduler::main().after(0, [] {
            const QList<QWidget *> windows = QApplication::topLevelWidgets();
            for (QWidget *window : windows)
                if (window->isVisible())
                    window->close();
        });
    }
}

void AppDelegate::deliver(const PathList &files)
{
    Router &router = Router::shared();
    // The router hands the files to the active session, else the last live one.
    std::optional<QUuid> target = router.activeSession();
    if (!target && !router.liveSessions().empty())
        target = router.liveSessions().back();
    router.openCheckup(files);
    MainWindow::show(target);
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

QJsonObject AppDelegate::handle(const QJsonObject &object)
{
    const LaunchRequest request = LaunchRequest::fromJson(object);
    if (request.kind == LaunchRequest::Kind::service) {
        QMimeData pasteboard;
        for (const auto &[type, bytes] : request.pasteboard)
            pasteboard.setData(type, bytes);
        QString error;
        serviceProvider_->sendToQuillfern(pasteboard, QString(), &error);
        if (!error.isEmpty())
            return QJsonObject{{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}};
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
