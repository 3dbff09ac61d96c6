#include "Core/Localization.h"

#include <QCoreApplication>

namespace Localization {

QString translate(const char *key)
{
    return QCoreApplication::translate("Quillfern", key);
}

QString fill(const QString &format, std::initializer_list<Arg> args)
{
    static const QString text = QStringLiteral("%@");
    static const QString number = QStringLiteral("%lld");
    QString out;
    out.reserve(format.size());
    auto next = args.begin();
    qsizetype i = 0;
    while (i < format.size()) {
        const bool isText = format.mid(i, text.size()) == text;
        const bool isNumber = !isText && format.mid(i, number.size()) == number;
        if ((isText || isNumber) && next != args.end()) {
            out += next->text;
            ++next;
            i += isText ? text.size() : number.size();
        } else {
            out += format[i];
            ++i;
        }
    }
    return out;
}

} // namespace Localization
