#include "Platform/DesktopEntry.h"

namespace DesktopEntry {

QString execArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=%");
    bool plain = !argument.isEmpty();
    for (QChar c : argument)
        if (reserved.contains(c))
            plain = false;
    if (plain)
        return argument;
    QString out;
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    out.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

} // namespace DesktopEntry
