// libFuzzer target: the launch URL rule ("file:" and "quillfern:" URLs with their "p" items) must
// yield a list for any text, never crash or read past the input, and never a path that is not
// absolute; and a path, whatever its bytes, must come back unchanged from the URLs a launch
// makes of it, absolute or relative to the launch's folder.
#include "FuzzScratch.h"

#include "Core/FilePath.h"
#include "Core/Router.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (const fs::path &path : Router::filesToDiagnose(text))
        if (!path.native().starts_with('/') || path.native().find('\0') != std::string::npos)
            __builtin_trap();
    Router::withAbsolutePaths(text, fuzzScratch());

    // The bytes as one file name (no '/' or NUL can be in one), in the scratch folder.
    std::string name;
    for (const char c : text.substr(0, 200))
        if (c != '/' && c != '\0')
            name += c;
    if (name.empty() || name == "." || name == "..")
        return 0;
    const fs::path folder = fuzzScratch() / "url";
    const fs::path path = folder / name;
    fs::create_directories(folder);
    std::ofstream(path).put('x');
    if (!fs::exists(path))
        return 0;

    const std::string encoded = FilePath::toFileUrl(path).substr(std::string_view("file://").size());
    if (FilePath::fromFileUrl(FilePath::toFileUrl(path)) != path ||
        Router::filesToDiagnose(FilePath::toFileUrl(path)) != PathList{path} ||
        Router::filesToDiagnose("quillfern://open?p=" + encoded + "&p=" + encoded) != PathList{path, path})
        __builtin_trap();
    // Relative to the launch's folder, as `quillfern 'quillfern://open?p=NAME'` run in it.
    const std::string relative = FilePath::toFileUrl(name).substr(std::string_view("file://").size());
    if (Router::filesToDiagnose(Router::withAbsolutePaths("quillfern://open?p=" + relative, folder)) !=
        PathList{path})
        __builtin_trap();
    std::error_code ignored;
    fs::remove(path, ignored);
    return 0;
}
