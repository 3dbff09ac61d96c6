#include "Archive/LibArchive/LibArchiveBackend.h"
#include "Core/AtomicFile.h"

namespace fs = std::filesystem;

LibArchiveBackend::LibArchiveBackend(LibArchive::WriteFormat format, const LibArchive &bridge)
    : format_(format), bridge_(bridge)
{
}

ArchiveBackend::Listing LibArchiveBackend::list(const fs::path &archive, const QString &password) const
{
    Listing listing;
    for (const auto &item : bridge_.listEntries(archive, password))
        listing.entries.push_back({item.name, item.isDirectory, item.size, false, false});
    return listing;
}

std::int64_t LibArchiveBackend::extract(const fs::path &archive, const ExtractOptions &options) const
{
    return bridge_.extract(archive, options.destination, options.skippingMacJunk, options.strippingPrefix,
                           options.singleFileTarget, options.password, options.destinationFolder);
}

void LibArchiveBackend::create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                               const CreateOptions &) const
{
    bridge_.createArchive(out, sources, format_);
}
