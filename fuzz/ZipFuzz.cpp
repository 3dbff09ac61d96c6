// libFuzzer target: listing, reading and extracting arbitrary bytes must end in a ZipError or a
// result, never in a crash, an out-of-bounds access, a large allocation or a file written
// outside the destination.
#include "FuzzScratch.h"

#include "Archive/Zip/ZipReader.h"
#include "Archive/ZipError.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fs::path root = fuzzScratch() / "zip";
    const ArchiveInput archive(std::span<const std::uint8_t>(data, size));
    std::vector<ZipEntry> entries;
    try {
        entries = ZipReader::readEntries(archive);
    } catch (const ZipError &) {
        return 0;
    }
    for (const auto &entry : entries) {
        for (const char *password : {"", "pass1"}) {
            try {
                const auto content = ZipReader::extractData(entry, archive, password);
                // Whatever comes out has exactly the declared size.
                if ((entry.method == 0 || entry.method == 8) && !entry.isEncrypted() &&
                    std::int64_t(content.size()) != entry.uncompressedSize)
                    __builtin_trap();
            } catch (const ZipError &) {
            }
        }
    }

    const fs::path destination = root / "inside" / "destination";
    fs::remove_all(root);
    fs::create_directories(destination);
    try {
        ZipReader::extract(entries, archive, destination, true, std::nullopt, "pass1");
    } catch (const ZipError &) {
    }
    // Nothing may appear beside the destination.
    for (const auto &folder : {root, root / "inside"})
        if (std::distance(fs::directory_iterator(folder), fs::directory_iterator()) != 1)
            __builtin_trap();
    fs::remove_all(root);
    return 0;
}
