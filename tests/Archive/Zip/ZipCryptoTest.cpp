#include "Archive/Zip/ZipCrypto.h"
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"

#include "ZipTestSupport.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

using namespace ZipTest;

namespace {

Bytes pattern(std::size_t n)
{
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = std::uint8_t(i * 7 + 3);
    return b;
}

} // namespace

TEST(ZipCrypto, bothCiphersRoundTripEveryLength)
{
    for (std::size_t n : {0, 1, 15, 16, 17, 1000, 70000}) {
        const Bytes plain = pattern(n);
        const Bytes traditional = ZipWriter::zipCryptoEncrypt(plain, "비밀 pw", 0x5A);
        ASSERT_EQ(traditional.size(), n + 12);
        ZipEntry entry;
        entry.crc = 0x5A000000;
        EXPECT_EQ(ZipReader::zipCryptoDecrypt(traditional, entry, "비밀 pw"), plain) << n;

        const Bytes aes = ZipWriter::aesEncryptPayload(plain, "비밀 pw");
        ASSERT_EQ(aes.size(), n + 28);
        EXPECT_EQ(ZipReader::aesDecrypt(aes, "비밀 pw", 3), plain) << n;
    }
}

TEST(ZipCrypto, equalContentsGetDifferentStoredBytes)
{
    const Bytes plain = pattern(64);
    EXPECT_NE(ZipWriter::zipCryptoEncrypt(plain, "pw", 1), ZipWriter::zipCryptoEncrypt(plain, "pw", 1));
    EXPECT_NE(ZipWriter::aesEncryptPayload(plain, "pw"), ZipWriter::aesEncryptPayload(plain, "pw"));
}

TEST(ZipCrypto, traditionalCheckByteComesFromTimeWithDataDescriptor)
{
    const Bytes stored = ZipWriter::zipCryptoEncrypt(bytes("abc"), "pw", 0x9C);
    ZipEntry entry;
    entry.crc = 0x11223344; // high byte 0x11 would not match
    entry.flags = 0x0009;
    entry.dosTime = 0x9C00;
    EXPECT_EQ(ZipReader::zipCryptoDecrypt(stored, entry, "pw"), bytes("abc"));
    entry.flags = 0x0001;
    expectZipError([&] { ZipReader::zipCryptoDecrypt(stored, entry, "pw"); }, ZipError::Kind::wrongPassword);
    expectZipError([&] { ZipReader::zipCryptoDecrypt(Bytes(11), entry, "pw"); }, ZipError::Kind::corrupted,
                   QStringLiteral("암호 헤더"));
}

TEST(ZipCrypto, aesRefusesWrongPasswordTamperingAndShortData)
{
    const Bytes stored = ZipWriter::aesEncryptPayload(pattern(100), "right");
    expectZipError([&] { ZipReader::aesDecrypt(stored, "wrong", 3); }, ZipError::Kind::wrongPassword);
    Bytes tampered = stored;
    tampered[40] ^= 1;
    expectZipError([&] { ZipReader::aesDecrypt(tampered, "right", 3); }, ZipError::Kind::wrongPassword);

    // Exactly salt, verifier and code: empty data, still verified.
    const Bytes empty = ZipWriter::aesEncryptPayload({}, "right");
    EXPECT_TRUE(ZipReader::aesDecrypt(empty, "right", 3).empty());
    expectZipError([&] { ZipReader::aesDecrypt(empty, "wrong", 3); }, ZipError::Kind::wrongPassword);
    expectZipError([&] { ZipReader::aesDecrypt(Bytes(empty.begin(), empty.end() - 1), "right", 3); },
                   ZipError::Kind::corrupted, QStringLiteral("AES 데이터"));
}

TEST(ZipCrypto, counterIsLittleEndianFromOne)
{
    const Bytes key = pattern(16);
    const Bytes stream = aesCtrApply(Bytes(256 * 16 + 5), key);
    ASSERT_EQ(stream.size(), 256u * 16 + 5);
    auto block = [&](std::array<std::uint8_t, 16> counter) {
        Bytes out(32);
        int n = 0;
        EVP_CIPHER_CTX *ctx = EVP_CIPHER_CTX_new();
        EVP_EncryptInit_ex(ctx, EVP_aes_128_ecb(), nullptr, key.data(), nullptr);
        EVP_CIPHER_CTX_set_padding(ctx, 0);
        EVP_EncryptUpdate(ctx, out.data(), &n, counter.data(), 16);
        EVP_CIPHER_CTX_free(ctx);
        out.resize(16);
        return out;
    };
    EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 16), block({1}));
    EXPECT_EQ(Bytes(stream.begin() + 255 * 16, stream.begin() + 256 * 16), block({0, 1}));
    const Bytes last = block({1, 1});
    EXPECT_EQ(Bytes(stream.begin() + 256 * 16, stream.end()), Bytes(last.begin(), last.begin() + 5));
}

