// libFuzzer target: listing and reading every entry of arbitrary bytes must end in a ZipError or
// a result, never in a crash, an out-of-bounds access or a large allocation.
#include "Features/ZipKorean/Zip/ZipReader.h"
#include "Features/ZipKorean/ZipError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> archive(data, size);
    try {
        for (const auto &entry : ZipReader::readEntries(archive)) {
            for (const char *password : {"", "pass1"}) {
                try {
                    const auto content = ZipReader::extractData(entry, archive, password);
                    if (entry.method == 8 && !entry.isEncrypted() &&
                        std::int64_t(content.size()) != entry.uncompressedSize)
                        __builtin_trap();
                } catch (const ZipError &) {
                }
            }
        }
    } catch (const ZipError &) {
    }
    return 0;
}
