#pragma once

#include "Core/AtomicFile.h"
#include "Core/Descriptor.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The folder an extraction writes into. Every folder and file below it is made relative to its
// descriptor, one component at a time, and no symbolic link is followed on the way: a link
// planted anywhere below the root (by the archive or by anyone else) can never redirect a write.
// Entry paths come in as their components below the root, already checked to stay inside it.
class ExtractionFolder {
public:
    // `descriptor`: the root's open descriptor (kept by the caller); -1 opens `root` by path on
    // first use. `root` names the folder in messages either way.
    explicit ExtractionFolder(std::filesystem::path root, int descriptor = -1);
    ExtractionFolder(const ExtractionFolder &) = delete;
    ExtractionFolder &operator=(const ExtractionFolder &) = delete;

    // Makes the folders parts[0], parts[0]/parts[1], … below the root (an existing folder counts,
    // anything else there fails). Throws ZipError::ioError("폴더 생성 실패: <path>").
    void makeFolders(std::span<const std::string> parts);

    // A new file for the entry at `parts` (its folders made first) at the first free " N" name.
    // A folder that cannot be made or entered throws FileError("쓰기 실패: <path>") naming the file.
    AtomicFile createFree(std::span<const std::string> parts);
    // A hidden new file beside the entry at `parts`, to take its place with commitReplacing().
    AtomicFile replacement(std::span<const std::string> parts);
    // Opens a file written below the root for reading (a link there is refused); -1 on failure.
    Descriptor openForReading(std::span<const std::string> parts);

    // The single-file target of an extraction: in the root under its last component when the
    // root came as a descriptor (the target then lies directly in it), else by its path.
    AtomicFile createTarget(const std::filesystem::path &target);
    AtomicFile replacementForTarget(const std::filesystem::path &target);

    // The path of `parts` below the root, for messages and results.
    std::filesystem::path pathOf(std::span<const std::string> parts) const;

private:
    int rootDescriptor();
    // The descriptor of the folder parts[0, count), made where missing; -1 with errno set.
    int folder(std::span<const std::string> parts, std::size_t count);
    // The folder of the file at `parts`; throws FileError("쓰기 실패: <path>") naming the file.
    int parentOf(std::span<const std::string> parts);

    std::filesystem::path root_;
    int given_ = -1;
    Descriptor opened_;
    // The folders of the last path entered, each open: consecutive entries mostly share them.
    std::vector<std::pair<std::string, Descriptor>> open_;
    std::size_t failedAt_ = 0; // the component a failed folder() stopped at
};
