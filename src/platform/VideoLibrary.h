#pragma once
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace platform {

// Each decoding function the video reader calls, with the library it is in.
#define VEXORIN_VIDEO_FUNCTIONS(F)                                                                                     \
    F(avutil, av_dict_free)                                                                                            \
    F(avutil, av_dict_set)                                                                                             \
    F(avutil, av_frame_alloc)                                                                                          \
    F(avutil, av_frame_free)                                                                                           \
    F(avutil, av_free)                                                                                                 \
    F(avutil, av_freep)                                                                                                \
    F(avutil, av_log_set_level)                                                                                        \
    F(avutil, av_malloc)                                                                                               \
    F(avutil, av_pix_fmt_desc_get)                                                                                     \
    F(avutil, av_rescale_q)                                                                                            \
    F(swscale, sws_freeContext)                                                                                        \
    F(swscale, sws_getCachedContext)                                                                                   \
    F(swscale, sws_getCoefficients)                                                                                    \
    F(swscale, sws_scale)                                                                                              \
    F(swscale, sws_setColorspaceDetails)                                                                               \
    F(avcodec, av_packet_alloc)                                                                                        \
    F(avcodec, av_packet_clone)                                                                                        \
    F(avcodec, av_packet_free)                                                                                         \
    F(avcodec, av_packet_ref)                                                                                          \
    F(avcodec, av_packet_unref)                                                                                        \
    F(avcodec, avcodec_alloc_context3)                                                                                 \
    F(avcodec, avcodec_find_decoder)                                                                                   \
    F(avcodec, avcodec_flush_buffers)                                                                                  \
    F(avcodec, avcodec_free_context)                                                                                   \
    F(avcodec, avcodec_get_name)                                                                                       \
    F(avcodec, avcodec_open2)                                                                                          \
    F(avcodec, avcodec_parameters_to_context)                                                                          \
    F(avcodec, avcodec_receive_frame)                                                                                  \
    F(avcodec, avcodec_send_packet)                                                                                    \
    F(avformat, av_read_frame)                                                                                         \
    F(avformat, avformat_alloc_context)                                                                                \
    F(avformat, avformat_close_input)                                                                                  \
    F(avformat, avformat_find_stream_info)                                                                             \
    F(avformat, avformat_open_input)                                                                                   \
    F(avformat, avio_alloc_context)                                                                                    \
    F(avformat, avio_context_free)

// The decoding libraries, loaded from the system only while a video is read
// or played: they and the hundred libraries they bring stay out of the
// game's start and memory the rest of the time.
class VideoLibrary {
public:
#define VEXORIN_VIDEO_POINTER(library, name) decltype(&::name) name = nullptr;
    VEXORIN_VIDEO_FUNCTIONS(VEXORIN_VIDEO_POINTER)
#undef VEXORIN_VIDEO_POINTER

    // The libraries, loaded by the first holder and unloaded after the last;
    // null when the system has no version of them that fits the game.
    static std::shared_ptr<const VideoLibrary> Hold();
    ~VideoLibrary();
    VideoLibrary(const VideoLibrary&) = delete;
    VideoLibrary& operator=(const VideoLibrary&) = delete;

private:
    enum Part { avutil, swscale, avcodec, avformat, kParts };

    VideoLibrary() = default;
    bool Load();

    void* m_handles[kParts] = {};
};

} // namespace platform
