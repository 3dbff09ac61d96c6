#include "support/TestSupport.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <grp.h>
#include <sstream>
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.native());
}

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.native());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void removeTree(const fs::path &path)
{
    std::error_code ec;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        ::chmod(path.c_str(), 0700);
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            removeTree(it->path());
    }
    fs::remove(path, ec);
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
    std::set<std::string> out;
    for (auto it = std::filesystem::recursive_directory_iterator(root);
         it != std::filesystem::recursive_directory_iterator(); ++it)
        out.insert(it->path().lexically_relative(root).native());
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
