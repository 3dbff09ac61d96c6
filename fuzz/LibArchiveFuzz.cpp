// libFuzzer target: the libarchive bridge lists and extracts whatever libarchive accepts (tar,
// cpio, ar, ISO, compressed streams); every input must end in the bridge's error or in success,
// never in a crash, a hang or a file written outside the folder.
#include "Archive/FormatError.h"
#include "Archive/LibArchive/LibArchive.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const std::filesystem::path &scratch()
{
    static const std::filesystem::path dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "libarchive-fuzz-XXXXXX").native();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The bridge reads archives by path, as libarchive does.
    const std::filesystem::path input = scratch() / "input";
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
    const std::filesystem::path out = scratch() / "out";
    std::filesystem::create_directories(out);
    try {
        // Odd sizes write real paths below the folder; even sizes send the first file to one target.
        if (size % 2 == 1)
            bridge.extract(input, out, true, std::nullopt, std::nullopt, password);
        else
            bridge.extract(input, out, false, std::nullopt, scratch() / "single", password);
    } catch (const FormatError &) {
    }
    std::error_code ec;
    std::filesystem::remove_all(out, ec);
    std::filesystem::remove(scratch() / "single", ec);
    return 0;
}
