#include "Core/FileBytes.h"

#include "Core/LongPath.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// One read, retried when a signal interrupts it: the count read (0 at the end), or -1.
ssize_t readOnce(int fd, std::uint8_t *into, std::size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, into, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

} // namespace

std::optional<std::vector<std::uint8_t>> readRegularFile(const fs::path &path, bool followLinks)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; fstat then refuses it.
    const int fd = LongPath::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> result;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        std::vector<std::uint8_t> bytes(std::size_t(st.st_size));
        std::size_t offset = 0;
        ssize_t n = 1;
        while (n > 0) {
            if (offset < bytes.size()) {
                n = readOnce(fd, bytes.data() + offset, bytes.size() - offset);
            } else {
                // Look past the size fstat gave through a small buffer, so that a file that did not
                // grow is never copied into a larger allocation.
                std::uint8_t more[16384];
                n = readOnce(fd, more, sizeof more);
                if (n > 0)
                    bytes.insert(bytes.end(), more, more + n);
            }
            if (n > 0)
                offset += std::size_t(n);
        }
        if (n == 0) {
            bytes.resize(offset);
            result = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}
