#include "Core/Localization.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <climits>

namespace Localization {

QString translate(const char *key, std::optional<long long> count)
{
    // Qt picks a plural form by an int; beyond its range every language uses its "many" form.
    const int n = count ? int(std::clamp<long long>(*count, INT_MIN + 1, INT_MAX)) : -1;
    QString plural = QCoreApplication::translate("Quillfern", key, nullptr, n);
    // A translation without plural forms has no form for a plural count: Qt then gives the key.
    if (n < 0 || plural != QString::fromUtf8(key))
        return plural;
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

namespace {
std::optional<QStringList> &shownLanguages()
{
    static std::optional<QStringList> languages;
    return languages;
}
} // namespace

QStringList interfaceLanguages()
{
    return shownLanguages().value_or(QLocale().uiLanguages());
}

void setInterfaceLanguages(const QStringList &languages)
{
    shownLanguages() = languages;
}

QString format(const char *key, std::initializer_list<Arg> args)
{
    std::optional<long long> count;
    for (const Arg &arg : args)
        if (arg.number) {
            count = arg.number;
            break;
        }
    return fill(translate(key, count), args);
}

} // namespace Localization
