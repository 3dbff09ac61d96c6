#include "Platform/DesktopEntry.h"

#include "Core/Localization.h"

namespace DesktopEntry {

std::optional<QString> refusal(const QString &program)
{
    for (QChar c : program)
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F)
            return L("프로그램 경로에 줄바꿈 같은 제어 문자가 있어 데스크톱 파일에 적을 수 없습니다: %@",
                     program);
    return std::nullopt;
}

QString execArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`=%");
    bool plain = !argument.isEmpty();
    for (QChar c : argument)
        if (reserved.contains(c))
            plain = false;
    if (plain)
        return argument;
    // The quoting of the Exec rules first, then the escapes every string value of the file has.
    QString quoted;
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    QString out = QStringLiteral("\"");
    for (QChar c : quoted) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('%'))
            out += QStringLiteral("%%");
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

QString execProgram(const QString &program)
{
    if (!program.contains(QLatin1Char('%')))
        return execArgument(program);
    return QStringLiteral("sh -c ") + execArgument(QStringLiteral("exec \"$0\" \"$@\"")) + QLatin1Char(' ') +
           execArgument(program);
}

} // namespace DesktopEntry
