#include "frame/MainFrame.h"
#include "platform/MessageBox.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void LogStep(CAppLog* log, const char* step, bool passed)
{
    std::string line = std::string(step) + (passed ? " PASSED" : " FAILED");
    log->report(line.c_str());
}

} // namespace

int CMainFrame::Create()
{
    CreateStruct cs;
    if (!PreCreateWindow(cs))
        return 0;
    m_window.SetShape(cs.popup, cs.x, cs.y, cs.cx, cs.cy);
    if (!OnCreateClient())
        return 0;
    // Showing the window reports its size at once, as the first size notice.
    m_window.Show();
    OnSize(m_window.ClientWidth(), m_window.ClientHeight());
    // The hand starts where the system pointer is, or in the middle, never clipped in a corner.
    if (!m_window.PointerOverClient(m_mouseX, m_mouseY)) {
        m_mouseX = 320;
        m_mouseY = 240;
    }
    return 1;
}

int CMainFrame::PreCreateWindow(CreateStruct& cs)
{
    m_window.SaveDisplayMode(m_savedDisplayMode);
    m_pLog->report("Saved the current display state");
    gStrWindowText = "Vexorin";
    if (m_fullscreen) {
        if (!m_window.CheckFullscreenMode(m_screenWidth, m_screenHeight, m_colourDepth)) {
            platform::MessageBox("Unable to change display to fullscreen mode.", "FULLSCREEN", platform::MB_OK);
            m_pLog->report("Attempt to Change display setting to fullscreen mode FAILED");
            m_fullscreen = 0;
            gStrWindowText = "Vexorin - FULLSCREEN MODE FAILED!";
        } else {
            m_pLog->report("Attempt to Change display setting to fullscreen mode PASSED");
        }
    }
    cs.cx = m_screenWidth;
    cs.cy = m_screenHeight;
    cs.popup = m_fullscreen != 0;
    if (!cs.popup) {
        int desktopWidth = 0, desktopHeight = 0;
        m_window.GetScreenSize(desktopWidth, desktopHeight);
        cs.y = desktopHeight / 2 - cs.cy / 2;
        cs.x = desktopWidth / 2 - cs.cx / 2;
    }
    return 1;
}

int CMainFrame::OnCreateClient()
{
    struct Step {
        const char* text;
        bool (*run)(CMainFrame&);
    };
    static const Step kSteps[] = {
        {"Attempt to Create A GL Device Context", [](CMainFrame& f) { return f.m_window.LoadGLLibrary(); }},
        {"Attempt to find Suitable Pixel Format",
            [](CMainFrame& f) { return f.m_window.ChoosePixelFormat(f.m_colourDepth, 16); }},
        {"Attempt to Set the Pixel Format", [](CMainFrame& f) { return f.m_window.CreateWindow(); }},
        {"Attempt to create A GL Rendering context", [](CMainFrame& f) { return f.m_window.CreateContext(); }},
        {"Attempt to activate the GL Rendering context", [](CMainFrame& f) { return f.m_window.MakeCurrent(); }},
        {"Attempt to Initialize new Created GL Window", [](CMainFrame& f) { return f.InitGL() != 0; }},
    };
    for (const Step& step : kSteps) {
        bool passed = step.run(*this);
        LogStep(m_pLog.get(), step.text, passed);
        if (!passed) {
            KillGLWindow();
            return 0;
        }
    }
    m_active = 1;
    return 1;
}

void CMainFrame::OnSize(int cx, int cy)
{
    m_clientWidth = cx;
    m_clientHeight = cy;
    ReSizeGLScene(cx, cy);
}

void CMainFrame::ReSizeGLScene(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 0.1f, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

// Drawing happens only in RenderGLScene; the paint request that ends each
// frame is simply consumed here.
void CMainFrame::OnPaint() { }

void CMainFrame::BuildGammaRamp(float scale, float offset, uint16_t ramp[768])
{
    for (int i = 0; i < 256; ++i) {
        double v = static_cast<double>(offset) + static_cast<double>(scale) * (i * 256.0);
        long entry = static_cast<long>(v);
        uint16_t value = (entry >= 0 && entry <= 65535) ? static_cast<uint16_t>(entry) : 65535;
        ramp[i] = ramp[256 + i] = ramp[512 + i] = value;
    }
}

int CMainFrame::SetGamma(float scale, float offset)
{
    uint16_t ramp[768];
    BuildGammaRamp(scale, offset, ramp);
    return m_window.SetGammaRamp(ramp) ? 1 : 0;
}

// Running twice releases nothing twice: each step forgets what it released.
void CMainFrame::ReleaseWindow()
{
    if (m_fullscreen) {
        m_window.LeaveFullscreen();
        platform::ShowSystemCursor(true);
    }
    if (m_window.HasContext()) {
        // The video outlives this context; its frames go with it, not into the next one.
        gAppVideo.ReleaseFrames();
        if (!m_window.ReleaseCurrent())
            platform::MessageBox("Release Of DC And RC Failed.", "SHUTDOWN ERROR", platform::MB_ICONINFORMATION);
    }
    m_window.DeleteContext();
    m_window.UnloadGLLibrary();
    m_window.DestroyWindow();
}
