#pragma once

#include <filesystem>
#include <functional>
#include <optional>

// Free-name search: a taken path gets " N" before its last extension (after the whole name when
// it has none), N from 2 to 9999; the first path where lstat finds nothing wins (a dangling
// symbolic link counts as taken). nullopt when every candidate is taken.
std::optional<std::filesystem::path> freeName(const std::filesystem::path &wanted);
// The same rule with another judge: the first candidate, in order, for which `taken` says false.
std::optional<std::filesystem::path>
freeName(const std::filesystem::path &wanted,
         const std::function<bool(const std::filesystem::path &)> &taken);

// True when lstat finds anything at the path.
bool pathIsTaken(const std::filesystem::path &path);

// "photo.heic" -> {"photo", ".heic"}; "archive" -> {"archive", ""}; ".bashrc" -> {".bashrc", ""}.
std::pair<std::string, std::string> splitExtension(const std::string &name);
