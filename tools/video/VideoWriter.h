#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Encodes pictures drawn in code into a video file, the same bytes every run.
namespace video {

enum class Codec {
    Mjpeg, // full-colour JPEG pictures
    PalettePng, // 8-bit pictures with a colour table of at most 256 colours
};

struct VideoFormat {
    int width = 256;
    int height = 256;
    int fps = 25;
    int frames = 1;
    Codec codec = Codec::Mjpeg;
    std::string container = "avi"; // a muxer name of the encoding library
};

// Fills one frame: width x height RGB pixels, rows top-down.
using FrameSource = std::function<void(int frame, std::vector<uint8_t>& rgb)>;

bool WriteVideo(const std::string& path, const VideoFormat& format, const FrameSource& draw, std::string& problem);

} // namespace video
