#include "frame/MainFrame.h"
#include "render/ScreenSpace.h"
#include "render/TexFont.h"

#include <GL/gl.h>
#include <algorithm>
#include <iterator>

namespace {

const int kCursorSize = 16;

} // namespace

void CMainFrame::DrawGameOver()
{
    m_gameMngr.Update(m_screenState);
    m_pLargeFont->Begin();
    DrawOrangeTitle("GAME OVER");
    m_pSmallFont->SetColorIntensity(1.0f);
    m_pSmallFont->DrawString(kNameX, 150, "ENTER NAME:", 0.0f, 1.0f, 0.0f);
    m_pSmallFont->DrawString(kNameX, kNameY, m_name, 0.0f, 1.0f, 0.0f);
    m_pLargeFont->End();
    DrawGLCursor(m_cursorX, m_cursorY);
}

// A green cell that pulses from black to full green and back, 300 ms each way.
void CMainFrame::DrawGLCursor(int x, int y)
{
    m_cursorBlink.Interpolate(Elapsed());
    if (m_cursorBlink.GetValue() < 0.0f)
        m_cursorBlink.Setup(0.0f, 1.0f, kCursorBlinkMs);
    if (m_cursorBlink.GetValue() > 1.0f)
        m_cursorBlink.Setup(1.0f, 0.0f, kCursorBlinkMs);
    screen_space::Push();
    m_texture.Use("CURSER");
    screen_space::SetTextState();
    // Drawn solid: under the fonts' additive blend a dim cursor would vanish over the field.
    glDisable(GL_BLEND);
    glColor3f(0.0f, m_cursorBlink.GetValue(), 0.0f);
    const float left = static_cast<float>(x), top = static_cast<float>(y);
    const float right = left + kCursorSize, bottom = top + kCursorSize;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, top);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(right, top);
    glEnd();
    screen_space::Pop();
}

// The result goes into the table of the skill played, which is written at
// once: a crash or a killed process later must not lose it.
void CMainFrame::RecordResult()
{
    const std::string name(m_name);
    const int32_t score = static_cast<int32_t>(m_gameMngr.GetPicker().GetScore());
    const int level = m_gameMngr.GetLevel();
    const int skill = m_gameMngr.GetSkill();
    switch (skill) {
    case CScore::easy: m_score.SetEasy(name, score, level); break;
    case CScore::normal: m_score.SetNormal(name, score, level); break;
    case CScore::hard: m_score.SetHard(name, score, level); break;
    }
    ShowScores(skill);
    m_score.Save();
    m_screenState = SCREEN_SCORES_EASY + skill;
    m_gameMngr.StopLevelSound();
    m_gameMngr.Clear();
    ResetNameEntry();
}

void CMainFrame::ResetNameEntry()
{
    std::fill(std::begin(m_name), std::end(m_name), '\0');
    m_name[0] = ' ';
    m_nameLength = 0;
    m_cursorX = kNameX;
    m_cursorY = kNameY;
}
