#include "Features/DailyWord/DailyWordSetting.h"

#include "Core/AppInfo.h"
#include "Core/Settings.h"

namespace DailyWordSetting {

QString currentVersion()
{
    return AppInfo::shortVersion();
}

QString hiddenInVersion()
{
    return Settings::open()->value(QLatin1String(settingsKey), QString()).toString();
}

bool isHidden()
{
    return hiddenInVersion() == currentVersion();
}

void setHidden(bool hidden)
{
    Settings::open()->setValue(QLatin1String(settingsKey), hidden ? currentVersion() : QString());
}

} // namespace DailyWordSetting
