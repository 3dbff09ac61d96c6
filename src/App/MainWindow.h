#pragma once

#include <QUuid>

#include <optional>

class HostWindow;

// Bringing a main window forward.
namespace MainWindow {

// The first host window that can show a tab (at least 200 pixels high), if any.
HostWindow *existingMainWindow();

// Brings the first main window forward. With none, 0.4 seconds later a new tab opens through
// the tab opener unless a window has come meanwhile; when still none is there 0.6 seconds
// after that, the application opens one itself. Given a session whose tab is open, that tab's
// window comes forward with the tab selected.
void show(std::optional<QUuid> session = std::nullopt);

} // namespace MainWindow
