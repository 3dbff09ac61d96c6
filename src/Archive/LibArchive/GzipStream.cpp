#include "Archive/LibArchive/GzipStream.h"

#include "Archive/LibArchive/LibArchive.h"
#include "Core/FilePath.h"
#include "Core/Localization.h"

#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::size_t inputSize = std::size_t(256) << 10;
constexpr std::size_t outputSize = std::size_t(1) << 20;

LibArchive::ArchiveError damaged(const char *zlibMessage)
{
    const std::string_view message = zlibMessage != nullptr ? zlibMessage : "";
    if (message == "incorrect data check")
        return LibArchive::ArchiveError::failed(L("gzip CRC 불일치"));
    if (message == "incorrect length check")
        return LibArchive::ArchiveError::failed(L("gzip 크기 불일치"));
    return LibArchive::ArchiveError::failed(L("gzip 해제 실패"));
}

} // namespace

GzipStream::GzipStream(Descriptor file, std::filesystem::path path)
    : file_(std::move(file)), path_(std::move(path)), zs_(std::make_unique<z_stream_s>()), in_(inputSize),
      out_(outputSize)
{
    // 16 + window bits: the gzip wrapper only, its trailer checked at each member's end.
    if (inflateInit2(zs_.get(), 16 + MAX_WBITS) != Z_OK)
        throw std::bad_alloc();
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
        const int rc = ::inflate(zs_.get(), Z_NO_FLUSH);
        const std::size_t produced = out_.size() - zs_->avail_out;
        if (rc == Z_STREAM_END)
            betweenMembers_ = true;
        else if (rc == Z_MEM_ERROR)
            throw std::bad_alloc();
        // Z_BUF_ERROR with input left would mean no progress at all: only damage does that.
        else if (rc != Z_OK && !(rc == Z_BUF_ERROR && zs_->avail_in == 0))
            throw damaged(zs_->msg);
        if (produced > 0)
            return {out_.data(), produced};
    }
    return {};
}
