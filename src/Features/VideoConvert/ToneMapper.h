#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct AVFrame;
struct SwsContext;

// Turns decoded HDR pictures (PQ or HLG, BT.2020 colours) into SDR BT.709 8-bit 4:2:0, so an
// H.264 copy meant for any player does not look washed out. Highlights are rolled off smoothly
// above the SDR white level (203 cd/m²).
class ToneMapper {
public:
    enum class Transfer { pq, hlg };

    ToneMapper(Transfer transfer, bool bt2020);
    ~ToneMapper();
    ToneMapper(const ToneMapper &) = delete;
    ToneMapper &operator=(const ToneMapper &) = delete;

    // `out` is a writable YUV420P frame of the same size as `in`.
    void convert(const AVFrame *in, AVFrame *out);

private:
    bool bt2020_;
    std::vector<float> linear_;       // 16-bit code value -> linear light, 1.0 at SDR white
    std::vector<std::uint8_t> gamma_; // tone-mapped linear light in [0, 1] (4096 steps) -> 8-bit code
    SwsContext *toRgb_ = nullptr;
    SwsContext *toYuv_ = nullptr;
    std::vector<std::uint16_t> rgb48_;
    std::vector<std::uint8_t> rgb24_;
};
