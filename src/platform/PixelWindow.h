#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

namespace platform {

// A small captioned window showing a picture the game drew itself, pixel
// for pixel at a whole-number scale (the settings dialog, before the game
// window exists). Mouse positions arrive in the picture's pixels.
class PixelWindow {
public:
    PixelWindow() = default;
    ~PixelWindow();
    PixelWindow(const PixelWindow&) = delete;
    PixelWindow& operator=(const PixelWindow&) = delete;

    bool Open(const std::string& title, int width, int height, int scale);
    void Close();
    // Pixels as 0xRRGGBB, rows top to bottom.
    void Present(const uint32_t* pixels);

    // The picture last shown by the open pixel window, if one is open.
    static bool Snapshot(std::vector<uint32_t>& pixels, int& width, int& height);

private:
    SDL_Window* m_window = nullptr;
    int m_width = 0, m_height = 0, m_scale = 1;
    std::vector<uint32_t> m_last;
};

} // namespace platform
