#include "Core/PathExtension.h"

std::string lowerExtension(const std::filesystem::path &path)
{
    const std::string &text = path.native();
    const auto slash = text.rfind('/');
    const auto dot = text.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = text.substr(dot + 1);
    for (char &c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return extension;
}
