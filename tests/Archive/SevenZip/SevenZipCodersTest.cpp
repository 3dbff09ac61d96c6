#include "Archive/SevenZip/SevenZipCoders.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "SevenZipFixtures.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>

#include <libdeflate.h>

using namespace SevenZip;
using K = SevenZipReadError::Kind;
using SevenZipTest::expectReadError;

namespace {

Bytes fromHex(const char *text)
{
    const QByteArray raw = QByteArray::fromHex(QByteArray(text));
    return Bytes(raw.begin(), raw.end());
}

Coder coder(Bytes id, Bytes props = {})
{
    Coder c;
    c.id = std::move(id);
    c.props = std::move(props);
    return c;
}

Bytes deflate(const Bytes &data)
{
    libdeflate_compressor *c = libdeflate_alloc_compressor(6);
    Bytes out(data.size() + 64);
    out.resize(libdeflate_deflate_compress(c, data.data(), data.size(), out.data(), out.size()));
    libdeflate_free_compressor(c);
    return out;
}

} // namespace

TEST(SevenZipCoders, CopyAndEmptyOutputs)
{
    const Bytes input{1, 2, 3, 4, 5};
    EXPECT_EQ(applyCoder(coder({0x00}), input, 3, {}), (Bytes{1, 2, 3}));
    EXPECT_TRUE(applyCoder(coder({0x00}), input, 0, {}).empty());
    ASSERT_TRUE(LZMADecoder::shared().available());
    // Expected size 0 needs no decoding, so even garbage properties pass.
    EXPECT_TRUE(applyCoder(coder({0x21}, {0xFF}), input, 0, {}).empty());
    EXPECT_TRUE(rawInflate(input, 0).empty());
}

TEST(SevenZipCoders, MethodIdentifiers)
{
    expectReadError([] { applyCoder(coder({}), {}, 1, {}); }, K::corrupted, QStringLiteral("코더 ID"));
    expectReadError(
        [] {
            applyCoder(coder({0x0A, 0x0B, 0x0C, 0xD0}), {}, 1, {});
        },
        K::unsupported, QStringLiteral("코더 0A0B0CD0 — 7-Zip 기본 설정(LZMA2)으로 다시 압축해 보세요"));
    // IDs compare whole: a longer ID that starts like copy is not copy.
    expectReadError(
        [] {
            applyCoder(coder({0x00, 0x00}), {}, 1, {});
        },
        K::unsupported, QStringLiteral("코더 0000 — 7-Zip 기본 설정(LZMA2)으로 다시 압축해 보세요"));
}

TEST(SevenZipCoders, MissingLzmaLibraryIsUnsupported)
{
    const LZMADecoder missing("libquillfern-no-such-lzma.so.5");
    EXPECT_FALSE(missing.available());
    expectReadError([&] { missing.decode(Bytes{0}, 10, LZMADecoder::lzma2Filter, Bytes{0x18}); },
                    K::unsupported, QStringLiteral("LZMA 라이브러리 없음"));
}

TEST(SevenZipCoders, LzmaErrors)
{
    const auto &lzma = LZMADecoder::shared();
    expectReadError([&] { lzma.decode(Bytes{0}, 10, LZMADecoder::lzma2Filter, Bytes{0x29}); }, K::corrupted,
                    QStringLiteral("LZMA 속성"));
    expectReadError([&] { lzma.decode(Bytes{0}, 10, LZMADecoder::lzma1Filter, Bytes{0x5D}); }, K::corrupted,
                    QStringLiteral("LZMA 속성"));
    // An LZMA2 stream that ends at once has produced nothing of the 10 bytes promised.
    expectReadError([&] { lzma.decode(Bytes{0}, 10, LZMADecoder::lzma2Filter, Bytes{0x18}); }, K::corrupted,
                    QStringLiteral("LZMA 해제 (코드 1)"));
}

TEST(SevenZipCoders, DeflateLengthMustMatch)
{
    const Bytes data(1000, 'a');
    const Bytes packed = deflate(data);
    EXPECT_EQ(rawInflate(packed, 1000), data);
    for (std::uint64_t wrong : {999ULL, 1001ULL, 1ULL << 50})
        expectReadError([&] { rawInflate(packed, wrong); }, K::corrupted, QStringLiteral("Deflate 해제"));
}

