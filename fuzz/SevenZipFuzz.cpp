// libFuzzer target: listing and extraction of an archive held in memory (read through the same
// bounded, streaming paths as a file) must end in one of the reader's errors or in success, never
// in a crash, a hang or an exhausted memory.
#include "FuzzScratch.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"
#include "Archive/SevenZip/SevenZipReader.h"
#include "Core/FormatError.h"

#include <filesystem>
#include <span>
#include <vector>

namespace {

void readAndExtract(std::span<const std::uint8_t> data)
{
    const ArchiveInput archive(data);
    const QString password = QStringLiteral("pw");
    try {
        SevenZipReader::info(archive, password);
    } catch (const FormatError &) {
    }
    const std::filesystem::path out = fuzzScratch() / "out";
    std::filesystem::create_directories(out);
    try {
        // Odd sizes write real paths below the folder; even sizes send every file to one target.
        if (data.size() % 2 == 1)
            SevenZipReader::extract(archive, out, true, std::nullopt, std::nullopt, password);
        else
            SevenZipReader::extract(archive, out, false, std::nullopt, fuzzScratch() / "single", password);
    } catch (const FormatError &) {
    }
    std::error_code ec;
    std::filesystem::remove_all(out, ec);
    // The single target must not exist yet for the next input.
    std::filesystem::remove(fuzzScratch() / "single", ec);
}

std::uint64_t le64(const std::vector<std::uint8_t> &b, std::size_t at)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | b[at + std::size_t(i)];
    return v;
}

void put32(std::vector<std::uint8_t> &b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    readAndExtract({data, size});
    // Mutations rarely keep the start header's CRCs right, which would leave the header's parser
    // unreached: the same input again with both CRCs made to match.
    if (size < 32)
        return 0;
    std::vector<std::uint8_t> sealed(data, data + size);
    const std::uint64_t offset = le64(sealed, 12);
    const std::uint64_t length = le64(sealed, 20);
    if (offset > size - 32 || length > size - 32 - offset)
        return 0;
    put32(sealed, 28, crc32(std::span(sealed).subspan(32 + std::size_t(offset), std::size_t(length))));
    put32(sealed, 8, crc32(std::span(sealed).subspan(12, 20)));
    readAndExtract(sealed);
    return 0;
}
