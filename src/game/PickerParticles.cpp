#include "app/DeltaTime.h"
#include "game/Picker.h"
#include "render/particle_system.h"

#include <cstdlib>

namespace {

// Extra sparks per emission call below 60 frames per second: none, so a slow
// machine is not slowed further by sparks.
const int gParticleCreateTable[kEmissionTableSize] = {};
// Beyond this distance from the ring's centre the ring's sparks are pulled back to the piece.
float gfAttractionDis = 25.0f;
// The flying piece trails sparks until it is this far out.
float gfCreateDis = 110.0f;

// Where the target sparks pour out, beside the next-colour box.
const float kTargetX = 380.0f;
const float kTargetY = 40.0f;
// From a piece's top-left corner to its centre.
const float kPieceCentre = 16.0f;

struct SparkColours {
    float start[3];
    float end[3];
};

// Empty places and bombs fly without sparks.
bool SparkColoursOf(int type, SparkColours& colours)
{
    const SparkColours orange = {{0.0f, 0.0f, 0.0f}, {1.0f, 0.55f, 0.1f}};
    colours = orange;
    switch (type) {
    case CPicker::kRed: colours.start[0] = 1.0f; return true;
    case CPicker::kGreen:
    case CPicker::kPurifier: colours.start[1] = 1.0f; return true;
    case CPicker::kBlue: colours = {{0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f}}; return true;
    case CPicker::kYellow: colours = {{1.0f, 0.7f, 0.0f}, {1.0f, 0.0f, 0.0f}}; return true;
    default: break;
    }
    if (type < CPicker::kFirstPattern || type > CPicker::kLastPattern)
        return false;
    colours.start[0] = 1.0f;
    colours.start[2] = 1.0f;
    return true;
}

// The settings both systems start the game with.
void SetupSystem(PARTICLE_SYSTEM& system)
{
    system.Create();
    system.Set_Alpha(1.0f, 0.0f);
    system.Set_Velocity(10.0f, 20.0f, 10.0f);
    system.Set_Angle(360.0f);
    system.Set_Attraction(0);
    system.Set_Color(0.0f, 1.0f, 0.0f, 1.5f, 1.55f, 0.1f);
    system.Set_Gravity(0.0f, 0.0f, 0.0f);
    system.Set_Life(0.75f);
    system.Set_ParticlesPerSec(0);
    system.Set_Size(35.0f, 5.0f);
    system.Set_Speed(5.5f);
    system.Set_Spread(-200, 200, 200.0f);
    system.Set_SystemFlag(1, false);
    system.Set_SystemFlag(0, false);
}

void ResetRingLook(int look)
{
    struct Look {
        float vx, vy, angle, life, size;
    };
    const Look looks[4] = {{1.5f, 1.0f, 180.0f, 0.95f, 45.0f}, {5.5f, 5.0f, 360.0f, 0.55f, 35.0f},
        {1.5f, 1.0f, 180.0f, 0.45f, 55.0f}, {1.5f, 1.0f, 180.0f, 0.45f, 35.0f}};
    const Look& l = looks[look];
    ps3.Set_Alpha(1.0f, 0.0f);
    ps3.Set_Velocity(l.vx, l.vy, l.vy);
    ps3.Set_Angle(l.angle);
    ps3.Set_Attraction(0);
    ps3.Set_Gravity(0.0f, 0.0f, 0.0f);
    ps3.Set_Life(l.life);
    ps3.Set_ParticlesPerSec(0);
    ps3.Set_Size(l.size, 0.5f);
    ps3.Set_Speed(10.5f);
    ps3.Set_Spread(-200, 200, 200.0f);
}

// Look 1 spreads the target sparks sideways, look 2 up and down.
void ResetTargetLook(int look)
{
    ps1.Set_Alpha(0.5f, 0.0f);
    if (look == 1)
        ps1.Set_Velocity(10.0f, 0.0f, 0.0f);
    else
        ps1.Set_Velocity(0.0f, 10.0f, 0.0f);
    ps1.Set_Angle(360.0f);
    ps1.Set_Attraction(0);
    ps1.Set_Gravity(0.0f, 0.0f, 0.0f);
    ps1.Set_Life(look == 1 ? 0.95f : 1.25f);
    ps1.Set_ParticlesPerSec(0);
    ps1.Set_Size(35.0f, 5.0f);
    ps1.Set_Speed(5.5f);
    ps1.Set_Spread(-200, 200, 200.0f);
    ps1.Set_SystemFlag(1, false);
    ps1.Set_SystemFlag(0, false);
}

} // namespace

void CPicker::SetupParticles()
{
    SetupSystem(ps1);
    ps1.Set_Location(kTargetX, kTargetY, 0.0f);
    SetupSystem(ps3);
    ps3.Set_Velocity(10.0f, 10.0f, 10.0f);
    ps3.Set_Life(1.75f);
    ps3.Set_Size(25.0f, 0.5f);
    ps3.Set_SystemFlag(0, true);
    ps3.Set_Location(0.0f, 0.0f, 0.0f);
}

void CPicker::ResetParticles()
{
    const t_spoke* spoke = FlyingSpoke();
    if (!spoke)
        return;
    const float cx = spoke->x + kPieceCentre;
    const float cy = spoke->y + kPieceCentre;
    ps3.Set_Prev_Location(cx, cy, 0.0f);
    ps3.Set_Location(cx, cy, 0.0f);
    ps1.Set_Prev_Location(kTargetX, kTargetY, 0.0f);
    ps1.Set_Location(kTargetX, kTargetY, 0.0f);
    ResetRingLook(rand() % 4);
    gfAttractionDis = 250.0f;
    gfCreateDis = 140.0f;
    ResetTargetLook(rand() % 2 + 1);
}

void CPicker::StartParticles()
{
    const t_spoke* spoke = FlyingSpoke();
    SparkColours colours;
    if (!spoke || !SparkColoursOf(spoke->type, colours))
        return;
    ps1.Set_Location(kTargetX, kTargetY, 0.0f);
    ps3.Set_Location(spoke->x + kPieceCentre, spoke->y + kPieceCentre, 0.0f);
    for (PARTICLE_SYSTEM* system : {&ps1, &ps3})
        system->Set_Color(
            colours.start[0], colours.start[1], colours.start[2], colours.end[0], colours.end[1], colours.end[2]);
    const float now = ParticleSeconds();
    const float amount = ParticleEmissionAmount(gParticleCreateTable, m_deltaTime ? m_deltaTime->GetFPS() : 0);
    if (spoke->type == m_nextColor)
        ps1.Update(now, 0, amount);
    if (spoke->distance < gfCreateDis)
        ps3.Update(now, 0, amount);
    const bool attract = spoke->distance >= gfAttractionDis;
    ps3.Set_Speed(attract ? 7.5f : 5.5f);
    ps3.Set_SystemFlag(0, attract);
}

// Sparks run on the platform clock, so they fly on and die while the picker is frozen.
void CPicker::RenderAndUpdateParticleSystem1()
{
    Begin();
    ps1.Render();
    ps1.Update(ParticleSeconds(), 1, 5.0f);
    End();
}

void CPicker::RenderRingParticles()
{
    ps3.Render();
    ps3.Update(ParticleSeconds(), 1, 5.0f);
}

bool CPicker::AreParticlesDead() const { return ps1.IsAllParticlesDead() && ps3.IsAllParticlesDead(); }

const t_spoke* CPicker::FlyingSpoke() const
{
    if (m_currentSpoke < 0 || m_currentSpoke >= static_cast<int>(m_spokes.size()))
        return nullptr;
    return &m_spokes[m_currentSpoke];
}
