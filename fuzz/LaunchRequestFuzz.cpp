// libFuzzer target: whatever object another launch hands over, the running instance reads it
// into a request without a crash; only plain activation tokens survive, and a request read once
// travels on unchanged.
#include "App/LaunchRequest.h"

#include <QJsonDocument>

#include <cstdint>

namespace {

bool plain(const QString &token)
{
    for (QChar c : token)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7F || c == QLatin1Char('"') || c == QLatin1Char('\\'))
            return false;
    return token.size() <= 256;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!document.isObject())
        return 0;
    const LaunchRequest request = LaunchRequest::fromJson(document.object());
    if (!plain(request.activationToken) || !plain(request.startupId))
        __builtin_trap();
    const LaunchRequest again = LaunchRequest::fromJson(request.toJson());
    if (again.kind != request.kind || again.urls != request.urls || again.pasteboard != request.pasteboard ||
        again.loginItem != request.loginItem || again.activationToken != request.activationToken ||
        again.startupId != request.startupId || again.toJson() != request.toJson())
        __builtin_trap();
    return 0;
}
