#pragma once

#include "Core/Descriptor.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The one way a file is written: created exclusively (nothing that stands at a name is ever
// replaced by accident), written, and committed; until then a failure or the object's end removes
// it again, so no partial file is ever left under a name the user sees.
//
// beside() writes a hidden file in the target's folder, relative to that folder's descriptor, and
// commit renames it into place with one rename. inPlace() creates the file at its final name at
// once, for entries written into a folder the caller made itself and owns.
//
// Every failure throws FileError("쓰기 실패: <target>") with the C library's error number.
class AtomicFile {
public:
    // A hidden new file in the folder of `target` (mode 0644 before the umask).
    static AtomicFile beside(const std::filesystem::path &target);
    // A new file exactly at `path` (a link standing there is refused).
    static AtomicFile inPlace(const std::filesystem::path &path);
    // A new file at the first free name for `wanted` (the " N" rule), made at once; target() says
    // where it went.
    static AtomicFile inPlaceFree(const std::filesystem::path &wanted);
    // The same three in the folder open as `folder` (a descriptor the caller keeps): the file's
    // name there is the target's last component, and the target names it in errors.
    static AtomicFile beside(int folder, const std::filesystem::path &target);
    static AtomicFile inPlace(int folder, const std::filesystem::path &path);
    static AtomicFile inPlaceFree(int folder, const std::filesystem::path &wanted);

    AtomicFile(AtomicFile &&other) noexcept;
    AtomicFile &operator=(AtomicFile &&) = delete;
    AtomicFile(const AtomicFile &) = delete;
    ~AtomicFile();

    // Where the file is meant to end up: the path named in errors.
    const std::filesystem::path &target() const { return target_; }
    std::uint64_t size() const { return size_; }
    // The open descriptor, for libraries that write through one.
    int descriptor() const { return fd_.get(); }

    void write(std::span<const std::uint8_t> bytes);
    void write(std::string_view bytes);
    // Rewrites bytes written before, such as a header whose sizes become known afterwards.
    void writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    // Cuts the file back to `size` bytes; writing goes on from there.
    void truncate(std::uint64_t size);
    // Gives the file exactly these permission bits (the umask does not apply).
    void setPermissions(unsigned mode);
    // Tells how far the caller's own writes through descriptor() reached.
    void wroteThroughDescriptor(std::uint64_t size) { size_ = size; }

    // Puts the file in place at `target` (or at target() when empty) without replacing anything
    // there. On EEXIST the file stays uncommitted, so another name may be tried.
    void commit(const std::filesystem::path &target = {});
    // Puts the file in place at the first free name for `wanted`; returns that name.
    std::filesystem::path commitFree(const std::filesystem::path &wanted);
    // Puts the file in place at `target` (or target()), replacing what stands there (a file this
    // program made).
    void commitReplacing(const std::filesystem::path &target = {});
    // Removes the file now (the destructor does the same).
    void discard() noexcept;

private:
    AtomicFile(Descriptor fd, Descriptor folder, std::string name, std::filesystem::path target, bool hidden);
    static AtomicFile besideIn(Descriptor folder, const std::filesystem::path &target);
    static AtomicFile inPlaceIn(Descriptor folder, const std::filesystem::path &path);
    [[noreturn]] void fail(int error);
    // Closes the descriptor once, before the first move into place.
    void close();

    Descriptor fd_;
    Descriptor folder_; // the folder holding the file (O_PATH)
    std::string name_;  // the file's current name in that folder
    std::filesystem::path target_;
    bool hidden_ = false;
    bool pending_ = true; // removed at the end unless committed
    std::uint64_t size_ = 0;
};

// Puts a whole small file of the program's own (a desktop entry, a list) at `target` through the
// layer, replacing the one there; with `mode` its permission bits are exactly these.
void replaceWholeFile(const std::filesystem::path &target, std::string_view bytes, unsigned mode = 0644);

// Writes all bytes to a descriptor, retrying short writes; false when a write fails (errno set).
bool writeAll(int fd, std::span<const std::uint8_t> bytes);
