#pragma once

#include <QStringList>

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class QImage;

namespace TestSupport {

// The per-process root the test main made (HOME, XDG folders and scratch space live below it).
const std::filesystem::path &processRoot();

// A fresh folder below the process root, mode 0755 so an unprivileged child can enter it;
// removed (with any permissions restored) when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }
    // Creates a file (and its parent folders) holding the bytes; returns its path.
    std::filesystem::path file(std::string_view relative, std::string_view bytes = {}) const;
    // Creates a folder (and its parents); returns its path.
    std::filesystem::path folder(std::string_view relative) const;

private:
    std::filesystem::path path_;
};

// These take paths of any length, also deeper than PATH_MAX (reached component by component).
void writeBytes(const std::filesystem::path &path, std::string_view bytes);
std::string readBytes(const std::filesystem::path &path);
// Creates the folder and any missing folders above it.
void makeFolders(const std::filesystem::path &path);
// `levels` folders below `base`, one inside the other, each named by `width` bytes of one letter
// (a, b, c, … by level); returns the deepest. 24 levels of 200 bytes lie past PATH_MAX.
std::filesystem::path deepFolders(const std::filesystem::path &base, int levels, std::size_t width = 200);

// Every entry below a folder (files, folders, links themselves), by its relative path as bytes.
std::set<std::string> entriesBelow(const std::filesystem::path &root);

// True when no hidden file of the file-output layer (".quillfern-….tmp") is left below a folder.
bool noPartialFiles(const std::filesystem::path &root);

// A small tmpfs mounted at a folder for a full-disk test (root only), unmounted again whatever
// happens.
class SmallDisk {
public:
    explicit SmallDisk(const std::filesystem::path &at, const char *size = "4m");
    ~SmallDisk();
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return mounted_; }

private:
    std::filesystem::path at_;
    bool mounted_ = false;
};

// QUILLFERN_THREADS (the cap on the worker threads of batch steps) set for the object's life; the
// earlier value comes back afterwards.
class WorkerThreads {
public:
    explicit WorkerThreads(const std::string &value);
    explicit WorkerThreads(unsigned count) : WorkerThreads(std::to_string(count)) {}
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads &) = delete;
    WorkerThreads &operator=(const WorkerThreads &) = delete;

private:
    std::optional<std::string> previous_;
};

// Removes a tree even where permissions were taken away.
void removeTree(const std::filesystem::path &path);

// Runs the step in a child without root's privileges (uid/gid 65534, no supplementary groups),
// so permission checks apply even when the tests run as root. The child's result (0..255) is
// returned; when not running as root the step runs in-process.
int runAsNobody(const std::function<int()> &step);
// The same, returning a text the step produced.
std::string runAsNobodyCapture(const std::function<std::string()> &step);

struct ProcessResult {
    int exitCode = -1; // -1: could not start or crashed
    std::string out;
    std::string err;
};
// Runs a program to completion (60 s at most), optionally in a working folder.
ProcessResult run(const QString &program, const QStringList &arguments,
                  const std::filesystem::path &workDir = {});
bool haveProgram(const QString &name);

struct PeakResult {
    int exitCode = -1; // -1: could not start or crashed
    long peakKiB = 0;  // the child's peak resident memory (wait4's ru_maxrss)
    std::string err;
};
// Runs a program to completion, standard output discarded, and reports its peak resident memory.
// Under AddressSanitizer the child gets a small quarantine, so that freed memory is not counted
// as held.
PeakResult runMeasuringPeak(const std::string &program, const std::vector<std::string> &arguments);

// Writes the picture as a HEIC file with heif-enc (the options go before its input), through a
// scratch PNG that is removed again; heif-enc's result is returned.
ProcessResult makeHeic(const std::filesystem::path &heic, const QImage &image,
                       const QStringList &options = {});

// The path as a QString, for a child process's arguments or a Qt call.
QString q(const std::filesystem::path &path);

} // namespace TestSupport
