#include "Archive/SevenZip/SevenZipCoders.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Core/Localization.h"

#include <libdeflate.h>
#include <openssl/evp.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace SevenZip {

namespace {

// A folder never holds more streams than this; 7-Zip itself stays far below.
constexpr std::uint64_t maxFolderStreams = 1024;

bool sameId(const Bytes &id, std::span<const std::uint8_t> want)
{
    return id.size() == want.size() && std::equal(id.begin(), id.end(), want.begin());
}

QString hexId(const Bytes &id)
{
    QString hex;
    for (std::uint8_t b : id)
        hex += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
    return hex;
}

SevenZipReadError corruptedMapping()
{
    return SevenZipReadError::corrupted(L("입력 스트림 매핑"));
}

// The graph walk of one folder decode.
class FolderDecoder {
public:
    FolderDecoder(const Folder &folder, const std::vector<ByteView> &packed, const QString &password,
                  KeyCache *keys)
        : folder_(folder), packed_(packed), password_(password), keys_(keys)
    {
        for (const Coder &c : folder.coders)
            if (c.numIn > maxFolderStreams || c.numOut > maxFolderStreams)
                throw SevenZipReadError::corrupted(L("코더 수"));
        if (folder.coders.size() > 8 || folder.totalIn() > maxFolderStreams ||
            folder.totalOut() > maxFolderStreams)
            throw SevenZipReadError::corrupted(L("코더 수"));
        std::uint64_t in = 0;
        for (std::size_t c = 0; c < folder.coders.size(); ++c) {
            firstIn_.push_back(in);
            for (std::uint64_t k = 0; k < folder.coders[c].numOut; ++k)
                outOwner_.push_back(c);
            in += folder.coders[c].numIn;
        }
        state_.assign(outOwner_.size(), State::none);
        fromAes_.assign(outOwner_.size(), false);
    }

    Bytes run()
    {
        const std::uint64_t f = folder_.finalOutIndex();
        bool tainted = false;
        Bytes output = produce(f, tainted);
        if (folder_.crcDefined && crc32(output) != folder_.crc) {
            if (folder_.hasAES())
                throw SevenZipReadError::wrongPassword();
            throw SevenZipReadError::corrupted(L("폴더 CRC"));
        }
        return output;
    }

private:
    enum class State { none, running, done };

    // Runs the coder owning out-stream o; `tainted` tells whether the bytes passed through 7zAES.
    Bytes produce(std::uint64_t o, bool &tainted)
    {
        if (o >= outOwner_.size())
            throw corruptedMapping();
        const std::size_t c = outOwner_[o];
        const Coder &coder = folder_.coders[c];
        if (coder.numIn != 1 || coder.numOut != 1)
            throw SevenZipReadError::unsupported(L("복합 코더"));
        if (o >= folder_.unpackSizes.size())
            throw SevenZipReadError::corrupted(L("범위 초과"));
        if (state_[o] == State::running) // the bind pairs lead back into themselves
            throw corruptedMapping();
        state_[o] = State::running;
        bool inputTainted = false;
        const ByteView input = inputData(firstIn_[c], inputTainted);
        const bool isAes = sameId(coder.id, aesMethodId);
        Bytes output;
        try {
            output = applyCoder(coder, input, folder_.unpackSizes[o], password_, keys_);
        } catch (const SevenZipReadError &error) {
            // Bytes decrypted with a wrong key fail the next coder as garbage.
            if (inputTainted && error.kind() == SevenZipReadError::Kind::corrupted)
                throw SevenZipReadError::wrongPassword();
            throw;
        }
        state_[o] = State::done;
        tainted = inputTainted || isAes;
        fromAes_[o] = tainted;
        return output;
    }

