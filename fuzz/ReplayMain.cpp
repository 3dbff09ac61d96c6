// Runs a fuzz target over every file of the folders given, once each: the regression run of the
// committed seeds, built with the test preset's compiler and sanitizers, without libFuzzer.
#include <QCoreApplication>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <langinfo.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char **argv)
{
    // The program's own locale rules: the targets call code that expects a UTF-8 character type.
    if (std::setlocale(LC_ALL, "") == nullptr || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_ALL, "C.UTF-8");
    QCoreApplication app(argc, argv);
    int count = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto &item : std::filesystem::recursive_directory_iterator(argv[i])) {
            if (!item.is_regular_file())
                continue;
            std::ifstream in(item.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
            ++count;
        }
    }
    std::printf("%d inputs\n", count);
    return count > 0 ? 0 : 1;
}
