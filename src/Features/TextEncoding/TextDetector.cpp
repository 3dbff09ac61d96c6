#include "Features/TextEncoding/TextDetector.h"

#include <cstring>

using DetectedEncoding = TextEncodingEngine::DetectedEncoding;
using LineEndingKind = TextEncodingEngine::LineEndingKind;

void LineEndingScan::feed(std::string_view bytes)
{
    if (bytes.empty())
        return;
    const char *start = bytes.data();
    const char *end = start + bytes.size();
    for (const char *at = start; !(crlf_ && lf_); ++at) {
        at = static_cast<const char *>(std::memchr(at, '\n', std::size_t(end - at)));
        if (at == nullptr)
            break;
        const char before = at == start ? previous_ : at[-1];
        (before == '\r' ? crlf_ : lf_) = true;
    }
    previous_ = bytes.back();
}

LineEndingKind LineEndingScan::kind() const
{
    if (crlf_ && lf_)
        return LineEndingKind::mixed;
    if (crlf_)
        return LineEndingKind::crlf;
    if (lf_)
        return LineEndingKind::lf;
    return LineEndingKind::none;
}

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

} // namespace

void TextDetector::feed(std::string_view piece)
{
    std::string_view body = piece;
    if (form_ == Form::undecided) {
        if (startsWith(piece, "\xFF\xFE") || startsWith(piece, "\xFE\xFF")) {
            form_ = Form::utf16;
            utf16_.emplace(DetectedEncoding::utf16, true);
        } else if (startsWith(piece, "\xEF\xBB\xBF")) {
            form_ = Form::utf8bom;
            body.remove_prefix(3);
        } else {
            form_ = Form::plain;
        }
    }
    if (head_.size() < headSize)
        head_.append(piece.substr(0, headSize - head_.size()));

    if (form_ == Form::utf16) {
        scratch_.clear();
        utf16_->feed(piece, scratch_);
        return;
    }
    if (nul_)
        return;
    if (std::memchr(piece.data(), 0, piece.size()) != nullptr) {
        nul_ = true;
        return;
    }
    lineEndings_.feed(piece);
    if (!utf8_.failed())
        utf8_.feed(body);
    if (form_ == Form::plain && !cp949_.failed())
        cp949_.feed(body);
}

TextDetector::Result TextDetector::finish() const
{
    Result result;
    bool decodes = false;
    if (form_ == Form::utf16) {
        result.encoding = DetectedEncoding::utf16;
        result.lineEnding = LineEndingKind::notApplicable;
        decodes = utf16_->finished();
    } else if (nul_) {
        result.encoding = DetectedEncoding::binary;
        return result;
    } else if (form_ == Form::utf8bom) {
        result.encoding = DetectedEncoding::utf8bom;
        decodes = utf8_.valid();
    } else if (utf8_.valid()) {
        result.encoding = DetectedEncoding::utf8;
        decodes = true;
    } else if (cp949_.valid()) {
        result.encoding = DetectedEncoding::cp949;
        decodes = true;
    }
    if (result.encoding != DetectedEncoding::utf16)
        result.lineEnding = lineEndings_.kind();
    if (decodes) {
        // The head may end inside a character; the decoder leaves that one out.
        TextDecoder decoder(result.encoding, false);
        result.head.emplace();
        decoder.feed(head_, *result.head);
    }
    return result;
}
