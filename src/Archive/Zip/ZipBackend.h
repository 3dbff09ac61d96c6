#pragma once

#include "Archive/ArchiveBackend.h"

// ZIP through the reader and writer of our own.
class ZipBackend : public ArchiveBackend {
public:
    Listing list(const std::filesystem::path &archive, const QString &password) const override;
    std::int64_t extract(const std::filesystem::path &archive, const ExtractOptions &options) const override;
    void create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                const CreateOptions &options) const override;
};
