#pragma once
#include "video/VideoWriter.h"

#include <cstdint>
#include <string>
#include <vector>

// Videos the tests make for themselves with the game's own encoder.
struct Rgb {
    uint8_t r, g, b;
};

// Paints a rectangle of a top-down RGB picture 'width' pixels wide.
void PaintRect(std::vector<uint8_t>& rgb, int width, int x0, int y0, int x1, int y1, Rgb colour);
// A video whose frame i is one flat colour, colours[i % size].
bool WriteFlatVideo(const std::string& path, video::VideoFormat format, const std::vector<Rgb>& colours);
// The first 'bytes' bytes of a file, in place of it.
void Truncate(const std::string& path, size_t bytes);
// The colour at (x, y) of a bottom-up 256 x 256 RGB picture, y counted from the bottom.
Rgb At(const std::vector<uint8_t>& picture, int x, int y);
// True when each channel is within 'tolerance' of the other's.
bool Near(Rgb a, Rgb b, int tolerance);
