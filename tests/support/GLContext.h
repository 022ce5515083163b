#pragma once
#include "platform/GLWindow.h"

#include <cstdint>

// A current OpenGL context on a hidden 640 x 480 window, for drawing tests
// that read back what they drew.
class GLContext {
public:
    static constexpr int kWidth = 640, kHeight = 480;

    GLContext();
    ~GLContext();
    bool Ok() const { return m_ok; }

    // Clears to black and sets the viewport to the whole window.
    void Clear();
    // The drawn colour at (x, y), y counted from the top: 0xRRGGBB.
    uint32_t Pixel(int x, int y) const;

private:
    platform::GLWindow m_window;
    bool m_ok = false;
};
