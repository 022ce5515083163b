#pragma once
// Shared between the SDL-backed parts of the platform layer only.
#include <cstdint>
#include <functional>

namespace platform::sdl {

// Brings SDL's video and event subsystems up once; false when there is no video.
bool InitVideo();

// Maps a window's mouse coordinates to the client pixels the game sees.
using MouseMapping = std::function<void(int& x, int& y)>;
void SetMouseMapping(uint32_t windowId, MouseMapping mapping);
void ClearMouseMapping(uint32_t windowId);
void MapMouse(uint32_t windowId, int& x, int& y);

} // namespace platform::sdl
