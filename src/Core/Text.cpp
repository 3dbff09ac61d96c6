#include "Core/Text.h"

#include <unicode/bytestream.h>
#include <unicode/normalizer2.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace Text {

namespace {

// iconv_open's failure value, (iconv_t)-1 by its interface.
const iconv_t failedOpen = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

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

bool isUtf8Lead(unsigned char b)
{
    return b >= 0xC2 && b <= 0xF4;
}

// -1 when the bytes hold an invalid sequence; else how many bytes at the end begin a character
// that the bytes end before completing (0 to 3).
int checkUtf8(std::string_view s)
{
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        if (n - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, s.data() + i, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const auto b0 = static_cast<unsigned char>(s[i]);
        if (b0 < 0x80) {
            ++i;
            continue;
        }
        char32_t cp;
        const int length = sequenceAt(s, i, cp);
        if (length > 0) {
            i += std::size_t(length);
            continue;
        }
        // A sequence cut by the end of the bytes is open, not invalid.
        return i + std::size_t(-length) == n && isUtf8Lead(b0) ? int(n - i) : -1;
    }
    return 0;
}

// What glibc's CP949 decoder accepts, learnt from the decoder itself once, so that checking a
// text never disagrees with converting it.
struct Cp949Table {
    std::array<std::uint8_t, 256> single{}; // a character by itself
    std::array<std::uint8_t, 256> sync{};   // a character by itself and never a second byte
    // For two bytes, indexed by the second times 256 plus the first (one little-endian load): how
    // far a parse moves from the first (1 or 2), plus 4 when they are invalid.
    std::vector<std::uint8_t> step = std::vector<std::uint8_t>(65536);
};

const Cp949Table &cp949Table()
{
    static const Cp949Table table = [] {
        Cp949Table t;
        iconv_t cd = iconv_open("UTF-8", "CP949");
        auto converts = [&](const char *bytes, std::size_t size) {
            if (cd == failedOpen)
                return false;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char *in = const_cast<char *>(bytes);
            char out[16];
            char *outPtr = out;
            std::size_t inLeft = size, outLeft = sizeof out;
            return iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
        };
        std::vector<std::uint8_t> pair(65536);
        std::array<std::uint8_t, 256> trail{};
        for (unsigned a = 0; a < 256; ++a) {
            const char one[1] = {char(a)};
            t.single[a] = converts(one, 1);
        }
        for (unsigned a = 0; a < 256; ++a) {
            if (t.single[a])
                continue;
            for (unsigned b = 0; b < 256; ++b) {
                const char two[2] = {char(a), char(b)};
                pair[a << 8 | b] = converts(two, 2);
                trail[b] |= pair[a << 8 | b];
            }
        }
        for (unsigned a = 0; a < 256; ++a) {
            t.sync[a] = t.single[a] && !trail[a];
            for (unsigned b = 0; b < 256; ++b) {
                if (t.single[a])
                    t.step[b << 8 | a] = t.single[b] ? 2 : 1;
                else
                    t.step[b << 8 | a] = pair[a << 8 | b] ? 2 : 4 | 2;
            }
        }
        if (cd != failedOpen)
            iconv_close(cd);
        return t;
    }();
    return table;
}

// checkUtf8 for CP949. A long text is split after bytes that always stand alone (space, digits,
// line ends), where a character must begin, and the parts are parsed side by side: the parse of
// one part does not wait for the loads of another, which makes the check several times faster.
int checkCp949(std::string_view s)
{
    const auto &t = cp949Table();
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    const std::size_t n = s.size();
    constexpr std::size_t lanes = 8;
    std::array<std::size_t, lanes + 1> bound{};
    bound[lanes] = n;
    std::size_t found = 1;
    if (n >= 4096) {
        for (; found < lanes; ++found) {
            std::size_t j = std::max(n * found / lanes, bound[found - 1]);
            const std::size_t limit = std::min(n * (found + 1) / lanes, n - 1);
            while (j < limit && !t.sync[p[j]])
                ++j;
            if (j >= limit)
                break;
            bound[found] = j + 1;
        }
    }
    unsigned bad = 0;
    std::array<std::size_t, lanes> at{};
    // A part other than the last ends after a lone byte that is not the text's last, so reading
    // one byte past its parse position stays inside the text.
    auto step = [&](std::size_t lane) {
        std::uint16_t two;
        if constexpr (std::endian::native == std::endian::little)
            std::memcpy(&two, p + at[lane], 2);
        else
            two = std::uint16_t(p[at[lane] + 1] << 8 | p[at[lane]]);
        const unsigned v = t.step[two];
        bad |= v;
        at[lane] += v & 3;
    };
    if (found == lanes) {
        for (std::size_t k = 0; k < lanes; ++k)
            at[k] = bound[k];
        for (;;) {
            bool room = true;
            for (std::size_t k = 0; k < lanes; ++k)
                room &= at[k] + 16 <= bound[k + 1];
            if (!room)
                break;
            for (int round = 0; round < 4; ++round)
                for (std::size_t k = 0; k < lanes; ++k)
                    step(k);
            if (bad & 4)
                return -1;
        }
        for (std::size_t k = 0; k + 1 < lanes; ++k)
            while (at[k] < bound[k + 1])
                step(k);
    } else {
        at[lanes - 1] = 0;
    }
    // The last part (or the whole text) stops before its final byte, which is looked at alone.
    std::size_t &last = at[lanes - 1];
    while (last + 1 < n)
        step(lanes - 1);
    if (bad & 4)
        return -1;
    return last + 1 == n && !t.single[p[n - 1]] ? 1 : 0;
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    return checkUtf8(bytes) == 0;
}

std::size_t openUtf8Tail(std::string_view validUtf8)
{
    for (std::size_t back = 1; back <= 3 && back <= validUtf8.size(); ++back) {
        const auto b = static_cast<unsigned char>(validUtf8[validUtf8.size() - back]);
        if ((b & 0xC0) == 0x80)
            continue;
        const std::size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        return length > back ? back : 0;
    }
    return 0;
}

bool isValidCp949(std::string_view bytes)
{
    return checkCp949(bytes) == 0;
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
    Cp949Converter converter(Cp949Converter::Direction::decode);
    std::string out;
    if (!converter.feed(cp949, out) || !converter.finished())
        return std::nullopt;
    return out;
}

std::optional<std::string> encodeCp949(std::string_view utf8)
{
    if (!isValidUtf8(utf8))
        return std::nullopt;
    Cp949Converter converter(Cp949Converter::Direction::encode);
    std::string out;
    if (!converter.feed(utf8, out) || !converter.finished())
        return std::nullopt;
    return out;
}

void StreamValidator::feed(std::string_view piece)
{
    if (failed_)
        return;
    const auto check = [this](std::string_view bytes) {
        return encoding_ == Encoding::utf8 ? checkUtf8(bytes) : checkCp949(bytes);
    };
    if (carryLength_ > 0) {
        const auto lead = static_cast<unsigned char>(carry_[0]);
        const std::size_t length = encoding_ == Encoding::cp949 ? 2 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::size_t take = std::min(length - carryLength_, piece.size());
        std::memcpy(carry_ + carryLength_, piece.data(), take);
        carryLength_ += take;
        piece.remove_prefix(take);
        if (carryLength_ < length)
            return;
        failed_ = check({carry_, carryLength_}) != 0;
        carryLength_ = 0;
        if (failed_)
            return;
    }
    const int open = check(piece);
    if (open < 0) {
        failed_ = true;
        return;
    }
    carryLength_ = std::size_t(open);
    std::memcpy(carry_, piece.data() + piece.size() - carryLength_, carryLength_);
}

Cp949Converter::Cp949Converter(Direction direction)
    : cd_(direction == Direction::decode ? iconv_open("UTF-8", "CP949") : iconv_open("CP949", "UTF-8"))
{
    failed_ = cd_ == failedOpen;
}

Cp949Converter::~Cp949Converter()
{
    if (cd_ != failedOpen)
        iconv_close(static_cast<iconv_t>(cd_));
}

// Converts what it can; `used` is how much of the input converted. A character cut by the end
// of the input stops it without failing.
bool Cp949Converter::run(const char *input, std::size_t size, std::string &out, std::size_t &used)
{
    char *in = const_cast<char *>(input);
    std::size_t inLeft = size;
    while (inLeft > 0) {
        // CP949 to UTF-8 grows by half at most; a larger need comes back as E2BIG.
        const std::size_t start = out.size();
        const std::size_t room = inLeft + inLeft / 2 + 16;
        out.resize(start + room);
        char *outPtr = out.data() + start;
        std::size_t outLeft = room;
        const std::size_t result = iconv(static_cast<iconv_t>(cd_), &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.resize(std::size_t(outPtr - out.data()));
        if (result != static_cast<std::size_t>(-1) || error == EINVAL)
            break;
        if (error != E2BIG)
            return false;
    }
    used = size - inLeft;
    return true;
}

bool Cp949Converter::feed(std::string_view piece, std::string &out)
{
    if (failed_)
        return false;
    std::size_t used = 0;
    if (carryLength_ > 0) {
        // Complete the held-back character with the first bytes of this piece (a character
        // has at most four bytes, so the carry then always converts or fails).
        const std::size_t take = std::min(piece.size(), sizeof carry_ - carryLength_);
        std::memcpy(carry_ + carryLength_, piece.data(), take);
        const std::size_t joined = carryLength_ + take;
        if (!run(carry_, joined, out, used)) {
            failed_ = true;
            return false;
        }
        if (used < carryLength_) {
            std::memmove(carry_, carry_ + used, joined - used);
            carryLength_ = joined - used;
            return true;
        }
        piece.remove_prefix(used - carryLength_);
        carryLength_ = 0;
    }
    if (!run(piece.data(), piece.size(), out, used)) {
        failed_ = true;
        return false;
    }
    carryLength_ = piece.size() - used;
    if (carryLength_ > 4) { // more than one cut character: cannot happen with a sound decoder
        failed_ = true;
        return false;
    }
    std::memcpy(carry_, piece.data() + used, carryLength_);
    return true;
}

} // namespace Text
