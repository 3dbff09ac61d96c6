#include "Archive/Deflate.h"

#include <libdeflate.h>

#include <memory>
#include <new>
#include <vector>

namespace {

constexpr std::size_t sampleSize = std::size_t(64) << 10;
constexpr int sampleCount = 4;

struct CompressorFree {
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

// Whether no sample of an entry of `size` bytes shrinks; `sampleAt` gives the sample at an offset,
// shorter than sampleSize when it could not all be read.
template <typename SampleAt> bool noSampleShrinks(std::uint64_t size, SampleAt sampleAt)
{
    if (size < std::uint64_t(sampleCount) * sampleSize * 4)
        return false;
    libdeflate_compressor *compressor = deflateCompressor();
    if (!compressor)
        throw std::bad_alloc();
    // One byte short of the sample: libdeflate gives up as soon as the output would not shrink.
    std::vector<std::uint8_t> packed(sampleSize - 1);
    for (int i = 0; i < sampleCount; ++i) {
        const std::span<const std::uint8_t> sample =
            sampleAt((size - sampleSize) / (sampleCount - 1) * std::uint64_t(i));
        if (sample.size() != sampleSize)
            return false;
        if (libdeflate_deflate_compress(compressor, sample.data(), sample.size(), packed.data(),
                                        packed.size()) > 0)
            return false;
    }
    return true;
}

} // namespace

libdeflate_compressor *deflateCompressor()
{
    thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(deflateLevel));
    return compressor.get();
}

bool deflateWouldNotShrink(std::uint64_t size,
                           const std::function<std::size_t(std::uint64_t, std::span<std::uint8_t>)> &readAt)
{
    std::vector<std::uint8_t> sample;
    return noSampleShrinks(size, [&](std::uint64_t at) {
        sample.resize(sampleSize);
        return std::span<const std::uint8_t>(sample).first(readAt(at, sample));
    });
}

bool deflateWouldNotShrink(std::span<const std::uint8_t> content)
{
    return noSampleShrinks(content.size(),
                           [&](std::uint64_t at) { return content.subspan(std::size_t(at), sampleSize); });
}
