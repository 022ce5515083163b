#include "frame/MainFrame.h"
#include "frame/FgRoutines.h"
#include "platform/Clock.h"

#include <GL/gl.h>
#include <cstdlib>

std::string gStrWindowText;

CMainFrame::CMainFrame(const DisplaySettings* forced)
{
    m_pLog = new CAppLog();
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
    SetInitialGLState();
    return 1;
}

void CMainFrame::SetInitialGLState()
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
    delete m_pLog;
    m_pLog = nullptr;
}
