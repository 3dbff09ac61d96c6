#include "Core/FormatError.h"

const char *FormatError::what() const noexcept
{
    try {
        what_ = description().toStdString();
    } catch (...) {
        return "archive error";
    }
    return what_.c_str();
}
