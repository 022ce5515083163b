#include "platform/GLWindow.h"
#include "platform/File.h"
#include "platform/Messages.h"
#include "platform/SdlWindows.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <csignal>

namespace platform {

namespace {

bool gFullscreenAsWindow = false;
bool gCaptureFrames = false;
bool gFailures[static_cast<int>(GLWindow::Step::Count)] = {};

bool Refused(GLWindow::Step step) { return gFailures[static_cast<int>(step)]; }

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;

    bool Load()
    {
        Get(genFramebuffers, "glGenFramebuffers");
        Get(bindFramebuffer, "glBindFramebuffer");
        Get(deleteFramebuffers, "glDeleteFramebuffers");
        Get(genRenderbuffers, "glGenRenderbuffers");
        Get(bindRenderbuffer, "glBindRenderbuffer");
        Get(deleteRenderbuffers, "glDeleteRenderbuffers");
        Get(renderbufferStorage, "glRenderbufferStorage");
        Get(framebufferRenderbuffer, "glFramebufferRenderbuffer");
        Get(checkFramebufferStatus, "glCheckFramebufferStatus");
        Get(blitFramebuffer, "glBlitFramebuffer");
        return genFramebuffers && bindFramebuffer && deleteFramebuffers && genRenderbuffers && bindRenderbuffer &&
            deleteRenderbuffers && renderbufferStorage && framebufferRenderbuffer && checkFramebufferStatus &&
            blitFramebuffer;
    }

