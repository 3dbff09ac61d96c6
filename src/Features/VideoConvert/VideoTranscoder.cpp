#include "Features/VideoConvert/VideoTranscoder.h"

#include "Core/AtomicFile.h"
#include "Core/FileError.h"
#include "Core/Localization.h"
#include "Core/LongPath.h"
#include "Features/VideoConvert/ToneMapper.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace VideoTranscoder {

namespace {

struct InputFree {
    void operator()(AVFormatContext *c) const { avformat_close_input(&c); }
};
struct CodecFree {
    void operator()(AVCodecContext *c) const { avcodec_free_context(&c); }
};
struct FrameFree {
    void operator()(AVFrame *f) const { av_frame_free(&f); }
};
struct PacketFree {
    void operator()(AVPacket *p) const { av_packet_free(&p); }
};
struct ScaleFree {
    void operator()(SwsContext *s) const { sws_freeContext(s); }
};
struct ResampleFree {
    void operator()(SwrContext *s) const { swr_free(&s); }
};
struct FifoFree {
    void operator()(AVAudioFifo *f) const { av_audio_fifo_free(f); }
};
struct DictFree {
    void operator()(AVDictionary *d) const { av_dict_free(&d); }
};

using Input = std::unique_ptr<AVFormatContext, InputFree>;
using Codec = std::unique_ptr<AVCodecContext, CodecFree>;
using Frame = std::unique_ptr<AVFrame, FrameFree>;
using Packet = std::unique_ptr<AVPacket, PacketFree>;

FileError cannotConvert()
{
    return FileError(L("이 영상은 변환할 수 없습니다"));
}

QString ffmpegText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

// A failed library call: the library's own description of the error.
void check(int result)
{
    if (result < 0)
        throw FileError(ffmpegText(result));
}

// The text for a source that cannot be read whole.
FileError unreadable()
{
    return FileError(L("영상 정보를 읽을 수 없습니다"));
}

Input openInput(const fs::path &path)
{
    // The engine reports failures through its items; the libraries' own logging stays quiet.
    static std::once_flag quiet;
    std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
    // The source is opened here, by a path of any length, and FFmpeg opens the name of this
    // descriptor: it reads exactly the file looked at. Only regular files: a pipe or a device
    // named like a video would block or never end (O_NONBLOCK keeps a pipe's open from waiting).
    const int fd = LongPath::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    Input input;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        // The converter takes QuickTime and MPEG-4 files only, whatever their bytes claim.
        const AVInputFormat *mov = av_find_input_format("mov");
        const std::string name = "/proc/self/fd/" + std::to_string(fd);
        AVFormatContext *raw = nullptr;
        if (avformat_open_input(&raw, name.c_str(), mov, nullptr) >= 0)
            input.reset(raw);
    }
    ::close(fd);
    return input;
}

// Whether the index of a stream places a sample past the end of the file: a file cut short (its
// index at the front) whose reading would end early as if it were whole.
bool indexPastEnd(AVFormatContext *input, int index)
{
    const std::int64_t size = avio_size(input->pb);
    if (index < 0 || size < 0)
        return false;
    AVStream *stream = input->streams[index];
    for (int i = 0, count = avformat_index_get_entries_count(stream); i < count; ++i) {
        const AVIndexEntry *entry = avformat_index_get_entry(stream, i);
        if (entry->pos + entry->size > size)
            return true;
    }
    return false;
}

int firstVideoStream(const AVFormatContext *input)
{
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVStream *s = input->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(s->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return int(i);
    }
    return -1;
}

int firstAudioStream(const AVFormatContext *input)
{
    for (unsigned i = 0; i < input->nb_streams; ++i)
        if (input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO &&
            input->streams[i]->codecpar->codec_id != AV_CODEC_ID_NONE)
            return int(i);
    return -1;
}

bool isHdr(AVColorTransferCharacteristic transfer)
{
    return transfer == AVCOL_TRC_SMPTE2084 || transfer == AVCOL_TRC_ARIB_STD_B67;
}

