#include "Core/Text.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <random>

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

// The quick CP949 check must judge every input as the decoder does: every one- and two-byte
// input, short mixes of the byte classes that matter, and long texts (which are checked in
// parallel parts) with one bad byte planted anywhere.
TEST(Text, Cp949CheckAgreesWithTheDecoder)
{
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, char(a));
        ASSERT_EQ(Text::isValidCp949(one), Text::decodeCp949(one).has_value()) << a;
        for (int b = 0; b < 256; ++b) {
            const std::string two{char(a), char(b)};
            ASSERT_EQ(Text::isValidCp949(two), Text::decodeCp949(two).has_value()) << a << " " << b;
        }
    }
    const unsigned char alphabet[] = {0x00, 0x0A, 0x20, 0x41, 0x5B, 0x61, 0x7F, 0x80, 0x81,
                                      0xA1, 0xB0, 0xC6, 0xC7, 0xC9, 0xD1, 0xFE, 0xFF};
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string s(1 + random() % 8, ' ');
        for (auto &c : s)
            c = char(alphabet[random() % sizeof alphabet]);
        ASSERT_EQ(Text::isValidCp949(s), Text::decodeCp949(s).has_value())
            << QByteArray::fromStdString(s).toHex().toStdString();
    }

    std::string text;
    while (text.size() < 100000)
        text += "\xC7\xD1\xB1\xDB \x81\x41\xC6\x52text 0123\r\n";
    ASSERT_TRUE(Text::isValidCp949(text));
    for (std::size_t at = 0; at < text.size(); at += 997) {
        std::string bad = text;
        bad[at] = '\xFF';
        ASSERT_FALSE(Text::isValidCp949(bad)) << at;
    }
    // A lead byte cut off at the very end, and a text with nowhere to split it.
    EXPECT_FALSE(Text::isValidCp949(text + "\xC7"));
    std::string hangulOnly;
    while (hangulOnly.size() < 10000)
        hangulOnly += "\xC7\xD1";
    EXPECT_TRUE(Text::isValidCp949(hangulOnly));
    EXPECT_FALSE(Text::isValidCp949(hangulOnly.substr(1)));
}

// Text fed in pieces is judged and converted as the whole text is, wherever the pieces are cut.
TEST(Text, PiecesCutAnywhereGiveTheWholeResult)
{
    const std::string cp949 = "\xC7\xD1\xB1\xDB a\x81\x41\r\n\xC7";
    const std::string utf8 = "a\xC3\xA9\xED\x95\x9C\xF0\x9F\x98\x80z\xED\x95";
    for (const auto &[text, encoding] : {std::pair{cp949, Text::StreamValidator::Encoding::cp949},
                                         std::pair{utf8, Text::StreamValidator::Encoding::utf8}}) {
        for (std::size_t end = 0; end <= text.size(); ++end) {
            const std::string whole = text.substr(0, end);
            const bool valid = encoding == Text::StreamValidator::Encoding::utf8 ? Text::isValidUtf8(whole)
                                                                                 : Text::isValidCp949(whole);
            for (std::size_t cut = 0; cut <= end; ++cut) {
                Text::StreamValidator check(encoding);
                check.feed(whole.substr(0, cut));
                check.feed(whole.substr(cut));
                EXPECT_EQ(check.valid(), valid) << end << " " << cut;
            }
            Text::StreamValidator bytewise(encoding);
            for (char c : whole)
                bytewise.feed(std::string_view(&c, 1));
            EXPECT_EQ(bytewise.valid(), valid) << end;
        }
    }

    const std::string korean = "\xC7\xD1\xB1\xDB x\r\n\xB1\xDB";
    const std::string expected = *Text::decodeCp949(korean);
    for (std::size_t cut = 0; cut <= korean.size(); ++cut) {
        Text::Cp949Converter decoder(Text::Cp949Converter::Direction::decode);
        std::string out;
        ASSERT_TRUE(decoder.feed(korean.substr(0, cut), out));
        ASSERT_TRUE(decoder.feed(korean.substr(cut), out));
        EXPECT_TRUE(decoder.finished());
        EXPECT_EQ(out, expected) << cut;

        Text::Cp949Converter encoder(Text::Cp949Converter::Direction::encode);
        std::string back;
        for (char c : out)
            ASSERT_TRUE(encoder.feed(std::string_view(&c, 1), back));
        EXPECT_TRUE(encoder.finished());
        EXPECT_EQ(back, korean);
    }
    // A character cut off at the end is held back, not converted or lost.
    Text::Cp949Converter decoder(Text::Cp949Converter::Direction::decode);
    std::string out;
    ASSERT_TRUE(decoder.feed("a\xC7", out));
    EXPECT_EQ(out, "a");
    EXPECT_FALSE(decoder.finished());
    // A failure stays a failure.
    Text::Cp949Converter encoder(Text::Cp949Converter::Direction::encode);
    EXPECT_FALSE(encoder.feed("\xF0\x9F\x98\x80", out));
    EXPECT_FALSE(encoder.feed("a", out));
    EXPECT_FALSE(encoder.finished());
}
