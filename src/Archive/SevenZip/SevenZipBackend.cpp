#include "Archive/SevenZip/SevenZipBackend.h"
#include "Core/AtomicFile.h"

#include "Archive/SevenZip/SevenZipReader.h"
#include "Archive/SevenZip/SevenZipWriter.h"

namespace fs = std::filesystem;

ArchiveBackend::Listing SevenZipBackend::list(const fs::path &archive, const QString &password) const
{
    const SevenZipReader::ArchiveInfo info = SevenZipReader::info(archive, password);
    Listing listing;
    for (const auto &entry : info.entries)
        listing.entries.push_back(
            {entry.name, entry.isDirectory, entry.size, false, info.filesEncrypted && !entry.isDirectory});
    return listing;
}

std::int64_t SevenZipBackend::extract(const fs::path &archive, const ExtractOptions &options) const
{
    return SevenZipReader::extract(archive, options.destination, options.skippingMacJunk,
                                   options.strippingPrefix, options.singleFileTarget, options.password,
                                   options.destinationFolder);
}

void SevenZipBackend::create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                             const CreateOptions &options) const
{
    SevenZipWriter::create(out, sources, options.password, options.hideNames);
}
