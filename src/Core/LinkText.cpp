#include "Core/LinkText.h"

#include <climits>
#include <fcntl.h>
#include <unistd.h>

std::optional<std::string> linkText(int folder, const char *name)
{
    // A link's text is shorter than PATH_MAX: a full buffer means it changed while being read.
    char text[PATH_MAX];
    const ssize_t size = ::readlinkat(folder, name, text, sizeof text);
    if (size < 0 || std::size_t(size) >= sizeof text)
        return std::nullopt;
    return std::string(text, std::size_t(size));
}
