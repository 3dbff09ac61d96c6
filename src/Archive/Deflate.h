#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

struct libdeflate_compressor;

// The DEFLATE level both writers compress at, with libdeflate for whole buffers and zlib for
// streams alike.
inline constexpr int deflateLevel = 6;

// This thread's libdeflate compressor at deflateLevel, made on first use and kept; null when it
// cannot be made.
libdeflate_compressor *deflateCompressor();

// Whether DEFLATE would not shrink an entry, judged by samples spread over it (the start always
// among them): when none shrinks at all, the data is random or already compressed, and DEFLATE
// over the whole entry would take as long as compressing it only to end stored. Small entries are
// never judged this way. The first form reads the entry's `size` bytes through `readAt`, which
// fills a sample from an offset and returns how many bytes it read; the second looks at bytes in
// memory.
bool deflateWouldNotShrink(std::uint64_t size,
                           const std::function<std::size_t(std::uint64_t, std::span<std::uint8_t>)> &readAt);
bool deflateWouldNotShrink(std::span<const std::uint8_t> content);
