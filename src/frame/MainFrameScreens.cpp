#include "frame/MainFrame.h"

#include <GL/gl.h>

void CMainFrame::RenderGLScene()
{
    if (!m_active)
        return;
    m_deltaTime.Update();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    RunScreen();
    m_window.Swap();
    m_window.Invalidate();
}

// Each screen state runs its own screen; a state with none draws nothing.
void CMainFrame::RunScreen()
{
    switch (m_screenState) {
    default: break;
    }
}
