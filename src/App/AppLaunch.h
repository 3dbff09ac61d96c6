#pragma once

#include "Platform/SingleInstance.h"

#include <optional>
#include <string>
#include <vector>

class AppDelegate;

// One launch of the program: a later launch hands its request to the running instance, waits
// for the answer and ends (non-zero with the error on standard error when the request failed);
// the first one becomes the application and handles its own request. A launch that reached a
// running instance never starts another one, and never sends its request twice.
namespace AppLaunch {

// A later launch: hands the request to the running instance and gives the exit code; nothing
// when no instance runs (or the launch must run on its own). Needs only a QCoreApplication,
// so it works without a display.
std::optional<int> handOver(const std::vector<std::string> &arguments,
                            const std::optional<QString> &socketPath);

// Listens for later launches: each request is checked and answered at once on the instance's
// own thread, and handled by the delegate on the main thread when the event loop gets to it.
SingleInstance::Listening serve(SingleInstance &instance, AppDelegate &delegate);

// The first launch: becomes the application. The arguments as raw bytes, the program first.
// Call with the QApplication made. Without a socket path it runs without handing over.
int run(const std::vector<std::string> &arguments, const std::optional<QString> &socketPath);

} // namespace AppLaunch
