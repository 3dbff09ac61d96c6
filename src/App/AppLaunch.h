#pragma once

#include <optional>
#include <string>
#include <vector>

// One launch of the program: a later launch hands its request to the running instance, waits
// for the answer and ends (non-zero with the error on standard error when the request failed);
// the first one becomes the application and handles its own request.
namespace AppLaunch {

// A later launch: hands the request to the running instance and gives the exit code; nothing
// when no instance answers (or the launch must run on its own). Needs only a QCoreApplication,
// so it works without a display.
std::optional<int> handOver(const std::vector<std::string> &arguments);

// The first launch: becomes the application. The arguments as raw bytes, the program first.
// Call with the QApplication made.
int run(const std::vector<std::string> &arguments);

} // namespace AppLaunch