// PBKDF2-HMAC-SHA1 of our own against RFC 6070's vectors, and against OpenSSL's for the shapes
// WinZip AES uses (66 bytes of output) and a password longer than SHA-1's block.
TEST(ZipCrypto, pbkdf2MatchesPublishedVectorsAndOpenSsl)
{
    struct Vector {
        std::string password;
        std::string salt;
        unsigned iterations;
        Bytes expected;
    };
    const Vector vectors[] = {
        {"password", "salt", 1, {0x0c, 0x60, 0xc8, 0x0f, 0x96, 0x1f, 0x0e, 0x71, 0xf3, 0xa9,
                                 0xb5, 0x24, 0xaf, 0x60, 0x12, 0x06, 0x2f, 0xe0, 0x37, 0xa6}},
        {"password", "salt", 2, {0xea, 0x6c, 0x01, 0x4d, 0xc7, 0x2d, 0x6f, 0x8c, 0xcd, 0x1e,
                                 0xd9, 0x2a, 0xce, 0x1d, 0x41, 0xf0, 0xd8, 0xde, 0x89, 0x57}},
        {"password", "salt", 4096, {0x4b, 0x00, 0x79, 0x01, 0xb7, 0x65, 0x48, 0x9a, 0xbe, 0xad,
                                    0x49, 0xd9, 0x26, 0xf7, 0x21, 0xd0, 0x65, 0xa4, 0x29, 0xc1}},
        {"passwordPASSWORDpassword",
         "saltSALTsaltSALTsaltSALTsaltSALTsalt",
         4096,
         {0x3d, 0x2e, 0xec, 0x4f, 0xe4, 0x1c, 0x84, 0x9b, 0x80, 0xc8, 0xd8, 0x36, 0x62,
          0xc0, 0xe4, 0x4a, 0x8b, 0x29, 0x1a, 0x96, 0x4c, 0xf2, 0xf0, 0x70, 0x38}},
        {std::string("pass\0word", 9),
         std::string("sa\0lt", 5),
         4096,
         {0x56, 0xfa, 0x6a, 0xa7, 0x55, 0x48, 0x09, 0x9d, 0xcc, 0x37, 0xd7, 0xf0, 0x34, 0x25, 0xe0, 0xc3}},
    };
    for (const auto &v : vectors) {
        Bytes out(v.expected.size());
        pbkdf2HmacSha1(bytes(v.password), bytes(v.salt), v.iterations, out);
        EXPECT_EQ(out, v.expected) << v.password << " " << v.iterations;
    }

    for (const std::string &password : {std::string(), std::string("한글 암호"), std::string(100, 'p')}) {
        const Bytes salt = pattern(16);
        Bytes ours(66);
        Bytes theirs(66);
        pbkdf2HmacSha1(bytes(password), salt, 1000, ours);
        ASSERT_EQ(PKCS5_PBKDF2_HMAC_SHA1(password.data(), int(password.size()), salt.data(), int(salt.size()),
                                         1000, int(theirs.size()), theirs.data()),
                  1);
        EXPECT_EQ(ours, theirs) << password.size();
    }
}

// The authentication code and the key stream come out the same however the bytes are cut.
TEST(ZipCrypto, macAndCounterModeOverPieces)
{
    const Bytes data = pattern(70000);
    const std::size_t cuts[] = {1, 15, 17, 4096 * 16 + 3, 1000};
    for (const std::size_t keyLength : {0, 20, 64, 65, 100}) {
        const Bytes key = pattern(keyLength + 1);
        const Bytes macKey(key.begin(), key.begin() + std::ptrdiff_t(keyLength));
        std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
        unsigned int length = 0;
        HMAC(EVP_sha1(), macKey.data(), int(macKey.size()), data.data(), data.size(), digest.data(), &length);
        HmacSha1 mac(macKey);
        for (std::size_t pos = 0, i = 0; pos < data.size(); ++i) {
            const std::size_t n = std::min(cuts[i % std::size(cuts)], data.size() - pos);
            mac.update(std::span(data).subspan(pos, n));
            pos += n;
        }
        const auto ours = mac.finish();
        EXPECT_TRUE(std::equal(ours.begin(), ours.end(), digest.begin())) << keyLength;
    }

    const Bytes key = pattern(32);
    const Bytes whole = aesCtrApply(data, key);
    Bytes pieces = data;
    AesCtr ctr(key);
    for (std::size_t pos = 0, i = 0; pos < pieces.size(); ++i) {
        const std::size_t n = std::min(cuts[i % std::size(cuts)], pieces.size() - pos);
        ctr.apply(std::span(pieces).subspan(pos, n));
        pos += n;
    }
    EXPECT_EQ(pieces, whole);
}
