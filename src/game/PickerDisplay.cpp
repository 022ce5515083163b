#include "app/DeltaTime.h"
#include "game/Picker.h"
#include "render/ScreenSpace.h"
#include "render/Texture.h"

#include <GL/gl.h>
#include <algorithm>

namespace {

const char* const kTypeKeys[] = {"NONE", "RED", "GREEN", "BLUE", "YELLOW", "BOMB", "PURE", "NORMALCW", "SKIPCW",
    "POLECW", "SUCKUPCW", "NORMALCCW", "SKIPCCW", "POLECCW", "SUCKUPCCW"};
const int kNumTypes = 15;

const float kPieceSize = 32.0f;
const float kHaloHalf = 35.0f;
// A burst grows past its set-up end until here, then stops.
const float kBurstEnd = 150.0f;

struct Rgb {
    float r, g, b;
};

// The colour channels a piece of each type lights.
Rgb TypeMask(int type)
{
    switch (type) {
    case CPicker::kRed:
    case CPicker::kBomb: return {1, 0, 0};
    case CPicker::kGreen:
    case CPicker::kPurifier: return {0, 1, 0};
    case CPicker::kBlue: return {0, 0, 1};
    case CPicker::kYellow: return {1, 1, 0};
    default: return {1, 0, 1};
    }
}

void SetColour(int type, float brightness)
{
    const Rgb mask = TypeMask(type);
    glColor3f(mask.r * brightness, mask.g * brightness, mask.b * brightness);
}

bool ValidType(int type) { return type >= 0 && type < kNumTypes; }

void Bind(CTexture* texture, const char* key)
{
    if (texture)
        texture->Use(key);
}

// The texture lies on its side, as the font's glyphs do.
void DrawPieceSquare(float x, float y, float z)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x, y, z);
    glTexCoord2f(1, 0);
    glVertex3f(x, y + kPieceSize, z);
    glTexCoord2f(1, 1);
    glVertex3f(x + kPieceSize, y + kPieceSize, z);
    glTexCoord2f(0, 1);
    glVertex3f(x + kPieceSize, y, z);
    glEnd();
}

void DrawCentredSquare(float cx, float cy, float half)
{
    glPushMatrix();
    glTranslatef(cx, cy, 0.0f);
    DrawTexQuad(half, 0.0f);
    glPopMatrix();
}

} // namespace

void CPicker::Begin()
{
    screen_space::Push(10.0);
    screen_space::SetTexelSampling();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
}

// Popping the enable group puts depth test, culling and blending back as they were found.
void CPicker::End() { screen_space::Pop(); }

void CPicker::EnterRingFrame()
{
    glTranslatef(200.0f, 200.0f, 0.0f);
    glRotatef(m_ringAngle, 0.0f, 0.0f, 1.0f);
}

bool CPicker::IsRingFading() const { return m_state >= kRefillOut && m_state <= kPurifyIn; }

bool CPicker::IsPieceSelected() const { return m_state == kSelected || m_state == kConfirmed; }

int CPicker::CurrentType() const { return m_spokes.empty() ? kEmptyPlace : m_spokes[m_currentSpoke].type; }

void CPicker::DrawSpokeObject(int i)
{
    const t_spoke& spoke = m_spokes[i];
    if (ValidType(spoke.type)) {
        const bool lit = (spoke.isSelected && m_state == kConfirmed) || IsRingFading();
        const float normal = spoke.type == kEmptyPlace ? 0.5f : 0.75f;
        const float brightness = lit ? spoke.colour : normal;
        Bind(m_texture, kTypeKeys[spoke.type]);
        SetColour(spoke.type, spoke.type == kEmptyPlace ? std::min(brightness, 0.5f) : brightness);
        DrawPieceSquare(spoke.x, spoke.y, spoke.z);
    }
    // The cyan halo is the highlight; the piece keeps its own colour under it.
    if (spoke.colour > 0.0f && !IsRingFading()) {
        Bind(m_texture, "SELECTRING");
        glColor3f(0.0f, spoke.colour, spoke.colour);
        DrawCentredSquare(spoke.x + 16.0f, spoke.y + 16.0f, kHaloHalf);
    }
}