TEST(SevenZipCoders, AesProperties)
{
    const QString pw = QStringLiteral("pw");
    // 0x13 alone: no salt and no IV, cycles power 19.
    const auto plain = aesParameters(Bytes{0x13}, pw);
    EXPECT_TRUE(plain.iv.empty());
    EXPECT_EQ(plain.key, deriveSevenZipKey(pw, {}, 19));

    const Bytes props = fromHex("C1 11 AAAA BBBB"); // cycles 1, salt 2 bytes, IV 2 bytes
    const auto both = aesParameters(props, pw);
    EXPECT_EQ(both.iv, (Bytes{0xBB, 0xBB}));
    EXPECT_EQ(both.key, deriveSevenZipKey(pw, Bytes{0xAA, 0xAA}, 1));

    expectReadError([&] { aesParameters({}, pw); }, K::corrupted, QStringLiteral("AES 속성"));
    expectReadError([&] { aesParameters(Bytes{0xC1}, pw); }, K::corrupted, QStringLiteral("AES 속성"));
    expectReadError([&] { aesParameters(Bytes{0x19}, pw); }, K::unsupported, QStringLiteral("AES 반복 횟수"));
    expectReadError([&] { aesParameters(fromHex("C1 11 AAAA BB"), pw); }, K::corrupted,
                    QStringLiteral("AES 속성 크기"));
    expectReadError(
        [&] { applyCoder(coder(Bytes(aesMethodId.begin(), aesMethodId.end()), {0x00}), Bytes(33), 33, pw); },
        K::corrupted, QStringLiteral("AES 블록"));
    expectReadError(
        [&] { applyCoder(coder(Bytes(aesMethodId.begin(), aesMethodId.end()), {0x00}), Bytes(32), 32, {}); },
        K::passwordRequired);
}

TEST(SevenZipCoders, KeyDerivation)
{
    // Power 0: one round, so the key is SHA-256(salt, UTF-16LE password, eight zero bytes).
    const Bytes salt{1, 2, 3};
    QByteArray round("\x01\x02\x03", 3);
    round += QByteArray("\x00\xAC\x61\x00", 4); // "가a" as UTF-16LE
    round += QByteArray(8, '\0');
    const QByteArray expected = QCryptographicHash::hash(round, QCryptographicHash::Sha256);
    const auto key = deriveSevenZipKey(QStringLiteral("가a"), salt, 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(key.data()), 32), expected);

    // Power 2: four rounds with the counter 0..3.
    QByteArray four;
    for (char i = 0; i < 4; ++i)
        four += QByteArray("\x01\x02\x03", 3) + QByteArray("\x00\xAC\x61\x00", 4) + QByteArray(1, i) +
                QByteArray(7, '\0');
    const auto key4 = deriveSevenZipKey(QStringLiteral("가a"), salt, 2);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(key4.data()), 32),
              QCryptographicHash::hash(four, QCryptographicHash::Sha256));
    // A power above 63 feeds nothing.
    EXPECT_EQ(
        QByteArray(reinterpret_cast<const char *>(deriveSevenZipKey(QStringLiteral("x"), salt, 64).data()),
                   32),
        QCryptographicHash::hash(QByteArray(), QCryptographicHash::Sha256));
}

TEST(SevenZipCoders, AesCbcMatchesTheStandardVector)
{
    // NIST SP 800-38A, F.2.5 / F.2.6 (AES-256-CBC), first two blocks.
    const Bytes key = fromHex("603deb1015ca71be2b73aef0857d77811f352c073b6108d72d9810a30914dff4");
    const Bytes iv = fromHex("000102030405060708090a0b0c0d0e0f");
    const Bytes plain = fromHex("6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51");
    const Bytes cipher = fromHex("f58c4c04d6e5f1ba779eabfb5f7bfbd69cfc4e967edb808d679f777bc6702c7d");
    EXPECT_EQ(aesCbc(plain, key, iv, CbcOperation::encrypt), cipher);
    EXPECT_EQ(aesCbc(cipher, key, iv, CbcOperation::decrypt), plain);
    EXPECT_EQ(static_cast<std::uint32_t>(CbcOperation::encrypt), 0u);
    EXPECT_EQ(static_cast<std::uint32_t>(CbcOperation::decrypt), 1u);
    // A short IV is zero-extended.
    EXPECT_EQ(aesCbc(plain, key, Bytes{0x00, 0x01}, CbcOperation::encrypt),
              aesCbc(plain, key, fromHex("00010000000000000000000000000000"), CbcOperation::encrypt));
    EXPECT_THROW(aesCbc(Bytes(17), key, iv, CbcOperation::encrypt), SevenZipError);
}

