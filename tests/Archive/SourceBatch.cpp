#include "SourceBatch.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"

#include <random>

namespace SourceBatch {

namespace {

std::string randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char &c : s)
        c = char(gen());
    return s;
}

} // namespace

std::vector<ZipWriter::Source> mixed(const TestSupport::TempDir &dir, int textFiles, bool entryWithoutData)
{
    std::vector<ZipWriter::Source> sources;
    sources.push_back({"글/", dir.folder("src/글"), true});
    std::mt19937 gen(7);
    for (int i = 0; i < textFiles; ++i) {
        const std::string name = "글/문서 " + std::to_string(i) + ".txt";
        std::string text;
        const int repeats = i < 2 ? 0 : int(gen() % 400);
        for (int r = 0; r < repeats; ++r)
            text += "줄 " + std::to_string(r % 17) + " quillfern\n";
        if (i == 1)
            text = "x";
        sources.push_back({name, dir.file("src/" + name, text), false});
        if (i % 50 == 25) {
            const std::string noise = "noise/" + std::to_string(i) + ".bin";
            sources.push_back(
                {noise, dir.file("src/" + noise, randomBytes(64 << 10 | i, unsigned(i))), false});
        }
        if (i == textFiles / 2) {
            if (entryWithoutData)
                sources.push_back({"no data", std::nullopt, false});
            // Above the bound of every writer's whole-buffer path, so it streams; sparse, so it is
            // made at once.
            const auto large = dir.file("src/large.bin", "start");
            std::filesystem::resize_file(large, std::uintmax_t(25) << 20);
            sources.push_back({"large.bin", large, false});
            sources.push_back({"empty/", std::nullopt, true});
        }
    }
    return sources;
}

std::string addUnreadable(std::vector<ZipWriter::Source> &sources, const TestSupport::TempDir &dir)
{
    const std::string first = "없는 파일.txt";
    sources.insert(sources.begin() + std::ptrdiff_t(sources.size() / 3),
                   ZipWriter::Source{first, dir / "src/missing.txt", false});
    sources.insert(sources.begin() + std::ptrdiff_t(sources.size() * 2 / 3),
                   ZipWriter::Source{"folder as file", dir.folder("src/folder"), false});
    return first;
}

std::vector<ZipWriter::Source> tooLargeFor4MiB(const TestSupport::TempDir &dir)
{
    std::vector<ZipWriter::Source> sources;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "noise " + std::to_string(i) + ".bin";
        sources.push_back({name, dir.file("full/" + name, randomBytes(200 << 10, unsigned(100 + i))), false});
    }
    return sources;
}

std::map<std::string, std::string> contents(const std::filesystem::path &root)
{
    std::map<std::string, std::string> out;
    for (const auto &name : TestSupport::entriesBelow(root)) {
        const auto path = root / name;
        if (std::filesystem::is_directory(path)) {
            out[name] = "/";
        } else if (std::filesystem::file_size(path) < (std::uintmax_t(1) << 20)) {
            out[name] = TestSupport::readBytes(path);
        } else {
            // Large files by size and CRC, which spares copies of them under ThreadSanitizer.
            const auto input = ArchiveInput::open(path);
            std::vector<std::uint8_t> chunk(std::size_t(1) << 20);
            std::uint32_t crc = 0;
            for (std::uint64_t at = 0; at < input.size();) {
                const std::size_t n = input.readAt(at, chunk);
                crc = crc32Update(crc, std::span(chunk).first(n));
                at += n;
            }
            out[name] = std::to_string(input.size()) + " bytes, CRC " + std::to_string(crc);
        }
    }
    return out;
}

} // namespace SourceBatch
