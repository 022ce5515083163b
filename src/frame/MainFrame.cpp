#include "frame/MainFrame.h"
#include "frame/FgRoutines.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "platform/Trace.h"
#include "render/TexFont.h"
#include "render/TextBox.h"

#include <GL/gl.h>
#include <cstdlib>

// Built before the random numbers are seeded, so their first fades are the same on every run.
CHex startHex, startHex2, startHex3;
CGLVideo gAppVideo;
std::string gStrWindowText;

CMainFrame::CMainFrame(const DisplaySettings* forced)
{
    m_pLog = std::make_unique<CAppLog>();
    m_logoTimer.Setup(0.0f, 1.0f, kLogoShowMs);
    m_zoom.Setup(0.0f, -10.0f, kCubeZoomMs);
    StartTurn(m_spinX, kSpinXTurnMs);
    StartTurn(m_spinY, kSpinYTurnMs);
    m_logoFade.Setup(0.0f, 1.0f, kLogoFadeInMs);
    StartTurn(m_backAngle, kBackTurnMs);
    m_backScroll.Setup(0.0f, 1.0f, kBackScrollMs);
    m_arrowRamp.Setup(kArrowHigh, kArrowLow, kArrowSwingMs);
    m_cursorBlink.Setup(0.0f, 1.0f, kCursorBlinkMs);
    if (forced) {
        m_screenWidth = forced->width;
        m_screenHeight = forced->height;
        m_colourDepth = forced->depth;
    } else {
        DecideDisplaySettings();
    }
}

CMainFrame::~CMainFrame()
{
    KillGLWindow();
    // The window is gone by now; destroying it already gave the desktop its own ramp back.
    SetGamma(1.0f, 0.0f);
}

int CMainFrame::InitGL()
{
    fg_mouseini();
    fg_mousevis(0);
    m_window.SetTitle(gStrWindowText);
    std::srand(fg_getclock());
    m_pLog->report("seed the random numbers");
    InitSound();
    m_pLog->report("Created all sound buffers");
    m_pLog->report("Attempting to load textures");
    LoadTextures();
    m_pLog->report("Attempt to load textures PASSED");
    InitHex();
    CreateFonts();
    CreateTextBoxes();
    m_gameMngr.Create();
    m_pPicker = Singleton<CPicker>::GetSingletonPtr();
    LoadScores();
    SetInitialGLState();
    // What reading the files took and let go is not kept for the rest of the run.
    platform::ReturnFreeMemory();
    return 1;
}

void CMainFrame::InitHex()
{
    static const int kOrder[] = {2, 3, 10, 8, 13, 11, 7, 1, 6, 0, 5, 9, 4, 12};
    static const int kOrder2[] = {7, 10, 0, 8, 1, 12, 2, 11, 3, 6, 4, 5, 13, 9};
    startHex.InitTexture();
    for (int i = 0; i < CHex::kCount; ++i)
        startHex.SetIndexOrder(i, kOrder[i]);
    startHex2.InitTexture();
    for (int i = 0; i < CHex::kCount; ++i)
        startHex2.SetIndexOrder(i, kOrder2[i]);
    startHex3.InitTexture();
}

void CMainFrame::LoadScores()
{
    m_score.Load();
    ShowScores(CScore::easy);
}

namespace {

constexpr float kSecondsPerMs = 0.001f;

// The console of the information page.
constexpr TextArea kInfoArea = {130, 540, 62, 365};

// The front end's own sounds, loaded at start-up and released at shutdown in this order.
const struct {
    const char* file;
    const char* key;
} kFrontEndSounds[] = {
    {"sounds/menu.wav", "MENU"},
    {"sounds/click.wav", "CLICK"},
    {"sounds/select.wav", "SELECT"},
    {"sounds/cursorend.wav", "END"},
    {"sounds/intro.wav", "INTRO"},
    {"sounds/drone.wav", "DRONE"},
    {"sounds/reader.wav", "READER"},
};

} // namespace

// Without sound the game still runs, silent: the results only go to the log.
void CMainFrame::InitSound()
{
    bool ready = m_sound.Create();
    m_pLog->report(
        ready ? "Attempting to initialize Direct sound PASSED" : "Attempting to initialize Direct sound FAILED");
    for (const auto& sound : kFrontEndSounds)
        m_sound.LoadWaveIntoBuffer(sound.file, sound.key);
}

void CMainFrame::SetFrontEndVolume(float factor)
{
    for (const auto& sound : kFrontEndSounds)
        m_sound.SetBufferVolume(sound.key, factor);
}

void CMainFrame::ReleaseSounds()
{
    for (const auto& sound : kFrontEndSounds)
        m_sound.ReleaseBuffer(sound.key);
    if (m_pPicker)
        m_pPicker->KillSoundBuffers();
    m_pPicker = nullptr;
    m_gameMngr.KillSoundBuffers();
    m_sound.Destroy();
}

void CMainFrame::LoadTextures()
{
    float t0 = ClockSeconds();
    m_texture.Load();
    gAppVideo.OpenAVI("data/logo.avi");
    float t1 = ClockSeconds();
    platform::Trace("Delta Load Time = %f\n", t1 - t0);
    if (gAppVideo.WasCut())
        m_pLog->report(
            ("Logo video cut to its first " + std::to_string(gAppVideo.FramesLoaded()) + " frames").c_str());
}

float CMainFrame::ClockSeconds() { return platform::timeGetTime() * kSecondsPerMs; }

void CMainFrame::CreateFonts()
{
    m_pSmallFont = MakeTexFont(kFontBlend | kFont16 | kFontBottomLeftRed | kFontBottomLeftGreen | kFontBottomLeftBlue |
        kFontBottomRightGreen | kFontTopRightGreen);
    m_pLargeFont =
        MakeTexFont(kFontBlend | kFont32 | kFontBottomLeftGreen | kFontBottomRightGreen | kFontTopRightGreen);
}

void CMainFrame::CreateTextBoxes()
{
    m_pLabelBox = std::make_unique<CTextBox>(kTextArea.left, kTextArea.right, kTextArea.top, kTextArea.bottom);
    m_pInfoBox = std::make_unique<CTextBox>(kInfoArea.left, kInfoArea.right, kInfoArea.top, kInfoArea.bottom);
    m_pInfoBox->SetMode(0);
    m_pInfoBox->SetColor({0, 255, 0, 255});
}

void SetInitialGLState()
{
    static const GLfloat kAmbient[] = {2.0f, 2.0f, 2.0f, 0.0f};
    static const GLfloat kDiffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    static const GLfloat kPosition[] = {0.0f, 0.0f, 0.0f, 0.0f};
    static const GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kDiffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, kPosition);
    glMaterialfv(GL_FRONT, GL_AMBIENT, kWhite);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, kWhite);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_NORMALIZE);
    glEnable(GL_CULL_FACE);
    glEnable(GL_COLOR_MATERIAL);
}

// Releases only what exists and forgets it, so running twice releases nothing twice.
void CMainFrame::KillGLWindow()
{
    ReleaseWindow();
    DeleteFontsAndTextBoxes();
    ReleaseSounds();
    m_score.Save();
    m_pLog.reset();
}

void CMainFrame::DeleteFontsAndTextBoxes()
{
    m_pLargeFont.reset();
    m_pSmallFont.reset();
    m_pLabelBox.reset();
    m_pInfoBox.reset();
}