TEST(SevenZipCoders, DeflateBehindAesFolder)
{
    // The writer's chain: packed -> 7zAES -> Deflate, joined by the bind pair (in 0, out 1).
    Bytes data;
    for (int i = 0; i < 3000; ++i)
        data.push_back(std::uint8_t("quillfern"[i % 9]));
    Bytes packed = deflate(data);
    const std::uint64_t deflated = packed.size();
    packed.resize((packed.size() + 15) / 16 * 16, 0);
    const Bytes salt(16, 0x5A), iv(16, 0x3C);
    const QString pw = QStringLiteral("맞는 암호");
    const Bytes cipher = aesCbc(packed, deriveSevenZipKey(pw, salt, 0), iv, CbcOperation::encrypt);

    Folder folder;
    Bytes props{0xC0, 0xFF};
    props.insert(props.end(), salt.begin(), salt.end());
    props.insert(props.end(), iv.begin(), iv.end());
    folder.coders = {coder(Bytes(deflateMethodId.begin(), deflateMethodId.end())),
                     coder(Bytes(aesMethodId.begin(), aesMethodId.end()), props)};
    folder.bindPairs = {{0, 1}};
    folder.packedIndices = {1};
    folder.unpackSizes = {data.size(), deflated};
    EXPECT_EQ(decodeFolder(folder, {cipher}, pw), data);
    // Garbage from a wrong key fails DEFLATE: that is a wrong password, not damage.
    expectReadError([&] { decodeFolder(folder, {cipher}, QStringLiteral("틀린 암호")); }, K::wrongPassword);
    expectReadError([&] { decodeFolder(folder, {cipher}, {}); }, K::passwordRequired);

    folder.crcDefined = true;
    folder.crc = 0x12345678;
    expectReadError([&] { decodeFolder(folder, {cipher}, pw); }, K::wrongPassword);
}

TEST(SevenZipCoders, FolderGraphFaults)
{
    const Bytes input{7, 8, 9};
    Folder chain;
    chain.coders = {coder({0x00}), coder({0x00})};
    chain.bindPairs = {{0, 1}};
    chain.packedIndices = {1};
    chain.unpackSizes = {3, 3};
    EXPECT_EQ(decodeFolder(chain, {input}, {}), input);

    chain.crcDefined = true;
    chain.crc = 0;
    expectReadError([&] { decodeFolder(chain, {input}, {}); }, K::corrupted, QStringLiteral("폴더 CRC"));

    const QString mapping = QStringLiteral("입력 스트림 매핑");
    Folder cycle;
    cycle.coders = {coder({0x00}), coder({0x00}), coder({0x00})};
    cycle.bindPairs = {{0, 1}, {1, 2}, {2, 1}};
    cycle.unpackSizes = {3, 3, 3};
    expectReadError([&] { decodeFolder(cycle, {input}, {}); }, K::corrupted, mapping);

    Folder unfed = chain;
    unfed.crcDefined = false;
    unfed.packedIndices = {};
    expectReadError([&] { decodeFolder(unfed, {input}, {}); }, K::corrupted, mapping);
    Folder noStream = chain;
    noStream.crcDefined = false;
    expectReadError([&] { decodeFolder(noStream, {}, {}); }, K::corrupted, mapping);
    Folder shortSizes = noStream;
    shortSizes.unpackSizes = {3};
    expectReadError([&] { decodeFolder(shortSizes, {input}, {}); }, K::corrupted,
                    QStringLiteral("범위 초과"));

    Folder complex;
    complex.coders = {coder({0x00})};
    complex.coders[0].numIn = 2;
    complex.packedIndices = {0, 1};
    complex.unpackSizes = {3};
    expectReadError(
        [&] {
            decodeFolder(complex, {input, input}, {});
        },
        K::unsupported, QStringLiteral("복합 코더"));
}