    template <typename F>
    static void Get(F& f, const char* name)
    {
        f = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
    }
};

FramebufferCalls gl;

// The desktop's gamma ramp as it was before the game changed it, given back
// even when the game dies of a signal.
SDL_Window* gGammaWindow = nullptr;
uint16_t gDesktopRamp[768];

void RestoreDesktopGamma()
{
    if (gGammaWindow)
        SDL_SetWindowGammaRamp(gGammaWindow, gDesktopRamp, gDesktopRamp + 256, gDesktopRamp + 512);
}

void OnCrashSignal(int signal)
{
    RestoreDesktopGamma();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void GuardDesktopGamma(SDL_Window* window)
{
    if (gGammaWindow)
        return;
    if (SDL_GetWindowGammaRamp(window, gDesktopRamp, gDesktopRamp + 256, gDesktopRamp + 512) != 0)
        return;
    gGammaWindow = window;
    for (int s : {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGBUS})
        std::signal(s, OnCrashSignal);
}

GLenum ColourFormat(int bits)
{
    if (bits == 16)
        return GL_RGB565;
    return bits == 24 ? GL_RGB8 : GL_RGBA8;
}

} // namespace

void GLWindow::SetFullscreenAsWindow(bool asWindow) { gFullscreenAsWindow = asWindow; }
void GLWindow::SetCaptureFrames(bool capture) { gCaptureFrames = capture; }
void GLWindow::InjectFailure(Step step, bool fail) { gFailures[static_cast<int>(step)] = fail; }

GLWindow::~GLWindow()
{
    ReleaseCurrent();
    DeleteContext();
    DestroyWindow();
    UnloadGLLibrary();
}

bool GLWindow::SaveDisplayMode(DisplayMode& mode)
{
    SDL_DisplayMode desktop;
    if (!sdl::InitVideo() || SDL_GetDesktopDisplayMode(0, &desktop) != 0)
        return false;
    mode = {desktop.w, desktop.h, static_cast<int>(SDL_BITSPERPIXEL(desktop.format)), desktop.refresh_rate};
    return true;
}

bool GLWindow::CheckFullscreenMode(int width, int height, int bitsPerPixel)
{
    DisplayMode desktop;
    if (Refused(Step::FullscreenMode) || !SaveDisplayMode(desktop))
        return false;
    return width > 0 && height > 0 && (bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32);
}

void GLWindow::LeaveFullscreen()
{
    if (m_window)
        SDL_SetWindowFullscreen(m_window, 0);
}

void GLWindow::GetScreenSize(int& width, int& height)
{
    DisplayMode desktop;
    if (!SaveDisplayMode(desktop))
        desktop = {640, 480, 32, 0};
    width = desktop.width;
    height = desktop.height;
}

void GLWindow::SetShape(bool fullscreen, int x, int y, int width, int height)
{
    m_fullscreen = fullscreen;
    m_x = x;
    m_y = y;
    m_width = width;
    m_height = height;
}

bool GLWindow::SwitchFullscreen(bool fullscreen)
{
    if (m_window && !gFullscreenAsWindow) {
        if (SDL_SetWindowFullscreen(m_window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0)
            return false;
        if (!fullscreen) {
            SDL_SetWindowBordered(m_window, SDL_TRUE);
            SDL_SetWindowSize(m_window, m_clientWidth, m_clientHeight);
            SDL_SetWindowPosition(m_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    m_fullscreen = fullscreen;
    return true;
}

bool GLWindow::LoadGLLibrary()
{
    if (Refused(Step::GLLibrary) || !sdl::InitVideo())
        return false;
    m_libraryLoaded = SDL_GL_LoadLibrary(nullptr) == 0;
    return m_libraryLoaded;
}

bool GLWindow::ChoosePixelFormat(int colourBits, int depthBits)
{
    if (Refused(Step::ChoosePixelFormat) || !m_libraryLoaded)
        return false;
    m_colourBits = colourBits;
    int channel = colourBits == 16 ? 5 : 8;
    bool ok = SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channel) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, colourBits == 16 ? 6 : 8) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channel) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0;
    ok = ok && SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY) == 0;
    return ok;
}

bool GLWindow::CreateWindow()
{
    if (Refused(Step::CreateWindow) || !m_libraryLoaded)
        return false;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    int x = m_x, y = m_y;
    if (m_fullscreen && !gFullscreenAsWindow)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS;
    else if (m_fullscreen)
        x = y = SDL_WINDOWPOS_CENTERED;
    m_window = SDL_CreateWindow("", x, y, m_width, m_height, flags);
    m_clientWidth = m_width;
    m_clientHeight = m_height;
    if (m_window)
        SetIcon();
    return m_window != nullptr;
}

// The desktop shows this in the title bar and the task switcher; a game
// folder without it simply gets the desktop's own.
void GLWindow::SetIcon()
{
    SDL_Surface* icon = SDL_LoadBMP(ResolvePath(kIconPath).c_str());
    if (!icon)
        return;
    SDL_SetWindowIcon(m_window, icon);
    SDL_FreeSurface(icon);
}

bool GLWindow::CreateContext()
{
    if (Refused(Step::CreateContext) || !m_window)
        return false;
    m_context = SDL_GL_CreateContext(m_window);
    return m_context != nullptr;
}

bool GLWindow::MakeCurrent()
{
    if (Refused(Step::MakeCurrent) || !m_context || SDL_GL_MakeCurrent(m_window, m_context) != 0)
        return false;
    // The loop paces frames itself; waiting for the display here would halve the rate.
    SDL_GL_SetSwapInterval(0);
    return gl.Load() && ChooseTarget();
}

// Frames go straight to the window when it shows them at their own size;
// otherwise to a framebuffer of the chosen size that is scaled onto it.
bool GLWindow::ChooseTarget()
{
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(m_window, &w, &h);
    if (w == m_clientWidth && h == m_clientHeight) {
        DeleteFramebuffer();
        return true;
    }
    return m_framebuffer || MakeFramebuffer();
}

bool GLWindow::MakeFramebuffer()
{
    DeleteFramebuffer();
    gl.genFramebuffers(1, &m_framebuffer);
    gl.genRenderbuffers(1, &m_colourBuffer);
    gl.genRenderbuffers(1, &m_depthBuffer);
    gl.bindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    for (GLenum format : {ColourFormat(m_colourBits), static_cast<GLenum>(GL_RGBA8)}) {
        gl.bindRenderbuffer(GL_RENDERBUFFER, m_colourBuffer);
        gl.renderbufferStorage(GL_RENDERBUFFER, format, m_clientWidth, m_clientHeight);
        gl.bindRenderbuffer(GL_RENDERBUFFER, m_depthBuffer);
        gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, m_clientWidth, m_clientHeight);
        gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colourBuffer);
        gl.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depthBuffer);
        if (gl.checkFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
            return true;
    }
    return false;
}

void GLWindow::DeleteFramebuffer()
{
    if (!m_framebuffer)
        return;
    gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.deleteFramebuffers(1, &m_framebuffer);
    gl.deleteRenderbuffers(1, &m_colourBuffer);
    gl.deleteRenderbuffers(1, &m_depthBuffer);
    m_framebuffer = m_colourBuffer = m_depthBuffer = 0;
}

bool GLWindow::ReleaseCurrent()
{
    if (!m_context)
        return true;
    DeleteFramebuffer();
    return SDL_GL_MakeCurrent(m_window, nullptr) == 0;
}

void GLWindow::DeleteContext()
{
    if (m_context)
        SDL_GL_DeleteContext(m_context);
    m_context = nullptr;
}

void GLWindow::UnloadGLLibrary()
{
    if (m_libraryLoaded)
        SDL_GL_UnloadLibrary();
    m_libraryLoaded = false;
}

void GLWindow::DestroyWindow()
{
    if (!m_window)
        return;
    if (gGammaWindow == m_window) {
        RestoreDesktopGamma();
        gGammaWindow = nullptr;
    }
    sdl::ClearMouseMapping(SDL_GetWindowID(m_window));
    SDL_DestroyWindow(m_window);
    m_window = nullptr;
    ClearMessages();
}

