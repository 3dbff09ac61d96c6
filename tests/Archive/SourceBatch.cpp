#include "SourceBatch.h"

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

std::vector<ZipWriter::Source> mixed(const TestSupport::TempDir &dir, int textFiles)
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
    for (const auto &name : TestSupport::entriesBelow(root))
        out[name] = std::filesystem::is_directory(root / name) ? "/" : TestSupport::readBytes(root / name);
    return out;
}

} // namespace SourceBatch
