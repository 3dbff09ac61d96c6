// Creates one archive of every write format in the locale its environment gives it (no UTF-8
// fallback), so a test can show that creation does not depend on the process locale.
// Usage: libarchive_locale_child OUTDIR SOURCEFILE; prints the character set it ran with.
#include "Archive/LibArchive/LibArchive.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <langinfo.h>

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const std::filesystem::path out = argv[1];
    const std::vector<ZipWriter::Source> sources{
        {"한글폴더/", std::nullopt, true},
        {"한글폴더/문서.txt", std::filesystem::path(argv[2]), false},
    };
    const std::pair<LibArchive::WriteFormat, const char *> formats[] = {
        {LibArchive::WriteFormat::sevenZip, "a.7z"},  {LibArchive::WriteFormat::tar, "a.tar"},
        {LibArchive::WriteFormat::tarGz, "a.tar.gz"}, {LibArchive::WriteFormat::tarBz2, "a.tar.bz2"},
        {LibArchive::WriteFormat::tarXz, "a.tar.xz"},
    };
    std::printf("%s\n", nl_langinfo(CODESET));
    try {
        for (const auto &[format, name] : formats)
            LibArchive::shared().createArchive(out / name, sources, format);
    } catch (const LibArchive::ArchiveError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
