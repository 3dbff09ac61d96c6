#include "Archive/SevenZip/SevenZipReader.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/ArchiveInput.h"
#include "Archive/ExtractionFolder.h"
#include "Archive/SevenZip/SevenZipCoders.h"
#include "Archive/SevenZip/SevenZipError.h"
#include "Archive/SevenZip/SevenZipHeader.h"
#include "Core/AtomicFile.h"
#include "Core/Localization.h"
#include "Core/Text.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace SevenZipReader {

namespace {

using SevenZip::ArchiveHeader;
using SevenZip::Bytes;
using SevenZip::FileRecord;
using SevenZip::StreamsData;

// The buffer each file's bytes pass through on their way out.
constexpr std::size_t outputChunk = std::size_t(256) << 10;

ArchiveInfo toInfo(const ArchiveHeader &header)
{
    ArchiveInfo info;
    info.filesEncrypted = header.filesEncrypted;
    info.headerEncrypted = header.headerEncrypted;
    info.entries.reserve(header.entries.size());
    for (const FileRecord &record : header.entries)
        info.entries.push_back({record.name, record.isDirectory, std::int64_t(record.size)});
    return info;
}

ArchiveInput openArchive(const std::filesystem::path &path)
{
    try {
        return ArchiveInput::open(path);
    } catch (const ZipError &) {
        throw SevenZipReadError::corrupted(L("파일 읽기"));
    }
}

// Running out of memory is reported like damage, never as a crash; a file that cannot be written
// is the archive layer's ioError.
template <typename Step> auto guarded(Step step)
{
    try {
        return withinMemory(step, [] { return SevenZipReadError::corrupted(L("메모리 부족")); });
    } catch (const FileError &error) {
        throw ZipError::ioError(error);
    }
}

ArchiveInfo infoOf(const ArchiveInput &input, const QString &password)
{
    SevenZip::KeyCache keys;
    return toInfo(SevenZip::readHeader(input, password, keys));
}

// One extraction: the records in header order, each folder decoded once as its files come.
class Extraction {
public:
    Extraction(const ArchiveInput &input, const std::filesystem::path &to, int destinationFolder,
               bool skippingMacJunk, const std::optional<std::string> &strippingPrefix,
               const std::optional<std::filesystem::path> &singleFileTarget, const QString &password)
        : input_(input), folder_(to, destinationFolder), skippingMacJunk_(skippingMacJunk),
          singleFileTarget_(singleFileTarget), password_(password)
    {
        if (strippingPrefix)
            prefix_ = Text::toNfc(*strippingPrefix);
    }

    std::int64_t run()
    {
        header_ = SevenZip::readHeader(input_, password_, keys_);
        const StreamsData &s = header_.streams;
        // Each folder's first pack stream and first file stream.
        std::uint64_t pack = 0;
        std::uint64_t stream = 0;
        for (std::size_t f = 0; f < s.folders.size(); ++f) {
            firstPack_.push_back(pack);
            firstStream_.push_back(stream);
            pack += s.folders[f].totalIn() - s.folders[f].bindPairs.size();
            stream += s.numUnpackStreams[f];
        }
        // Every name is judged before anything is written, so a refused archive leaves nothing.
        for (const FileRecord &record : header_.entries)
            destination(record);

        std::int64_t written = 0;
        std::uint64_t streamIndex = 0;
        std::size_t folder = 0;
        std::uint64_t offsetInFolder = 0;
        for (const FileRecord &record : header_.entries) {
            const auto parts = destination(record);
            if (!record.hasStream) {
                if (parts && record.isDirectory) {
                    makeFolders(*parts, parts->size());
                } else if (parts) {
                    AtomicFile out = create(*parts);
                    commit(out);
                    ++written;
                }
                continue;
            }
            const std::uint64_t si = streamIndex++;
            // Streams belong to the folders in order; a folder may hold none.
            while (folder < s.folders.size() && si >= firstStream_[folder] + s.numUnpackStreams[folder]) {
                ++folder;
                offsetInFolder = 0;
            }
            if (folder == s.folders.size() || si < firstStream_[folder])
                throw SevenZipReadError::corrupted(L("스트림 매핑"));
            const std::uint64_t at = offsetInFolder;
            const std::uint64_t size = header_.flatSizes[std::size_t(si)];
            offsetInFolder += size;
            if (!parts)
                continue;
            const bool lastInFolder = si + 1 == firstStream_[folder] + s.numUnpackStreams[folder];
            writeStream(folder, at, size, si, lastInFolder, *parts);
            ++written;
        }
        return written;
    }

private:
    // Where a record goes: the path parts below the destination (empty for the single-file
    // target), or nullopt when it is not written. Throws for a name that would leave the
    // destination.
    std::optional<std::vector<std::string>> destination(const FileRecord &record) const
    {
        const std::string name = Text::toNfc(record.name);
        // Extraction never makes a symbolic link: its entry is left out, counted nowhere.
        if ((skippingMacJunk_ && isMacJunk(name)) || record.isSymbolicLink)
            return std::nullopt;
        if (singleFileTarget_) {
            if (!record.hasStream)
                return std::nullopt;
            return std::vector<std::string>();
        }
        const auto rest = belowPrefix(name, prefix_);
        if (!rest)
            return std::nullopt;
        std::vector<std::string> parts = nameParts(*rest);
        if (leavesDestination(*rest, parts))
            throw SevenZipReadError::corrupted(L("잘못된 경로: %@", *rest));
        if (parts.empty())
            return std::nullopt;
        return parts;
    }

    // A folder that cannot be made shows up when its file is written.
    void makeFolders(const std::vector<std::string> &parts, std::size_t count)
    {
        try {
            folder_.makeFolders(std::span(parts).first(count));
        } catch (const ZipError &) {
        }
    }