    ByteView inputData(std::uint64_t g, bool &tainted)
    {
        for (const BindPair &pair : folder_.bindPairs) {
            if (pair.inIndex != g)
                continue;
            const std::uint64_t o = pair.outIndex;
            if (o >= outOwner_.size())
                throw corruptedMapping();
            auto cached = cache_.find(o);
            if (cached != cache_.end()) {
                tainted = fromAes_[o];
                return cached->second;
            }
            Bytes produced = produce(o, tainted);
            return cache_.emplace(o, std::move(produced)).first->second;
        }
        auto it = std::find(folder_.packedIndices.begin(), folder_.packedIndices.end(), g);
        if (it == folder_.packedIndices.end())
            throw corruptedMapping();
        const auto position = std::size_t(it - folder_.packedIndices.begin());
        if (position >= packed_.size())
            throw corruptedMapping();
        tainted = false;
        return packed_[position];
    }

    const Folder &folder_;
    const std::vector<ByteView> &packed_;
    const QString &password_;
    KeyCache *keys_;
    std::vector<std::uint64_t> firstIn_;
    std::vector<std::size_t> outOwner_;
    std::vector<State> state_;
    std::vector<bool> fromAes_;
    std::map<std::uint64_t, Bytes> cache_;
};

// liblzma's structures as its ABI fixes them (we declare them instead of including lzma.h).
struct LzmaStream {
    const std::uint8_t *nextIn = nullptr;
    std::size_t availIn = 0;
    std::uint64_t totalIn = 0;
    std::uint8_t *nextOut = nullptr;
    std::size_t availOut = 0;
    std::uint64_t totalOut = 0;
    const void *allocator = nullptr;
    void *internal = nullptr;
    void *reservedPtr[4] = {};
    std::uint64_t reservedInt1 = 0;
    std::uint64_t reservedInt2 = 0;
    std::size_t reservedInt3 = 0;
    std::size_t reservedInt4 = 0;
    int reservedEnum1 = 0;
    int reservedEnum2 = 0;
};

struct LzmaFilter {
    std::uint64_t id;
    void *options;
};

constexpr int lzmaOk = 0;
constexpr int lzmaStreamEnd = 1;
constexpr int lzmaRun = 0;
constexpr int lzmaFinish = 3;
constexpr std::uint32_t lzmaDictSizeMin = 4096;

} // namespace

std::uint64_t Folder::totalIn() const
{
    std::uint64_t sum = 0;
    for (const Coder &c : coders)
        sum += c.numIn;
    return sum;
}

std::uint64_t Folder::totalOut() const
{
    std::uint64_t sum = 0;
    for (const Coder &c : coders)
        sum += c.numOut;
    return sum;
}

bool Folder::hasAES() const
{
    return std::any_of(coders.begin(), coders.end(),
                       [](const Coder &c) { return sameId(c.id, aesMethodId); });
}

std::uint64_t Folder::finalOutIndex() const
{
    const std::uint64_t total = totalOut();
    for (std::uint64_t o = 0; o < total; ++o) {
        bool bound = std::any_of(bindPairs.begin(), bindPairs.end(),
                                 [o](const BindPair &p) { return p.outIndex == o; });
        if (!bound)
            return o;
    }
    return 0;
}

std::array<std::uint8_t, 32> KeyCache::key(const QString &password, ByteView salt, int cyclesPower)
{
    auto id = std::make_tuple(password, Bytes(salt.begin(), salt.end()), cyclesPower);
    auto it = keys_.find(id);
    if (it != keys_.end())
        return it->second;
    auto derived = deriveSevenZipKey(password, salt, cyclesPower);
    keys_.emplace(std::move(id), derived);
    return derived;
}

Bytes decodeFolder(const Folder &folder, const std::vector<ByteView> &packedStreams, const QString &password,
                   KeyCache *keys)
{
    KeyCache local;
    FolderDecoder decoder(folder, packedStreams, password, keys ? keys : &local);
    return decoder.run();
}

