#include "frame/MainFrame.h"
#include "render/TexFont.h"
#include "render/TextBox.h"

#include <GL/gl.h>

namespace {

constexpr CMainFrame::BackgroundColours kCreditsBackground = {
    {{0.0f, 0.0f, 0.6f}, {0.0f, 0.0f, 0.6f}, {0.0f, 0.0f, 0.9f}, {0.0f, 0.6f, 0.6f}}};

constexpr float kGreen[3] = {0.0f, 1.0f, 0.0f};
constexpr float kYellow[3] = {1.0f, 1.0f, 0.0f};

const struct {
    int y;
    COLOR colour;
    const char* text;
} kCreditLines[] = {
    {360, {0, 255, 255, 255}, "Programming and artwork: the Vexorin developers"},
    {375, {0, 255, 255, 255}, "Letters drawn from the DejaVu Sans Bold typeface"},
    {405, {255, 0, 255, 255}, "Tech Support: support@vexorin.example.com"},
    {420, {255, 0, 255, 255}, "Questions or comments: hello@brightmoor.example.org"},
    {450, {255, 255, 255, 255}, "Copyright (C) 2026 the Vexorin developers. GNU GPL v3 or later."},
};

} // namespace

void CMainFrame::DrawCreditsPage()
{
    DrawTurningBackground("BACKGROUND4", kCreditsBackground);
    // A second step of the scroll: this page's background runs at twice the speed.
    m_backScroll.Interpolate(Elapsed());
    DrawCreditsLogo();

    m_pLargeFont->Begin();
    m_pSmallFont->SetColorIntensity(1.0f);
    m_pLargeFont->SetColorIntensity(1.0f);
    m_pSmallFont->DrawString(220, 10, "CREATED BY", kGreen);
    m_pLargeFont->DrawString(140, 30, "BRIGHTMOOR", kGreen);
    m_pSmallFont->DrawString(160, 290, "www.brightmoor.example.org", kGreen);
    m_pSmallFont->DrawString(160, 310, "www.vexorin.example.com", kYellow);
    for (const auto& line : kCreditLines) {
        m_pLabelBox->SetColor(line.colour);
        m_pLabelBox->DrawStr(20, line.y, line.text);
    }
    m_pLargeFont->End();
}

// The intro's spin goes on here, tumbling the first logo once every 15 s,
// tinted by the last colour the background left.
void CMainFrame::DrawCreditsLogo()
{
    TurnDegrees(m_spinX, Elapsed(), kSpinXTurnMs);
    const float degrees = m_spinX.GetValue();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glDisable(GL_CULL_FACE);
    glPushMatrix();
    glTranslatef(0.0f, 0.45f, -4.0f);
    glRotatef(degrees, 0.0f, 1.0f, 0.0f);
    glRotatef(degrees, 0.0f, 0.0f, 1.0f);
    m_texture.Use("QTX");
    DrawTexQuad(1.0f, 0.0f);
    glPopMatrix();
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
}
