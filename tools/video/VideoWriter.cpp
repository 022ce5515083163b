#include "VideoWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstring>

namespace video {

namespace {

// JPEG quantiser scale: low enough that soft glows show no blocks.
constexpr int kJpegQuality = 3;

struct Encoder {
    ~Encoder()
    {
        if (format && format->pb)
            avio_closep(&format->pb);
        avformat_free_context(format);
        avcodec_free_context(&codec);
        av_frame_free(&frame);
        av_packet_free(&packet);
    }

    AVFormatContext* format = nullptr;
    AVStream* stream = nullptr;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
};

std::string Why(const std::string& step, int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return step + ": " + text;
}

// Full-range BT.601 with colour at half resolution, as JPEG pictures usually
// have it; done here so every machine gives the same bytes.
void ToYuv420(const std::vector<uint8_t>& rgb, AVFrame& frame)
{
    // The last row and column repeat for odd sizes.
    auto pixel = [&](int x, int y) {
        const int row = std::min(y, frame.height - 1), column = std::min(x, frame.width - 1);
        return &rgb[(static_cast<size_t>(row) * frame.width + column) * 3];
    };
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const uint8_t* p = pixel(x, y);
            frame.data[0][y * frame.linesize[0] + x] =
                uint8_t((19595 * p[0] + 38470 * p[1] + 7471 * p[2] + 32768) >> 16);
        }
    for (int y = 0; y < (frame.height + 1) / 2; ++y)
        for (int x = 0; x < (frame.width + 1) / 2; ++x) {
            int r = 0, g = 0, b = 0;
            for (const uint8_t* p :
                {pixel(2 * x, 2 * y), pixel(2 * x + 1, 2 * y), pixel(2 * x, 2 * y + 1), pixel(2 * x + 1, 2 * y + 1)})
                r += p[0], g += p[1], b += p[2];
            frame.data[1][y * frame.linesize[1] + x] =
                uint8_t(std::clamp((-11059 * r - 21709 * g + 32768 * b + (512 << 16) + 131072) >> 18, 0, 255));
            frame.data[2][y * frame.linesize[2] + x] =
                uint8_t(std::clamp((32768 * r - 27439 * g - 5329 * b + (512 << 16) + 131072) >> 18, 0, 255));
        }
}

// The colour table in order of first appearance; false when there are more than 256 colours.
bool ToPalette(const std::vector<uint8_t>& rgb, AVFrame& frame)
{
    uint32_t* table = reinterpret_cast<uint32_t*>(frame.data[1]);
    int colours = 0;
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(y) * frame.width + x) * 3];
            const uint32_t argb = 0xFF000000u | (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
            const int index = static_cast<int>(std::find(table, table + colours, argb) - table);
            if (index == colours) {
                if (colours == 256)
                    return false;
                table[colours++] = argb;
            }
            frame.data[0][y * frame.linesize[0] + x] = uint8_t(index);
        }
    std::fill(table + colours, table + 256, 0xFF000000u);
    return true;
}

bool OpenCodec(Encoder& e, const VideoFormat& format, std::string& problem)
{
    const bool jpeg = format.codec == Codec::Mjpeg;
    const AVCodec* codec = avcodec_find_encoder(jpeg ? AV_CODEC_ID_MJPEG : AV_CODEC_ID_PNG);
    if (!codec || !(e.codec = avcodec_alloc_context3(codec))) {
        problem = "no encoder for the pictures";
        return false;
    }
    AVCodecContext& c = *e.codec;
    c.width = format.width;
    c.height = format.height;
    c.time_base = AVRational{1, format.fps};
    c.framerate = AVRational{format.fps, 1};
    c.pix_fmt = jpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_PAL8;
    c.color_range = jpeg ? AVCOL_RANGE_JPEG : AVCOL_RANGE_UNSPECIFIED;
    c.flags |= AV_CODEC_FLAG_BITEXACT;
    c.thread_count = 1;
    if (jpeg) {
        c.flags |= AV_CODEC_FLAG_QSCALE;
        c.global_quality = FF_QP2LAMBDA * kJpegQuality;
        c.dct_algo = FF_DCT_INT;
    }
    if (e.format->oformat->flags & AVFMT_GLOBALHEADER)
        c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const int opened = avcodec_open2(e.codec, codec, nullptr);
    if (opened < 0) {
        problem = Why("the encoder", opened);
        return false;
    }
    e.stream->time_base = c.time_base;
    avcodec_parameters_from_context(e.stream->codecpar, e.codec);
    e.frame = av_frame_alloc();
    e.packet = av_packet_alloc();
    if (!e.frame || !e.packet)
        return false;
    e.frame->format = c.pix_fmt;
    e.frame->width = c.width;
    e.frame->height = c.height;
    const int made = av_frame_get_buffer(e.frame, 0);
    if (made < 0)
        problem = Why("the picture buffer", made);
    return made >= 0;
}

bool Open(Encoder& e, const std::string& path, const VideoFormat& format, std::string& problem)
{
    if (avformat_alloc_output_context2(&e.format, nullptr, format.container.c_str(), path.c_str()) < 0) {
        problem = "no container named " + format.container;
        return false;
    }
    e.format->flags |= AVFMT_FLAG_BITEXACT;
    problem = "out of memory";
    if (!(e.stream = avformat_new_stream(e.format, nullptr)) || !OpenCodec(e, format, problem))
        return false;
    const int opened = avio_open(&e.format->pb, path.c_str(), AVIO_FLAG_WRITE);
    if (opened < 0) {
        problem = Why(path, opened);
        return false;
    }
    const int written = avformat_write_header(e.format, nullptr);
    if (written < 0)
        problem = Why("the header", written);
    return written >= 0;
}

// Sends one frame (null: the end) and writes every packet that comes out.
bool Encode(Encoder& e, const AVFrame* frame, std::string& problem)
{
    int result = avcodec_send_frame(e.codec, frame);
    while (result >= 0) {
        result = avcodec_receive_packet(e.codec, e.packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            break;
        av_packet_rescale_ts(e.packet, e.codec->time_base, e.stream->time_base);
        e.packet->stream_index = e.stream->index;
        result = av_interleaved_write_frame(e.format, e.packet);
    }
    problem = Why("a frame", result);
    return false;
}

} // namespace

bool WriteVideo(const std::string& path, const VideoFormat& format, const FrameSource& draw, std::string& problem)
{
    av_log_set_level(AV_LOG_ERROR);
    Encoder e;
    if (!Open(e, path, format, problem))
        return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(format.width) * format.height * 3);
    for (int i = 0; i < format.frames; ++i) {
        std::fill(rgb.begin(), rgb.end(), 0);
        draw(i, rgb);
        if (av_frame_make_writable(e.frame) < 0) {
            problem = "out of memory";
            return false;
        }
        if (format.codec == Codec::Mjpeg) {
            ToYuv420(rgb, *e.frame);
        } else if (!ToPalette(rgb, *e.frame)) {
            problem = "frame " + std::to_string(i) + " has more than 256 colours";
            return false;
        }
        e.frame->pts = i;
        if (!Encode(e, e.frame, problem))
            return false;
    }
    if (!Encode(e, nullptr, problem))
        return false;
    const int ended = av_write_trailer(e.format);
    if (ended < 0)
        problem = Why("the end of the file", ended);
    return ended >= 0;
}

} // namespace video
