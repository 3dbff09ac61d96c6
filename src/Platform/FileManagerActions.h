#pragma once

#include <QString>
#include <QStringList>

#include <stdexcept>

// The right-click action "Quillfern" of the common file managers (Dolphin, Nemo, Caja and
// PCManFM through the file-manager actions format, Nautilus through nautilus-python). Each sends
// the selection to the running instance as a service request. The project installs them for
// every user; they can also be installed into the user's own data folder.
namespace FileManagerActions {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &description)
        : std::runtime_error(description.toStdString()), text(description)
    {
    }
    QString text;
};

// Where each action lives, relative to a data folder ($XDG_DATA_HOME, $XDG_DATA_DIRS).
QStringList relativePaths();

// At least one of the actions is present in the user's or the system's data folders.
bool isInstalled();
// At least one of them is the user's own copy.
bool isInstalledForUser();

// Writes every action into $XDG_DATA_HOME, starting the given program; throws Error.
void installForUser(const QString &executable);
// Removes the user's own copies (the system's stay); throws Error.
void removeForUser();

// A template of the project's data folder with the program put in, quoted for its format (a
// desktop file's Exec key, or a Python string); throws Error for a program no desktop file can
// name. The install puts the installed program into the templates with it too.
QString render(const QString &templateText, const QString &executable, bool python);

} // namespace FileManagerActions
