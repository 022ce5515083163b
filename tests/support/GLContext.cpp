#include "GLContext.h"

#include <GL/gl.h>

GLContext::GLContext()
{
    m_window.SetShape(false, 0, 0, kWidth, kHeight);
    m_ok = m_window.LoadGLLibrary() && m_window.ChoosePixelFormat(32, 16) && m_window.CreateWindow() &&
        m_window.CreateContext() && m_window.MakeCurrent();
    if (m_ok)
        Clear();
}

GLContext::~GLContext()
{
    m_window.ReleaseCurrent();
    m_window.DeleteContext();
    m_window.UnloadGLLibrary();
    m_window.DestroyWindow();
}

void GLContext::Clear()
{
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

uint32_t GLContext::Pixel(int x, int y) const
{
    uint8_t rgb[3] = {};
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
}
