#pragma once

#include <QString>

#include <stdexcept>

// The login item as an XDG autostart entry ($XDG_CONFIG_HOME/autostart/quillfern.desktop).
// Its command line carries the login flag, which marks a launch at login.
namespace Autostart {

inline constexpr const char *loginFlag = "--login-item";

class Error : public std::runtime_error {
public:
    explicit Error(const QString &description)
        : std::runtime_error(description.toStdString()), text(description)
    {
    }
    QString text;
};

QString entryPath();
// Writes the entry starting the given executable with the login flag; throws Error on failure.
void registerEntry(const QString &executable);
// Removes the entry (nothing to remove is success); throws Error on failure.
void unregisterEntry();
// An entry exists and is not hidden or disabled.
bool isRegistered();

} // namespace Autostart
