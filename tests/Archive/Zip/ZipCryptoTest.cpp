#include "Archive/Zip/ZipCrypto.h"
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"

#include "ZipTestSupport.h"

#include <openssl/evp.h>

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
