#pragma once

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// File calls on paths of any length. The kernel refuses a path of PATH_MAX bytes or more, and a
// tree can be deeper than that: such a path is reached component by component with openat, and
// the call is made relative to the folder it leads to. Shorter paths are passed on as they are.
namespace LongPath {

// A path as a folder descriptor and a name relative to it, for the *at calls: AT_FDCWD and the
// whole path when it is short enough, else the opened parent folder and the last component. The
// path must outlive the object.
class At {
public:
    explicit At(const std::string &path);
    explicit At(const std::filesystem::path &path) : At(path.native()) {}
    ~At();
    At(const At &) = delete;
    At &operator=(const At &) = delete;

    // False when the parent folder of a long path could not be opened (error() says why).
    bool ok() const { return error_ == 0; }
    int error() const { return error_; }
    int folder() const { return folder_; }
    const char *name() const { return name_; }

private:
    int folder_;
    int error_ = 0;
    bool owned_ = false;
    std::string last_;
    const char *name_;
};

// open(2); -1 with errno set.
int open(const std::filesystem::path &path, int flags, mode_t mode = 0);
// lstat(2) and stat(2): 0, or the errno value.
int lstat(const std::filesystem::path &path, struct stat &st);
int stat(const std::filesystem::path &path, struct stat &st);

} // namespace LongPath
