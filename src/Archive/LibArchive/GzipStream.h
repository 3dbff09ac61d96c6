#pragma once

#include "Core/Descriptor.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <vector>

struct z_stream_s;

// The plain bytes of a gzip file, member after member, each checked against its trailer (CRC-32
// and length), which libarchive's own gzip filter does not look at. Bytes after the last member
// that do not start another one are ignored, as gzip and libarchive do.
class GzipStream {
public:
    // Reads the open file from its start; `path` names it in messages.
    GzipStream(Descriptor file, std::filesystem::path path);
    ~GzipStream();
    GzipStream(const GzipStream &) = delete;
    GzipStream &operator=(const GzipStream &) = delete;

    // The next plain bytes; empty at the end. Damage throws LibArchive::ArchiveError::failed; a
    // stream cut short ends early with truncated() set, so that the reader of the plain bytes can
    // say what it missed.
    std::span<const std::uint8_t> next();
    bool truncated() const { return truncated_; }

private:
    // Refills the input; false at the end of the file.
    bool fill();
    // At the end of a member: whether another one follows.
    bool anotherMember();
    // The last 8 input bytes that inflate consumed, the trailer once a member ends.
    void keepLastBytes(std::span<const std::uint8_t> consumed);
    void checkTrailer();

    Descriptor file_;
    std::filesystem::path path_;
    std::unique_ptr<z_stream_s> zs_;
    std::vector<std::uint8_t> in_;
    std::vector<std::uint8_t> out_;
    std::array<std::uint8_t, 8> last_{};
    std::uint32_t crc_ = 0; // of the member's plain bytes so far
    std::uint64_t length_ = 0;
    bool inputEnded_ = false;
    bool betweenMembers_ = false;
    bool finished_ = false;
    bool truncated_ = false;
};