void GLWindow::SetTitle(const std::string& title)
{
    if (m_window)
        SDL_SetWindowTitle(m_window, title.c_str());
}

void GLWindow::Show()
{
    if (!m_window)
        return;
    SDL_ShowWindow(m_window);
    int top = 0, left = 0, bottom = 0, right = 0;
    // A captioned window keeps the chosen outer size: the client is what the frame leaves.
    if (!m_fullscreen && SDL_GetWindowBordersSize(m_window, &top, &left, &bottom, &right) == 0 && top + left > 0) {
        m_clientWidth = std::max(1, m_width - left - right);
        m_clientHeight = std::max(1, m_height - top - bottom);
        SDL_SetWindowSize(m_window, m_clientWidth, m_clientHeight);
        SDL_SetWindowPosition(m_window, m_x + left, m_y + top);
        if (m_context) {
            DeleteFramebuffer();
            ChooseTarget();
        }
    }
    sdl::SetMouseMapping(SDL_GetWindowID(m_window), [this](int& x, int& y) { MapMouse(x, y); });
}

bool GLWindow::PointerOverClient(int& x, int& y) const
{
    SDL_PumpEvents();
    if (!m_window || SDL_GetMouseFocus() != m_window)
        return false;
    SDL_GetMouseState(&x, &y);
    MapMouse(x, y);
    return x >= 0 && y >= 0 && x < m_clientWidth && y < m_clientHeight;
}

void GLWindow::Letterbox(int outerW, int outerH, int& x, int& y, int& w, int& h) const
{
    double scale = std::min(static_cast<double>(outerW) / m_clientWidth, static_cast<double>(outerH) / m_clientHeight);
    w = static_cast<int>(m_clientWidth * scale + 0.5);
    h = static_cast<int>(m_clientHeight * scale + 0.5);
    x = (outerW - w) / 2;
    y = (outerH - h) / 2;
}

void GLWindow::MapMouse(int& x, int& y) const
{
    int outerW = 0, outerH = 0, bx, by, bw, bh;
    SDL_GetWindowSize(m_window, &outerW, &outerH);
    Letterbox(outerW, outerH, bx, by, bw, bh);
    if (bw <= 0 || bh <= 0)
        return;
    x = (x - bx) * m_clientWidth / bw;
    y = (y - by) * m_clientHeight / bh;
}

void GLWindow::Present()
{
    int outerW = 0, outerH = 0, x, y, w, h;
    SDL_GL_GetDrawableSize(m_window, &outerW, &outerH);
    Letterbox(outerW, outerH, x, y, w, h);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    if (x > 0 || y > 0) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(clear[0], clear[1], clear[2], clear[3]);
    }
    gl.bindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
    GLenum filter = (w == m_clientWidth && h == m_clientHeight) ? GL_NEAREST : GL_LINEAR;
    gl.blitFramebuffer(0, 0, m_clientWidth, m_clientHeight, x, y, x + w, y + h, GL_COLOR_BUFFER_BIT, filter);
    if (scissor)
        glEnable(GL_SCISSOR_TEST);
}

void GLWindow::Swap()
{
    if (!m_window || !m_context)
        return;
    if (gCaptureFrames)
        Capture();
    if (m_framebuffer)
        Present();
    SDL_GL_SwapWindow(m_window);
    ChooseTarget();
    gl.bindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
}

// Kept as GL reads it, bottom row first, in a buffer reused from frame to
// frame: the scripted driver captures every frame, and a fresh buffer each
// time cost more than drawing the frame.
void GLWindow::Capture()
{
    m_lastWidth = m_clientWidth;
    m_lastHeight = m_clientHeight;
    m_lastFrame.resize(static_cast<size_t>(m_lastWidth) * m_lastHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_lastWidth, m_lastHeight, GL_RGB, GL_UNSIGNED_BYTE, m_lastFrame.data());
}

void GLWindow::Invalidate()
{
    Message paint;
    paint.type = Message::Paint;
    PostMessage(paint);
}

bool GLWindow::SetGammaRamp(const uint16_t ramp[768])
{
    if (!m_window)
        return false;
    GuardDesktopGamma(m_window);
    return SDL_SetWindowGammaRamp(m_window, ramp, ramp + 256, ramp + 512) == 0;
}

void ShowSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

bool GLWindow::ReadFrame(std::vector<uint8_t>& rgb, int& width, int& height) const
{
    if (m_lastFrame.empty())
        return false;
    rgb.resize(m_lastFrame.size());
    const size_t stride = static_cast<size_t>(m_lastWidth) * 3;
    for (int r = 0; r < m_lastHeight; ++r)
        std::copy_n(m_lastFrame.begin() + static_cast<long>(r * stride), stride,
            rgb.begin() + static_cast<long>((m_lastHeight - 1 - r) * stride));
    width = m_lastWidth;
    height = m_lastHeight;
    return true;
}

} // namespace platform
