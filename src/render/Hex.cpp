#include "render/Hex.h"
#include "render/Texture.h"

#include <GL/gl.h>
#include <cstdlib>

namespace {

constexpr float kColumnSpacing = 0.67f;
constexpr float kRowSpacing = 0.33f;
constexpr float kRowShift = 0.35f;
constexpr float kHalfSide = 0.45f;
// Below this a hexagon has dimmed enough for the next one in line to start.
constexpr float kThreshold = 0.3f;

// Each row's first index and how many row shifts it lies to the left of the anchor.
constexpr int kRows = 5;
constexpr int kRowFirst[kRows + 1] = {0, 2, 5, 9, 12, CHex::kCount};
constexpr int kRowShifts[kRows] = {0, 1, 2, 1, 0};

bool IsPurple(int index) { return index == 1 || index == 5 || index == 13; }

bool InRange(int i) { return i >= 0 && i < CHex::kCount; }

} // namespace

CHex::CHex()
    : m_order{11, 2, 10, 1, 6, 12, 0, 3, 5, 4, 7, 13, 8, 9}
{
    ResetInit();
}

void CHex::ResetInit()
{
    for (t_hex& hex : m_hexes) {
        hex.active = 0;
        hex.value = 1.0f;
        hex.ramp.Setup(1.0f, 0.0f, static_cast<float>(std::rand() % 1351 + 150));
    }
    m_hexes[m_order[0]].active = 1;
}

void CHex::InitTexture() { m_texture = CTexture::GetSingletonPtr(); }

int CHex::SetIndexOrder(int k, int index)
{
    // The order picks the hexagons every update touches, so it only ever names real ones.
    if (!InRange(k) || !InRange(index))
        return 0;
    m_order[k] = index;
    return 1;
}

void CHex::Update(float x, float y, float z, float elapsed)
{
    Draw(x, y, z);
    ActivateInSequence();
    Advance(elapsed);
}

void CHex::Draw(float x, float y, float z) const
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR); // additive: the dark parts add nothing
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (m_texture)
        m_texture->Use("HEX");

    for (int row = 0; row < kRows; ++row) {
        float left = x;
        for (int s = 0; s < kRowShifts[row]; ++s)
            left -= kRowShift;
        for (int index = kRowFirst[row]; index < kRowFirst[row + 1]; ++index) {
            const int column = index - kRowFirst[row];
            const float value = m_hexes[index].value;
            // A faded hexagon is black, which adds nothing, yet its quad is a quarter of the screen high.
            if (value <= 0.0f)
                continue;
            glPushMatrix();
            glLoadIdentity(); // the anchor is in eye coordinates, whatever the caller's matrix
            glTranslatef(left + kColumnSpacing * column, y - kRowSpacing * row, z);
            glColor3f(IsPurple(index) ? value : 0.0f, 0.0f, value);
            DrawTexQuad(kHalfSide, 0.0f);
            glPopMatrix();
        }
    }
    glDisable(GL_BLEND);
}

// Only the second and third wait for their predecessor to dim; from the
// third on each one starts while its predecessor is still bright, so all of
// those fade from the first update.
void CHex::ActivateInSequence()
{
    if (m_hexes[m_order[0]].value < kThreshold)
        m_hexes[m_order[1]].active = 1;
    if (m_hexes[m_order[1]].value < kThreshold)
        m_hexes[m_order[2]].active = 1;
    for (int k = 2; k < kCount - 1; ++k)
        if (m_hexes[m_order[k]].value > kThreshold)
            m_hexes[m_order[k + 1]].active = 1;
}

// The ramp is not held at its end: the value goes on below 0, which draws black.
void CHex::Advance(float elapsed)
{
    for (t_hex& hex : m_hexes) {
        if (hex.value < 0.0f)
            hex.value = 0.0f;
        if (hex.active) {
            hex.ramp.Interpolate(elapsed);
            hex.value = hex.ramp.GetValue();
        }
    }
}
