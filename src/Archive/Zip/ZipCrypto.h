#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The traditional PKWARE stream cipher and the WinZip AES building blocks.

struct evp_cipher_ctx_st; // OpenSSL's EVP_CIPHER_CTX

// State of the traditional cipher, keyed by the password's UTF-8 bytes.
struct ZipCryptoState {
    std::uint32_t key0 = 0x12345678;
    std::uint32_t key1 = 0x23456789;
    std::uint32_t key2 = 0x34567890;

    explicit ZipCryptoState(const std::string &password);

    void update(std::uint8_t plain);
    std::uint8_t streamByte() const;
    void encrypt(std::span<std::uint8_t> bytes);
    void decrypt(std::span<std::uint8_t> bytes);
};

struct AesKeys {
    std::vector<std::uint8_t> aesKey;
    std::vector<std::uint8_t> hmacKey;
    std::vector<std::uint8_t> verifier; // 2 bytes
};

// PBKDF2-HMAC-SHA1, 1000 rounds, 2k + 2 bytes split into AES key, HMAC key and verifier.
// Throws ZipError::ioError("키 유도 실패").
AesKeys deriveAesKeys(const std::string &password, std::span<const std::uint8_t> salt, int keyLength);

// PBKDF2-HMAC-SHA1 (RFC 8018) into `out`.
void pbkdf2HmacSha1(std::span<const std::uint8_t> password, std::span<const std::uint8_t> salt,
                    unsigned iterations, std::span<std::uint8_t> out);

// HMAC-SHA1 over bytes that arrive in pieces.
class HmacSha1 {
public:
    explicit HmacSha1(std::span<const std::uint8_t> key);
    HmacSha1(const HmacSha1 &other);
    HmacSha1 &operator=(const HmacSha1 &) = delete;
    ~HmacSha1();

    void update(std::span<const std::uint8_t> bytes);
    std::array<std::uint8_t, 20> finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// AES in counter mode with WinZip's little-endian counter starting at 1, over bytes that arrive
// in pieces of any length; encrypts and decrypts. Throws ZipError::ioError("AES 처리 실패").
class AesCtr {
public:
    explicit AesCtr(std::span<const std::uint8_t> key);
    AesCtr(AesCtr &&other) noexcept;
    AesCtr &operator=(AesCtr &&) = delete;
    ~AesCtr();

    void apply(std::span<std::uint8_t> bytes);

private:
    void refill(std::size_t blocks);

    evp_cipher_ctx_st *ctx_ = nullptr;
    std::array<std::uint8_t, 16> counter_{};
    std::vector<std::uint8_t> counters_;
    std::vector<std::uint8_t> stream_;
    std::size_t streamUsed_ = 0;
    std::size_t streamLength_ = 0;
};

std::vector<std::uint8_t> aesCtrApply(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> key);
void aesCtrApplyInPlace(std::span<std::uint8_t> bytes, std::span<const std::uint8_t> key);

// The first 10 bytes of HMAC-SHA1 of the bytes under the key.
std::vector<std::uint8_t> hmacSha1Prefix10(std::span<const std::uint8_t> bytes,
                                           std::span<const std::uint8_t> key);

// Fills the buffer with random bytes from the kernel.
void randomBytes(std::span<std::uint8_t> out);
