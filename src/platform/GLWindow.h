#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SDL_Window;

namespace platform {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshRate = 0;
};

// The game's window and its OpenGL context, one step at a time so that each
// step's success can be logged. Full screen never changes the desktop's real
// mode: it is a borderless desktop-sized window in which every frame is drawn
// at the chosen size into an offscreen framebuffer and shown scaled to fit,
// with its aspect kept.
class GLWindow {
public:
    enum class Step { FullscreenMode, GLLibrary, ChoosePixelFormat, CreateWindow, CreateContext, MakeCurrent, Count };

    GLWindow() = default;
    ~GLWindow();
    GLWindow(const GLWindow&) = delete;
    GLWindow& operator=(const GLWindow&) = delete;

    // Display.
    bool SaveDisplayMode(DisplayMode& mode);
    // Whether full screen can be shown at this size and depth; the desktop's
    // own mode is never changed, so there is nothing to restore afterwards.
    bool CheckFullscreenMode(int width, int height, int bitsPerPixel);
    void LeaveFullscreen();
    void GetScreenSize(int& width, int& height);
    // Window outer size and position; full screen ignores the position.
    void SetShape(bool fullscreen, int x, int y, int width, int height);
    // Switches a shown window between full screen and a centred window of the
    // client size; frames keep their size and the pointer keeps mapping onto them.
    // False when the window system refused, the window left as it was.
    bool SwitchFullscreen(bool fullscreen);

    // The window icon, in the game folder; the asset build writes it.
    static constexpr const char* kIconPath = "data/icon.bmp";

    // Context steps, in this order.
    bool LoadGLLibrary();
    bool ChoosePixelFormat(int colourBits, int depthBits);
    bool CreateWindow();
    bool CreateContext();
    bool MakeCurrent();

    // Release steps; only the first can fail. Each forgets what it released.
    bool HasContext() const { return m_context != nullptr; }
    bool HasWindow() const { return m_window != nullptr; }
    bool ReleaseCurrent();
    void DeleteContext();
    void UnloadGLLibrary();
    void DestroyWindow();

    void SetTitle(const std::string& title);
    // Shows the window; the client size may shrink to keep a captioned window's outer size.
    void Show();
    // Where the system pointer is over the client, in client pixels; false when it is elsewhere.
    bool PointerOverClient(int& x, int& y) const;
    void Swap();
    void Invalidate();
    bool SetGammaRamp(const uint16_t ramp[768]);
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    // The last frame drawn, RGB rows top to bottom, when frames are captured.
    bool ReadFrame(std::vector<uint8_t>& rgb, int& width, int& height) const;

    // Shows a full-screen request as a plain window of the chosen size (the
    // scripted driver's visible mode).
    static void SetFullscreenAsWindow(bool asWindow);
    // Keeps a copy of every frame as it is presented (screenshots).
    static void SetCaptureFrames(bool capture);
    // Makes one step report failure, so the game's refusal paths can be tested.
    static void InjectFailure(Step step, bool fail);

private:
    void SetIcon();
    bool ChooseTarget();
    bool MakeFramebuffer();
    void Capture();
    void DeleteFramebuffer();
    void Present();
    void MapMouse(int& x, int& y) const;
    void Letterbox(int outerW, int outerH, int& x, int& y, int& w, int& h) const;

    SDL_Window* m_window = nullptr;
    void* m_context = nullptr;
    bool m_libraryLoaded = false;
    bool m_fullscreen = false;
    int m_x = 0, m_y = 0, m_width = 640, m_height = 480;
    int m_clientWidth = 0, m_clientHeight = 0;
    int m_colourBits = 32;
    unsigned m_framebuffer = 0, m_colourBuffer = 0, m_depthBuffer = 0;
    std::vector<uint8_t> m_lastFrame;
    int m_lastWidth = 0, m_lastHeight = 0;
};

void ShowSystemCursor(bool show);

} // namespace platform
