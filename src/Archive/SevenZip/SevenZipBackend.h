#pragma once

#include "Archive/ArchiveBackend.h"

// 7z through the reader of our own, and the encrypted writer of our own (an archive without a
// password is written by the libarchive bridge).
class SevenZipBackend : public ArchiveBackend {
public:
    Listing list(const std::filesystem::path &archive, const QString &password) const override;
    std::int64_t extract(const std::filesystem::path &archive, const ExtractOptions &options) const override;
    void create(AtomicFile &out, const std::vector<ZipWriter::Source> &sources,
                const CreateOptions &options) const override;
};
