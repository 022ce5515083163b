#include "render/particle_system.h"
#include "app/Assert.h"
#include "platform/Clock.h"
#include "render/Texture.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>

PARTICLE_SYSTEM ps1;
PARTICLE_SYSTEM ps3;

PARTICLE_SYSTEM::PARTICLE_SYSTEM() = default;

bool PARTICLE_SYSTEM::Create()
{
    m_textures = Singleton<CTexture>::GetSingletonPtr();
    return true;
}

bool PARTICLE_SYSTEM::Update(float time, int mode, float extra)
{
    // A clock that wraps or steps back holds the sparks for a frame instead
    // of running them backwards.
    const float elapsed = std::max(0.0f, time - m_lastUpdateTime);
    if (mode == 1 || mode == 2) {
        m_lastUpdateTime = time;
        Advance(elapsed);
    }
    if (mode == 0 || mode == 2)
        Emit(elapsed, extra);
    return true;
}

void PARTICLE_SYSTEM::Advance(float elapsed)
{
    m_particlesAlive = 0;
    for (PARTICLE& particle : m_particles) {
        if (particle.IsAlive() && particle.Update(elapsed))
            ++m_particlesAlive;
    }
}

void PARTICLE_SYSTEM::Emit(float elapsed, float extra)
{
    const float wanted = static_cast<float>(m_particlesPerSec) * elapsed + m_emissionResidue + extra;
    float whole = 0.0f;
    if (m_stopped) {
        m_emissionResidue = wanted;
    } else {
        whole = std::trunc(wanted);
        m_emissionResidue = wanted - whole;
    }
    if (!(whole >= 1.0f)) {
        m_prevLocation = m_location;
        return;
    }
    // Sparks that find no free slot are dropped.
    unsigned count = whole >= kMaxParticles ? kMaxParticles : static_cast<unsigned>(whole);
    for (PARTICLE& particle : m_particles) {
        if (count == 0)
            break;
        if (!particle.IsAlive()) {
            particle.Create(this);
            --count;
        }
    }
}

void PARTICLE_SYSTEM::Render()
{
    glPushAttrib(GL_DEPTH_BUFFER_BIT | GL_PIXEL_MODE_BIT);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    if (m_textures)
        m_textures->Use("STAR");
    unsigned dead = 0;
    // One batch for the whole system: a draw call per spark costs more than its pixels.
    glBegin(GL_QUADS);
    for (PARTICLE& particle : m_particles) {
        if (particle.IsAlive())
            particle.Draw();
        else
            ++dead;
    }
    glEnd();
    m_allDead = dead == kMaxParticles ? 1 : 0;
    glPopAttrib();
}

void PARTICLE_SYSTEM::Set_Size(float start, float end)
{
    m_startSize = start;
    m_endSize = end;
}

void PARTICLE_SYSTEM::Set_Alpha(float start, float end)
{
    m_startAlpha = start;
    m_endAlpha = end;
}

void PARTICLE_SYSTEM::Set_Color(float startR, float startG, float startB, float endR, float endG, float endB)
{
    m_startColor = {startR, startG, startB};
    m_endColor = {endR, endG, endB};
}

void PARTICLE_SYSTEM::Set_Spread(int low, int high, float factor)
{
    m_spreadMin = low;
    m_spreadMax = high;
    m_spreadFactor = factor == 0.0f ? 1.0f : factor;
}

void PARTICLE_SYSTEM::Set_Attraction(unsigned percent) { m_attraction = std::min(percent, 100u) / 100.0f; }

void PARTICLE_SYSTEM::Set_SystemFlag(int which, bool value)
{
    if (which == 0)
        m_attracting = value;
    else if (which == 1)
        m_stopped = value;
}

float PARTICLE_SYSTEM::Get_Location(int axis) const { return axis >= 0 && axis <= 2 ? m_location[axis] : 0.0f; }

const PARTICLE& PARTICLE_SYSTEM::Get_Particle(unsigned index) const
{
    VX_ASSERT(index < kMaxParticles);
    return m_particles[index];
}

float ParticleSeconds() { return static_cast<float>(platform::timeGetTime() * 0.001); }

float ParticleEmissionAmount(const int (&table)[kEmissionTableSize], int framesPerSecond)
{
    if (framesPerSecond > 100)
        return 1.0f;
    if (framesPerSecond >= kEmissionTableSize)
        return 2.0f;
    // A rate below zero would read before the table.
    return static_cast<float>(table[std::max(framesPerSecond, 0)]);
}
