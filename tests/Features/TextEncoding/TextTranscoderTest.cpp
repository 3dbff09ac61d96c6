#include "Features/TextEncoding/TextTranscoder.h"
#include "Features/TextEncoding/TextDetector.h"

#include "Core/FileError.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <vector>

using Engine = TextEncodingEngine;
using Detected = Engine::DetectedEncoding;
using Eol = Engine::LineEndingChoice;
using Target = Engine::TargetEncoding;

namespace {

std::string hex(std::string_view bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size())).toHex(' ').toStdString();
}

// The whole text cut in two at every place, and cut into single bytes.
std::vector<std::vector<std::string_view>> cuts(std::string_view text, std::size_t firstAtLeast = 0)
{
    std::vector<std::vector<std::string_view>> result;
    for (std::size_t cut = std::min(firstAtLeast, text.size()); cut <= text.size(); ++cut)
        result.push_back({text.substr(0, cut), text.substr(cut)});
    std::vector<std::string_view> bytes;
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes.push_back(text.substr(i, 1));
    if (firstAtLeast <= 1)
        result.push_back(bytes);
    return result;
}

struct Converted {
    std::string out;
    QString error;
};

Converted transcode(const std::vector<std::string_view> &pieces, Detected from, Eol eol, Target to)
{
    TextTranscoder transcoder(from, eol, to, true);
    Converted result;
    try {
        for (auto piece : pieces)
            transcoder.feed(piece, result.out);
        transcoder.finish(result.out);
    } catch (const FileError &error) {
        result = {{}, error.description()};
    }
    return result;
}

} // namespace

// A character, a byte-order mark or a CR LF cut between two pieces converts as if it were whole.
TEST(TextTranscoder, PiecesCutAnywhereConvertAsTheWhole)
{
    const QString badText = "파일 처리 중 오류가 발생했습니다. (인코딩 해석 실패)";
    const QString noCp949 =
        "파일 처리 중 오류가 발생했습니다. (CP949로 표현할 수 없는 문자가 있습니다 (이모지 등))";
    const struct {
        std::string bytes;
        Detected from;
        Eol eol;
        Target to;
        Converted expected;
    } cases[] = {
        {"\xC7\xD1\r\n\xB1\xDB\ra\r", Detected::cp949, Eol::lf, Target::utf8, {"한\n글\na\n", {}}},
        {"a\rb\nc\r\n\r\n", Detected::cp949, Eol::crlf, Target::utf8, {"a\r\nb\r\nc\r\n\r\n", {}}},
        {"\xC7\xD1\r\n", Detected::cp949, Eol::keep, Target::utf8, {"한\r\n", {}}},
        {"a\r\n한\r", Detected::utf8, Eol::keep, Target::cp949, {"a\r\n\xC7\xD1\r", {}}},
        {"a\r\n한\r", Detected::utf8, Eol::crlf, Target::cp949, {"a\r\n\xC7\xD1\r\n", {}}},
        {"\xEF\xBB\xBF한\r\n😀", Detected::utf8bom, Eol::lf, Target::utf8, {"한\n😀", {}}},
        {std::string("\xFF\xFE\x5C\xD5\x3D\xD8\x00\xDE\r\0\n\0", 12),
         Detected::utf16,
         Eol::lf,
         Target::utf8,
         {"한😀\n", {}}},
        {std::string("\xFE\xFF\xD5\x5C\0\r", 6),
         Detected::utf16,
         Eol::crlf,
         Target::cp949,
         {"\xC7\xD1\r\n", {}}},
        // Failures: a cut character at the end, an odd UTF-16 length, a lone surrogate, no CP949 form.
        {"\xC7\xD1\xC7", Detected::cp949, Eol::lf, Target::utf8, {{}, badText}},
        {std::string("\xFF\xFEx", 3), Detected::utf16, Eol::keep, Target::utf8, {{}, badText}},
        {std::string("\xFF\xFE\x00\xDC", 4), Detected::utf16, Eol::keep, Target::utf8, {{}, badText}},
        {"a\r\n😀", Detected::utf8, Eol::lf, Target::cp949, {{}, noCp949}},
    };
    for (const auto &c : cases) {
        for (const auto &pieces : cuts(c.bytes)) {
            SCOPED_TRACE(hex(c.bytes) + " in " + std::to_string(pieces.size()) + " pieces, first " +
                         std::to_string(pieces[0].size()));
            const auto result = transcode(pieces, c.from, c.eol, c.to);
            EXPECT_EQ(hex(result.out), hex(c.expected.out));
            EXPECT_EQ(result.error, c.expected.error);
        }
    }
}

// The scan's single pass finds the same encoding, line endings and head wherever the file's
// pieces end (after the first three bytes, which the first piece always holds).
TEST(TextDetector, PiecesCutAnywhereGiveTheWholeResult)
{
    const std::string texts[] = {
        "\xC7\xD1\r\n\xB1\xDB\r\n",
        "a\r\nb\r",
        "a\rb\nc",
        "\xEF\xBB\xBF\xED\x95\x9C\r\n",
        "\xEF\xBB\xBF\xC3",
        std::string("\xFF\xFE\x5C\xD5\r\0\n\0", 8),
        std::string("\xFF\xFE\x00\xD8", 4),
        std::string("ab\0c", 4),
        "\xC7\xD1\x80",
    };
    for (const auto &text : texts) {
        TextDetector whole;
        whole.feed(text);
        const auto expected = whole.finish();
        EXPECT_EQ(expected.encoding, Engine::detect(text).first) << hex(text);
        EXPECT_EQ(expected.head, Engine::detect(text).second) << hex(text);
        for (const auto &pieces : cuts(text, 3)) {
            SCOPED_TRACE(hex(text) + " cut after " + std::to_string(pieces[0].size()));
            TextDetector detector;
            for (auto piece : pieces)
                detector.feed(piece);
            const auto result = detector.finish();
            EXPECT_EQ(result.encoding, expected.encoding);
            EXPECT_EQ(result.lineEnding, expected.lineEnding);
            EXPECT_EQ(result.head, expected.head);
        }
    }
}

// Only the start of a file is kept for the preview; a first line longer than that still gives the
// preview of the whole line, also when the kept bytes end inside a character.
TEST(TextDetector, LongFirstLineGivesTheWholeLinesPreview)
{
    for (const std::string start : {"", "a", "   "}) {
        std::string text = start;
        while (text.size() < TextDetector::headSize + 100)
            text += "\xC7\xD1\xB1\xDB ";
        text += "\r\nnext";
        TextDetector detector;
        detector.feed(text);
        const auto result = detector.finish();
        ASSERT_EQ(result.encoding, Detected::cp949);
        ASSERT_TRUE(result.head);
        const auto whole = *Engine::decode(text, Detected::cp949);
        EXPECT_LT(result.head->size(), whole.size());
        EXPECT_TRUE(whole.starts_with(*result.head));
        EXPECT_EQ(Engine::previewLine(*result.head), Engine::previewLine(whole));
    }
}
