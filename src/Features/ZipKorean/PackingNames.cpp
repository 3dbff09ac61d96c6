#include "Features/ZipKorean/PackingNames.h"

#include "Core/FreeName.h"
#include "Core/Text.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace PackingNames {

namespace {

// Gives each raw name the first of its candidates that no sibling holds: names that `rewrite`
// leaves alone claim theirs first; the others take their rewritten form, their own bytes where
// `bytesAllowed`, or the rewritten form numbered.
std::vector<std::string> distinct(const std::vector<std::string> &raw,
                                  std::string (*rewrite)(std::string_view), bool bytesAllowed)
{
    std::vector<std::string> names(raw.size());
    std::vector<std::string> rewritten(raw.size());
    std::set<std::string> used;
    std::vector<std::size_t> later;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        rewritten[i] = rewrite(raw[i]);
        if (rewritten[i] == raw[i] && used.insert(raw[i]).second)
            names[i] = raw[i];
        else
            later.push_back(i);
    }
    const auto isUsed = [&](const fs::path &name) { return used.count(name.native()) != 0; };
    for (const std::size_t i : later) {
        const std::string &wanted = rewritten[i];
        std::string name = wanted;
        if (isUsed(name) && bytesAllowed && !isUsed(raw[i])) {
            name = raw[i];
        } else if (isUsed(name)) {
            const auto numbered = freeName(fs::path(wanted), isUsed);
            name = numbered ? numbered->native() : wanted;
            for (std::size_t n = 10000; isUsed(name); ++n) // beyond the rule's numbers, still distinct
                name = wanted + " " + std::to_string(n);
        }
        used.insert(name);
        names[i] = std::move(name);
    }
    return names;
}

// The "/"-separated entry name without a folder's trailing "/", split at its last "/".
std::pair<std::string, std::string> parentAndName(const ZipWriter::Source &source)
{
    std::string path = source.entryName;
    if (source.isDirectory && path.ends_with('/'))
        path.pop_back();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

} // namespace

std::string entryName(std::string_view raw)
{
    if (Text::isValidUtf8(raw))
        return Text::toNfc(raw);
    if (auto korean = Text::decodeCp949(raw))
        return Text::toNfc(*korean);
    return std::string(raw);
}

std::vector<std::string> forSiblings(const std::vector<std::string> &raw)
{
    return distinct(raw, entryName, true);
}

std::string spelledOut(std::string_view raw)
{
    if (Text::isValidUtf8(raw))
        return std::string(raw);
    std::string out;
    out.reserve(raw.size() * 3);
    for (std::size_t i = 0; i < raw.size();) {
        const auto lead = static_cast<unsigned char>(raw[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        if (lead != '%' && i + length <= raw.size() && Text::isValidUtf8(raw.substr(i, length))) {
            out.append(raw.substr(i, length));
            i += length;
            continue;
        }
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", lead);
        out += escaped;
        ++i;
    }
    return out;
}

std::vector<ZipWriter::Source> inUnicode(std::vector<ZipWriter::Source> sources)
{
    if (std::all_of(sources.begin(), sources.end(),
                    [](const ZipWriter::Source &s) { return Text::isValidUtf8(s.entryName); }))
        return sources;

    // Siblings are judged together: the positions of each folder's items, by the folder's name.
    std::map<std::string, std::vector<std::size_t>> folders;
    std::vector<std::pair<std::string, std::string>> parts;
    parts.reserve(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        parts.push_back(parentAndName(sources[i]));
        folders[parts.back().first].push_back(i);
    }
    std::vector<std::string> names(sources.size());
    for (const auto &[folder, members] : folders) {
        std::vector<std::string> raw;
        raw.reserve(members.size());
        for (const std::size_t i : members)
            raw.push_back(parts[i].second);
        const auto spelled = distinct(raw, spelledOut, false);
        for (std::size_t k = 0; k < members.size(); ++k)
            names[members[k]] = spelled[k];
    }

    // A folder comes before its content, so its new name is known when its items are renamed; a
    // folder without an entry of its own is spelled out component by component.
    std::map<std::string, std::string> renamed{{std::string(), std::string()}};
    const auto folderNamed = [&](const std::string &folder) {
        if (const auto found = renamed.find(folder); found != renamed.end())
            return found->second;
        std::string spelled;
        for (std::size_t start = 0; start <= folder.size();) {
            const auto slash = std::min(folder.find('/', start), folder.size());
            if (start != 0)
                spelled += '/';
            spelled += spelledOut(std::string_view(folder).substr(start, slash - start));
            start = slash + 1;
        }
        return spelled;
    };
    for (std::size_t i = 0; i < sources.size(); ++i) {
        std::string path = folderNamed(parts[i].first);
        if (!path.empty())
            path += '/';
        path += names[i];
        if (sources[i].isDirectory) {
            std::string original = std::move(sources[i].entryName);
            if (original.ends_with('/'))
                original.pop_back();
            renamed.emplace(std::move(original), path);
            path += "/";
        }
        sources[i].entryName = std::move(path);
    }
    return sources;
}

} // namespace PackingNames
