#include "TestVideos.h"

#include <cstdlib>
#include <filesystem>

void PaintRect(std::vector<uint8_t>& rgb, int width, int x0, int y0, int x1, int y1, Rgb colour)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = colour.r, p[1] = colour.g, p[2] = colour.b;
        }
}

bool WriteFlatVideo(const std::string& path, video::VideoFormat format, const std::vector<Rgb>& colours)
{
    std::string problem;
    return video::WriteVideo(
        path, format,
        [&](int frame, std::vector<uint8_t>& rgb) {
            PaintRect(rgb, format.width, 0, 0, format.width, format.height, colours[frame % colours.size()]);
        },
        problem);
}

void Truncate(const std::string& path, size_t bytes) { std::filesystem::resize_file(path, bytes); }

Rgb At(const std::vector<uint8_t>& picture, int x, int y)
{
    const uint8_t* p = &picture[(static_cast<size_t>(y) * 256 + x) * 3];
    return {p[0], p[1], p[2]};
}

bool Near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}
