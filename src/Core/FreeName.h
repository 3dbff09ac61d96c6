#pragma once

#include <filesystem>
#include <optional>

// Free-name search: a taken path gets " N" before its last extension (after the whole name when
// it has none), N from 2 to 9999; the first path where lstat finds nothing wins (a dangling
// symbolic link counts as taken). nullopt when every candidate is taken.
std::optional<std::filesystem::path> freeName(const std::filesystem::path &wanted);
// The same for a name in the folder open as `folder`: only the wanted path's last component is
// looked up there, and the result keeps the wanted path's folder part.
std::optional<std::filesystem::path> freeName(int folder, const std::filesystem::path &wanted);

// True when lstat finds anything at the path.
bool pathIsTaken(const std::filesystem::path &path);

// "photo.heic" -> {"photo", ".heic"}; "archive" -> {"archive", ""}; ".bashrc" -> {".bashrc", ""}.
std::pair<std::string, std::string> splitExtension(const std::string &name);
