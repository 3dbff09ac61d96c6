#pragma once

#include <QString>
#include <QStringList>

#include <concepts>
#include <string>
#include <string_view>

// User-visible texts: the Korean source text is the key. The key is looked up in the installed
// translators, then "%@" (texts) and "%lld" (numbers) are filled in order of appearance.
namespace Localization {

struct Arg {
    QString text;
    Arg(const QString &s) : text(s) {}
    Arg(const char *s) : text(QString::fromUtf8(s)) {}
    Arg(const std::string &s) : text(QString::fromUtf8(s.data(), qsizetype(s.size()))) {}
    Arg(std::string_view s) : text(QString::fromUtf8(s.data(), qsizetype(s.size()))) {}
    template <std::integral T> Arg(T n) : text(QString::number(static_cast<long long>(n))) {}
};

// The translation of the key (the key itself when no translation exists).
QString translate(const char *key);

// Fills the placeholders "%@" and "%lld" of a format, in order, with the given arguments.
QString fill(const QString &format, std::initializer_list<Arg> args);

} // namespace Localization

// L("폴더 %lld개는 …", count): translated and filled.
template <typename... A> QString L(const char *key, const A &...args)
{
    return Localization::fill(Localization::translate(key), {Localization::Arg(args)...});
}
