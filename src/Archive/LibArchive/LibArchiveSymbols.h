#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <sys/types.h>

// Opaque handles of libarchive; the library is bound at run time, so its headers are not needed.
struct archive;
struct archive_entry;

// The callbacks through which a handle reads bytes the bridge hands it.
using LibArchiveOpenCallback = int (*)(struct archive *, void *);
using LibArchiveReadCallback = ssize_t (*)(struct archive *, void *, const void **);

// Every entry point the bridge binds, once: X(member, symbol, role, result, parameters). The role
// says what needs it: `read` (isAvailable), `write` (canWrite) or nothing (`optional`: left
// uncalled when missing).
// The arguments are a type and a parameter list, which cannot stand in parentheses.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define QF_LIBARCHIVE_SYMBOLS(X)                                                                             \
    X(readNew, archive_read_new, read, struct archive *, ())                                                 \
    X(supportFormatAll, archive_read_support_format_all, read, int, (struct archive *))                      \
    X(supportFormatRaw, archive_read_support_format_raw, optional, int, (struct archive *))                  \
    X(supportFilterAll, archive_read_support_filter_all, read, int, (struct archive *))                      \
    X(addPassphrase, archive_read_add_passphrase, optional, int, (struct archive *, const char *))           \
    X(readOpenFilename, archive_read_open_filename, read, int,                                               \
      (struct archive *, const char *, std::size_t))                                                         \
    X(nextHeader, archive_read_next_header, read, int, (struct archive *, struct archive_entry **))          \
    X(readData, archive_read_data, read, ssize_t, (struct archive *, void *, std::size_t))                   \
    X(readDataBlock, archive_read_data_block, read, int,                                                     \
      (struct archive *, const void **, std::size_t *, std::int64_t *))                                      \
    X(readOpen, archive_read_open, read, int,                                                                \
      (struct archive *, void *, LibArchiveOpenCallback, LibArchiveReadCallback, LibArchiveOpenCallback))    \
    X(filterCount, archive_filter_count, read, int, (struct archive *))                                      \
    X(filterCode, archive_filter_code, read, int, (struct archive *, int))                                   \
    X(dataSkip, archive_read_data_skip, optional, int, (struct archive *))                                   \
    X(readFree, archive_read_free, read, int, (struct archive *))                                            \
    X(errorString, archive_error_string, optional, const char *, (struct archive *))                         \
    X(archiveFormat, archive_format, optional, int, (struct archive *))                                      \
    X(entryPathname, archive_entry_pathname, read, const char *, (struct archive_entry *))                   \
    X(entryHardlink, archive_entry_hardlink, optional, const char *, (struct archive_entry *))               \
    X(entryFiletype, archive_entry_filetype, optional, mode_t, (struct archive_entry *))                     \
    X(entrySize, archive_entry_size, read, std::int64_t, (struct archive_entry *))                           \
    X(writeNew, archive_write_new, write, struct archive *, ())                                              \
    X(writeSetFormat, archive_write_set_format_by_name, write, int, (struct archive *, const char *))        \
    X(writeAddFilter, archive_write_add_filter_by_name, optional, int, (struct archive *, const char *))     \
    X(writeOpenFd, archive_write_open_fd, write, int, (struct archive *, int))                               \
    X(writeHeader, archive_write_header, write, int, (struct archive *, struct archive_entry *))             \
    X(writeData, archive_write_data, write, ssize_t, (struct archive *, const void *, std::size_t))          \
    X(writeClose, archive_write_close, write, int, (struct archive *))                                       \
    X(writeFree, archive_write_free, write, int, (struct archive *))                                         \
    X(entryNew, archive_entry_new, write, struct archive_entry *, ())                                        \
    X(entryFree, archive_entry_free, write, void, (struct archive_entry *))                                  \
    X(entrySetPathname, archive_entry_set_pathname_utf8, write, void,                                        \
      (struct archive_entry *, const char *))                                                                \
    X(entrySetPathnameBytes, archive_entry_set_pathname, optional, void,                                     \
      (struct archive_entry *, const char *))                                                                \
    X(entrySetSize, archive_entry_set_size, write, void, (struct archive_entry *, std::int64_t))             \
    X(entrySetFiletype, archive_entry_set_filetype, write, void, (struct archive_entry *, unsigned int))     \
    X(entrySetPerm, archive_entry_set_perm, optional, void, (struct archive_entry *, mode_t))                \
    X(entrySetMtime, archive_entry_set_mtime, optional, void, (struct archive_entry *, std::time_t, long))

// The bound entry points, each null when the library lacks it.
struct LibArchiveSymbols {
    enum class Role { read, write, optional };

#define QF_LIBARCHIVE_MEMBER(member, symbol, role, result, parameters) result(*member) parameters = nullptr;
    QF_LIBARCHIVE_SYMBOLS(QF_LIBARCHIVE_MEMBER)
#undef QF_LIBARCHIVE_MEMBER

    // Looks every entry point up by name in an open library.
    void bind(void *library);
    // Whether every entry point of the role was found.
    bool complete(Role role) const;
};
// NOLINTEND(bugprone-macro-parentheses)