class Muxer {
public:
    ~Muxer()
    {
        if (context_) {
            if (context_->pb)
                avio_closep(&context_->pb);
            avformat_free_context(context_);
        }
    }
    AVFormatContext *context_ = nullptr;
};

class Transcode {
public:
    // FFmpeg opens its output by name, and with the index moved to the front it opens it a second
    // time to read it back: the name of the open descriptor makes both reach exactly the hidden
    // file the output layer created, whatever happens to names in the folder meanwhile.
    Transcode(fs::path inputPath, const AtomicFile &output, const std::atomic<bool> &stop)
        : inputPath_(std::move(inputPath)),
          outputPath_("/proc/self/fd/" + std::to_string(output.descriptor())), stop_(stop)
    {
    }

    void run()
    {
        input_ = openInput(inputPath_);
        if (!input_ || avformat_find_stream_info(input_.get(), nullptr) < 0)
            throw cannotConvert();
        videoIndex_ = firstVideoStream(input_.get());
        if (videoIndex_ < 0)
            throw cannotConvert();
        audioIndex_ = firstAudioStream(input_.get());
        checkWhole();
        openVideo();
        if (audioIndex_ >= 0)
            openAudio();
        openOutput();

        Packet packet(av_packet_alloc());
        for (;;) {
            if (stop_)
                throw FileError(L("변환이 완료되지 않았습니다"));
            const int read = av_read_frame(input_.get(), packet.get());
            if (read == AVERROR_EOF)
                break;
            // A sample that could not be read whole: the file is damaged.
            if (read < 0 || (packet->flags & AV_PKT_FLAG_CORRUPT) != 0)
                throw unreadable();
            if (packet->stream_index == videoIndex_)
                decodeVideo(packet.get());
            else if (packet->stream_index == audioIndex_)
                handleAudio(packet.get());
            av_packet_unref(packet.get());
        }
        // The reading ends at the end of the file, also where a read failed or what the index
        // promised (for fragments it grows while reading) is not there.
        checkWhole();
        decodeVideo(nullptr);
        encodeVideo(nullptr);
        if (audioDecoder_) {
            decodeAudio(nullptr);
            drainAudioFifo(true);
            encodeAudio(nullptr);
        }
        check(av_write_trailer(muxer_.context_));
        // The close flushes the last buffered bytes; its failure means the file is incomplete.
        check(avio_closep(&muxer_.context_->pb));
    }

private:
    void checkWhole()
    {
        if (input_->pb->error < 0 || indexPastEnd(input_.get(), videoIndex_) ||
            indexPastEnd(input_.get(), audioIndex_))
            throw unreadable();
    }

    void openVideo()
    {
        AVStream *in = input_->streams[videoIndex_];
        const AVCodec *decoder = avcodec_find_decoder(in->codecpar->codec_id);
        const AVCodec *encoder = avcodec_find_encoder_by_name("libx264");
        if (!decoder || !encoder)
            throw cannotConvert();
        videoDecoder_.reset(avcodec_alloc_context3(decoder));
        check(avcodec_parameters_to_context(videoDecoder_.get(), in->codecpar));
        videoDecoder_->pkt_timebase = in->time_base;
        videoDecoder_->thread_count = 0;
        if (avcodec_open2(videoDecoder_.get(), decoder, nullptr) < 0)
            throw cannotConvert();

        hdr_ = isHdr(videoDecoder_->color_trc);
        videoEncoder_.reset(avcodec_alloc_context3(encoder));
        AVCodecContext *e = videoEncoder_.get();
        // 4:2:0 needs even sizes: an odd last row or column is scaled away.
        e->width = std::max(videoDecoder_->width & ~1, 2);
        e->height = std::max(videoDecoder_->height & ~1, 2);
        e->sample_aspect_ratio = videoDecoder_->sample_aspect_ratio;
        e->pix_fmt = AV_PIX_FMT_YUV420P;
        e->time_base = in->time_base;
        e->framerate = av_guess_frame_rate(input_.get(), in, nullptr);
        e->color_range = AVCOL_RANGE_MPEG;
        if (hdr_) {
            e->color_primaries = AVCOL_PRI_BT709;
            e->color_trc = AVCOL_TRC_BT709;
            e->colorspace = AVCOL_SPC_BT709;
        } else {
            e->color_primaries = videoDecoder_->color_primaries;
            e->color_trc = videoDecoder_->color_trc;
            e->colorspace = videoDecoder_->colorspace;
        }
        e->thread_count = 0;
        e->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary *raw = nullptr;
        av_dict_set(&raw, "preset", "medium", 0);
        av_dict_set(&raw, "profile", "high", 0);
        // Close to the platform's highest-quality export: visually lossless for most footage.
        av_dict_set(&raw, "crf", "18", 0);
        std::unique_ptr<AVDictionary, DictFree> options(raw);
        raw = options.release();
        const int opened = avcodec_open2(e, encoder, &raw);
        options.reset(raw);
        if (opened < 0)
            throw cannotConvert();
    }

