#pragma once

#include <QSizeF>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class ContentView;
class QWidget;

// Developer hooks that drive the running application from its command line: pictures of every
// tool page (--manual-shots DIR, with --shot-size WxH), a scripted walk through the send
// checkup (--uitest-shots DIR) and frames of the about window (--about-shots DIR, with
// --about-frames N). Without their flags they do nothing; each ends by quitting.
namespace DebugSnapshot {

// The command line the hooks read (raw bytes, the program first). Until set, the
// application's own arguments.
void setArguments(std::vector<std::string> arguments);

// The folder a flag names: the next argument, whatever it holds; the default folder when the
// flag is the last argument; nothing without the flag. The first occurrence counts.
std::optional<QString> outputDirectory(const std::string &flag);
// "quillfern-debug" in the temporary folder.
QString directory();
// --shot-size: two numbers joined by "x" (either case); anything else gives nothing.
std::optional<QSizeF> shotSize();
// --about-frames: 1 to 400, 48 when missing or not a decimal integer.
int aboutShotsFrameCount();

// Captures the first visible window with a title (else the first visible window) into a PNG.
void captureWindow(const QString &path);
// Captures the visible window with this title.
void captureWindow(const QString &title, const QString &path);
// The capture itself: the screen's picture of the window, else the widget drawn into an image.
bool capture(QWidget *window, const QString &path);

// Starts the three sequences for a window content that has just been shown.
void startHooks(ContentView *view);

} // namespace DebugSnapshot
