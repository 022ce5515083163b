#include "game/DNA.h"
#include "render/Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace {

constexpr int kNumRungs = CDNA::kNumMolecules / 2;
constexpr float kEmptyColour[3] = {0.14f, 0.14f, 0.14f};
constexpr float kMoleculeColours[4][3] = {
    {0.54f, 0.0f, 0.0f},
    {0.0f, 0.54f, 0.0f},
    {0.0f, 0.0f, 0.54f},
    {0.54f, 0.54f, 0.0f},
};
// Passed on above 1.0 on purpose: the pipeline clamps it into a hot orange.
constexpr float kMutationColour[3] = {1.94f, 0.24f, 0.0f};

bool IsColour(int value) { return value >= 1 && value <= 4; }

bool IsStrandValue(int value) { return IsColour(value) || value == CDNA::kEmpty || value == CDNA::kMutation; }

// The rung colour of a slot value, or null for a value the strand does not hold.
const float* ColourOf(int32_t value)
{
    if (value == CDNA::kEmpty)
        return kEmptyColour;
    if (value == CDNA::kMutation)
        return kMutationColour;
    return IsColour(value) ? kMoleculeColours[value - 1] : nullptr;
}

GLUquadric* NewQuadric(GLenum drawStyle)
{
    GLUquadric* quadric = gluNewQuadric();
    if (quadric) {
        gluQuadricTexture(quadric, GL_TRUE);
        gluQuadricDrawStyle(quadric, drawStyle);
        gluQuadricNormals(quadric, GLU_SMOOTH);
    }
    return quadric;
}

} // namespace

CDNA::CDNA() { Clear(); }

CDNA::~CDNA() { Destroy(); }

int CDNA::Create()
{
    m_texture = Singleton<CTexture>::GetSingletonPtr();
    DeleteQuadrics();
    m_fill = NewQuadric(GLU_FILL);
    m_outline = NewQuadric(GLU_SILHOUETTE);
    return 1;
}

void CDNA::Clear() { m_molecules.assign(kNumMolecules, kEmpty); }

void CDNA::Destroy()
{
    m_molecules.clear();
    DeleteQuadrics();
}

void CDNA::DeleteQuadrics()
{
    if (m_fill)
        gluDeleteQuadric(m_fill);
    if (m_outline)
        gluDeleteQuadric(m_outline);
    m_fill = nullptr;
    m_outline = nullptr;
}

int CDNA::addMolecule(int value)
{
    const int index = FindEmptyDNAIndex();
    assert(index >= 0 && "addMolecule on a full strand");
    assert(IsStrandValue(value) && "addMolecule with a value the strand does not hold");
    // A full strand stays as it is, and an unknown value never reaches a slot.
    if (index < 0)
        return 0;
    if (IsStrandValue(value))
        m_molecules[index] = value;
    return FindEmptyDNAIndex() >= 0 ? 1 : 0;
}

int CDNA::FindEmptyDNAIndex() const
{
    const auto found = std::find(m_molecules.begin(), m_molecules.end(), kEmpty);
    return found == m_molecules.end() ? -1 : static_cast<int>(found - m_molecules.begin());
}

int CDNA::IsDNAFull() const
{
    // A destroyed strand has no slots and is not full.
    return static_cast<int>(m_molecules.size()) == kNumMolecules && FindEmptyDNAIndex() < 0 ? 1 : 0;
}

int CDNA::GetNumMutations() const
{
    assert(IsDNAFull() && "GetNumMutations on a strand that is not full");
    return static_cast<int>(std::count(m_molecules.begin(), m_molecules.end(), kMutation));
}

void CDNA::DeleteMutation()
{
    const auto found = std::find(m_molecules.begin(), m_molecules.end(), kMutation);
    if (found != m_molecules.end())
        *found = rand() % 4 + 1;
}

int CDNA::GetMolecule(int index) const
{
    const bool inside = index >= 0 && index < static_cast<int>(m_molecules.size());
    assert(inside && "GetMolecule index outside the strand");
    return inside ? m_molecules[index] : kEmpty;
}

void CDNA::Update()
{
    // Nothing to draw before Create, after Destroy, or without its slots.
    if (!m_fill || !m_outline || static_cast<int>(m_molecules.size()) != kNumMolecules)
        return;
    glPointSize(1.5f);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushMatrix();
    // Each rung's turn and drop add to the one before: that is the twist.
    for (int k = 0; k < kNumRungs; ++k) {
        glRotatef(4.0f * static_cast<float>(k), 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, -0.5f, 0.0f);
        DrawRung(k);
    }
    glPopMatrix();
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
    glPopAttrib();
}

void CDNA::DrawRung(int k)
{
    DrawHalf(m_molecules[2 * k], "MUTATIONR", -1.0f, 0.75f);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -0.9f);
    DrawHalf(m_molecules[2 * k + 1], "MUTATIONL", 0.3f, -0.05f);
    glPopMatrix();
}

void CDNA::DrawHalf(int32_t value, const char* markerKey, float markerShift, float capShift)
{
    if (const float* colour = ColourOf(value)) {
        Bind("MOLECULE");
        glColor3fv(colour);
        gluCylinder(value == kEmpty ? m_outline : m_fill, 0.075, 0.075, 0.75, 4, 1);
        if (value == kMutation)
            DrawMarker(markerKey, markerShift);
    }
    // The cap keeps the rod's colour.
    glPushMatrix();
    Bind("MOLECULE");
    glTranslatef(0.0f, 0.0f, capShift);
    gluSphere(m_fill, 0.15, 5, 5);
    glPopMatrix();
}

void CDNA::DrawMarker(const char* key, float shift)
{
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    Bind(key);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glPushMatrix();
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(shift, 0.0f, 0.0f);
    DrawTexQuad(0.32f, 0.0f);
    glPopMatrix();
    glEnable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void CDNA::Bind(const char* key)
{
    if (m_texture)
        m_texture->Use(key);
    else
        glBindTexture(GL_TEXTURE_2D, 0);
}
