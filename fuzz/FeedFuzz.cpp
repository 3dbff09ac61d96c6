// libFuzzer target: whatever the update feed holds, the check ends in a new version, the current
// one or a failure with its reason, never in a crash; a version is never empty, and the only
// address offered for the user to open is a web page's.
#include "Platform/Updater.h"

#include <QUrl>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray feed(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString current = QStringLiteral("1.4.2");
    const UpdateCheckResult result = FeedUpdater::evaluate(feed, current);
    using Kind = UpdateCheckResult::Kind;
    switch (result.kind) {
    case Kind::failed:
        if (result.detail.isEmpty())
            __builtin_trap();
        return 0;
    case Kind::newVersion:
    case Kind::upToDate:
        break;
    }
    if (result.version.isEmpty() ||
        (result.kind == Kind::newVersion) != Updater::isNewer(result.version, current))
        __builtin_trap();
    // Newer is a strict order: never both ways.
    if (Updater::isNewer(result.version, current) && Updater::isNewer(current, result.version))
        __builtin_trap();
    if (!result.address.isEmpty()) {
        const QUrl address(result.address);
        if (address.scheme() != QLatin1String("https") && address.scheme() != QLatin1String("http"))
            __builtin_trap();
    }
    return 0;
}
