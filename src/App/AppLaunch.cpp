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
#include <optional>
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

LaunchRequest requestOf(const std::vector<std::string> &arguments)
{
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    return LaunchRequest::parse(arguments, here);
}

} // namespace

std::optional<int> handOver(const std::vector<std::string> &arguments)
{
    const LaunchRequest request = requestOf(arguments);
    // The screenshot hooks always run in their own process; a relaunch waits for the old one.
    if (request.screenshotHook || request.relaunched)
        return std::nullopt;
    if (auto answer = SingleInstance::send(SingleInstance::defaultSocketPath(), request.toJson()))
        return report(*answer);
    return std::nullopt;
}

int run(const std::vector<std::string> &arguments)
{
    InterfaceLanguage::install();
    const LaunchRequest request = requestOf(arguments);
    DebugSnapshot::setArguments(arguments);
    const QString socketPath = SingleInstance::defaultSocketPath();

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
