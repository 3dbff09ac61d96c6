#include "App/LoginItem.h"

#include "Core/AppInfo.h"
#include "Core/Settings.h"
#include "Platform/Autostart.h"

#include <QCoreApplication>
#include <QDir>

namespace LoginItem {

namespace {

class AutostartService : public Service {
public:
    void registerApp() override { Autostart::registerEntry(QCoreApplication::applicationFilePath()); }
    void unregisterApp() override { Autostart::unregisterEntry(); }
    bool isEnabled() const override { return Autostart::isRegistered(); }
};

Service *&installed()
{
    static Service *service = nullptr;
    return service;
}

} // namespace

Service &service()
{
    static AutostartService autostart;
    return installed() ? *installed() : autostart;
}

void install(Service *s)
{
    installed() = s;
}

bool liesIn(const QString &executable, const QString &folder)
{
    if (executable.isEmpty() || folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return false;
    const QString program = QDir::cleanPath(executable);
    QString base = QDir::cleanPath(folder);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return program.startsWith(base);
}

void registerOnFirstProperLaunch(const QString &executable, const QString &installedFolder)
{
    auto settings = Settings::open();
    if (settings->value(QLatin1String(didAutoRegisterKey), false).toBool())
        return;
    if (!liesIn(executable, installedFolder))
        return;
    settings->setValue(QLatin1String(didAutoRegisterKey), true);
    settings->sync();
    try {
        service().registerApp();
    } catch (const Autostart::Error &) {
        // Ignored: the setting is already stored, so this is not tried again.
    }
}

void registerOnFirstProperLaunch()
{
    registerOnFirstProperLaunch(QCoreApplication::applicationFilePath(), AppInfo::installedProgramFolder());
}

void setEnabled(bool on)
{
    if (on)
        service().registerApp();
    else
        service().unregisterApp();
}

bool isEnabled()
{
    return service().isEnabled();
}

} // namespace LoginItem
