#include "Archive/Zip/ZipCrypto.h"

#include "Archive/ZipError.h"

// SHA-1's low-level calls are deprecated in OpenSSL 3 but remain its only way to start a hash
// from a saved state without an allocation per hash, which PBKDF2's rounds need.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/evp.h>
#include <openssl/sha.h>

#include <sys/random.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace {

// The reflected CRC-32 table the traditional cipher steps its keys with.
const std::array<std::uint32_t, 256> &cryptoCrcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

inline std::uint32_t crcStep(std::uint32_t k, std::uint8_t b)
{
    return cryptoCrcTable()[(k ^ b) & 0xFF] ^ (k >> 8);
}

const EVP_CIPHER *ecbFor(std::size_t keyLength)
{
    switch (keyLength) {
    case 16:
        return EVP_aes_128_ecb();
    case 24:
        return EVP_aes_192_ecb();
    case 32:
        return EVP_aes_256_ecb();
    default:
        return nullptr;
    }
}

} // namespace

ZipCryptoState::ZipCryptoState(const std::string &password)
{
    for (unsigned char c : password)
        update(c);
}

void ZipCryptoState::update(std::uint8_t plain)
{
    key0 = crcStep(key0, plain);
    key1 = (key1 + (key0 & 0xFF)) * 134775813u + 1;
    key2 = crcStep(key2, std::uint8_t(key1 >> 24));
}

std::uint8_t ZipCryptoState::streamByte() const
{
    const std::uint32_t t = (key2 & 0xFFFF) | 2;
    return std::uint8_t(((t * (t ^ 1)) >> 8) & 0xFF);
}

// The key update of update() and the stream byte of streamByte(), on local copies of the keys.
template <bool Encrypting> static void applyTraditional(ZipCryptoState &state, std::span<std::uint8_t> bytes)
{
    const std::uint32_t *table = cryptoCrcTable().data();
    std::uint32_t k0 = state.key0;
    std::uint32_t k1 = state.key1;
    std::uint32_t k2 = state.key2;
    for (auto &b : bytes) {
        const std::uint32_t t = (k2 & 0xFFFF) | 2;
        const auto stream = std::uint8_t((t * (t ^ 1)) >> 8);
        const std::uint8_t plain = Encrypting ? b : std::uint8_t(b ^ stream);
        b ^= stream;
        k0 = table[(k0 ^ plain) & 0xFF] ^ (k0 >> 8);
        k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
        k2 = table[(k2 ^ (k1 >> 24)) & 0xFF] ^ (k2 >> 8);
    }
    state.key0 = k0;
    state.key1 = k1;
    state.key2 = k2;
}

void ZipCryptoState::encrypt(std::span<std::uint8_t> bytes)
{
    applyTraditional<true>(*this, bytes);
}

void ZipCryptoState::decrypt(std::span<std::uint8_t> bytes)
{
    applyTraditional<false>(*this, bytes);
}

namespace {

// HMAC's two padded key blocks, each hashed once: every HMAC under the key starts from these
// states, so a PBKDF2 round costs two SHA-1 compressions and no allocation.
struct Sha1Pads {
    SHA_CTX inner;
    SHA_CTX outer;
};

Sha1Pads makePads(std::span<const std::uint8_t> key)
{
    std::array<std::uint8_t, SHA_CBLOCK> block{};
    if (key.size() > block.size()) {
        SHA_CTX c;
        SHA1_Init(&c);
        SHA1_Update(&c, key.data(), key.size());
        SHA1_Final(block.data(), &c);
    } else if (!key.empty()) {
        std::copy(key.begin(), key.end(), block.begin());
    }
    Sha1Pads pads{};
    std::array<std::uint8_t, SHA_CBLOCK> pad{};
    for (std::size_t i = 0; i < pad.size(); ++i)
        pad[i] = block[i] ^ 0x36;
    SHA1_Init(&pads.inner);
    SHA1_Update(&pads.inner, pad.data(), pad.size());
    for (std::size_t i = 0; i < pad.size(); ++i)
        pad[i] = block[i] ^ 0x5C;
    SHA1_Init(&pads.outer);
    SHA1_Update(&pads.outer, pad.data(), pad.size());
    return pads;
}

void storeDigest(const SHA_CTX &c, std::uint8_t *out)
{
    for (const SHA_LONG h : {c.h0, c.h1, c.h2, c.h3, c.h4}) {
        *out++ = std::uint8_t(h >> 24);
        *out++ = std::uint8_t(h >> 16);
        *out++ = std::uint8_t(h >> 8);
        *out++ = std::uint8_t(h);
    }
}

} // namespace

