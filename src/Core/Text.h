#pragma once

#include <QString>

#include <cstddef>
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

// The judgement of decodeCp949 without converting: true exactly when the whole input decodes.
bool isValidCp949(std::string_view bytes);

// How many bytes at the end of valid UTF-8 begin a character that they end before completing.
std::size_t openUtf8Tail(std::string_view validUtf8);

// Strict validity of a text that arrives in pieces of any size (a character may be cut between
// two pieces): UTF-8 as isValidUtf8 judges it, CP949 as isValidCp949 does.
class StreamValidator {
public:
    enum class Encoding { utf8, cp949 };
    explicit StreamValidator(Encoding encoding) : encoding_(encoding) {}

    void feed(std::string_view piece);
    // An invalid sequence has been seen; nothing fed later can mend it.
    bool failed() const { return failed_; }
    // Everything fed so far is valid and ends on a whole character.
    bool valid() const { return !failed_ && carryLength_ == 0; }

private:
    Encoding encoding_;
    bool failed_ = false;
    char carry_[4] = {};
    std::size_t carryLength_ = 0;
};

// CP949 to UTF-8 (decode) or back (encode) through glibc iconv, fed in pieces of any size: a
// character cut at the end of one piece is held back until the next. Strict: the first invalid
// or unrepresentable sequence fails the conversion for good.
class Cp949Converter {
public:
    enum class Direction { decode, encode };
    explicit Cp949Converter(Direction direction);
    ~Cp949Converter();
    Cp949Converter(const Cp949Converter &) = delete;
    Cp949Converter &operator=(const Cp949Converter &) = delete;

    // Appends to `out` what the held-back bytes and `piece` convert to; false on failure.
    bool feed(std::string_view piece, std::string &out);
    // True when the input so far converted and ended on a whole character.
    bool finished() const { return !failed_ && carryLength_ == 0; }

private:
    bool run(const char *input, std::size_t size, std::string &out, std::size_t &used);

    void *cd_;
    bool failed_ = false;
    char carry_[8] = {};
    std::size_t carryLength_ = 0;
};

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
