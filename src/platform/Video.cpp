#include "platform/Video.h"
#include "platform/File.h"
#include "platform/Trace.h"

#include "platform/VideoLibrary.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// Frame times outside these bounds are taken for nonsense in the file.
constexpr double kShortestFrameMs = 4.0; // 250 frames a second, four times what the game shows
constexpr double kLongestFrameMs = 10000.0;
constexpr int64_t kUsualFrameMs = 40; // 25 frames a second
// The decoder refuses pictures larger than this, whatever size the file announces.
constexpr int64_t kLargestSourcePixels = 4096 * 4096;

int FirstVideoStream(const AVFormatContext& format)
{
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        const AVStream& stream = *format.streams[i];
        if (stream.codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream.disposition & AV_DISPOSITION_ATTACHED_PIC))
            return static_cast<int>(i);
    }
    return -1;
}

// The JPEG formats are the plain ones at full range; named so, the scaler converts their range as told.
AVPixelFormat WithoutJpegRange(AVPixelFormat format, bool& fullRange)
{
    switch (format) {
    case AV_PIX_FMT_YUVJ420P: fullRange = true; return AV_PIX_FMT_YUV420P;
    case AV_PIX_FMT_YUVJ422P: fullRange = true; return AV_PIX_FMT_YUV422P;
    case AV_PIX_FMT_YUVJ444P: fullRange = true; return AV_PIX_FMT_YUV444P;
    case AV_PIX_FMT_YUVJ440P: fullRange = true; return AV_PIX_FMT_YUV440P;
    case AV_PIX_FMT_YUVJ411P: fullRange = true; return AV_PIX_FMT_YUV411P;
    default: return format;
    }
}

bool IsYuv(const VideoLibrary& ff, AVPixelFormat format)
{
    const AVPixFmtDescriptor* desc = ff.av_pix_fmt_desc_get(format);
    return desc && desc->nb_components >= 3 && !(desc->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL));
}

// A file's bytes in memory, read and sought through FFmpeg's I/O callbacks;
// the size is the buffer's, never one the file announces.
struct MemoryInput {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
};

int ReadMemory(void* opaque, uint8_t* buffer, int wanted)
{
    MemoryInput& in = *static_cast<MemoryInput*>(opaque);
    const size_t count = std::min(static_cast<size_t>(std::max(wanted, 0)), in.size - in.position);
    if (count == 0)
        return AVERROR_EOF;
    std::memcpy(buffer, in.data + in.position, count);
    in.position += count;
    return static_cast<int>(count);
}

int64_t SeekMemory(void* opaque, int64_t offset, int whence)
{
    MemoryInput& in = *static_cast<MemoryInput*>(opaque);
    const int64_t size = static_cast<int64_t>(in.size);
    if (whence & AVSEEK_SIZE)
        return size;
    int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = static_cast<int64_t>(in.position); break;
    case SEEK_END: base = size; break;
    default: return AVERROR(EINVAL);
    }
    if (offset < -base || offset > size - base)
        return AVERROR(EINVAL);
    in.position = static_cast<size_t>(base + offset);
    return base + offset;
}

constexpr int kMemoryReadBytes = 4096;

} // namespace

struct Video::Decoder {
    explicit Decoder(std::shared_ptr<const VideoLibrary> held)
        : library(std::move(held))
        , ff(*library)
    {
    }
    ~Decoder()
    {
        ff.sws_freeContext(scaler);
        ff.av_frame_free(&frame);
        ff.av_packet_free(&packet);
        ff.avcodec_free_context(&codec);
        ff.avformat_close_input(&format);
        if (io)
            ff.av_freep(&io->buffer);
        ff.avio_context_free(&io);
    }

    std::shared_ptr<const VideoLibrary> library; // first, so it goes last
    const VideoLibrary& ff;
    AVFormatContext* format = nullptr;
    AVIOContext* io = nullptr;
    MemoryInput memory;
    AVCodecContext* codec = nullptr;
    AVPacket* packet = nullptr;
    AVFrame* frame = nullptr;
    SwsContext* scaler = nullptr;
    int stream = -1;
    bool drained = false;
    std::vector<uint8_t> topDown = std::vector<uint8_t>(kFrameBytes);
};

Video::Video() = default;
Video::~Video() = default;

bool Video::Open(const std::string& path) { return Start() && OpenInput(("file:" + ResolvePath(path)).c_str()); }

bool Video::Start()
{
    auto library = VideoLibrary::Hold();
    if (!library)
        return false;
    library->av_log_set_level(TraceEnabled() ? AV_LOG_WARNING : AV_LOG_QUIET);
    m_decoder = std::make_unique<Decoder>(std::move(library));
    return true;
}

bool Video::OpenMemory(const uint8_t* data, size_t size)
{
    if (!Start())
        return false;
    Decoder& d = *m_decoder;
    const VideoLibrary& ff = d.ff;
    d.memory.data = data;
    d.memory.size = size;
    auto* buffer = static_cast<unsigned char*>(ff.av_malloc(kMemoryReadBytes));
    if (!buffer)
        return Fail();
    d.io = ff.avio_alloc_context(buffer, kMemoryReadBytes, 0, &d.memory, ReadMemory, nullptr, SeekMemory);
    if (!d.io) {
        ff.av_free(buffer);
        return Fail();
    }
    if (!(d.format = ff.avformat_alloc_context()))
        return Fail();
    d.format->pb = d.io;
    return OpenInput("");
}

