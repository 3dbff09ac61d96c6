#include "Features/ZipKorean/ArchiveFormats.h"

#include "Archive/LibArchive/LibArchiveBackend.h"
#include "Archive/SevenZip/SevenZipBackend.h"
#include "Archive/Zip/ZipBackend.h"
#include "Core/PathExtension.h"

#include <algorithm>
#include <array>
#include <string>

namespace ArchiveFormats {

namespace {

using WF = LibArchive::WriteFormat;

// The extensions (lower case) our own code reads; libarchive claims every other one it names.
struct OwnReader {
    std::string_view extension;
    ReadRoute route;
};
constexpr std::array ownReaders{
    OwnReader{"zip", {Backend::zip, std::nullopt}},
    OwnReader{"7z", {Backend::sevenZip, Backend::libArchive}},
};

constexpr std::array<WriteRoute, 6> writers{{
    {CreateFormat::zip, "zip", "zip", true, Backend::zip, Backend::zip, WF::tar, false},
    {CreateFormat::sevenZip, "sevenZip", "7z", true, Backend::libArchive, Backend::sevenZip, WF::sevenZip,
     true},
    {CreateFormat::tar, "tar", "tar", false, Backend::libArchive, Backend::libArchive, WF::tar, false},
    {CreateFormat::tarGz, "tarGz", "tar.gz", false, Backend::libArchive, Backend::libArchive, WF::tarGz,
     false},
    {CreateFormat::tarBz2, "tarBz2", "tar.bz2", false, Backend::libArchive, Backend::libArchive, WF::tarBz2,
     false},
    {CreateFormat::tarXz, "tarXz", "tar.xz", false, Backend::libArchive, Backend::libArchive, WF::tarXz,
     false},
}};

} // namespace

std::optional<ReadRoute> readRouteOf(const std::filesystem::path &file)
{
    const std::string extension = lowerExtension(file);
    const auto own = std::find_if(ownReaders.begin(), ownReaders.end(),
                                  [&](const OwnReader &row) { return row.extension == extension; });
    if (own != ownReaders.end())
        return own->route;
    if (LibArchive::supportedExtensions().count(extension) != 0)
        return ReadRoute{Backend::libArchive, std::nullopt};
    return std::nullopt;
}

std::span<const WriteRoute> writeRoutes()
{
    return writers;
}

const WriteRoute &writeRouteOf(CreateFormat format)
{
    return *std::find_if(writers.begin(), writers.end(),
                         [&](const WriteRoute &route) { return route.format == format; });
}

Backend writerOf(CreateFormat format, bool withPassword)
{
    const WriteRoute &route = writeRouteOf(format);
    return withPassword && route.supportsPassword ? route.lockedWriter : route.writer;
}

std::unique_ptr<ArchiveBackend> make(Backend backend, LibArchive::WriteFormat format)
{
    switch (backend) {
    case Backend::zip:
        return std::make_unique<ZipBackend>();
    case Backend::sevenZip:
        return std::make_unique<SevenZipBackend>();
    case Backend::libArchive:
        break;
    }
    return std::make_unique<LibArchiveBackend>(format);
}

} // namespace ArchiveFormats
