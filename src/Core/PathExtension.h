#pragma once

#include <filesystem>
#include <string>

// The text after the last "." of the path's last component, ASCII lower-cased; empty when the
// name holds no ".". Unlike splitExtension, a leading "." counts: ".txt" gives "txt".
std::string lowerExtension(const std::filesystem::path &path);
