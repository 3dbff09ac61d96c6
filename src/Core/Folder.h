#pragma once

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// A folder held open by its descriptor. Its entries are listed, looked at, opened and renamed
// relative to it, so that a walk never hands the kernel a whole path again and goes as deep as the
// tree does, past PATH_MAX.
class Folder {
public:
    Folder() = default;
    ~Folder();
    Folder(Folder &&other) noexcept;
    Folder &operator=(Folder &&other) noexcept;
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    // The folder at a path of any length (a link to a folder is followed). With `listable` false it
    // is opened with O_PATH: enough to look at and rename its entries, also where it may be searched
    // but not read.
    static Folder open(const std::filesystem::path &path, bool listable = true);
    // The entry `name` of this folder, when it is a folder; a link is followed only when asked.
    Folder child(const std::string &name, bool followLinks = false) const;

    bool isOpen() const { return fd_ >= 0; }
    bool isListable() const { return listable_; }
    int descriptor() const { return fd_; }
    // The errno value of the open that failed.
    int error() const { return error_; }
    // lstat of the entry `name` (links not followed): 0, or the errno value.
    int lstat(const char *name, struct stat &st) const;

    // Gives the descriptor back while a walk is deep below the folder, so that a walk holds only
    // a few whatever its depth; resume() takes it again through the child's "..", or failing that
    // through the folder's path, and is false when neither leads to this same folder any more.
    void park();
    bool resume(const Folder &child, const std::filesystem::path &path);

private:
    Folder(int fd, int error, bool listable) : fd_(fd), error_(error), listable_(listable) {}
    int flags() const;
    bool isThisFolder(int fd) const;

    int fd_ = -1;
    int error_ = EBADF;
    bool listable_ = true;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};
