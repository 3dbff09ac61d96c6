#include "Archive/Zip/ZipCrypto.h"

#include "Archive/ZipError.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <sys/random.h>

#include <array>
#include <cerrno>
#include <memory>

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

struct CipherCtxFree {
    void operator()(EVP_CIPHER_CTX *ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

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

void ZipCryptoState::encrypt(std::span<std::uint8_t> bytes)
{
    for (auto &b : bytes) {
        const std::uint8_t p = b;
        b = p ^ streamByte();
        update(p);
    }
}

void ZipCryptoState::decrypt(std::span<std::uint8_t> bytes)
{
    for (auto &b : bytes) {
        const std::uint8_t p = b ^ streamByte();
        b = p;
        update(p);
    }
}

AesKeys deriveAesKeys(const std::string &password, std::span<const std::uint8_t> salt, int keyLength)
{
    if (keyLength <= 0)
        throw ZipError::ioError(QStringLiteral("키 유도 실패"));
    std::vector<std::uint8_t> out(std::size_t(2 * keyLength + 2));
    if (PKCS5_PBKDF2_HMAC_SHA1(password.data(), int(password.size()), salt.data(), int(salt.size()), 1000,
                               int(out.size()), out.data()) != 1)
        throw ZipError::ioError(QStringLiteral("키 유도 실패"));
    AesKeys keys;
    keys.aesKey.assign(out.begin(), out.begin() + keyLength);
    keys.hmacKey.assign(out.begin() + keyLength, out.begin() + 2 * keyLength);
    keys.verifier.assign(out.begin() + 2 * keyLength, out.end());
    return keys;
}

void aesCtrApplyInPlace(std::span<std::uint8_t> bytes, std::span<const std::uint8_t> key)
{
    if (bytes.empty())
        return;
    const auto fail = [] { return ZipError::ioError(QStringLiteral("AES 처리 실패")); };
    const EVP_CIPHER *cipher = ecbFor(key.size());
    if (!cipher)
        throw fail();
    std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree> ctx(EVP_CIPHER_CTX_new());
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), cipher, nullptr, key.data(), nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
        throw fail();

    // Counter blocks are built in batches and encrypted by one ECB call each: the counter is
    // little-endian, which OpenSSL's CTR mode (big-endian) cannot produce.
    constexpr std::size_t batchBlocks = 4096;
    std::vector<std::uint8_t> counters(batchBlocks * 16);
    std::vector<std::uint8_t> stream(batchBlocks * 16);
    std::array<std::uint8_t, 16> counter{};
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t remaining = bytes.size() - pos;
        const std::size_t blocks = std::min(batchBlocks, (remaining + 15) / 16);
        for (std::size_t b = 0; b < blocks; ++b) {
            for (auto &c : counter)
                if (++c != 0)
                    break;
            std::copy(counter.begin(), counter.end(), counters.begin() + std::ptrdiff_t(b * 16));
        }
        int outLength = 0;
        if (EVP_EncryptUpdate(ctx.get(), stream.data(), &outLength, counters.data(), int(blocks * 16)) != 1 ||
            outLength != int(blocks * 16))
            throw fail();
        const std::size_t n = std::min(remaining, blocks * 16);
        std::uint8_t *p = bytes.data() + pos;
        for (std::size_t i = 0; i < n; ++i)
            p[i] ^= stream[i];
        pos += n;
    }
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
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int length = 0;
    static const unsigned char empty = 0;
    if (!HMAC(EVP_sha1(), key.data(), int(key.size()), bytes.empty() ? &empty : bytes.data(), bytes.size(),
              digest.data(), &length) ||
        length < 10)
        throw ZipError::ioError(QStringLiteral("AES 처리 실패"));
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
