#pragma once

#include <optional>
#include <string>

// The text of the symbolic link `name` in the open folder `folder` (AT_FDCWD and a path will do),
// as bytes; nothing when it is not a link or cannot be read.
std::optional<std::string> linkText(int folder, const char *name);
