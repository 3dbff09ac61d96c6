#pragma once

#include <QString>
#include <QStringList>

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

// User-visible texts: the Korean source text is the key. The key is looked up in the installed
// translators, then "%@" (texts) and "%lld" (numbers) are filled in order of appearance. The
// first number picks the plural form where a translation has several ("%lld file" / "%lld files").
//
// The translation tools find every L("…") call. A key kept in a table or handed to a helper before
// L() is written QT_TRANSLATE_NOOP("Quillfern", "…") where it stands.
namespace Localization {

struct Arg {
    QString text;
    std::optional<long long> number;
    Arg(QString s) : text(std::move(s)) {}
    Arg(const char *s) : text(QString::fromUtf8(s)) {}
    Arg(const std::string &s) : text(QString::fromUtf8(s.data(), qsizetype(s.size()))) {}
    Arg(std::string_view s) : text(QString::fromUtf8(s.data(), qsizetype(s.size()))) {}
    template <std::integral T>
    Arg(T n) : text(QString::number(static_cast<long long>(n))), number(static_cast<long long>(n))
    {
    }
};

// The translation of the key (the key itself when no translation exists); a count, when given,
// chooses among a translation's plural forms.
QString translate(const char *key, std::optional<long long> count = std::nullopt);

// Fills the placeholders "%@" and "%lld" of a format, in order, with the given arguments.
QString fill(const QString &format, std::initializer_list<Arg> args);

// The translated key filled with the arguments.
QString format(const char *key, std::initializer_list<Arg> args);

// The languages the interface shows, most preferred first (the other platform's preferred
// localisations of the main bundle): the start sets them to the language whose translation it
// installed, or the Korean of the keys when it found none. Until then the default locale's.
QStringList interfaceLanguages();
void setInterfaceLanguages(const QStringList &languages);

} // namespace Localization

// L("폴더 %lld개는 …", count): translated and filled.
template <typename... A> QString L(const char *key, const A &...args)
{
    return Localization::format(key, {Localization::Arg(args)...});
}
