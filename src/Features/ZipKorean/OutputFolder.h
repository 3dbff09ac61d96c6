#pragma once

#include "Core/Descriptor.h"

#include <filesystem>
#include <functional>
#include <optional>

// The folder an extraction makes for its result. It is created exclusively at the first free name
// (whatever stands at a name, a symbolic link included, is passed over, never used) and opened at
// once without following a link; unless kept, it goes again with everything in it, which is all
// this extraction wrote, since nobody else could write into it.
class OutputFolder {
public:
    // Runs just before the folder is made at a name (a seam for tests).
    using Hook = std::function<void(const std::filesystem::path &)>;

    // The folder at the first free name for `wanted`; nullopt when every numbered name is taken.
    // Throws ZipError::ioError("폴더 생성 실패: <path>") when it cannot be made or opened.
    static std::optional<OutputFolder> create(const std::filesystem::path &wanted,
                                              const Hook &beforeCreating = {});

    OutputFolder(OutputFolder &&other) noexcept;
    OutputFolder &operator=(OutputFolder &&) = delete;
    OutputFolder(const OutputFolder &) = delete;
    ~OutputFolder();

    const std::filesystem::path &path() const { return path_; }
    // Open on the folder itself (O_DIRECTORY).
    int descriptor() const { return folder_.get(); }
    // The extraction succeeded: the folder stays.
    void keep() { kept_ = true; }

private:
    OutputFolder(Descriptor parent, Descriptor folder, std::filesystem::path path);
    void remove() noexcept;

    Descriptor parent_;
    Descriptor folder_;
    std::filesystem::path path_;
    bool kept_ = false;
};
