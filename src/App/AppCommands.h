#pragma once

class HostWindow;
class QAction;
class QObject;

// The commands every host window adds to its menu bar: the application menu (about, update
// check, settings, quit), new tab and close tab, previous and next tab, and help.
namespace AppCommands {

void install(HostWindow *window);

// The update-check item ("업데이트 확인…"): disabled while no check can start.
QAction *makeCheckForUpdatesAction(QObject *parent);

// Opens the online manual in the user's language.
void openManual();

} // namespace AppCommands
