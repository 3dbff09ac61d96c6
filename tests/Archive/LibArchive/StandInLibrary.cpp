// A stand-in for libarchive whose entry points forward to the real library; the build leaves
// out groups of them so that the bridge's availability checks can be seen at work.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <dlfcn.h>
#include <sys/types.h>

struct archive;
struct archive_entry;

namespace {

void *realLibrary()
{
    static void *handle = ::dlopen("libarchive.so.13", RTLD_NOW | RTLD_LOCAL);
    return handle;
}

template <typename F> F real(const char *name)
{
    return reinterpret_cast<F>(::dlsym(realLibrary(), name));
}

} // namespace

// The arguments are a type and parameter lists, which cannot stand in parentheses.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define FORWARD(result, name, parameters, arguments)                                                         \
    extern "C" result name parameters                                                                        \
    {                                                                                                        \
        return real<result(*) parameters>(#name) arguments;                                                  \
    }
// NOLINTEND(bugprone-macro-parentheses)

#ifdef STANDIN_READ
FORWARD(archive *, archive_read_new, (), ())
FORWARD(int, archive_read_support_format_all, (archive * a), (a))
FORWARD(int, archive_read_support_format_raw, (archive * a), (a))
FORWARD(int, archive_read_support_filter_all, (archive * a), (a))
FORWARD(int, archive_read_add_passphrase, (archive * a, const char *p), (a, p))
FORWARD(int, archive_read_open_filename, (archive * a, const char *f, std::size_t b), (a, f, b))
#ifndef STANDIN_NO_NEXT_HEADER
FORWARD(int, archive_read_next_header, (archive * a, archive_entry **e), (a, e))
#endif
FORWARD(ssize_t, archive_read_data, (archive * a, void *b, std::size_t n), (a, b, n))
FORWARD(int, archive_read_data_block, (archive * a, const void **b, std::size_t *n, std::int64_t *o),
        (a, b, n, o))
using OpenCallback = int (*)(archive *, void *);
using ReadCallback = ssize_t (*)(archive *, void *, const void **);
FORWARD(int, archive_read_open, (archive * a, void *d, OpenCallback o, ReadCallback r, OpenCallback c),
        (a, d, o, r, c))
FORWARD(int, archive_filter_count, (archive * a), (a))
FORWARD(int, archive_filter_code, (archive * a, int n), (a, n))
FORWARD(int, archive_read_data_skip, (archive * a), (a))
FORWARD(int, archive_read_free, (archive * a), (a))
FORWARD(const char *, archive_error_string, (archive * a), (a))
FORWARD(int, archive_format, (archive * a), (a))
FORWARD(const char *, archive_entry_pathname, (archive_entry * e), (e))
FORWARD(const char *, archive_entry_hardlink, (archive_entry * e), (e))
FORWARD(mode_t, archive_entry_filetype, (archive_entry * e), (e))
FORWARD(std::int64_t, archive_entry_size, (archive_entry * e), (e))
#endif

#ifdef STANDIN_WRITE
FORWARD(archive *, archive_write_new, (), ())
FORWARD(int, archive_write_set_format_by_name, (archive * a, const char *n), (a, n))
#ifndef STANDIN_NO_FILTER
FORWARD(int, archive_write_add_filter_by_name, (archive * a, const char *n), (a, n))
#endif
FORWARD(int, archive_write_open_fd, (archive * a, int fd), (a, fd))
FORWARD(int, archive_write_header, (archive * a, archive_entry *e), (a, e))
FORWARD(ssize_t, archive_write_data, (archive * a, const void *b, std::size_t n), (a, b, n))
FORWARD(int, archive_write_close, (archive * a), (a))
FORWARD(int, archive_write_free, (archive * a), (a))
FORWARD(archive_entry *, archive_entry_new, (), ())
FORWARD(void, archive_entry_free, (archive_entry * e), (e))
FORWARD(void, archive_entry_set_pathname_utf8, (archive_entry * e, const char *n), (e, n))
FORWARD(void, archive_entry_set_size, (archive_entry * e, std::int64_t s), (e, s))
FORWARD(void, archive_entry_set_filetype, (archive_entry * e, unsigned int t), (e, t))
FORWARD(void, archive_entry_set_perm, (archive_entry * e, mode_t p), (e, p))
FORWARD(void, archive_entry_set_mtime, (archive_entry * e, std::time_t t, long n), (e, t, n))
#endif
