// libFuzzer target: listing and extraction of an archive held in memory (read through the same
// bounded, streaming paths as a file) must end in one of the reader's errors or in success, never
// in a crash, a hang or an exhausted memory.
#include "FuzzScratch.h"

#include "Archive/ArchiveInput.h"
#include "Archive/SevenZip/SevenZipReader.h"
#include "Core/FormatError.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const ArchiveInput archive(std::span<const std::uint8_t>(data, size));
    const QString password = QStringLiteral("pw");
    try {
        SevenZipReader::info(archive, password);
    } catch (const FormatError &) {
    }
    const std::filesystem::path out = fuzzScratch() / "out";
    std::filesystem::create_directories(out);
    try {
        // Odd sizes write real paths below the folder; even sizes send every file to one target.
        if (size % 2 == 1)
            SevenZipReader::extract(archive, out, true, std::nullopt, std::nullopt, password);
        else
            SevenZipReader::extract(archive, out, false, std::nullopt, fuzzScratch() / "single", password);
    } catch (const FormatError &) {
    }
    std::error_code ec;
    std::filesystem::remove_all(out, ec);
    // The single target must not exist yet for the next input.
    std::filesystem::remove(fuzzScratch() / "single", ec);
    return 0;
}
