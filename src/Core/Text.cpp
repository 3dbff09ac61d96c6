#include "Core/Text.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace Text {

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or the length of its maximal ill-formed
// subpart as a negative number (at least 1 byte).
int sequenceAt(std::string_view s, std::size_t i, char32_t &cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    int need;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        need = 1;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        need = 2;
        cp = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        need = 3;
        cp = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return -1;
    }
    for (int k = 1; k <= need; ++k) {
        if (i + std::size_t(k) >= s.size())
            return -k;
        const auto b = static_cast<unsigned char>(s[i + std::size_t(k)]);
        if (b < lo || b > hi)
            return -k;
        lo = 0x80;
        hi = 0xBF;
        cp = (cp << 6) | (b & 0x3F);
    }
    return need + 1;
}

const icu::Normalizer2 *normalizer(bool composed)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *n =
        composed ? icu::Normalizer2::getNFCInstance(status) : icu::Normalizer2::getNFDInstance(status);
    return U_SUCCESS(status) ? n : nullptr;
}

// ICU's UTF-8 entry points: no round trip through UTF-16, and text already normalised is copied
// through in one pass (names are normalised by the million).
std::string normalize(std::string_view utf8, bool composed)
{
    const icu::Normalizer2 *n = normalizer(composed);
    if (n == nullptr || !isValidUtf8(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    icu::StringByteSink<std::string> sink(&out);
    UErrorCode status = U_ZERO_ERROR;
    n->normalizeUTF8(0, icu::StringPiece(utf8.data(), int32_t(utf8.size())), sink, nullptr, status);
    if (U_FAILURE(status))
        return std::string(utf8);
    out.shrink_to_fit(); // names are kept by the million: no spare room in each
    return out;
}

bool isNormalized(std::string_view utf8, bool composed)
{
    const icu::Normalizer2 *n = normalizer(composed);
    if (n == nullptr || !isValidUtf8(utf8))
        return false;
    UErrorCode status = U_ZERO_ERROR;
    const UBool result = n->isNormalizedUTF8(icu::StringPiece(utf8.data(), int32_t(utf8.size())), status);
    return U_SUCCESS(status) && result;
}

// Converts the whole input or fails; a partial conversion is never returned.
std::optional<std::string> convertWhole(const char *to, const char *from, std::string_view input)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    // CP949 to UTF-8 grows at most 1.5x; the loop below grows the buffer if ever needed.
    std::string out(input.size() * 3 / 2 + 16, '\0');
    char *in = const_cast<char *>(input.data());
    std::size_t inLeft = input.size();
    char *outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = true;
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                const std::size_t used = std::size_t(outPtr - out.data());
                out.resize(out.size() * 2);
                outPtr = out.data() + used;
                outLeft = out.size() - used;
                continue;
            }
            ok = false;
            break;
        }
    }
    // Flush any shift state; a stateful encoder could still owe bytes.
    if (ok && iconv(cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        ok = false;
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    out.resize(std::size_t(outPtr - out.data()));
    return out;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const int n = sequenceAt(bytes, i, cp);
        if (n < 0)
            return false;
        i += std::size_t(n);
    }
    return true;
}

std::string toNfc(std::string_view utf8)
{
    return normalize(utf8, true);
}
std::string toNfd(std::string_view utf8)
{
    return normalize(utf8, false);
}
bool isNfc(std::string_view utf8)
{
    return isNormalized(utf8, true);
}
bool isNfd(std::string_view utf8)
{
    return isNormalized(utf8, false);
}

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string lossyUtf8Bytes(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const int n = sequenceAt(bytes, i, cp);
        if (n > 0) {
            out.append(bytes.substr(i, std::size_t(n)));
            i += std::size_t(n);
        } else {
            out.append("\xEF\xBF\xBD");
            i += std::size_t(-n);
        }
    }
    return out;
}

QString lossyUtf8(std::string_view bytes)
{
    return fromUtf8(lossyUtf8Bytes(bytes));
}

std::optional<std::string> decodeCp949(std::string_view cp949)
{
    auto out = convertWhole("UTF-8", "CP949", cp949);
    if (out && !isValidUtf8(*out))
        return std::nullopt;
    return out;
}

std::optional<std::string> encodeCp949(std::string_view utf8)
{
    if (!isValidUtf8(utf8))
        return std::nullopt;
    return convertWhole("CP949", "UTF-8", utf8);
}

} // namespace Text
