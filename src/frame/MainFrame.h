#pragma once
#include "app/AppLog.h"
#include "app/DeltaTime.h"
#include "app/FrameWnd.h"
#include "platform/GLWindow.h"
#include "render/Texture.h"
#include "sound/Sound.h"

#include <cstdint>
#include <string>

namespace platform {
class File;
}
class CTexFont;
class CTextBox;

// The rendering state the game starts from once its context exists.
void SetInitialGLState();

// The window caption chosen when the display was switched; put on the window at start-up.
extern std::string gStrWindowText;

// A screen area and colour depth decided without the settings file or dialog.
struct DisplaySettings {
    int width;
    int height;
    int depth;
};

// What creating the window asks of it, before it exists.
struct CreateStruct {
    int x = 0, y = 0, cx = 0, cy = 0;
    bool popup = false;
};

// The game's one window: display mode, OpenGL context, resources, screens and input.
class CMainFrame : public CFrameWnd {
public:
    enum { SCREEN_INTRO_LOGO = 117 };

    // The display settings come from "data/config.dat" and the settings
    // dialog, unless they are forced (the scripted driver, the benchmark).
    explicit CMainFrame(const DisplaySettings* forced = nullptr);
    ~CMainFrame() override;

    // Creates the window: PreCreateWindow, then OnCreateClient. Zero on failure.
    int Create();
    int PreCreateWindow(CreateStruct& cs);
    int OnCreateClient();
    int InitGL();
    void KillGLWindow();

    int IsActive() const override { return m_active; }
    void RenderGLScene() override;

    void OnPaint() override;
    void OnSize(int cx, int cy) override;
    void OnActivateApp(bool active) override;
    void ReSizeGLScene(int width, int height);
    int SetGamma(float scale, float offset);
    static void BuildGammaRamp(float scale, float offset, uint16_t ramp[768]);

    int ReadConfigFile(platform::File& file);
    bool CreateConfigFile();
    void WriteConfigFile(platform::File& file, int flag, int width, int height, int depth);
    void DoModalFull(int width, int height, int depth);

    // True when the display settings could not be stored, so the game cannot start.
    bool CannotStart() const { return m_cannotStart; }
    int ScreenState() const { return m_screenState; }
    int ScreenWidth() const { return m_screenWidth; }
    int ScreenHeight() const { return m_screenHeight; }
    int ColourDepth() const { return m_colourDepth; }
    int Fullscreen() const { return m_fullscreen; }
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    platform::GLWindow& Window() { return m_window; }

private:
    void DecideDisplaySettings();
    void ReleaseWindow();
    void RunScreen();
    void InitSound();
    void ReleaseSounds();
    void LoadTextures();
    void CreateFonts();
    void CreateTextBoxes();
    void DeleteFontsAndTextBoxes();

    CSoundManager m_sound;
    CTexture m_texture;
    CDeltaTime m_deltaTime;
    CAppLog* m_pLog = nullptr;
    CTexFont* m_pSmallFont = nullptr;
    CTexFont* m_pLargeFont = nullptr;
    CTextBox* m_pLabelBox = nullptr;
    CTextBox* m_pInfoBox = nullptr;
    platform::GLWindow m_window;
    platform::DisplayMode m_savedDisplayMode;

    int m_screenWidth = 640;
    int m_screenHeight = 480;
    int m_colourDepth = 16;
    int m_skipDialog = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_fullscreen = 1;
    int m_active = 0;
    float m_gamma = 1.0f;
    float m_volumeFactor = 1.0f;
    int m_screenState = SCREEN_INTRO_LOGO;
    bool m_cannotStart = false;
};
