#include "App/AppLaunch.h"

#include "App/AppDelegate.h"
#include "App/BrindlowApp.h"
#include "App/DebugSnapshot.h"
#include "App/InterfaceLanguage.h"
#include "App/LaunchRequest.h"
#include "App/ServiceProvider.h"
#include "Core/Localization.h"
#include "Platform/SingleInstance.h"

#include <QApplication>
#include <QMimeData>
#include <QSystemTrayIcon>
#include <QThread>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace AppLaunch {

namespace {

int report(const QJsonObject &answer)
{
    if (answer.value(QStringLiteral("ok")).toBool())
        return 0;
    std::fprintf(stderr, "%s\n", answer.value(QStringLiteral("error")).toString().toUtf8().constData());
    return 1;
}

QMimeData *pasteboardOf(const LaunchRequest &request)
{
    auto *pasteboard = new QMimeData;
    for (const auto &[type, bytes] : request.pasteboard)
        pasteboard->setData(type, bytes);
    return pasteboard;
}

} // namespace

int run(const std::vector<std::string> &arguments)
{
    InterfaceLanguage::install();
    std::error_code ec;
    std::filesystem::path here = std::filesystem::current_path(ec);
    const LaunchRequest request = LaunchRequest::parse(arguments, here);
    DebugSnapshot::setArguments(arguments);

    // The screenshot hooks always run in their own process; a relaunch waits for the old one.
    const QString socketPath = SingleInstance::defaultSocketPath();
    if (!request.screenshotHook && !request.relaunched)
        if (auto answer = SingleInstance::send(socketPath, request.toJson()))
            return report(*answer);

    // Run first: a service request without files is answered here and nothing starts.
    if (request.kind == LaunchRequest::Kind::service) {
        const std::unique_ptr<QMimeData> pasteboard(pasteboardOf(request));
        if (ServiceProvider::files(*pasteboard).empty())
            return report(QJsonObject{{QStringLiteral("ok"), false},
                                      {QStringLiteral("error"), L("보낼 파일을 찾지 못했습니다")}});
    }

    BrindlowApp application;
    AppDelegate &delegate = application.delegate();
    SingleInstance instance(socketPath);
    auto handler = [&delegate](const QJsonObject &r) { return delegate.handle(r); };
    bool listening = instance.listen(handler);
    if (!listening && request.relaunched) {
        // The quitting instance still holds the socket for a moment.
        for (int i = 0; i < 100 && !listening; ++i) {
            QThread::msleep(100);
            listening = !SingleInstance::isRunning(socketPath) && instance.listen(handler);
        }
    }
    if (!listening && !request.screenshotHook) {
        // Another first launch won the race: hand over to it.
        if (auto answer = SingleInstance::send(socketPath, request.toJson()))
            return report(*answer);
    }

    application.start(request.loginItem);
    if (request.kind == LaunchRequest::Kind::service) {
        QJsonObject answer = delegate.handle(request.toJson());
        if (!answer.value(QStringLiteral("ok")).toBool())
            return report(answer);
    } else if (!request.urls.empty()) {
        delegate.open(request.urls);
    }
    return QApplication::exec();
}

} // namespace AppLaunch
