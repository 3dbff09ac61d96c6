#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

// A folder of this process's own below the temporary folder, made on first use and removed with
// all it holds when the process ends (a replay's return, libFuzzer's exit at the end of its run),
// where a target writes what the code under test extracts.
inline const std::filesystem::path &fuzzScratch()
{
    struct Scratch {
        std::filesystem::path path;
        Scratch()
        {
            std::string pattern = (std::filesystem::temp_directory_path() / "quillfern-fuzz-XXXXXX").native();
            if (::mkdtemp(pattern.data()) == nullptr)
                std::abort();
            path = pattern;
        }
        ~Scratch()
        {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    };
    static const Scratch scratch;
    return scratch.path;
}