    void openAudio()
    {
        AVStream *in = input_->streams[audioIndex_];
        if (in->codecpar->codec_id == AV_CODEC_ID_AAC) {
            copyAudio_ = true;
            return;
        }
        const AVCodec *decoder = avcodec_find_decoder(in->codecpar->codec_id);
        const AVCodec *encoder = avcodec_find_encoder(AV_CODEC_ID_AAC);
        if (!decoder || !encoder) {
            audioIndex_ = -1; // a sound track that cannot be read is left out, not the picture
            return;
        }
        audioDecoder_.reset(avcodec_alloc_context3(decoder));
        check(avcodec_parameters_to_context(audioDecoder_.get(), in->codecpar));
        audioDecoder_->pkt_timebase = in->time_base;
        if (avcodec_open2(audioDecoder_.get(), decoder, nullptr) < 0) {
            audioDecoder_.reset();
            audioIndex_ = -1;
            return;
        }
        audioEncoder_.reset(avcodec_alloc_context3(encoder));
        AVCodecContext *e = audioEncoder_.get();
        e->sample_fmt = AV_SAMPLE_FMT_FLTP;
        e->sample_rate = audioDecoder_->sample_rate > 0 && audioDecoder_->sample_rate <= 96000
                             ? audioDecoder_->sample_rate
                             : 48000;
        const int channels = std::min(audioDecoder_->ch_layout.nb_channels, 8);
        if (audioDecoder_->ch_layout.order == AV_CHANNEL_ORDER_NATIVE &&
            channels == audioDecoder_->ch_layout.nb_channels)
            check(av_channel_layout_copy(&e->ch_layout, &audioDecoder_->ch_layout));
        else
            av_channel_layout_default(&e->ch_layout, channels > 0 ? channels : 2);
        e->bit_rate = e->ch_layout.nb_channels <= 2 ? 192000 : 64000 * e->ch_layout.nb_channels;
        e->time_base = AVRational{1, e->sample_rate};
        e->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        if (avcodec_open2(e, encoder, nullptr) < 0)
            throw cannotConvert();
        SwrContext *swr = nullptr;
        AVChannelLayout inLayout{};
        if (audioDecoder_->ch_layout.nb_channels > 0 &&
            audioDecoder_->ch_layout.order != AV_CHANNEL_ORDER_UNSPEC)
            check(av_channel_layout_copy(&inLayout, &audioDecoder_->ch_layout));
        else
            av_channel_layout_default(&inLayout, std::max(audioDecoder_->ch_layout.nb_channels, 1));
        const int made =
            swr_alloc_set_opts2(&swr, &e->ch_layout, e->sample_fmt, e->sample_rate, &inLayout,
                                audioDecoder_->sample_fmt, audioDecoder_->sample_rate, 0, nullptr);
        av_channel_layout_uninit(&inLayout);
        resampler_.reset(swr);
        check(made);
        check(swr_init(swr));
        fifo_.reset(av_audio_fifo_alloc(e->sample_fmt, e->ch_layout.nb_channels, e->frame_size * 4));
        if (!fifo_)
            check(AVERROR(ENOMEM));
    }

