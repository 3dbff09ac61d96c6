#pragma once

#include <string>
#include <vector>

// One launch of the program: a later launch hands its request to the running instance, waits
// for the answer and ends (non-zero with the error on standard error when the request failed);
// the first one becomes the application and handles its own request.
namespace AppLaunch {

// The arguments as raw bytes, the program first. Call with the QApplication made.
int run(const std::vector<std::string> &arguments);

} // namespace AppLaunch
