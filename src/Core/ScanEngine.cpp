#include "Core/ScanEngine.h"

#include "Core/Notify.h"

ScanEngine::ScanEngine(QObject *parent, Resolve resolve) : QObject(parent), resolve_(resolve) {}

void ScanEngine::addURLs(const std::vector<std::filesystem::path> &urls)
{
    if (ScanSupport::addRoots(scannedRoots_, urls, resolve_))
        emit scannedRootsChanged();
    rescan();
}

void ScanEngine::clear()
{
    Notify::assign(this, scannedRoots_, std::vector<std::filesystem::path>(),
                   &ScanEngine::scannedRootsChanged);
    clearItems();
    emit itemsChanged(); // the rows are assigned anew, which always notifies
    resetCounts();
}

void FileScanEngine::setSkippedCount(std::int64_t value)
{
    Notify::assign(this, skippedCount_, value, &FileScanEngine::skippedCountChanged);
}
