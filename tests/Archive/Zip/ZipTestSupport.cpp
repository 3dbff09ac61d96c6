#include "ZipTestSupport.h"

#include "Archive/ArchiveFiles.h"
#include "Core/Text.h"
#include "support/ExpectError.h"

#include <libdeflate.h>

#include <fstream>
#include <iterator>

namespace ZipTest {

Bytes endRecord(std::uint16_t count, std::uint32_t cdSize, std::uint32_t cdOffset,
                std::uint16_t commentLength)
{
    Bytes out;
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, count);
    put16(out, count);
    put32(out, cdSize);
    put32(out, cdOffset);
    put16(out, commentLength);
    return out;
}

Bytes buildZip(const std::vector<RawEntry> &entries, std::optional<std::uint16_t> declaredCount)
{
    Bytes local;
    Bytes central;
    for (const auto &e : entries) {
        const std::uint32_t crc = e.crc.value_or(::crc32(e.data));
        const std::uint32_t csize = e.compressedSize.value_or(std::uint32_t(e.data.size()));
        const std::uint32_t usize = e.uncompressedSize.value_or(std::uint32_t(e.data.size()));
        const std::uint32_t offset = e.localOffset.value_or(std::uint32_t(local.size()));
        auto common = [&](Bytes &out, const Bytes &extra) {
            put16(out, 20);
            put16(out, e.flags);
            put16(out, e.method);
            put16(out, e.time);
            put16(out, 0x5821);
            put32(out, crc);
            put32(out, csize);
            put32(out, usize);
            put16(out, std::uint32_t(e.name.size()));
            put16(out, std::uint32_t(extra.size()));
        };
        put32(local, 0x04034B50);
        common(local, e.centralExtra);
        local.insert(local.end(), e.name.begin(), e.name.end());
        local.insert(local.end(), e.centralExtra.begin(), e.centralExtra.end());
        local.insert(local.end(), e.data.begin(), e.data.end());

        put32(central, 0x02014B50);
        put16(central, e.versionMadeBy);
        common(central, e.centralExtra);
        put16(central, 0);
        put16(central, 0);
        put16(central, 0);
        put32(central, e.externalAttributes);
        put32(central, offset);
        central.insert(central.end(), e.name.begin(), e.name.end());
        central.insert(central.end(), e.centralExtra.begin(), e.centralExtra.end());
    }
    Bytes out = local;
    out.insert(out.end(), central.begin(), central.end());
    const Bytes end = endRecord(declaredCount.value_or(std::uint16_t(entries.size())),
                                std::uint32_t(central.size()), std::uint32_t(local.size()));
    out.insert(out.end(), end.begin(), end.end());
    return out;
}

Bytes rawDeflate(const Bytes &plain)
{
    libdeflate_compressor *c = libdeflate_alloc_compressor(6);
    Bytes out(plain.size() + 1024);
    out.resize(libdeflate_deflate_compress(c, plain.data(), plain.size(), out.data(), out.size()));
    libdeflate_free_compressor(c);
    return out;
}

std::filesystem::path fixture(const std::string &name)
{
    return std::filesystem::path(ZIP_FIXTURES) / name;
}

Bytes readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::map<std::string, std::string> tree(const std::filesystem::path &root)
{
    std::map<std::string, std::string> out;
    for (const auto &item : std::filesystem::recursive_directory_iterator(root)) {
        if (!item.is_regular_file())
            continue;
        std::string rel = std::filesystem::relative(item.path(), root).native();
        if (!Text::isValidUtf8(rel)) {
            if (auto korean = Text::decodeCp949(rel)) {
                rel = *korean;
            } else {
                std::string latin1;
                for (unsigned char c : rel)
                    latin1 += c < 0x80 ? std::string(1, char(c))
                                       : std::string{char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
                rel = latin1;
            }
        }
        const Bytes content = readFile(item.path());
        out[Text::toNfc(rel)] = text(content);
    }
    return out;
}

void expectZipError(const std::function<void()> &call, ZipError::Kind kind, const QString &detail)
{
    TestSupport::expectError<ZipError>(call, kind, detail.isEmpty() ? std::nullopt : std::optional(detail));
}

} // namespace ZipTest
