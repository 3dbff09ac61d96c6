#pragma once

#include "Probe.h"

#include "Archive/ZipSource.h"

#include <QString>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Small pieces the probe subcommands share: argument splitting, the walk that turns sources into
// archive entries, state names, the summary line and the guard that turns an engine's exception
// into an error message.
namespace Probe {

struct Arguments {
    std::vector<std::string> flags;                          // the flags given
    std::vector<std::pair<std::string, std::string>> values; // options with a value, in the order given
    std::vector<std::string> rest;                           // everything else, in order

    bool has(const std::string &flag) const;
    // The value of the option given last under that name.
    std::optional<std::string> value(const std::string &name) const;
};

// Splits the arguments into the known flags, the known options taking a value (an option that is
// last, without its value, is not one) and the rest. With refuseUnknown an argument starting with
// "--" that is neither gives nullopt; otherwise it goes to the rest.
std::optional<Arguments> parseArguments(const std::vector<std::string> &arguments,
                                        const std::vector<std::string> &flags,
                                        const std::vector<std::string> &valued, bool refuseUnknown);

enum class EntryNames { asIs, nfc };
// The entries for the sources as an archiver makes them: each source named by its last component
// (a trailing "/" ignored), folders walked in sorted order with a "/"-ended entry of their own;
// links are not followed.
std::vector<ZipWriter::Source> entriesFor(const std::vector<std::string> &sources, EntryNames names);

// The name of an item's state: the enumerator's own name.
template <typename Kind> const char *stateName(Kind kind)
{
    if (kind == Kind::pending)
        return "pending";
    if (kind == Kind::failed)
        return "failed";
    if constexpr (requires { Kind::done; })
        if (kind == Kind::done)
            return "done";
    if constexpr (requires { Kind::alreadyOk; })
        if (kind == Kind::alreadyOk)
            return "alreadyOk";
    if constexpr (requires { Kind::trashed; })
        if (kind == Kind::trashed)
            return "trashed";
    if constexpr (requires { Kind::analyzing; })
        if (kind == Kind::analyzing)
            return "analyzing";
    if constexpr (requires { Kind::converting; })
        if (kind == Kind::converting)
            return "converting";
    return "";
}

inline std::string text(const QString &s)
{
    return s.toStdString();
}

// Prints "items N, <label> <count>, ..." on standard error.
void printSummary(std::size_t items, std::initializer_list<std::pair<const char *, long long>> counts);

template <typename... Errors> struct Guard;
template <> struct Guard<> {
    template <typename Step> static int run(Step &step) { return step(); }
};
template <typename Error, typename... More> struct Guard<Error, More...> {
    template <typename Step> static int run(Step &step)
    {
        try {
            return Guard<More...>::run(step);
        } catch (const Error &error) {
            return fail(error.what());
        }
    }
};

// Runs the step; an exception of one of the error types becomes its message on standard error
// and exit code 1.
template <typename... Errors, typename Step> int guarded(Step step)
{
    return Guard<Errors...>::run(step);
}

} // namespace Probe
