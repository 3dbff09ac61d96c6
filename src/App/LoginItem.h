#pragma once

#include <QString>

// The login item: whether the application starts when the user logs in. It is an XDG autostart
// entry whose command line carries the login flag.
namespace LoginItem {

// What stands behind the login item; tests install a fake.
class Service {
public:
    virtual ~Service() = default;
    // Throws Autostart::Error on failure.
    virtual void registerApp() = 0;
    virtual void unregisterApp() = 0;
    virtual bool isEnabled() const = 0;
};

// The installed service (the autostart entry for the running program unless a test installed
// another).
Service &service();
void install(Service *service); // nullptr restores the autostart one

inline constexpr const char *didAutoRegisterKey = "didAutoRegisterLoginItem";

// The login-item step of the launch: once per user, and only for a program that lies in its
// installed folder (a program run from a build tree never registers itself). The setting is
// stored before the attempt, so a failure is not retried.
void registerOnFirstProperLaunch(const QString &executable, const QString &installedFolder);
void registerOnFirstProperLaunch(); // the running program and its install folder

// Registers (on) or unregisters (off); throws Autostart::Error on failure.
void setEnabled(bool on);
bool isEnabled();

// Whether a program path lies directly or deeper inside a folder (compared as clean absolute paths).
bool liesIn(const QString &executable, const QString &folder);

} // namespace LoginItem