    void openOutput()
    {
        check(avformat_alloc_output_context2(&muxer_.context_, nullptr, "mp4", outputPath_.c_str()));
        AVFormatContext *out = muxer_.context_;
        // The creation time, the location and the other container tags; the brands belong to the
        // source's format and the encoder tag is rewritten by the muxer.
        const AVDictionaryEntry *tag = nullptr;
        while ((tag = av_dict_get(input_->metadata, "", tag, AV_DICT_IGNORE_SUFFIX))) {
            const std::string key = tag->key;
            if (key != "major_brand" && key != "minor_version" && key != "compatible_brands" &&
                key != "encoder")
                av_dict_set(&out->metadata, tag->key, tag->value, 0);
        }
        // Phones keep the place under Apple's key; the MPEG-4 location box is what most readers know.
        if (!av_dict_get(out->metadata, "location", nullptr, 0))
            if (const auto *iso6709 =
                    av_dict_get(out->metadata, "com.apple.quicktime.location.ISO6709", nullptr, 0))
                av_dict_set(&out->metadata, "location", iso6709->value, 0);

        AVStream *inVideo = input_->streams[videoIndex_];
        videoOut_ = avformat_new_stream(out, nullptr);
        if (!videoOut_)
            check(AVERROR(ENOMEM));
        check(avcodec_parameters_from_context(videoOut_->codecpar, videoEncoder_.get()));
        videoOut_->time_base = videoEncoder_->time_base;
        videoOut_->avg_frame_rate = videoEncoder_->framerate;
        copyStreamTags(inVideo, videoOut_);
        size_t matrixSize = 0;
        if (const uint8_t *matrix =
                av_stream_get_side_data(inVideo, AV_PKT_DATA_DISPLAYMATRIX, &matrixSize)) {
            if (uint8_t *copy = av_stream_new_side_data(videoOut_, AV_PKT_DATA_DISPLAYMATRIX, matrixSize))
                std::memcpy(copy, matrix, matrixSize);
        }

        if (audioIndex_ >= 0) {
            AVStream *inAudio = input_->streams[audioIndex_];
            audioOut_ = avformat_new_stream(out, nullptr);
            if (!audioOut_)
                check(AVERROR(ENOMEM));
            if (copyAudio_) {
                check(avcodec_parameters_copy(audioOut_->codecpar, inAudio->codecpar));
                audioOut_->codecpar->codec_tag = 0;
                audioOut_->time_base = inAudio->time_base;
            } else {
                check(avcodec_parameters_from_context(audioOut_->codecpar, audioEncoder_.get()));
                audioOut_->time_base = audioEncoder_->time_base;
            }
            copyStreamTags(inAudio, audioOut_);
        }

        check(avio_open(&out->pb, outputPath_.c_str(), AVIO_FLAG_WRITE));
        AVDictionary *raw = nullptr;
        // The index goes before the media data, so players can start before the whole file is read.
        // Tags MPEG-4 has no box for (the phone's make and model, Apple's location key) are kept as
        // key-value metadata.
        av_dict_set(&raw, "movflags", "+faststart+use_metadata_tags", 0);
        const int written = avformat_write_header(out, &raw);
        av_dict_free(&raw);
        check(written);
    }

    static void copyStreamTags(const AVStream *in, AVStream *out)
    {
        for (const char *key : {"language", "creation_time", "handler_name"})
            if (const AVDictionaryEntry *e = av_dict_get(in->metadata, key, nullptr, 0))
                av_dict_set(&out->metadata, key, e->value, 0);
    }