    // A new file for the record: the single-file target takes the first file without replacing
    // anything that came to stand there, and each later one replaces what this extraction wrote
    // there; any other file takes a free name, never the place of an earlier one.
    AtomicFile create(const std::vector<std::string> &parts)
    {
        if (singleFileTarget_)
            return folder_.replacementForTarget(*singleFileTarget_);
        return folder_.createFree(parts);
    }

    void commit(AtomicFile &out)
    {
        if (singleFileTarget_ && wroteTarget_)
            out.commitReplacing();
        else
            out.commit();
        wroteTarget_ = singleFileTarget_.has_value();
    }

    // Reads exactly into.size() bytes of the open folder.
    void readFolder(std::span<std::uint8_t> into)
    {
        std::size_t done = 0;
        while (done < into.size()) {
            const std::size_t n = folderStream_->read(into.subspan(done));
            if (n == 0) // a file past the end of its folder's output
                throw SevenZipReadError::corrupted(L("범위 초과"));
            done += n;
        }
        folderPosition_ += into.size();
    }

    void openFolder(std::size_t f)
    {
        if (folderStream_ && openFolder_ == f)
            return;
        folderStream_.reset();
        const StreamsData &s = header_.streams;
        const SevenZip::Folder &folder = s.folders[f];
        SevenZip::PackedStreams packed = SevenZip::packedStreams(
            input_, s, header_.packOffsets, firstPack_[f], folder.packedIndices.size(),
            QT_TRANSLATE_NOOP("Quillfern", "데이터 범위"));
        folderStream_ = std::make_unique<SevenZip::FolderStream>(
            folder, std::move(packed.sources), std::move(packed.sizes), password_, keys_, buffers_);
        openFolder_ = f;
        folderPosition_ = 0;
        if (buffer_.empty())
            buffer_.resize(outputChunk);
    }

    void writeStream(std::size_t f, std::uint64_t at, std::uint64_t size, std::uint64_t si, bool lastInFolder,
                     const std::vector<std::string> &parts)
    {
        openFolder(f);
        // Bytes of files that are not written (junk, outside the prefix) are passed over.
        while (folderPosition_ < at)
            readFolder(std::span(buffer_).first(
                std::size_t(std::min<std::uint64_t>(buffer_.size(), at - folderPosition_))));
        AtomicFile out = create(parts);
        std::uint32_t crc = 0;
        for (std::uint64_t left = size; left > 0;) {
            const auto piece =
                std::span(buffer_).first(std::size_t(std::min<std::uint64_t>(buffer_.size(), left)));
            readFolder(piece);
            crc = crc32Update(crc, piece);
            out.write(piece);
            left -= piece.size();
        }
        // The folder's CRC is checked as its last byte passes.
        if (lastInFolder) {
            while (folderStream_->read(buffer_) > 0) {
            }
        }
        const auto &crcs = header_.streams.streamCRCs;
        if (si < crcs.size() && crcs[std::size_t(si)] && crc != *crcs[std::size_t(si)]) {
            if (header_.filesEncrypted)
                throw SevenZipReadError::wrongPassword();
            throw SevenZipReadError::corrupted(L("CRC 불일치"));
        }
        commit(out);
    }

    const ArchiveInput &input_;
    ExtractionFolder folder_;
    bool skippingMacJunk_;
    std::optional<std::string> prefix_;
    const std::optional<std::filesystem::path> &singleFileTarget_;
    bool wroteTarget_ = false;
    const QString &password_;
    SevenZip::KeyCache keys_;
    ArchiveHeader header_;
    std::vector<std::uint64_t> firstPack_;
    std::vector<std::uint64_t> firstStream_;
    SevenZip::BufferPool buffers_; // outlives the folder streams that borrow from it
    std::unique_ptr<SevenZip::FolderStream> folderStream_;
    std::size_t openFolder_ = 0;
    std::uint64_t folderPosition_ = 0;
    Bytes buffer_;
};

} // namespace

std::optional<std::vector<std::string>> pathComponents(std::string_view name,
                                                       const std::optional<std::string> &strippingPrefix)
{
    const auto rest = belowPrefix(name, strippingPrefix);
    if (!rest)
        return std::nullopt;
    std::vector<std::string> parts = nameParts(*rest);
    if (leavesDestination(*rest, parts) || parts.empty())
        return std::nullopt;
    return parts;
}

ArchiveInfo info(const ArchiveInput &archive, const QString &password)
{
    return guarded([&] { return infoOf(archive, password); });
}

ArchiveInfo info(const std::filesystem::path &path, const QString &password)
{
    return guarded([&] { return infoOf(openArchive(path), password); });
}

std::int64_t extract(const ArchiveInput &archive, const std::filesystem::path &to, bool skippingMacJunk,
                     const std::optional<std::string> &strippingPrefix,
                     const std::optional<std::filesystem::path> &singleFileTarget, const QString &password,
                     int destinationFolder)
{
    return guarded([&] {
        return Extraction(archive, to, destinationFolder, skippingMacJunk, strippingPrefix, singleFileTarget,
                          password)
            .run();
    });
}

std::int64_t extract(const std::filesystem::path &path, const std::filesystem::path &to, bool skippingMacJunk,
                     const std::optional<std::string> &strippingPrefix,
                     const std::optional<std::filesystem::path> &singleFileTarget, const QString &password,
                     int destinationFolder)
{
    return guarded([&] {
        const ArchiveInput input = openArchive(path);
        return Extraction(input, to, destinationFolder, skippingMacJunk, strippingPrefix, singleFileTarget,
                          password)
            .run();
    });
}

} // namespace SevenZipReader
