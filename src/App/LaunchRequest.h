#pragma once

#include "Core/Pasteboard.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What one launch of the program asks for, read from its command line. A later launch hands it
// to the running instance; the first launch handles it itself.
//
//   quillfern [PATH | URL]...           open files, folders or "quillfern:" URLs (none: reopen)
//   quillfern --service URI...          a file manager's right-click action (a URL list)
//   quillfern --service-files PATH...   the same with a plain list of file names
//   --login-item                        the launch came from the login item
//   --relaunched                        started by the running instance as it quits
struct LaunchRequest {
    enum class Kind { open, service };

    Kind kind = Kind::open;
    // Open: URL texts, in order; a path argument becomes a file URL of its absolute path, and a
    // "quillfern:" URL's relative paths become absolute. Path arguments naming nothing that
    // exists are left out.
    std::vector<std::string> urls;
    // Service: the pasteboard, by MIME type.
    std::map<QString, QByteArray> pasteboard;
    bool loginItem = false;
    bool relaunched = false;
    // A developer screenshot hook was asked for: such a run never hands over to another instance.
    bool screenshotHook = false;
    // What the desktop gave the launch to let its window take the focus (Wayland's
    // XDG_ACTIVATION_TOKEN, X11's DESKTOP_STARTUP_ID); the running instance uses them when it
    // brings a window forward. Only plain tokens are kept: at most 256 printable ASCII characters
    // without spaces, quotes or backslashes; anything else is dropped.
    QString activationToken;
    QString startupId;

    // Arguments as raw bytes, the program first; relative paths are taken against workingFolder.
    static LaunchRequest parse(const std::vector<std::string> &arguments,
                               const std::filesystem::path &workingFolder);
    // Takes the tokens from this process's environment.
    void takeActivationFromEnvironment();

    QJsonObject toJson() const;
    static LaunchRequest fromJson(const QJsonObject &object);
};
