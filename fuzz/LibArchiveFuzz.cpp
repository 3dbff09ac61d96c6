// libFuzzer target: the libarchive bridge lists and extracts whatever libarchive accepts (tar,
// cpio, ar, ISO, compressed streams); every input must end in the bridge's error or in success,
// never in a crash, a hang or a file written outside the folder.
#include "FuzzScratch.h"

#include "Archive/LibArchive/LibArchive.h"
#include "Core/Descriptor.h"
#include "Core/FormatError.h"

#include <fcntl.h>

#include <filesystem>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The bridge reads archives by path, as libarchive does.
    const std::filesystem::path input = fuzzScratch() / "input";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char *>(data), std::streamsize(size));
    }
    const LibArchive &bridge = LibArchive::shared();
    const QString password = QStringLiteral("pw");
    try {
        bridge.listEntries(input, password);
    } catch (const FormatError &) {
    }
    const std::filesystem::path out = fuzzScratch() / "out";
    std::filesystem::create_directories(out);
    try {
        // Odd sizes write real paths below the folder (open as a descriptor); even sizes send the
        // first file to one target.
        if (size % 2 == 1) {
            const Descriptor folder(::open(out.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            bridge.extract(input, out, true, std::nullopt, std::nullopt, password, folder.get());
        } else {
            bridge.extract(input, out, false, std::nullopt, fuzzScratch() / "single", password);
        }
    } catch (const FormatError &) {
    }
    std::error_code ec;
    std::filesystem::remove_all(out, ec);
    // The single target must not exist yet for the next input.
    std::filesystem::remove(fuzzScratch() / "single", ec);
    return 0;
}
