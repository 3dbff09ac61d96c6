#include "Core/ErrorText.h"

#include <cstring>

QString errorText(int errorNumber)
{
    const char *text = strerrordesc_np(errorNumber);
    if (text == nullptr)
        return QStringLiteral("Unknown error %1").arg(errorNumber);
    return QString::fromUtf8(text);
}
