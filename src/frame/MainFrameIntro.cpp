#include "frame/MainFrame.h"
#include "platform/Process.h"

#include <GL/gl.h>

namespace {

struct t_cubeCorner {
    float vertex[3];
    float tex[2];
};

struct t_cubeFace {
    float normal[3];
    t_cubeCorner corners[4];
};

// Side 2 round the origin; each face shows the whole video frame.
constexpr t_cubeFace kCubeFaces[] = {
    {{0, 0, 0.5f}, {{{-1, -1, 1}, {0, 0}}, {{1, -1, 1}, {1, 0}}, {{1, 1, 1}, {1, 1}}, {{-1, 1, 1}, {0, 1}}}},
    {{0, 0, -0.5f}, {{{-1, -1, -1}, {1, 0}}, {{-1, 1, -1}, {1, 1}}, {{1, 1, -1}, {0, 1}}, {{1, -1, -1}, {0, 0}}}},
    {{0, 0.5f, 0}, {{{-1, 1, -1}, {0, 1}}, {{-1, 1, 1}, {0, 0}}, {{1, 1, 1}, {1, 0}}, {{1, 1, -1}, {1, 1}}}},
    {{0, -0.5f, 0}, {{{-1, -1, -1}, {1, 1}}, {{1, -1, -1}, {0, 1}}, {{1, -1, 1}, {0, 0}}, {{-1, -1, 1}, {1, 0}}}},
    {{0.5f, 0, 0}, {{{1, -1, -1}, {1, 0}}, {{1, 1, -1}, {1, 1}}, {{1, 1, 1}, {0, 1}}, {{1, -1, 1}, {0, 0}}}},
    {{-0.5f, 0, 0}, {{{-1, -1, -1}, {0, 0}}, {{-1, -1, 1}, {1, 0}}, {{-1, 1, 1}, {1, 1}}, {{-1, 1, -1}, {0, 1}}}},
};

constexpr float kFarDepth = -10.0f;

} // namespace

void CMainFrame::DrawIntroLogo()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glPushMatrix();
    m_texture.Use("QTX");
    DrawTexQuad(0.5f, -1.25f);
    glPopMatrix();
    m_logoTimer.Interpolate(Elapsed());
    if (m_logoTimer.GetValue() > 1.0f)
        m_screenState = SCREEN_INTRO_CUBE;
    glPopAttrib();
}

void CMainFrame::DrawIntroCube()
{
    if (!m_sound.IsBufferPlaying("INTRO"))
        PlaySound("INTRO");
    const float elapsed = Elapsed();
    m_zoom.Interpolate(elapsed);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    gAppVideo.Play();
    TurnDegrees(m_spinX, elapsed, kCubeTurnMs);
    TurnDegrees(m_spinY, elapsed, kCubeTurnMs);

    // Drawn at the depth of the frame before, so the first frame is at 0.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, m_cubeDepth);
    glRotatef(m_spinX.GetValue(), 1.0f, 0.0f, 0.0f);
    glRotatef(m_spinY.GetValue(), 0.0f, 1.0f, 0.0f);
    DrawCube();
    glPopMatrix();

    if (m_zoom.GetValue() >= kFarDepth)
        m_cubeDepth = m_zoom.GetValue();
    else
        DrawMakersLogo();
    if (m_logoFade.GetValue() > 1.0f)
        m_logoFade.Setup(1.0f, -1.0f, kLogoFadeOutMs);
    if (m_logoFade.GetValue() < -0.5f)
        LeaveIntro();
    glPopAttrib();
}

// The intro runs once a run, so its video is not needed again.
void CMainFrame::LeaveIntro()
{
    m_screenState = SCREEN_MAIN_MENU;
    m_sound.StopIfPlaying("INTRO");
    m_sound.StopIfPlaying("DRONE");
    gAppVideo.ReleaseFrames();
    platform::ReturnFreeMemory();
}

void CMainFrame::DrawCube()
{
    glBegin(GL_QUADS);
    for (const t_cubeFace& face : kCubeFaces) {
        glNormal3fv(face.normal);
        for (const t_cubeCorner& corner : face.corners) {
            glTexCoord2fv(corner.tex);
            glVertex3fv(corner.vertex);
        }
    }
    glEnd();
}

// Once the cube has flown away it stays far off while the maker's logo
// brightens and dims in green over it; the drone repeats until the menu.
void CMainFrame::DrawMakersLogo()
{
    PlaySound("DRONE");
    m_cubeDepth = kFarDepth;
    m_logoFade.Interpolate(Elapsed());
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushMatrix();
    glTranslatef(0.0f, -1.0f, 0.0f);
    m_texture.Use("BRIGHTMOOR");
    glColor3f(0.0f, m_logoFade.GetValue(), 0.0f);
    DrawTexQuad(3.5f, -7.0f);
    glPopMatrix();
    glDisable(GL_BLEND);
}
