#include "Archive/Zip/ZipBackend.h"
#include "Core/AtomicFile.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"
#include "Archive/Zip/ZipReader.h"
#include "Archive/Zip/ZipWriter.h"
#include "Core/Text.h"

#include <algorithm>

namespace fs = std::filesystem;

ArchiveBackend::Listing ZipBackend::list(const fs::path &archive, const QString &) const
{
    const ArchiveInput input = ArchiveInput::open(archive);
    Listing listing;
    for (const ZipEntry &entry : ZipReader::readEntries(input)) {
        const bool encrypted = entry.isEncrypted();
        listing.entries.push_back({entry.decodedName, entry.isDirectory, entry.uncompressedSize,
                                   entry.encoding == ZipEntry::NameEncoding::cp949, encrypted});
        // The password is asked for whenever an entry is protected; a wrong one shows on extraction.
        listing.needsPassword = listing.needsPassword || encrypted;
    }
    return listing;
}

std::int64_t ZipBackend::extract(const fs::path &archive, const ExtractOptions &options) const
{
    const ArchiveInput input = ArchiveInput::open(archive);
    const auto entries = ZipReader::readEntries(input);
    const std::string password = Text::utf8(options.password);
    if (options.singleFileTarget) {
        const auto entry = std::find_if(entries.begin(), entries.end(), [&](const ZipEntry &e) {
            return !e.isDirectory && !e.isSymbolicLink &&
                   (!options.skippingMacJunk || !isMacJunk(e.decodedName));
        });
        if (entry == entries.end())
            return 0;
        ZipReader::extractFile(*entry, input, password, *options.singleFileTarget, options.destinationFolder);
        return 1;
    }
    return ZipReader::extract(entries, input, options.destination, options.skippingMacJunk,
                              options.strippingPrefix, password, options.destinationFolder)
        .extracted;
}

void ZipBackend::create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                        const CreateOptions &options) const
{
    const auto encryption = options.password.isEmpty() ? ZipWriter::Encryption::none
                            : options.zipAes256        ? ZipWriter::Encryption::aes256
                                                       : ZipWriter::Encryption::traditional;
    ZipWriter::create(out, sources, Text::utf8(options.password), encryption);
}
