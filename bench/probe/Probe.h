#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

// Subcommands of quillfern-probe. Each file under bench/probe registers its own with a static
// Probe::Registration; a command prints one tab-separated line per item and returns the exit code.
namespace Probe {

using Handler = std::function<int(const std::vector<std::string> &arguments)>;

// What a command needs of the application object: the core one, or widgets (shown offscreen).
enum class Needs { core, widgets };

struct Command {
    std::string usage; // the arguments, after the command's name
    Handler run;
    Needs needs = Needs::core;
};

std::map<std::string, Command> &commands();

struct Registration {
    Registration(const std::string &name, const std::string &usage, Handler run, Needs needs = Needs::core)
    {
        commands()[name] = Command{usage, std::move(run), needs};
    }
};

// Prints the message on standard error and returns 1 (the engine's own error text goes here).
int fail(const std::string &message);

} // namespace Probe
