#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB rows, top to bottom, as a PNG file.
bool WritePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height);
