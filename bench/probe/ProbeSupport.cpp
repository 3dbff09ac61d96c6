#include "ProbeSupport.h"

#include "Core/Text.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace Probe {

bool Arguments::has(const std::string &flag) const
{
    return std::find(flags.begin(), flags.end(), flag) != flags.end();
}

std::optional<std::string> Arguments::value(const std::string &name) const
{
    std::optional<std::string> found;
    for (const auto &[option, value] : values)
        if (option == name)
            found = value;
    return found;
}

std::optional<Arguments> parseArguments(const std::vector<std::string> &arguments,
                                        const std::vector<std::string> &flags,
                                        const std::vector<std::string> &valued, bool refuseUnknown)
{
    const auto known = [](const std::vector<std::string> &names, const std::string &argument) {
        return std::find(names.begin(), names.end(), argument) != names.end();
    };
    Arguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto &argument = arguments[i];
        if (known(flags, argument))
            parsed.flags.push_back(argument);
        else if (known(valued, argument) && i + 1 < arguments.size())
            parsed.values.emplace_back(argument, arguments[++i]);
        else if (refuseUnknown && argument.rfind("--", 0) == 0)
            return std::nullopt;
        else
            parsed.rest.push_back(argument);
    }
    return parsed;
}

namespace {

void collect(const fs::path &path, const std::string &entryName, EntryNames names,
             std::vector<ZipWriter::Source> &sources)
{
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(path, error))) {
        sources.push_back({entryName + "/", path, true});
        std::vector<fs::path> children;
        for (const auto &child : fs::directory_iterator(path))
            children.push_back(child.path());
        std::sort(children.begin(), children.end());
        for (const auto &child : children) {
            const std::string name = child.filename().native();
            collect(child, entryName + "/" + (names == EntryNames::nfc ? Text::toNfc(name) : name), names,
                    sources);
        }
    } else {
        sources.push_back({entryName, path, false});
    }
}

} // namespace

std::vector<ZipWriter::Source> entriesFor(const std::vector<std::string> &sources, EntryNames names)
{
    std::vector<ZipWriter::Source> entries;
    for (const auto &source : sources) {
        auto normal = fs::path(source).lexically_normal();
        if (normal.filename().empty())
            normal = normal.parent_path();
        const std::string name = normal.filename().native();
        collect(source, names == EntryNames::nfc ? Text::toNfc(name) : name, names, entries);
    }
    return entries;
}

void printSummary(std::size_t items, std::initializer_list<std::pair<const char *, long long>> counts)
{
    std::string line = "items " + std::to_string(items);
    for (const auto &[label, count] : counts)
        line += std::string(", ") + label + " " + std::to_string(count);
    std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace Probe
