#pragma once

#include "Archive/ArchiveBackend.h"
#include "Archive/LibArchive/LibArchive.h"

// Tar-family and further formats through the libarchive bridge; creation writes `format`.
class LibArchiveBackend : public ArchiveBackend {
public:
    explicit LibArchiveBackend(LibArchive::WriteFormat format = LibArchive::WriteFormat::tar,
                               const LibArchive &bridge = LibArchive::shared());

    Listing list(const std::filesystem::path &archive, const QString &password) const override;
    std::int64_t extract(const std::filesystem::path &archive, const ExtractOptions &options) const override;
    void create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                const CreateOptions &options) const override;

private:
    LibArchive::WriteFormat format_;
    const LibArchive &bridge_;
};