Bytes applyCoder(const Coder &coder, ByteView input, std::uint64_t expectedSize, const QString &password,
                 KeyCache *keys)
{
    const Bytes &id = coder.id;
    if (id.empty())
        throw SevenZipReadError::corrupted(L("코더 ID"));
    if (id.size() == 1 && id[0] == 0x00) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(input.size(), expectedSize));
        return Bytes(input.begin(), input.begin() + std::ptrdiff_t(n));
    }
    if (sameId(id, deflateMethodId))
        return rawInflate(input, expectedSize);
    if (id.size() == 1 && id[0] == 0x21)
        return LZMADecoder::shared().decode(input, expectedSize, LZMADecoder::lzma2Filter, coder.props);
    static constexpr std::array<std::uint8_t, 3> lzmaId{0x03, 0x01, 0x01};
    if (sameId(id, lzmaId))
        return LZMADecoder::shared().decode(input, expectedSize, LZMADecoder::lzma1Filter, coder.props);
    if (sameId(id, aesMethodId)) {
        if (password.isEmpty())
            throw SevenZipReadError::passwordRequired();
        const AesParameters params = aesParameters(coder.props, password, keys);
        if (input.size() % 16 != 0)
            throw SevenZipReadError::corrupted(L("AES 블록"));
        Bytes plain = aesCbc(input, params.key, params.iv, CbcOperation::decrypt);
        if (plain.size() > expectedSize)
            plain.resize(std::size_t(expectedSize)); // drops the writer's zero padding
        return plain;
    }
    throw SevenZipReadError::unsupported(
        L("코더 %@ — 7-Zip 기본 설정(LZMA2)으로 다시 압축해 보세요", hexId(id)));
}

Bytes rawInflate(ByteView input, std::uint64_t expectedSize)
{
    if (expectedSize < 1)
        return {};
    // DEFLATE cannot expand more than 1032-fold: a larger claim is damage, not a reason to allocate.
    const std::uint64_t limit = std::uint64_t(input.size()) * 1032 + 1024;
    if (expectedSize > limit || expectedSize > std::numeric_limits<std::size_t>::max() / 2)
        throw SevenZipReadError::corrupted(L("Deflate 해제"));
    std::unique_ptr<libdeflate_decompressor, void (*)(libdeflate_decompressor *)> d(
        libdeflate_alloc_decompressor(), libdeflate_free_decompressor);
    if (!d)
        throw SevenZipReadError::corrupted(L("Deflate 해제"));
    Bytes out(static_cast<std::size_t>(expectedSize));
    std::size_t actual = 0;
    const libdeflate_result r =
        libdeflate_deflate_decompress(d.get(), input.data(), input.size(), out.data(), out.size(), &actual);
    if (r != LIBDEFLATE_SUCCESS || actual != out.size())
        throw SevenZipReadError::corrupted(L("Deflate 해제"));
    return out;
}

LZMADecoder &LZMADecoder::shared()
{
    static LZMADecoder instance("liblzma.so.5");
    return instance;
}

LZMADecoder::LZMADecoder(const char *libraryName)
{
    void *lib = dlopen(libraryName, RTLD_NOW);
    if (!lib)
        return;
    // The library stays loaded for the process.
    propertiesDecode_ = reinterpret_cast<PropertiesDecode>(dlsym(lib, "lzma_properties_decode"));
    rawDecoder_ = reinterpret_cast<RawDecoder>(dlsym(lib, "lzma_raw_decoder"));
    code_ = reinterpret_cast<Code>(dlsym(lib, "lzma_code"));
    end_ = reinterpret_cast<End>(dlsym(lib, "lzma_end"));
}

bool LZMADecoder::available() const
{
    return propertiesDecode_ && rawDecoder_ && code_ && end_;
}