    void decodeVideo(const AVPacket *packet)
    {
        const int sent = avcodec_send_packet(videoDecoder_.get(), packet);
        if (sent < 0 && sent != AVERROR_EOF)
            check(sent);
        Frame frame(av_frame_alloc());
        for (;;) {
            const int got = avcodec_receive_frame(videoDecoder_.get(), frame.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                return;
            check(got);
            encodeVideo(convertFrame(frame.get()));
            av_frame_unref(frame.get());
        }
    }

    // The decoded picture as 8-bit 4:2:0 of the encoder's size, with its timestamp.
    AVFrame *convertFrame(AVFrame *frame)
    {
        std::int64_t pts = frame->best_effort_timestamp;
        if (pts == AV_NOPTS_VALUE)
            pts = lastPts_ == AV_NOPTS_VALUE ? 0 : lastPts_ + 1;
        if (lastPts_ != AV_NOPTS_VALUE && pts <= lastPts_)
            pts = lastPts_ + 1; // the encoder needs strictly increasing timestamps
        lastPts_ = pts;

        if (!scaled_) {
            scaled_.reset(av_frame_alloc());
            scaled_->format = AV_PIX_FMT_YUV420P;
            scaled_->width = videoEncoder_->width;
            scaled_->height = videoEncoder_->height;
            check(av_frame_get_buffer(scaled_.get(), 0));
        }
        check(av_frame_make_writable(scaled_.get()));
        if (hdr_) {
            if (!toneMapper_)
                toneMapper_ = std::make_unique<ToneMapper>(frame->color_trc == AVCOL_TRC_ARIB_STD_B67
                                                               ? ToneMapper::Transfer::hlg
                                                               : ToneMapper::Transfer::pq,
                                                           frame->color_primaries == AVCOL_PRI_BT2020);
            toneMapper_->convert(frame, scaled_.get());
        } else {
            const bool fullRange = frame->color_range == AVCOL_RANGE_JPEG;
            scaler_.reset(sws_getCachedContext(scaler_.release(), frame->width, frame->height,
                                               AVPixelFormat(frame->format), scaled_->width, scaled_->height,
                                               AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
            if (!scaler_)
                throw cannotConvert();
            const int *coefficients =
                sws_getCoefficients(frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT);
            sws_setColorspaceDetails(scaler_.get(), coefficients, fullRange ? 1 : 0, coefficients, 0, 0,
                                     1 << 16, 1 << 16);
            sws_scale(scaler_.get(), frame->data, frame->linesize, 0, frame->height, scaled_->data,
                      scaled_->linesize);
        }
        scaled_->pts = pts;
        scaled_->pict_type = AV_PICTURE_TYPE_NONE;
        return scaled_.get();
    }

    void encodeVideo(const AVFrame *frame) { encode(videoEncoder_.get(), frame, videoOut_); }

    void encode(AVCodecContext *encoder, const AVFrame *frame, AVStream *stream)
    {
        const int sent = avcodec_send_frame(encoder, frame);
        if (sent < 0 && sent != AVERROR_EOF)
            check(sent);
        Packet packet(av_packet_alloc());
        for (;;) {
            const int got = avcodec_receive_packet(encoder, packet.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                return;
            check(got);
            av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
            packet->stream_index = stream->index;
            check(av_interleaved_write_frame(muxer_.context_, packet.get()));
        }
    }

    void handleAudio(AVPacket *packet)
    {
        if (copyAudio_) {
            av_packet_rescale_ts(packet, input_->streams[audioIndex_]->time_base, audioOut_->time_base);
            packet->stream_index = audioOut_->index;
            packet->pos = -1;
            check(av_interleaved_write_frame(muxer_.context_, packet));
            return;
        }
        if (audioDecoder_)
            decodeAudio(packet);
    }

    void decodeAudio(const AVPacket *packet)
    {
        const int sent = avcodec_send_packet(audioDecoder_.get(), packet);
        if (sent < 0 && sent != AVERROR_EOF) {
            if (packet)
                return; // a damaged sound packet is dropped, as players do
            check(sent);
        }
        Frame frame(av_frame_alloc());
        for (;;) {
            const int got = avcodec_receive_frame(audioDecoder_.get(), frame.get());
            if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
                break;
            if (got < 0)
                break;
            resample(frame.get());
            av_frame_unref(frame.get());
        }
        drainAudioFifo(false);
    }

    void resample(const AVFrame *frame)
    {
        const int capacity = swr_get_out_samples(resampler_.get(), frame->nb_samples);
        if (capacity <= 0)
            return;
        uint8_t **buffers = nullptr;
        check(av_samples_alloc_array_and_samples(&buffers, nullptr, audioEncoder_->ch_layout.nb_channels,
                                                 capacity, audioEncoder_->sample_fmt, 0));
        const int converted =
            swr_convert(resampler_.get(), buffers, capacity,
                        const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples);
        if (converted > 0)
            av_audio_fifo_write(fifo_.get(), reinterpret_cast<void **>(buffers), converted);
        av_freep(&buffers[0]);
        av_freep(&buffers);
        check(converted);
    }

    void drainAudioFifo(bool flush)
    {
        const int frameSize = audioEncoder_->frame_size > 0 ? audioEncoder_->frame_size : 1024;
        while (av_audio_fifo_size(fifo_.get()) >= frameSize ||
               (flush && av_audio_fifo_size(fifo_.get()) > 0)) {
            const int samples = std::min(frameSize, av_audio_fifo_size(fifo_.get()));
            Frame frame(av_frame_alloc());
            frame->nb_samples = samples;
            frame->format = audioEncoder_->sample_fmt;
            frame->sample_rate = audioEncoder_->sample_rate;
            check(av_channel_layout_copy(&frame->ch_layout, &audioEncoder_->ch_layout));
            check(av_frame_get_buffer(frame.get(), 0));
            av_audio_fifo_read(fifo_.get(), reinterpret_cast<void **>(frame->data), samples);
            frame->pts = audioSamples_;
            audioSamples_ += samples;
            encodeAudio(frame.get());
        }
    }

    void encodeAudio(const AVFrame *frame) { encode(audioEncoder_.get(), frame, audioOut_); }

    fs::path inputPath_;
    std::string outputPath_;
    const std::atomic<bool> &stop_;
    Input input_;
    int videoIndex_ = -1;
    int audioIndex_ = -1;
    bool hdr_ = false;
    bool copyAudio_ = false;
    Codec videoDecoder_, videoEncoder_, audioDecoder_, audioEncoder_;
    std::unique_ptr<SwsContext, ScaleFree> scaler_;
    std::unique_ptr<ToneMapper> toneMapper_;
    std::unique_ptr<SwrContext, ResampleFree> resampler_;
    std::unique_ptr<AVAudioFifo, FifoFree> fifo_;
    Frame scaled_;
    std::int64_t lastPts_ = AV_NOPTS_VALUE;
    std::int64_t audioSamples_ = 0;
    Muxer muxer_;
    AVStream *videoOut_ = nullptr;
    AVStream *audioOut_ = nullptr;
};

} // namespace

QString fourCCString(std::uint32_t mediaSubtype)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto byte = (mediaSubtype >> shift) & 0xFF;
        if (byte > 127)
            return QStringLiteral("????");
        text += QChar(char16_t(byte));
    }
    return text;
}

QString displayName(const QString &code)
{
    if (code == "hvc1" || code == "hev1")
        return QStringLiteral("HEVC");
    if (code == "avc1")
        return QStringLiteral("H.264");
    if (code == "ap4h" || code == "apch" || code == "apcn" || code == "apcs" || code == "apco")
        return QStringLiteral("ProRes");
    if (code == "jpeg")
        return QStringLiteral("MJPEG");
    return code.toUpper();
}

std::pair<QString, QString> videoCodec(const fs::path &path)
{
    const Input input = openInput(path);
    if (!input)
        throw unreadable();
    const int index = firstVideoStream(input.get());
    if (index < 0)
        throw FileError(L("비디오 트랙 없음"));
    // FFmpeg keeps the sample entry's four characters with the first one in the lowest byte.
    const std::uint32_t tag = input->streams[index]->codecpar->codec_tag;
    if (tag == 0)
        throw FileError(L("비디오 트랙 없음"));
    const std::uint32_t subtype =
        (tag & 0xFF) << 24 | ((tag >> 8) & 0xFF) << 16 | ((tag >> 16) & 0xFF) << 8 | tag >> 24;
    const QString code = fourCCString(subtype);
    return {code, displayName(code)};
}

void transcode(const fs::path &input, AtomicFile &output, const std::atomic<bool> &stop)
{
    Transcode work(input, output, stop);
    work.run();
}

} // namespace VideoTranscoder
