#include "support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace TestSupport {

namespace {
fs::path &rootStorage()
{
    static fs::path root;
    return root;
}

// The folder that holds `path`, reached one component at a time so that a path of any length
// (deeper than PATH_MAX) works; -1 when it cannot be. `name` receives the last component.
int openParent(const fs::path &path, std::string &name)
{
    const std::string &bytes = path.native();
    const auto slash = bytes.rfind('/');
    name = slash == std::string::npos ? bytes : bytes.substr(slash + 1);
    int fd = ::open(!bytes.empty() && bytes[0] == '/' ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    const std::string folder = slash == std::string::npos ? std::string() : bytes.substr(0, slash);
    std::size_t start = 0;
    while (fd >= 0 && start < folder.size()) {
        const std::size_t end = std::min(folder.find('/', start), folder.size());
        const std::string component = folder.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        const int next = ::openat(fd, component.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    return fd;
}

// Opens the entry at a path of any length; -1 when it cannot be.
int openAnyLength(const fs::path &path, int flags, mode_t mode = 0)
{
    std::string name;
    const int parent = openParent(path, name);
    if (parent < 0)
        return -1;
    const int fd = ::openat(parent, name.c_str(), flags, mode);
    ::close(parent);
    return fd;
}

std::vector<std::string> namesIn(int folder)
{
    std::vector<std::string> names;
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return names;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

void removeEntry(int parent, const std::string &name)
{
    struct stat st {};
    if (::fstatat(parent, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        ::unlinkat(parent, name.c_str(), 0);
        return;
    }
    ::fchmodat(parent, name.c_str(), 0700, 0);
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
        for (const auto &child : namesIn(fd))
            removeEntry(fd, child);
        ::close(fd);
    }
    ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

void listBelow(int folder, const std::string &prefix, std::set<std::string> &out)
{
    for (const auto &name : namesIn(folder)) {
        const std::string relative = prefix.empty() ? name : prefix + "/" + name;
        out.insert(relative);
        struct stat st {};
        if (::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode))
            continue;
        const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            throw std::runtime_error("cannot open " + relative);
        listBelow(fd, relative, out);
        ::close(fd);
    }
}
} // namespace

void setProcessRoot(const fs::path &root)
{
    rootStorage() = root;
}

const fs::path &processRoot()
{
    if (rootStorage().empty())
        throw std::logic_error("the test main has not set up the process root");
    return rootStorage();
}

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    path_ = processRoot() / "scratch" / ("t" + std::to_string(counter++));
    fs::create_directories(path_);
    ::chmod(path_.c_str(), 0755);
}

TempDir::~TempDir()
{
    removeTree(path_);
}

fs::path TempDir::file(std::string_view relative, std::string_view bytes) const
{
    fs::path p = path_ / std::string(relative);
    fs::create_directories(p.parent_path());
    writeBytes(p, bytes);
    return p;
}

fs::path TempDir::folder(std::string_view relative) const
{
    fs::path p = path_ / std::string(relative);
    fs::create_directories(p);
    return p;
}

void writeBytes(const fs::path &path, std::string_view bytes)
{
    const int fd = openAnyLength(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool written = fd >= 0;
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        written = n > 0;
        done += written ? std::size_t(n) : 0;
    }
    if (fd >= 0 && ::close(fd) != 0)
        written = false;
    if (!written)
        throw std::runtime_error("cannot write " + path.native());
}

std::string readBytes(const fs::path &path)
{
    const int fd = openAnyLength(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot read " + path.native());
    std::string out;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, std::size_t(n));
    }
    ::close(fd);
    return out;
}

void makeFolders(const fs::path &path)
{
    int fd = ::open(path.native().starts_with('/') ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (const auto &component : path.relative_path()) {
        if (fd < 0)
            break;
        const std::string &name = component.native();
        if (name.empty())
            continue;
        ::mkdirat(fd, name.c_str(), 0755);
        const int next = ::openat(fd, name.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        ::close(fd);
        fd = next;
    }
    if (fd < 0)
        throw std::runtime_error("cannot make " + path.native());
    ::close(fd);
}

fs::path deepFolders(const fs::path &base, int levels, std::size_t width)
{
    fs::path deepest = base;
    for (int level = 0; level < levels; ++level)
        deepest /= std::string(width, char('a' + level % 26));
    makeFolders(deepest);
    return deepest;
}

void removeTree(const fs::path &path)
{
    std::string name;
    const int parent = openParent(path, name);
    if (parent < 0)
        return;
    removeEntry(parent, name);
    ::close(parent);
}

namespace {
void dropPrivileges()
{
    const gid_t nobodyGroup = 65534;
    const uid_t nobodyUser = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(nobodyGroup, nobodyGroup, nobodyGroup) != 0 ||
        ::setresuid(nobodyUser, nobodyUser, nobodyUser) != 0)
        ::_exit(250);
}
} // namespace

int runAsNobody(const std::function<int()> &step)
{
    if (::geteuid() != 0)
        return step();
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        dropPrivileges();
        ::_exit(step() & 0xFF);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string runAsNobodyCapture(const std::function<std::string()> &step)
{
    if (::geteuid() != 0)
        return step();
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t pid = ::fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        ::close(fds[0]);
        dropPrivileges();
        const std::string text = step();
        std::size_t done = 0;
        while (done < text.size()) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0)
                ::_exit(1);
            done += std::size_t(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("unprivileged step failed");
    return text;
}

ProcessResult run(const QString &program, const QStringList &arguments, const fs::path &workDir)
{
    QProcess process;
    if (!workDir.empty())
        process.setWorkingDirectory(QString::fromStdString(workDir.native()));
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted(10000))
        return result;
    process.closeWriteChannel();
    process.waitForFinished(60000);
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

PeakResult runMeasuringPeak(const std::string &program, const std::vector<std::string> &arguments)
{
    PeakResult result;
    int errPipe[2];
    if (::pipe2(errPipe, O_CLOEXEC) != 0)
        return result;
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(errPipe[0]);
        ::close(errPipe[1]);
        return result;
    }
    if (pid == 0) {
        ::dup2(errPipe[1], STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::setenv("ASAN_OPTIONS", "detect_leaks=0:quarantine_size_mb=1:thread_local_quarantine_size_kb=64", 1);
        std::vector<char *> argv{const_cast<char *>(program.c_str())};
        for (const auto &argument : arguments)
            argv.push_back(const_cast<char *>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(errPipe[1]);
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(errPipe[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        result.err.append(buffer, std::size_t(n));
    }
    ::close(errPipe[0]);
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    result.peakKiB = usage.ru_maxrss;
    return result;
}

bool haveProgram(const QString &name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

ProcessResult makeHeic(const std::filesystem::path &heic, const QImage &image, const QStringList &options)
{
    const TempDir scratch;
    const auto png = scratch / "source.png";
    if (!image.save(q(png), "PNG"))
        return {-1, {}, "could not write " + png.native()};
    return run(QStringLiteral("heif-enc"), options + QStringList{q(png), QStringLiteral("-o"), q(heic)});
}

std::set<std::string> entriesBelow(const std::filesystem::path &root)
{
    const int fd = openAnyLength(root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + root.native());
    std::set<std::string> out;
    try {
        listBelow(fd, {}, out);
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return out;
}

SmallDisk::SmallDisk(const std::filesystem::path &at, const char *size) : at_(at)
{
    std::filesystem::create_directories(at);
    const std::string options = std::string("size=") + size;
    mounted_ = ::geteuid() == 0 && ::mount("tmpfs", at.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk()
{
    if (mounted_)
        ::umount2(at_.c_str(), MNT_DETACH);
}

bool noPartialFiles(const std::filesystem::path &root)
{
    for (const auto &entry : entriesBelow(root))
        if (std::filesystem::path(entry).filename().native().starts_with(".quillfern-"))
            return false;
    return true;
}

QString q(const std::filesystem::path &path)
{
    return QString::fromStdString(path.native());
}

WorkerThreads::WorkerThreads(const std::string &value)
{
    if (const char *now = std::getenv("QUILLFERN_THREADS"))
        previous_ = now;
    ::setenv("QUILLFERN_THREADS", value.c_str(), 1);
}

WorkerThreads::~WorkerThreads()
{
    if (previous_)
        ::setenv("QUILLFERN_THREADS", previous_->c_str(), 1);
    else
        ::unsetenv("QUILLFERN_THREADS");
}

} // namespace TestSupport
