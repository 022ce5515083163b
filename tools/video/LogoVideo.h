#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The logo video on the intro's cube: a glowing double helix of the four
// piece colours turning once on a dark field, looping without a seam.
namespace logo_video {

constexpr int kSide = 256;
constexpr int kFps = 25;
constexpr int kFrames = 75;

// One frame, kSide x kSide RGB, rows top-down.
void DrawFrame(int frame, std::vector<uint8_t>& rgb);
bool Write(const std::string& path, std::string& problem);

} // namespace logo_video
