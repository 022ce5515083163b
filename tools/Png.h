#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB rows, top to bottom, as a PNG file.
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height);
// The same with an alpha byte after each pixel's RGB.
bool WritePngRgba(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height);

struct PngImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // rows top to bottom
};

// Reads a PNG of any colour type as 8-bit RGB; transparent parts come out
// black. A picture of more than maxPixels pixels is not decoded: its size is
// set and false returned. Otherwise false means the file is no readable PNG,
// with the reason in error.
bool ReadPng(const std::string& path, PngImage& image, size_t maxPixels, std::string& error);
