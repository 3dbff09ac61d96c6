#include "Archive/LibArchive/GzipStream.h"

#include "Archive/ArchiveFiles.h"
#include "Archive/LibArchive/LibArchive.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <unistd.h>

namespace {

constexpr std::size_t inputSize = std::size_t(256) << 10;
constexpr std::size_t outputSize = std::size_t(1) << 20;

LibArchive::ArchiveError damaged()
{
    return LibArchive::ArchiveError::failed(L("gzip 해제 실패"));
}

} // namespace

GzipStream::GzipStream(Descriptor file, std::filesystem::path path)
    : file_(std::move(file)), path_(std::move(path)), zs_(std::make_unique<z_stream_s>()), in_(inputSize),
      out_(outputSize)
{
    // 16 + window bits: the gzip wrapper only. zlib's own CRC is several times slower than
    // libdeflate's, so the trailer is checked here (validate()).
    if (inflateInit2(zs_.get(), 16 + MAX_WBITS) != Z_OK)
        throw std::bad_alloc();
    inflateValidate(zs_.get(), 0);
}

GzipStream::~GzipStream()
{
    inflateEnd(zs_.get());
}

bool GzipStream::fill()
{
    if (inputEnded_)
        return false;
    const std::size_t left = zs_->avail_in;
    if (left > 0 && zs_->next_in != in_.data())
        std::memmove(in_.data(), zs_->next_in, left);
    zs_->next_in = in_.data();
    for (;;) {
        const ssize_t n = ::read(file_.get(), in_.data() + left, in_.size() - left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw LibArchive::ArchiveError::failed(L("읽기 실패: %@", FilePath::display(path_)));
        if (n == 0) {
            inputEnded_ = true;
            return false;
        }
        zs_->avail_in = uInt(left + std::size_t(n));
        return true;
    }
}

bool GzipStream::anotherMember()
{
    while (zs_->avail_in < 2 && fill()) {
    }
    if (zs_->avail_in < 2 || zs_->next_in[0] != 0x1F || zs_->next_in[1] != 0x8B)
        return false;
    inflateReset(zs_.get());
    inflateValidate(zs_.get(), 0);
    return true;
}

std::span<const std::uint8_t> GzipStream::next()
{
    while (!finished_) {
        if (betweenMembers_) {
            betweenMembers_ = false;
            if (!anotherMember()) {
                finished_ = true;
                break;
            }
        }
        if (zs_->avail_in == 0 && !fill()) {
            // The file ends inside a member.
            truncated_ = true;
            finished_ = true;
            break;
        }
        zs_->next_out = out_.data();
        zs_->avail_out = uInt(out_.size());
        const std::uint8_t *consumed = zs_->next_in;
        const int rc = ::inflate(zs_.get(), Z_NO_FLUSH);
        keepLastBytes({consumed, zs_->next_in});
        const std::size_t produced = out_.size() - zs_->avail_out;
        crc_ = crc32Update(crc_, {out_.data(), produced});
        length_ += produced;
        if (rc == Z_STREAM_END) {
            checkTrailer();
            betweenMembers_ = true;
        } else if (rc == Z_MEM_ERROR)
            throw std::bad_alloc();
        // Z_BUF_ERROR with input left would mean no progress at all: only damage does that.
        else if (rc != Z_OK && !(rc == Z_BUF_ERROR && zs_->avail_in == 0))
            throw damaged();
        if (produced > 0)
            return {out_.data(), produced};
    }
    return {};
}

void GzipStream::keepLastBytes(std::span<const std::uint8_t> consumed)
{
    if (consumed.size() >= last_.size()) {
        std::memcpy(last_.data(), consumed.data() + consumed.size() - last_.size(), last_.size());
        return;
    }
    std::memmove(last_.data(), last_.data() + consumed.size(), last_.size() - consumed.size());
    std::memcpy(last_.data() + last_.size() - consumed.size(), consumed.data(), consumed.size());
}

void GzipStream::checkTrailer()
{
    // The member's last 8 bytes: the CRC-32 of its plain bytes and their length modulo 2^32.
    const auto le32 = [&](std::size_t at) {
        return std::uint32_t(last_[at]) | std::uint32_t(last_[at + 1]) << 8 |
               std::uint32_t(last_[at + 2]) << 16 | std::uint32_t(last_[at + 3]) << 24;
    };
    if (le32(0) != crc_)
        throw LibArchive::ArchiveError::failed(L("gzip CRC 불일치"));
    if (le32(4) != std::uint32_t(length_))
        throw LibArchive::ArchiveError::failed(L("gzip 크기 불일치"));
    crc_ = 0;
    length_ = 0;
}
