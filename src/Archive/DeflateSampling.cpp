#include "Archive/DeflateSampling.h"

#include <libdeflate.h>

#include <memory>
#include <new>
#include <vector>

namespace {

constexpr std::size_t sampleSize = std::size_t(64) << 10;
constexpr int sampleCount = 4;
// The level the writers compress at, so a sample behaves as the entry would.
constexpr int deflateLevel = 6;

struct CompressorFree {
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

} // namespace

bool deflateWouldNotShrink(std::uint64_t size,
                           const std::function<std::size_t(std::uint64_t, std::span<std::uint8_t>)> &readAt)
{
    if (size < std::uint64_t(sampleCount) * sampleSize * 4)
        return false;
    thread_local std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(deflateLevel));
    if (!compressor)
        throw std::bad_alloc();
    std::vector<std::uint8_t> sample(sampleSize);
    // One byte short of the sample: libdeflate gives up as soon as the output would not shrink.
    std::vector<std::uint8_t> packed(sampleSize - 1);
    for (int i = 0; i < sampleCount; ++i) {
        const std::uint64_t at = (size - sampleSize) / (sampleCount - 1) * std::uint64_t(i);
        if (readAt(at, sample) != sampleSize)
            return false;
        if (libdeflate_deflate_compress(compressor.get(), sample.data(), sample.size(), packed.data(),
                                        packed.size()) > 0)
            return false;
    }
    return true;
}