Bytes LZMADecoder::decode(ByteView input, std::uint64_t expectedSize, std::uint64_t filterID,
                          ByteView props) const
{
    if (!available())
        throw SevenZipReadError::unsupported(L("LZMA 라이브러리 없음"));
    if (expectedSize < 1)
        return {};
    if (expectedSize > std::numeric_limits<std::size_t>::max() / 2)
        throw SevenZipReadError::corrupted(L("범위 초과"));

    LzmaFilter filters[2] = {{filterID, nullptr}, {~std::uint64_t(0), nullptr}};
    if (propertiesDecode_(&filters[0], nullptr, props.data(), props.size()) != lzmaOk)
        throw SevenZipReadError::corrupted(L("LZMA 속성"));
    std::unique_ptr<void, void (*)(void *)> options(filters[0].options, std::free);
    // Both LZMA option records begin with the dictionary size; no dictionary need exceed the
    // output, so a header claiming gigabytes cannot make the library allocate them.
    if (filters[0].options) {
        std::uint32_t dict = 0;
        std::memcpy(&dict, filters[0].options, sizeof dict);
        const std::uint64_t enough = std::max<std::uint64_t>(expectedSize, lzmaDictSizeMin);
        if (dict > enough) {
            dict = std::uint32_t(enough);
            std::memcpy(filters[0].options, &dict, sizeof dict);
        }
    }

    LzmaStream stream;
    if (rawDecoder_(&stream, filters) != lzmaOk) {
        end_(&stream);
        throw SevenZipReadError::corrupted(L("LZMA 속성"));
    }
    // The output grows with what is decoded, so a false size claim costs no memory up front.
    Bytes out(std::size_t(std::min<std::uint64_t>(
        expectedSize, std::max<std::uint64_t>(std::uint64_t(input.size()) * 4, 1 << 20))));
    std::size_t produced = 0;
    stream.nextIn = input.data();
    stream.availIn = input.size();
    int action = lzmaRun;
    int result = lzmaOk;
    for (;;) {
        if (produced == out.size()) {
            if (produced == expectedSize)
                break;
            out.resize(std::size_t(std::min<std::uint64_t>(expectedSize, std::uint64_t(out.size()) * 2)));
        }
        stream.nextOut = out.data() + produced;
        stream.availOut = out.size() - produced;
        result = code_(&stream, action);
        produced = out.size() - stream.availOut;
        if (result == lzmaStreamEnd)
            break;
        if (result != lzmaOk)
            break;
        if (stream.availIn == 0)
            action = lzmaFinish;
    }
    end_(&stream);
    // 7-Zip writes LZMA without an end marker: a stream that filled the output is complete,
    // whatever the library says about its end.
    if (produced != expectedSize)
        throw SevenZipReadError::corrupted(L("LZMA 해제 (코드 %lld)", result));
    return out;
}

AesParameters aesParameters(ByteView props, const QString &password, KeyCache *keys)
{
    if (props.empty())
        throw SevenZipReadError::corrupted(L("AES 속성"));
    const std::uint8_t b0 = props[0];
    const int cyclesPower = b0 & 0x3F;
    if (cyclesPower > 24)
        throw SevenZipReadError::unsupported(L("AES 반복 횟수"));
    std::size_t header = 1;
    std::size_t saltSize = 0;
    std::size_t ivSize = 0;
    if ((b0 & 0xC0) != 0) {
        if (props.size() < 2)
            throw SevenZipReadError::corrupted(L("AES 속성"));
        const std::uint8_t b1 = props[1];
        saltSize = (b0 & 0x80) ? (b1 >> 4) + 1 : 0;
        ivSize = (b0 & 0x40) ? (b1 & 0x0F) + 1 : 0;
        header = 2;
    }
    if (props.size() < header + saltSize + ivSize)
        throw SevenZipReadError::corrupted(L("AES 속성 크기"));
    const ByteView salt = props.subspan(header, saltSize);
    AesParameters params;
    params.iv.assign(props.begin() + std::ptrdiff_t(header + saltSize),
                     props.begin() + std::ptrdiff_t(header + saltSize + ivSize));
    params.key =
        keys ? keys->key(password, salt, cyclesPower) : deriveSevenZipKey(password, salt, cyclesPower);
    return params;
}

