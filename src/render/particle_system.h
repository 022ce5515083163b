#pragma once
#include "render/Particle.h"

class CTexture;

// An emitter of additive "STAR" sparks that fly out round the x axis, fall,
// and fade, shrink and change colour over a fixed life. Time is in seconds.
class PARTICLE_SYSTEM {
public:
    static constexpr unsigned kMaxParticles = 500;

    PARTICLE_SYSTEM();

    // Takes the texture library; without one the sparks use whatever texture is bound.
    bool Create();
    // Mode 0 emits, 1 advances, 2 advances then emits; extra adds whole or
    // partial sparks to this emission.
    bool Update(float time, int mode, float extra);
    void Render();

    void Set_Location(float x, float y, float z) { m_location = {x, y, z}; }
    void Set_Prev_Location(float x, float y, float z) { m_prevLocation = {x, y, z}; }
    void Set_ParticlesPerSec(unsigned count) { m_particlesPerSec = count; }
    void Set_Velocity(float x, float y, float z) { m_velocity = {x, y, z}; }
    void Set_Size(float start, float end);
    void Set_Alpha(float start, float end);
    void Set_Color(float startR, float startG, float startB, float endR, float endG, float endB);
    void Set_Speed(float speed) { m_speed = speed; }
    void Set_Angle(float degrees) { m_angle = degrees; }
    void Set_Life(float seconds) { m_life = seconds; }
    void Set_Spread(int low, int high, float factor);
    void Set_Gravity(float x, float y, float z) { m_gravity = {x, y, z}; }
    void Set_Attraction(unsigned percent);
    void Set_SystemFlag(int which, bool value);

    float Get_Location(int axis) const;
    unsigned Active_Particles() const { return m_particlesAlive; }
    bool IsAttracting() const { return m_attracting; }
    int IsAllParticlesDead() const { return m_allDead; }
    const PARTICLE& Get_Particle(unsigned index) const;

private:
    friend class PARTICLE;

    void Advance(float elapsed);
    void Emit(float elapsed, float extra);

    bool m_attracting = false;
    bool m_stopped = false;
    int m_allDead = 1; // a system that never emitted has nothing alive
    unsigned m_particlesPerSec = 0;
    unsigned m_particlesAlive = 0;
    float m_lastUpdateTime = 0.0f;
    float m_emissionResidue = 0.0f;
    PARTICLE m_particles[kMaxParticles];
    VECTOR3D m_prevLocation;
    VECTOR3D m_location;
    VECTOR3D m_velocity;
    float m_startSize = 0.0f, m_endSize = 0.0f;
    float m_startAlpha = 0.0f, m_endAlpha = 0.0f;
    VECTOR3D m_startColor, m_endColor;
    float m_speed = 0.0f;
    float m_life = 0.0f;
    float m_angle = 0.0f;
    int m_spreadMin = 0, m_spreadMax = 0;
    float m_spreadFactor = 1.0f;
    VECTOR3D m_gravity;
    float m_attraction = 0.0f;
    CTexture* m_textures = nullptr;
};

// The millisecond clock in seconds: the time every emitter runs on.
float ParticleSeconds();

// Sparks to add per emission call at a frame rate: the table's entry below
// 60 frames per second, 2 up to 100, 1 above. Out-of-range rates read its ends.
constexpr int kEmissionTableSize = 60;
float ParticleEmissionAmount(const int (&table)[kEmissionTableSize], int framesPerSecond);

// The ring picker's emitters, alive for the whole program.
extern PARTICLE_SYSTEM ps1;
extern PARTICLE_SYSTEM ps3;