// Opens the input (the decoder's own I/O when it has one) and its first video stream's decoder.
bool Video::OpenInput(const char* url)
{
    Decoder& d = *m_decoder;
    const VideoLibrary& ff = d.ff;
    // Only ever a local file, whatever the name looks like; bytes in memory open nothing else.
    AVDictionary* options = nullptr;
    ff.av_dict_set(&options, "protocol_whitelist", d.io ? "none" : "file", 0);
    const bool opened = ff.avformat_open_input(&d.format, url, nullptr, &options) == 0;
    ff.av_dict_free(&options);
    if (!opened || ff.avformat_find_stream_info(d.format, nullptr) < 0 || (d.stream = FirstVideoStream(*d.format)) < 0)
        return Fail();
    const AVStream& stream = *d.format->streams[d.stream];
    const AVCodec* codec = ff.avcodec_find_decoder(stream.codecpar->codec_id);
    if (!codec || !(d.codec = ff.avcodec_alloc_context3(codec)) ||
        ff.avcodec_parameters_to_context(d.codec, stream.codecpar) < 0)
        return Fail();
    d.codec->thread_count = 1;
    d.codec->max_pixels = kLargestSourcePixels;
    if (ff.avcodec_open2(d.codec, codec, nullptr) < 0 || !(d.packet = ff.av_packet_alloc()) ||
        !(d.frame = ff.av_frame_alloc()))
        return Fail();
    ReadStreamFigures();
    return true;
}

bool Video::Fail()
{
    m_decoder.reset();
    return false;
}

void Video::ReadStreamFigures()
{
    const AVFormatContext& format = *m_decoder->format;
    const AVStream& stream = *format.streams[m_decoder->stream];
    const VideoLibrary& ff = m_decoder->ff;
    m_sourceWidth = stream.codecpar->width;
    m_sourceHeight = stream.codecpar->height;
    m_codecName = ff.avcodec_get_name(stream.codecpar->codec_id);
    m_framesSaid = stream.nb_frames;
    if (stream.duration != AV_NOPTS_VALUE)
        m_durationSaidMs = ff.av_rescale_q(stream.duration, stream.time_base, AVRational{1, 1000});
    const AVRational rate = stream.avg_frame_rate.num > 0 ? stream.avg_frame_rate : stream.r_frame_rate;
    if (rate.num > 0 && rate.den > 0) {
        const double frameMs = 1000.0 * rate.den / rate.num;
        if (frameMs >= kShortestFrameMs && frameMs <= kLongestFrameMs)
            m_rateFrameMs = frameMs;
    }
}

bool Video::ReadFrame(uint8_t* pixels)
{
    if (!m_decoder)
        return false;
    if (m_framesRead == kMaxFrames) {
        m_cut = Decode();
        m_decoder.reset();
        return false;
    }
    if (!Decode() || !Scale(pixels)) {
        m_decoder.reset();
        return false;
    }
    ++m_framesRead;
    return true;
}

// The next picture of our stream into the frame; false at the end of the
// stream or at the first error, which ends the video there.
bool Video::Decode()
{
    Decoder& d = *m_decoder;
    const VideoLibrary& ff = d.ff;
    for (;;) {
        const int received = ff.avcodec_receive_frame(d.codec, d.frame);
        if (received == 0)
            return true;
        if (received != AVERROR(EAGAIN) || d.drained)
            return false;
        if (ff.av_read_frame(d.format, d.packet) < 0) {
            d.drained = true;
            if (ff.avcodec_send_packet(d.codec, nullptr) < 0)
                return false;
            continue;
        }
        const int sent = d.packet->stream_index == d.stream ? ff.avcodec_send_packet(d.codec, d.packet) : 0;
        ff.av_packet_unref(d.packet);
        if (sent < 0)
            return false;
    }
}

// Stretches the whole picture over the square and turns it bottom-up.
bool Video::Scale(uint8_t* pixels)
{
    Decoder& d = *m_decoder;
    const VideoLibrary& ff = d.ff;
    const AVFrame& f = *d.frame;
    bool fullRange = f.color_range == AVCOL_RANGE_JPEG;
    const AVPixelFormat format = WithoutJpegRange(static_cast<AVPixelFormat>(f.format), fullRange);
    d.scaler = ff.sws_getCachedContext(
        d.scaler, f.width, f.height, format, kSide, kSide, AV_PIX_FMT_RGB24, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!d.scaler)
        return false;
    if (IsYuv(ff, format)) {
        const int* coefficients = ff.sws_getCoefficients(f.colorspace);
        ff.sws_setColorspaceDetails(d.scaler, coefficients, fullRange, coefficients, 1, 0, 1 << 16, 1 << 16);
    }
    uint8_t* target[4] = {d.topDown.data()};
    const int stride[4] = {kSide * 3};
    if (ff.sws_scale(d.scaler, f.data, f.linesize, 0, f.height, target, stride) != kSide)
        return false;
    for (int row = 0; row < kSide; ++row)
        std::memcpy(pixels + row * kSide * 3, d.topDown.data() + (kSide - 1 - row) * kSide * 3, kSide * 3);
    return true;
}

bool Video::CountedByFile() const
{
    return m_framesSaid > 0 && m_framesSaid >= m_framesRead && m_framesSaid <= INT_MAX;
}

int Video::FrameCount() const { return CountedByFile() ? static_cast<int>(m_framesSaid) : m_framesRead; }

// The frames at the stream's frame rate. Without one, the stream's duration,
// unless it makes no sense for the frames or they were cut short without the
// file counting them; failing both, 25 frames a second.
int64_t Video::DurationMs() const
{
    const int64_t count = FrameCount();
    if (m_rateFrameMs > 0)
        return std::llround(count * m_rateFrameMs);
    const bool fits = m_durationSaidMs >= count * kShortestFrameMs && m_durationSaidMs <= count * kLongestFrameMs;
    if (fits && (CountedByFile() || !m_cut))
        return m_durationSaidMs;
    return count * kUsualFrameMs;
}

} // namespace platform
