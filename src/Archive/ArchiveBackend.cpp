#include "Archive/ArchiveBackend.h"

#include "Core/AtomicFile.h"

void ArchiveBackend::createAt(const std::filesystem::path &at, const std::vector<ZipWriter::Source> &sources,
                              const CreateOptions &options) const
{
    AtomicFile out = AtomicFile::beside(at);
    create(out, sources, options);
    out.commit();
}
