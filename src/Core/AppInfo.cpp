#include "Core/AppInfo.h"

#include "Core/BuildInfo.h"

#include <map>

namespace AppInfo {

namespace {
std::map<QString, std::optional<QString>> &overrides()
{
    static std::map<QString, std::optional<QString>> values;
    return values;
}
} // namespace

std::optional<QString> value(const QString &key)
{
    if (auto it = overrides().find(key); it != overrides().end())
        return it->second;
    if (key == QLatin1String("CFBundleShortVersionString"))
        return QStringLiteral(QUILLFERN_SHORT_VERSION);
    if (key == QLatin1String("CFBundleVersion"))
        return QStringLiteral(QUILLFERN_BUILD_NUMBER);
    return std::nullopt;
}

QString shortVersion()
{
    return value(QStringLiteral("CFBundleShortVersionString")).value_or(QString());
}
QString buildNumber()
{
    return value(QStringLiteral("CFBundleVersion")).value_or(QString());
}

QString installedProgramFolder()
{
    if (auto it = overrides().find(QStringLiteral("installedProgramFolder")); it != overrides().end())
        return it->second.value_or(QString());
    return QStringLiteral(QUILLFERN_INSTALL_BINDIR);
}

QString updateFeed()
{
    return QStringLiteral(QUILLFERN_UPDATE_FEED);
}

void setOverride(const QString &key, std::optional<QString> v)
{
    overrides()[key] = std::move(v);
}
void clearOverrides()
{
    overrides().clear();
}

} // namespace AppInfo
