#pragma once

#include "Archive/LibArchive/LibArchive.h"

#include <exception>
#include <filesystem>
#include <memory>

// An archive open for reading. libarchive reads an uncompressed archive from the file itself. A
// compressed one is read through a stream that the bridge checks to its end: gzip is decoded here
// (libarchive does not look at its trailer), any other filter by libarchive, whose libraries check
// what xz, bzip2, zstd and lz4 carry once the whole stream has passed. The format reader on top
// takes a bare stream (the raw format) only when a compression filter was recognised and the
// name does not promise a tar, so that bytes no format knows are refused, never copied out.
class LibArchive::Reading {
public:
    Reading(const LibArchive &bridge, std::filesystem::path path, QString password);
    ~Reading();
    Reading(const Reading &) = delete;
    Reading &operator=(const Reading &) = delete;

    struct archive *handle() const { return handle_; }
    // The next header (the first one was read on opening); EOF, OK or WARN, else it throws.
    int next(struct archive_entry **entry);
    // Entry data as archive_read_data gives it; a failure throws.
    std::size_t readData(void *buffer, std::size_t size);
    // Passes over the entry's data; a failure (a truncated stream) throws.
    void skipData();
    // Reads the rest of a compressed stream, so that its checks run; throws when one fails.
    void finish();

private:
    class Stream;

    // Opens the archive, read as a bare stream when it is taken for a manifest.
    void openChecked();
    void open(bool asBareStream);
    void close();
    // The error of the call that just failed: the stream's own, else libarchive's text.
    [[noreturn]] void fail() const;
    static ssize_t read(struct archive *, void *stream, const void **buffer);

    const LibArchive &bridge_;
    std::filesystem::path path_;
    QString password_;
    struct archive *handle_ = nullptr;
    std::unique_ptr<Stream> stream_;
    struct archive_entry *firstEntry_ = nullptr;
    int firstResult_ = 0;
    bool firstTaken_ = false;
};
