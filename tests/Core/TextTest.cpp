#include "Core/Text.h"

#include <gtest/gtest.h>

namespace {
const std::string han = "\xED\x95\x9C";                            // 한 (NFC)
const std::string hanNfd = "\xE1\x84\x92\xE1\x85\xA1\xE1\x86\xAB"; // ᄒ ᅡ ᆫ
} // namespace

TEST(Text, NormalisesValidUtf8AndLeavesOtherBytesAlone)
{
    EXPECT_EQ(Text::toNfd(han), hanNfd);
    EXPECT_EQ(Text::toNfc(hanNfd), han);
    EXPECT_TRUE(Text::isNfc(han));
    EXPECT_FALSE(Text::isNfc(hanNfd));
    EXPECT_TRUE(Text::isNfd(hanNfd));
    const std::string invalid = "\xC7\xD1" + hanNfd;
    EXPECT_EQ(Text::toNfc(invalid), invalid);
    EXPECT_FALSE(Text::isNfc(invalid));
    EXPECT_EQ(Text::toNfc(""), "");
}

TEST(Text, Utf8ValidationRejectsOverlongsSurrogatesAndTruncation)
{
    struct Case {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"plain", true},
        {han, true},
        {"\xC0\xAF", false},
        {"\xE0\x80\xAF", false},     // overlong
        {"\xED\xA0\x80", false},     // surrogate
        {"\xF4\x90\x80\x80", false}, // above U+10FFFF
        {"\xED\x95", false},         // truncated
        {"\xF0\x9F\x98\x80", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Text::isValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(Text, LossyDecodingReplacesEachMaximalSubpart)
{
    // The Unicode examples: a truncated three-byte sequence is one U+FFFD, a lone continuation
    // byte is one, and a surrogate's bytes are three.
    EXPECT_EQ(Text::lossyUtf8("a\xE1\x80"
                              "b"),
              QStringLiteral("a\uFFFDb"));
    EXPECT_EQ(Text::lossyUtf8("\x80\x80"), QStringLiteral("\uFFFD\uFFFD"));
    EXPECT_EQ(Text::lossyUtf8("\xED\xA0\x80"), QStringLiteral("\uFFFD\uFFFD\uFFFD"));
    EXPECT_EQ(Text::lossyUtf8("\xF0\x9F\x98"), QStringLiteral("\uFFFD"));
    EXPECT_EQ(Text::lossyUtf8(han), QString::fromUtf8(han.c_str()));
}

TEST(Text, Cp949ConvertsWholeInputOrFails)
{
    const std::string hangulCp949 = "\xC7\xD1\xB1\xDB"; // 한글
    EXPECT_EQ(Text::decodeCp949(hangulCp949), std::optional<std::string>(han + "\xEA\xB8\x80"));
    EXPECT_EQ(Text::encodeCp949(han + "\xEA\xB8\x80"), std::optional<std::string>(hangulCp949));
    EXPECT_EQ(Text::decodeCp949("abc"), std::optional<std::string>("abc"));
    EXPECT_EQ(Text::decodeCp949(""), std::optional<std::string>(""));
    EXPECT_EQ(Text::decodeCp949(hangulCp949 + "\xC7"), std::nullopt); // truncated lead byte
    EXPECT_EQ(Text::decodeCp949(han), std::nullopt);                  // UTF-8 is not CP949
    EXPECT_EQ(Text::encodeCp949("\xF0\x9F\x98\x80"), std::nullopt);   // no emoji in CP949
    EXPECT_EQ(Text::encodeCp949("\xC7\xD1"), std::nullopt);           // input not UTF-8
}

TEST(Text, AppendsEachCodePointAsQtEncodesIt)
{
    // The last code point of each sequence length and the first of the next.
    for (char32_t c :
         {U'\0', U'\x7F', U'\x80', U'\x7FF', U'\x800', U'\xFFFD', U'\xFFFF', U'\x10000', U'\x10FFFF'}) {
        std::string out = "x";
        Text::appendUtf8(out, c);
        EXPECT_EQ(out, "x" + QString::fromUcs4(&c, 1).toStdString()) << std::uint32_t(c);
    }
}