struct HmacSha1::State {
    Sha1Pads pads;
    SHA_CTX running;
};

HmacSha1::HmacSha1(std::span<const std::uint8_t> key) : state_(std::make_unique<State>())
{
    state_->pads = makePads(key);
    state_->running = state_->pads.inner;
}

HmacSha1::HmacSha1(const HmacSha1 &other) : state_(std::make_unique<State>(*other.state_)) {}

HmacSha1::~HmacSha1() = default;

void HmacSha1::update(std::span<const std::uint8_t> bytes)
{
    SHA1_Update(&state_->running, bytes.data(), bytes.size());
}

std::array<std::uint8_t, 20> HmacSha1::finish()
{
    std::array<std::uint8_t, 20> digest{};
    SHA1_Final(digest.data(), &state_->running);
    SHA_CTX outer = state_->pads.outer;
    SHA1_Update(&outer, digest.data(), digest.size());
    SHA1_Final(digest.data(), &outer);
    return digest;
}

void pbkdf2HmacSha1(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
                    unsigned iterations, std::span<std::uint8_t> out)
{
    const Sha1Pads pads = makePads(password);
    // From the second round on each hash covers a pad block and a 20-byte digest: one final
    // block holding the digest, the 0x80 marker and the length in bits, 84 * 8.
    std::array<std::uint8_t, SHA_CBLOCK> block{};
    block[20] = 0x80;
    block[62] = (84 * 8) >> 8;
    block[63] = (84 * 8) & 0xFF;

    for (std::uint32_t index = 1, done = 0; done < out.size(); ++index) {
        SHA_CTX c = pads.inner;
        const std::array<std::uint8_t, 4> counter{std::uint8_t(index >> 24), std::uint8_t(index >> 16),
                                                  std::uint8_t(index >> 8), std::uint8_t(index)};
        SHA1_Update(&c, salt.data(), salt.size());
        SHA1_Update(&c, counter.data(), counter.size());
        std::array<std::uint8_t, 20> u{};
        SHA1_Final(u.data(), &c);
        c = pads.outer;
        SHA1_Update(&c, u.data(), u.size());
        SHA1_Final(u.data(), &c);
        std::array<std::uint8_t, 20> t = u;
        for (unsigned round = 1; round < iterations; ++round) {
            std::copy(u.begin(), u.end(), block.begin());
            c = pads.inner;
            SHA1_Transform(&c, block.data());
            storeDigest(c, block.data());
            c = pads.outer;
            SHA1_Transform(&c, block.data());
            storeDigest(c, u.data());
            for (std::size_t i = 0; i < t.size(); ++i)
                t[i] ^= u[i];
        }
        const std::size_t n = std::min<std::size_t>(t.size(), out.size() - done);
        std::copy_n(t.begin(), n, out.begin() + std::ptrdiff_t(done));
        done += std::uint32_t(n);
    }
}

