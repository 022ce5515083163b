#include "platform/PixelWindow.h"
#include "platform/Messages.h"
#include "platform/SdlWindows.h"

#include <SDL.h>

namespace platform {

namespace {
PixelWindow* gOpen = nullptr;
} // namespace

PixelWindow::~PixelWindow() { Close(); }

bool PixelWindow::Open(const std::string& title, int width, int height, int scale)
{
    Close();
    if (!sdl::InitVideo())
        return false;
    m_width = width;
    m_height = height;
    m_scale = scale;
    m_window = SDL_CreateWindow(
        title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * scale, height * scale, 0);
    if (!m_window)
        return false;
    sdl::SetMouseMapping(SDL_GetWindowID(m_window), [scale](int& x, int& y) {
        x /= scale;
        y /= scale;
    });
    SDL_StartTextInput();
    gOpen = this;
    return true;
}

void PixelWindow::Close()
{
    if (!m_window)
        return;
    sdl::ClearMouseMapping(SDL_GetWindowID(m_window));
    SDL_DestroyWindow(m_window);
    m_window = nullptr;
    if (gOpen == this)
        gOpen = nullptr;
    ClearMessages();
}

void PixelWindow::Present(const uint32_t* pixels)
{
    if (!m_window)
        return;
    m_last.assign(pixels, pixels + static_cast<size_t>(m_width) * m_height);
    SDL_Surface* target = SDL_GetWindowSurface(m_window);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixels), m_width, m_height, 32, m_width * 4, SDL_PIXELFORMAT_RGB888);
    if (target && picture) {
        SDL_Rect all{0, 0, m_width * m_scale, m_height * m_scale};
        SDL_BlitScaled(picture, nullptr, target, &all);
        SDL_UpdateWindowSurface(m_window);
    }
    SDL_FreeSurface(picture);
}

} // namespace platform

namespace platform {

bool PixelWindow::Snapshot(std::vector<uint32_t>& pixels, int& width, int& height)
{
    if (!gOpen || gOpen->m_last.empty())
        return false;
    pixels = gOpen->m_last;
    width = gOpen->m_width;
    height = gOpen->m_height;
    return true;
}

} // namespace platform
