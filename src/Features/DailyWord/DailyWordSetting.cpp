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
    const QString value = hidden ? currentVersion() : QString();
    if (value == hiddenInVersion())
        return;
    Settings::open()->setValue(QLatin1String(settingsKey), value);
    emit notifier().changed();
}

Notifier &notifier()
{
    static Notifier shared;
    return shared;
}

} // namespace DailyWordSetting
