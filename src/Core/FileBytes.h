#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// A whole regular file's bytes: nullopt when the path is not a regular file or cannot be read, and
// with followLinks false also when the path itself is a symbolic link. A FIFO is refused without
// waiting for a writer.
std::optional<std::vector<std::uint8_t>> readRegularFile(const std::filesystem::path &path,
                                                         bool followLinks = true);