void CPicker::DrawSpokeObjectFadeColor(int i)
{
    const t_spoke& spoke = m_spokes[i];
    if (!ValidType(spoke.type))
        return;
    Bind(m_texture, kTypeKeys[spoke.type]);
    SetColour(spoke.type, spoke.type == kEmptyPlace ? 0.5f : spoke.colour);
    DrawPieceSquare(spoke.x, spoke.y, spoke.z);
}

void CPicker::DrawRingSelect()
{
    if (m_state == kSelected) {
        Advance(m_ringSelectSizeRamp);
        m_ringSelectSize = std::max(m_ringSelectSizeRamp.GetValue(), kRingSelectLastSize);
    }
    if (m_state == kConfirmed) {
        Advance(m_ringSelectFadeRamp);
        m_ringSelectIntensity = std::max(m_ringSelectFadeRamp.GetValue(), 0.0f);
    }
    const t_spoke& spoke = m_spokes[m_currentSpoke];
    const bool wrong = spoke.type != m_nextColor && spoke.type < kFirstPattern;
    Bind(m_texture, "RINGSELECT");
    glColor3f(wrong ? m_ringSelectIntensity : 0.0f, wrong ? 0.0f : m_ringSelectIntensity, 0.0f);
    DrawCentredSquare(spoke.x + 16.0f, spoke.y + 16.0f, m_ringSelectSize);
}

void CPicker::DrawPatternTimer()
{
    if (m_pattern == kPatternRandom)
        return;
    Begin();
    AdvancePatternTimer();
    DrawPatternBox();
    DrawPatternBurst();
    End();
    EndPatternIfFaded();
}

void CPicker::DrawPatternTimerPause()
{
    if (m_pattern == kPatternRandom)
        return;
    Begin();
    m_patternTimerIntensity = m_patternTimerRamp.GetValue();
    DrawPatternBox();
    End();
    EndPatternIfFaded();
}

void CPicker::DrawPatternBox()
{
    // find, not [], so an unknown code adds no entry to the map.
    const auto found = m_patternTextures.find(m_pattern);
    if (found != m_patternTextures.end())
        Bind(m_texture, found->second.c_str());
    glColor3f(m_patternTimerIntensity, 0.0f, m_patternTimerIntensity);
    DrawPieceSquare(350.0f, 375.0f, 0.0f);
}

// Drawn in the box's colour, so it fades with the timer.
void CPicker::DrawPatternBurst()
{
    const float size = m_patternBurstRamp.GetValue();
    if (size < kBurstFirstSize || size >= kBurstEnd)
        return;
    if (!IsSoundPlaying("PATTERN"))
        PlaySound("PATTERN");
    Advance(m_patternBurstRamp);
    Bind(m_texture, "NEXT");
    DrawCentredSquare(370.0f, 395.0f, m_patternBurstRamp.GetValue());
}

void CPicker::DrawNextPickObject()
{
    if (m_state == kRefillOut)
        return;
    RenderAndUpdateParticleSystem1();
    if (m_nextColor == kEmptyPlace)
        return;
    Begin();
    DrawNextColourBox();
    DrawNextBurst();
    End();
}

void CPicker::DrawNextColourBox()
{
    if (m_nextColor >= kRed && m_nextColor <= kYellow) {
        const bool fading = m_state == kConfirmed && CurrentType() == m_nextColor;
        Bind(m_texture, kTypeKeys[m_nextColor]);
        SetColour(m_nextColor, fading ? m_ringSelectIntensity : 1.0f);
    } else if (m_nextColor == kPurifier) {
        Bind(m_texture, "PURE");
        glColor3f(0.0f, 1.0f, 0.0f);
    } else {
        return;
    }
    DrawPieceSquare(365.0f, 25.0f, 0.0f);
}

// The sound starts with the burst's first growth only, so it plays once per next colour.
void CPicker::DrawNextBurst()
{
    const float size = m_nextColorBurstRamp.GetValue();
    if (size < kBurstFirstSize || size >= kBurstEnd)
        return;
    if (!IsSoundPlaying("NEXT") && size < 10.0f)
        PlaySound("NEXT");
    Advance(m_nextColorBurstRamp);
    Bind(m_texture, "NEXT");
    DrawCentredSquare(385.0f, 45.0f, m_nextColorBurstRamp.GetValue());
}