std::array<std::uint8_t, 32> deriveSevenZipKey(const QString &password, ByteView salt, int cyclesPower)
{
    // One round: salt, password as UTF-16LE, counter as 8 bytes little-endian.
    Bytes round(salt.begin(), salt.end());
    for (char16_t unit : password.toStdU16String()) {
        round.push_back(std::uint8_t(unit & 0xFF));
        round.push_back(std::uint8_t(unit >> 8));
    }
    const std::size_t counterAt = round.size();
    round.resize(round.size() + 8, 0);

    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1)
        throw SevenZipError::cryptoError();
    if (cyclesPower >= 0 && cyclesPower <= 63) {
        const std::uint64_t rounds = std::uint64_t(1) << cyclesPower;
        // Many rounds are fed per call: the hash sees the same bytes, with far fewer calls. The
        // batch holds copies of the round; only their counters change.
        const std::uint64_t perBatch = std::max<std::uint64_t>(1, (64 * 1024) / round.size());
        Bytes batch;
        for (std::uint64_t k = 0; k < std::min(perBatch, rounds); ++k)
            batch.insert(batch.end(), round.begin(), round.end());
        for (std::uint64_t i = 0; i < rounds;) {
            const std::uint64_t count = std::min(perBatch, rounds - i);
            for (std::size_t k = 0; k < count; ++k, ++i) {
                std::uint8_t *at = batch.data() + k * round.size() + counterAt;
                for (int b = 0; b < 8; ++b)
                    at[b] = std::uint8_t(i >> (8 * b));
            }
            if (EVP_DigestUpdate(ctx.get(), batch.data(), std::size_t(count) * round.size()) != 1)
                throw SevenZipError::cryptoError();
        }
    }
    std::array<std::uint8_t, 32> key{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(ctx.get(), key.data(), &length) != 1 || length != key.size())
        throw SevenZipError::cryptoError();
    return key;
}

Bytes aesCbc(ByteView data, ByteView key, ByteView iv, CbcOperation operation)
{
    if (data.size() % 16 != 0)
        throw SevenZipError::cryptoError();
    if (data.empty())
        return {};
    std::array<std::uint8_t, 16> fullIv{};
    std::copy_n(iv.begin(), std::min<std::size_t>(iv.size(), 16), fullIv.begin());
    const EVP_CIPHER *cipher = nullptr;
    switch (key.size()) {
    case 16:
        cipher = EVP_aes_128_cbc();
        break;
    case 24:
        cipher = EVP_aes_192_cbc();
        break;
    case 32:
        cipher = EVP_aes_256_cbc();
        break;
    default:
        throw SevenZipError::cryptoError();
    }
    std::unique_ptr<EVP_CIPHER_CTX, void (*)(EVP_CIPHER_CTX *)> ctx(EVP_CIPHER_CTX_new(),
                                                                    EVP_CIPHER_CTX_free);
    const int enc = operation == CbcOperation::encrypt ? 1 : 0;
    if (!ctx || EVP_CipherInit_ex(ctx.get(), cipher, nullptr, key.data(), fullIv.data(), enc) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1)
        throw SevenZipError::cryptoError();
    Bytes out(data.size());
    std::size_t done = 0;
    constexpr std::size_t chunk = std::size_t(1) << 30; // the library counts in int
    while (done < data.size()) {
        const std::size_t n = std::min(chunk, data.size() - done);
        int moved = 0;
        if (EVP_CipherUpdate(ctx.get(), out.data() + done, &moved, data.data() + done, int(n)) != 1 ||
            std::size_t(moved) != n)
            throw SevenZipError::cryptoError();
        done += n;
    }
    int tail = 0;
    if (EVP_CipherFinal_ex(ctx.get(), out.data() + done, &tail) != 1 || tail != 0)
        throw SevenZipError::cryptoError();
    return out;
}

} // namespace SevenZip
