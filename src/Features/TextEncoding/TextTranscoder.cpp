#include "Features/TextEncoding/TextTranscoder.h"

#include "Core/FileError.h"
#include "Core/Localization.h"

#include <cstdint>

using DetectedEncoding = TextEncodingEngine::DetectedEncoding;
using LineEndingChoice = TextEncodingEngine::LineEndingChoice;

TextDecoder::TextDecoder(DetectedEncoding encoding, bool validate) : encoding_(encoding), validate_(validate)
{
    switch (encoding) {
    case DetectedEncoding::utf8:
        break;
    case DetectedEncoding::utf8bom:
        markLeft_ = 3;
        break;
    case DetectedEncoding::utf16:
        markLeft_ = 2;
        break;
    case DetectedEncoding::cp949:
        cp949_.emplace(Text::Cp949Converter::Direction::decode);
        break;
    case DetectedEncoding::binary:
    case DetectedEncoding::unknown:
        failed_ = true;
        break;
    }
}

bool TextDecoder::feed(std::string_view piece, std::string &out)
{
    if (failed_)
        return false;
    if (cp949_) {
        failed_ = !cp949_->feed(piece, out);
        return !failed_;
    }
    if (encoding_ == DetectedEncoding::utf16)
        return feedUtf16(piece, out);

    // UTF-8, after its byte-order mark (EF BB BF) when it has one.
    while (markLeft_ > 0 && !piece.empty()) {
        static constexpr char mark[] = "\xEF\xBB\xBF";
        if (piece.front() != mark[3 - markLeft_]) {
            failed_ = true;
            return false;
        }
        --markLeft_;
        piece.remove_prefix(1);
    }
    if (validate_) {
        utf8_.feed(piece);
        if (utf8_.failed()) {
            failed_ = true;
            return false;
        }
    }
    const std::size_t start = out.size();
    out += held_;
    out += piece;
    const std::size_t open = Text::openUtf8Tail(std::string_view(out).substr(start));
    held_.assign(out, out.size() - open, open);
    out.resize(out.size() - open);
    return true;
}

bool TextDecoder::feedUtf16(std::string_view piece, std::string &out)
{
    // The mark says the byte order: FF FE little-endian, FE FF big-endian.
    while (markLeft_ > 0 && !piece.empty()) {
        held_ += piece.front();
        piece.remove_prefix(1);
        if (--markLeft_ > 0)
            continue;
        const auto first = std::uint8_t(held_[0]), second = std::uint8_t(held_[1]);
        held_.clear();
        if ((first != 0xFF || second != 0xFE) && (first != 0xFE || second != 0xFF)) {
            failed_ = true;
            return false;
        }
        littleEndian_ = first == 0xFF;
    }
    auto take = [&](std::uint8_t a, std::uint8_t b) {
        const auto unit = littleEndian_ ? char16_t(a | (b << 8)) : char16_t((a << 8) | b);
        if (highSurrogate_ != 0) {
            if (unit < 0xDC00 || unit > 0xDFFF)
                return false;
            Text::appendUtf8(out, 0x10000 + ((char32_t(highSurrogate_) - 0xD800) << 10) +
                                      (char32_t(unit) - 0xDC00));
            highSurrogate_ = 0;
        } else if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return false;
        } else {
            Text::appendUtf8(out, unit);
        }
        return true;
    };
    std::size_t i = 0;
    if (!held_.empty() && !piece.empty()) {
        const auto a = std::uint8_t(held_[0]);
        held_.clear();
        if (!take(a, std::uint8_t(piece[0]))) {
            failed_ = true;
            return false;
        }
        i = 1;
    }
    for (; i + 1 < piece.size(); i += 2) {
        if (!take(std::uint8_t(piece[i]), std::uint8_t(piece[i + 1]))) {
            failed_ = true;
            return false;
        }
    }
    if (i < piece.size())
        held_ += piece[i];
    return true;
}

bool TextDecoder::finished() const
{
    if (failed_ || markLeft_ > 0 || !held_.empty() || highSurrogate_ != 0)
        return false;
    if (cp949_)
        return cp949_->finished();
    return !validate_ || encoding_ == DetectedEncoding::utf16 || utf8_.valid();
}

void LineEndingRewriter::lineEnd(std::string &out) const
{
    if (choice_ == LineEndingChoice::crlf)
        out += '\r';
    out += '\n';
}

void LineEndingRewriter::feed(std::string_view text, std::string &out)
{
    if (choice_ == LineEndingChoice::keep) {
        out += text;
        return;
    }
    std::size_t i = 0;
    // A CR that ended the last piece: one line end, together with an LF that may begin this one.
    if (pendingCr_ && !text.empty()) {
        pendingCr_ = false;
        lineEnd(out);
        if (text.front() == '\n')
            i = 1;
    }
    while (i < text.size()) {
        std::size_t run = i;
        while (run < text.size() && text[run] != '\r' && text[run] != '\n')
            ++run;
        out.append(text, i, run - i);
        if (run == text.size())
            break;
        if (text[run] == '\r') {
            if (run + 1 == text.size()) {
                pendingCr_ = true;
                break;
            }
            if (text[run + 1] == '\n')
                ++run;
        }
        lineEnd(out);
        i = run + 1;
    }
}

void LineEndingRewriter::finish(std::string &out)
{
    if (pendingCr_)
        lineEnd(out);
    pendingCr_ = false;
}

TextTranscoder::TextTranscoder(DetectedEncoding from, LineEndingChoice lineEnding,
                               TextEncodingEngine::TargetEncoding to, bool validate)
    : decoder_(from, validate), rewriter_(lineEnding), rewrite_(lineEnding != LineEndingChoice::keep)
{
    if (to == TextEncodingEngine::TargetEncoding::cp949)
        encoder_.emplace(Text::Cp949Converter::Direction::encode);
}

void TextTranscoder::decode(std::string_view piece, std::string &out)
{
    if (!decoder_.feed(piece, out))
        throw FileError(L("인코딩 해석 실패"));
}

void TextTranscoder::encode(std::string_view text, std::string &out)
{
    if (!encoder_) {
        out += text;
        return;
    }
    if (!encoder_->feed(text, out))
        throw FileError(L("CP949로 표현할 수 없는 문자가 있습니다 (이모지 등)"));
}

void TextTranscoder::feed(std::string_view piece, std::string &out)
{
    // Each stage writes straight into `out` when it is the last one.
    if (!rewrite_ && !encoder_) {
        decode(piece, out);
        return;
    }
    decoded_.clear();
    decode(piece, decoded_);
    if (!encoder_) {
        rewriter_.feed(decoded_, out);
        return;
    }
    std::string_view text = decoded_;
    if (rewrite_) {
        rewritten_.clear();
        rewriter_.feed(decoded_, rewritten_);
        text = rewritten_;
    }
    encode(text, out);
}

void TextTranscoder::finish(std::string &out)
{
    if (!decoder_.finished())
        throw FileError(L("인코딩 해석 실패"));
    rewritten_.clear();
    rewriter_.finish(rewritten_);
    encode(rewritten_, out);
    if (encoder_ && !encoder_->finished())
        throw FileError(L("CP949로 표현할 수 없는 문자가 있습니다 (이모지 등)"));
}
