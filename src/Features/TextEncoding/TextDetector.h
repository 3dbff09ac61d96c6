#pragma once

#include "Core/Text.h"
#include "Features/TextEncoding/TextEncodingEngine.h"
#include "Features/TextEncoding/TextTranscoder.h"

#include <optional>
#include <string>
#include <string_view>

// Finds which line ends bytes use, the bytes arriving in pieces (a CR LF may be cut between
// two): an LF after a CR marks a CR LF, any other LF a lone LF; a lone CR counts as nothing.
class LineEndingScan {
public:
    void feed(std::string_view bytes);
    TextEncodingEngine::LineEndingKind kind() const;

private:
    bool crlf_ = false;
    bool lf_ = false;
    char previous_ = 0;
};

// The scan's look at one file in a single pass over its bytes, which arrive in pieces: the
// encoding, the line endings and the start of the text for the preview. The first piece holds
// the first three bytes, or all of a shorter text.
class TextDetector {
public:
    // Bytes kept from the start for the preview: its 50 characters and any white space before
    // them lie within them in any ordinary text.
    static constexpr std::size_t headSize = std::size_t(64) << 10;

    struct Result {
        TextEncodingEngine::DetectedEncoding encoding = TextEncodingEngine::DetectedEncoding::unknown;
        TextEncodingEngine::LineEndingKind lineEnding = TextEncodingEngine::LineEndingKind::none;
        // The text of the first bytes, or nullopt where the text as a whole does not decode.
        std::optional<std::string> head;
    };

    void feed(std::string_view piece);
    // A NUL byte made the text binary: nothing that follows can change the result.
    bool settled() const { return form_ != Form::utf16 && nul_; }
    Result finish() const;

private:
    enum class Form { undecided, utf16, utf8bom, plain };

    Form form_ = Form::undecided;
    bool nul_ = false;
    std::string head_;
    LineEndingScan lineEndings_;
    Text::StreamValidator utf8_{Text::StreamValidator::Encoding::utf8};
    Text::StreamValidator cp949_{Text::StreamValidator::Encoding::cp949};
    std::optional<TextDecoder> utf16_;
    std::string scratch_;
};
