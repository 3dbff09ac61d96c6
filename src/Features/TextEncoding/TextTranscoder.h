#pragma once

#include "Core/Text.h"
#include "Features/TextEncoding/TextEncodingEngine.h"

#include <optional>
#include <string>
#include <string_view>

// The pieces of the text converter that work on a text arriving in pieces of any size: a
// character, a byte-order mark or a CR LF pair may be cut between two pieces.

// Turns a text in a detected encoding into UTF-8, dropping the byte-order mark of UTF-8 (BOM)
// and UTF-16 texts. A character cut at the end of a piece is held back until the next. With
// `validate` false a UTF-8 text is taken as valid as it stands (the scan checked it and the file
// is unchanged since).
class TextDecoder {
public:
    TextDecoder(TextEncodingEngine::DetectedEncoding encoding, bool validate);

    // Appends the UTF-8 of the whole characters received so far; false once the bytes do not
    // decode.
    bool feed(std::string_view piece, std::string &out);
    // True when everything decoded and ended on a whole character.
    bool finished() const;

private:
    bool feedUtf16(std::string_view piece, std::string &out);

    TextEncodingEngine::DetectedEncoding encoding_;
    bool validate_;
    bool failed_ = false;
    std::size_t markLeft_ = 0; // bytes of the byte-order mark not yet seen
    std::string held_;         // the start of a cut UTF-8 character, or a UTF-16 odd byte
    Text::StreamValidator utf8_{Text::StreamValidator::Encoding::utf8};
    std::optional<Text::Cp949Converter> cp949_;
    bool littleEndian_ = false;
    char16_t highSurrogate_ = 0; // UTF-16: the first half of a pair waiting for its second
};

// Rewrites line ends as chosen: every CR LF, lone CR and lone LF becomes LF, or CR LF for crlf;
// keep copies the text unchanged.
class LineEndingRewriter {
public:
    explicit LineEndingRewriter(TextEncodingEngine::LineEndingChoice choice) : choice_(choice) {}

    void feed(std::string_view text, std::string &out);
    // Ends the text: a CR that was its last byte becomes a line end.
    void finish(std::string &out);

private:
    void lineEnd(std::string &out) const;

    TextEncodingEngine::LineEndingChoice choice_;
    bool pendingCr_ = false;
};

// One file's conversion: decoding, the line-ending rewrite and encoding for the target. Throws
// FileError with the converter's texts when the text does not decode or has a character
// that CP949 cannot hold; nothing it produced before that is of any use then.
class TextTranscoder {
public:
    TextTranscoder(TextEncodingEngine::DetectedEncoding from, TextEncodingEngine::LineEndingChoice lineEnding,
                   TextEncodingEngine::TargetEncoding to, bool validate);

    // Appends the converted bytes of what can be converted so far.
    void feed(std::string_view piece, std::string &out);
    // Ends the text, appending what was held back.
    void finish(std::string &out);

private:
    void decode(std::string_view piece, std::string &out);
    void encode(std::string_view text, std::string &out);

    TextDecoder decoder_;
    LineEndingRewriter rewriter_;
    bool rewrite_;
    std::optional<Text::Cp949Converter> encoder_;
    std::string decoded_;
    std::string rewritten_;
};
