#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

// Whether DEFLATE would not shrink an entry of `size` bytes, judged by samples spread over it
// (the start always among them): when none shrinks at all, the data is random or already
// compressed, and DEFLATE over the whole entry would take as long as compressing it only to end
// stored. Small entries are never judged this way. `readAt` fills a sample from an offset and
// returns how many bytes it read.
bool deflateWouldNotShrink(std::uint64_t size,
                           const std::function<std::size_t(std::uint64_t, std::span<std::uint8_t>)> &readAt);
