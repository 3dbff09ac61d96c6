#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// A folder of this process's own below the temporary folder, made on first use, where a target
// writes what the code under test extracts.
inline const std::filesystem::path &fuzzScratch()
{
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillfern-fuzz-XXXXXX").native();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}
