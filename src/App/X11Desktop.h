#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

// What the program asks of an X11 desktop itself, where Qt offers no way: whether an XEmbed tray
// is there, and handing a launch's startup id to a window that is already open. Everything does
// nothing on another platform.
namespace X11Desktop {

// An XEmbed tray owns the "_NET_SYSTEM_TRAY_S<screen>" selection.
bool hasSystemTray();

// The window takes over the launch's startup: it carries the id, asks the window manager to
// activate it with the time of the launch (so focus-stealing prevention lets it), and ends the
// launch's busy feedback.
void activate(QWidget &window, const QByteArray &startupId);

// The time of the user's action that a startup id carries ("…_TIME<n>"), if any.
std::optional<std::uint32_t> timestampOf(const QByteArray &startupId);

// The 20-byte pieces of a startup-notification message, as client messages carry it: the text
// and its closing NUL, the last piece padded with NULs.
std::vector<QByteArray> messagePieces(const QByteArray &message);

} // namespace X11Desktop