AesKeys deriveAesKeys(const std::string &password, std::span<const std::uint8_t> salt, int keyLength)
{
    if (keyLength <= 0)
        throw ZipError::ioError(QStringLiteral("키 유도 실패"));
    std::vector<std::uint8_t> out(std::size_t(2 * keyLength + 2));
    pbkdf2HmacSha1({reinterpret_cast<const std::uint8_t *>(password.data()), password.size()}, salt, 1000,
                   out);
    AesKeys keys;
    const auto length = std::ptrdiff_t(keyLength);
    keys.aesKey.assign(out.begin(), out.begin() + length);
    keys.hmacKey.assign(out.begin() + length, out.begin() + 2 * length);
    keys.verifier.assign(out.begin() + 2 * length, out.end());
    return keys;
}

namespace {

ZipError aesFailed()
{
    return ZipError::ioError(QStringLiteral("AES 처리 실패"));
}

// Key stream made per refill: counter blocks encrypted by one ECB call each batch.
constexpr std::size_t batchBlocks = 4096;

} // namespace

AesCtr::AesCtr(std::span<const std::uint8_t> key)
{
    const EVP_CIPHER *cipher = ecbFor(key.size());
    ctx_ = EVP_CIPHER_CTX_new();
    if (!cipher || !ctx_ || EVP_EncryptInit_ex(ctx_, cipher, nullptr, key.data(), nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx_, 0) != 1) {
        EVP_CIPHER_CTX_free(ctx_);
        throw aesFailed();
    }
}

AesCtr::AesCtr(AesCtr &&other) noexcept
    : ctx_(other.ctx_), counter_(other.counter_), counters_(std::move(other.counters_)),
      stream_(std::move(other.stream_)), streamUsed_(other.streamUsed_), streamLength_(other.streamLength_)
{
    other.ctx_ = nullptr;
}

AesCtr::~AesCtr()
{
    EVP_CIPHER_CTX_free(ctx_);
}

void AesCtr::refill(std::size_t blocks)
{
    // The counter is little-endian, which OpenSSL's CTR mode (big-endian) cannot produce.
    counters_.resize(blocks * 16);
    stream_.resize(std::max(stream_.size(), blocks * 16));
    for (std::size_t b = 0; b < blocks; ++b) {
        for (auto &c : counter_)
            if (++c != 0)
                break;
        std::copy(counter_.begin(), counter_.end(), counters_.begin() + std::ptrdiff_t(b * 16));
    }
    int outLength = 0;
    if (EVP_EncryptUpdate(ctx_, stream_.data(), &outLength, counters_.data(), int(blocks * 16)) != 1 ||
        outLength != int(blocks * 16))
        throw aesFailed();
    streamUsed_ = 0;
    streamLength_ = blocks * 16;
}

void AesCtr::apply(std::span<std::uint8_t> bytes)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (streamUsed_ == streamLength_)
            refill(std::min(batchBlocks, (bytes.size() - pos + 15) / 16));
        const std::size_t n = std::min(bytes.size() - pos, streamLength_ - streamUsed_);
        std::uint8_t *p = bytes.data() + pos;
        const std::uint8_t *k = stream_.data() + streamUsed_;
        for (std::size_t i = 0; i < n; ++i)
            p[i] ^= k[i];
        pos += n;
        streamUsed_ += n;
    }
}

void aesCtrApplyInPlace(std::span<std::uint8_t> bytes, std::span<const std::uint8_t> key)
{
    if (bytes.empty())
        return;
    AesCtr(key).apply(bytes);
}

std::vector<std::uint8_t> aesCtrApply(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> key)
{
    std::vector<std::uint8_t> out(bytes.begin(), bytes.end());
    aesCtrApplyInPlace(out, key);
    return out;
}

std::vector<std::uint8_t> hmacSha1Prefix10(std::span<const std::uint8_t> bytes,
                                           std::span<const std::uint8_t> key)
{
    HmacSha1 mac(key);
    mac.update(bytes);
    const auto digest = mac.finish();
    return {digest.begin(), digest.begin() + 10};
}

void randomBytes(std::span<std::uint8_t> out)
{
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = getrandom(out.data() + done, out.size() - done, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw ZipError::ioError(QStringLiteral("AES 처리 실패"));
        }
        done += std::size_t(n);
    }
}
