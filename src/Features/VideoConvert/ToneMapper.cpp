#include "Features/VideoConvert/ToneMapper.h"

extern "C" {
#include <libavutil/frame.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr float referenceWhite = 203.0f; // cd/m² of SDR white in HDR signals
constexpr float masteringPeak = 1000.0f; // typical peak of phone and camera HDR footage

float pqToNits(float e)
{
    constexpr float m1 = 2610.0f / 16384.0f, m2 = 2523.0f / 4096.0f * 128.0f;
    constexpr float c1 = 3424.0f / 4096.0f, c2 = 2413.0f / 4096.0f * 32.0f, c3 = 2392.0f / 4096.0f * 32.0f;
    const float p = std::pow(e, 1.0f / m2);
    return 10000.0f * std::pow(std::max(p - c1, 0.0f) / (c2 - c3 * p), 1.0f / m1);
}

float hlgToNits(float e)
{
    constexpr float a = 0.17883277f, b = 0.28466892f, c = 0.55991073f;
    const float scene = e <= 0.5f ? e * e / 3.0f : (std::exp((e - c) / a) + b) / 12.0f;
    return masteringPeak * std::pow(scene, 1.2f); // the reference display's system gamma
}

} // namespace

ToneMapper::ToneMapper(Transfer transfer, bool bt2020) : bt2020_(bt2020), linear_(65536), gamma_(4096)
{
    for (std::size_t code = 0; code < linear_.size(); ++code) {
        const float e = float(code) / 65535.0f;
        linear_[code] = (transfer == Transfer::pq ? pqToNits(e) : hlgToNits(e)) / referenceWhite;
    }
    for (std::size_t i = 0; i < gamma_.size(); ++i)
        gamma_[i] = std::uint8_t(std::lround(255.0 * std::pow(double(i) / 4095.0, 1.0 / 2.4)));
}

ToneMapper::~ToneMapper()
{
    sws_freeContext(toRgb_);
    sws_freeContext(toYuv_);
}

void ToneMapper::convert(const AVFrame *in, AVFrame *out)
{
    const int width = in->width, height = in->height;
    toRgb_ = sws_getCachedContext(toRgb_, width, height, AVPixelFormat(in->format), width, height,
                                  AV_PIX_FMT_RGB48, SWS_BICUBIC, nullptr, nullptr, nullptr);
    toYuv_ = sws_getCachedContext(toYuv_, width, height, AV_PIX_FMT_RGB24, out->width, out->height,
                                  AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!toRgb_ || !toYuv_)
        throw std::runtime_error("scaler");
    const int *source = sws_getCoefficients(bt2020_ ? SWS_CS_BT2020 : SWS_CS_ITU709);
    const int *bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(toRgb_, source, in->color_range == AVCOL_RANGE_JPEG ? 1 : 0, bt709, 1, 0,
                             1 << 16, 1 << 16);
    sws_setColorspaceDetails(toYuv_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);

    rgb48_.resize(std::size_t(width) * height * 3);
    rgb24_.resize(std::size_t(width) * height * 3);
    uint8_t *rgbPlanes[4] = {reinterpret_cast<uint8_t *>(rgb48_.data()), nullptr, nullptr, nullptr};
    int rgbStrides[4] = {width * 6, 0, 0, 0};
    sws_scale(toRgb_, in->data, in->linesize, 0, height, rgbPlanes, rgbStrides);

    constexpr float knee = 0.8f; // below this the picture is left as it is
    for (std::size_t i = 0; i < rgb48_.size(); i += 3) {
        float r = linear_[rgb48_[i]], g = linear_[rgb48_[i + 1]], b = linear_[rgb48_[i + 2]];
        if (bt2020_) { // BT.2020 to BT.709 primaries, in linear light
            const float r709 = 1.6605f * r - 0.5876f * g - 0.0728f * b;
            const float g709 = -0.1246f * r + 1.1329f * g - 0.0083f * b;
            const float b709 = -0.0182f * r - 0.1006f * g + 1.1187f * b;
            r = std::max(r709, 0.0f), g = std::max(g709, 0.0f), b = std::max(b709, 0.0f);
        }
        // Highlights above the knee approach white smoothly; scaling all three channels by the
        // brightest one's factor keeps the hue.
        const float peak = std::max({r, g, b});
        if (peak > knee) {
            const float t = (peak - knee) / (1.0f - knee);
            const float scale = (knee + (1.0f - knee) * t / (1.0f + t)) / peak;
            r *= scale, g *= scale, b *= scale;
        }
        rgb24_[i] = gamma_[std::size_t(std::clamp(r, 0.0f, 1.0f) * 4095.0f)];
        rgb24_[i + 1] = gamma_[std::size_t(std::clamp(g, 0.0f, 1.0f) * 4095.0f)];
        rgb24_[i + 2] = gamma_[std::size_t(std::clamp(b, 0.0f, 1.0f) * 4095.0f)];
    }
    const uint8_t *planes[4] = {rgb24_.data(), nullptr, nullptr, nullptr};
    const int strides[4] = {width * 3, 0, 0, 0};
    sws_scale(toYuv_, planes, strides, 0, height, out->data, out->linesize);
}
