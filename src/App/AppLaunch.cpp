#include "App/AppLaunch.h"

#include "App/AppDelegate.h"
#include "App/BrindlowApp.h"
#include "App/DebugSnapshot.h"
#include "App/InterfaceLanguage.h"
#include "App/LaunchRequest.h"
#include "Platform/SingleInstance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
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

LaunchRequest requestOf(const std::vector<std::string> &arguments)
{
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::current_path(ec);
    LaunchRequest request = LaunchRequest::parse(arguments, here);
    request.takeActivationFromEnvironment();
    return request;
}

// The exit code of a launch whose request reached a running instance; nothing when none runs.
std::optional<int> exitCodeOf(const SingleInstance::Delivery &delivery)
{
    using Outcome = SingleInstance::Delivery::Outcome;
    switch (delivery.outcome) {
    case Outcome::answered:
        return report(delivery.answer);
    case Outcome::unanswered:
        std::fprintf(stderr, "quillfern: the running instance did not answer in time.\n");
        return 1;
    case Outcome::noInstance:
        break;
    }
    return std::nullopt;
}

// Becomes the instance later launches hand over to, or, when another one holds the socket,
// hands this launch's request to it and gives the exit code.
std::optional<int> listenOrHandOver(SingleInstance &instance, AppDelegate &delegate,
                                    const LaunchRequest &request)
{
    // A relaunch waits for the quitting instance to let go; if it never does, the request goes
    // to it like any other launch's.
    const QDeadlineTimer patience(10000);
    for (int attempt = 0;; ++attempt) {
        switch (serve(instance, delegate)) {
        case SingleInstance::Listening::started:
            return std::nullopt;
        case SingleInstance::Listening::failed:
            std::fprintf(stderr, "quillfern: cannot listen on %s; running without handing launches over.\n",
                         QFile::encodeName(instance.socketPath()).constData());
            return std::nullopt;
        case SingleInstance::Listening::taken:
            break;
        }
        if (request.screenshotHook)
            return std::nullopt; // such a run always works on its own
        if (request.relaunched && !patience.hasExpired()) {
            QThread::msleep(100);
            continue;
        }
        if (const auto exitCode = exitCodeOf(SingleInstance::send(instance.socketPath(), request.toJson())))
            return exitCode;
        // The other instance ended in between: take its place.
        if (attempt >= 100) {
            std::fprintf(stderr, "quillfern: the running instance neither answers nor ends.\n");
            return 1;
        }
    }
}

} // namespace

SingleInstance::Listening serve(SingleInstance &instance, AppDelegate &delegate)
{
    return instance.listen(&AppDelegate::check,
                           [&delegate](const QJsonObject &request) { delegate.handle(request); });
}

std::optional<int> handOver(const std::vector<std::string> &arguments,
                            const std::optional<QString> &socketPath)
{
    const LaunchRequest request = requestOf(arguments);
    // The screenshot hooks always run in their own process; a relaunch waits for the old one.
    if (!socketPath || request.screenshotHook || request.relaunched)
        return std::nullopt;
    return exitCodeOf(SingleInstance::send(*socketPath, request.toJson()));
}

int run(const std::vector<std::string> &arguments, const std::optional<QString> &socketPath)
{
    InterfaceLanguage::install();
    const LaunchRequest request = requestOf(arguments);
    DebugSnapshot::setArguments(arguments);

    // Run first: a service request without files is answered here and nothing starts.
    if (request.kind == LaunchRequest::Kind::service) {
        const QJsonObject answer = AppDelegate::check(request.toJson());
        if (!answer.value(QStringLiteral("ok")).toBool())
            return report(answer);
    }

    BrindlowApp application;
    AppDelegate &delegate = application.delegate();
    SingleInstance instance(socketPath.value_or(QString()));
    if (socketPath) {
        if (const auto exitCode = listenOrHandOver(instance, delegate, request))
            return *exitCode;
        // A quitting instance takes no more requests: a launch meanwhile starts afresh.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, &instance, &SingleInstance::close);
    }

    application.start(request.loginItem);
    if (request.kind == LaunchRequest::Kind::service)
        delegate.handle(request.toJson());
    else if (!request.urls.empty())
        delegate.open(request.urls);
    return QApplication::exec();
}

} // namespace AppLaunch
