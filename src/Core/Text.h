#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

// Text helpers shared by every engine. Names on disk are bytes: these helpers never rewrite a
// byte string that is not valid UTF-8.
namespace Text {

bool isValidUtf8(std::string_view bytes);

// Appends the UTF-8 bytes of one code point (up to U+10FFFF; callers pass scalar values).
void appendUtf8(std::string &out, char32_t codePoint);

// NFC / NFD through ICU. Input that is not valid UTF-8 is returned unchanged.
std::string toNfc(std::string_view utf8);
std::string toNfd(std::string_view utf8);
bool isNfc(std::string_view utf8); // false for invalid UTF-8
bool isNfd(std::string_view utf8); // false for invalid UTF-8

// Decoding for display: each maximal ill-formed subpart becomes one U+FFFD.
QString lossyUtf8(std::string_view bytes);
std::string lossyUtf8Bytes(std::string_view bytes); // same, as UTF-8 bytes

// CP949 (Windows code page 949) through glibc iconv; nullopt unless the whole input converts.
std::optional<std::string> decodeCp949(std::string_view cp949);
std::optional<std::string> encodeCp949(std::string_view utf8);

// Conversions between QString and the UTF-8 byte strings the engines keep.
inline std::string utf8(const QString &s)
{
    return s.toStdString();
}
inline QString fromUtf8(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace Text
