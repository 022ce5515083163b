#include "render/Particle.h"
#include "render/particle_system.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kPi = 3.141592654f;
constexpr float kAttractionPull = 5.0f;

// A value in [-1, 1] from two draws, taken in a fixed order so a seeded game repeats.
float RandomUnit()
{
    const int first = std::rand();
    const int second = std::rand();
    return static_cast<float>(first - second) / static_cast<float>(RAND_MAX);
}

} // namespace

int Random(int low, int high)
{
    const long long range = static_cast<long long>(high) - low + 1;
    if (range <= 0)
        return low;
    return static_cast<int>(low + std::rand() % range);
}

void PARTICLE::Create(PARTICLE_SYSTEM* system)
{
    parent = system;
    age = 0.0f;
    dyingAge = std::clamp(system->m_life, 0.01f, 20.0f);

    for (int i = 0; i < 3; ++i) {
        color[i] = std::clamp(system->m_startColor[i], 0.0f, 1.0f);
        colorStep[i] = (system->m_endColor[i] - color[i]) / dyingAge;
    }
    color[3] = 1.0f;
    alpha = std::clamp(system->m_startAlpha, 0.0f, 1.0f);
    alphaStep = (system->m_endAlpha - alpha) / dyingAge;
    size = std::clamp(system->m_startSize, 0.1f, 100.0f);
    sizeStep = (system->m_endSize - size) / dyingAge;

    // Somewhere on the emitter's path since its last emission.
    const VECTOR3D& from = system->m_prevLocation;
    const VECTOR3D& to = system->m_location;
    for (int i = 0; i < 3; ++i)
        location[i] = from[i] + RandomUnit() * (to[i] - from[i]);
    for (int i = 0; i < 3; ++i)
        location[i] += Random(system->m_spreadMin, system->m_spreadMax) / system->m_spreadFactor;
    system->m_prevLocation = system->m_location;

    const float yaw = RandomUnit() * kPi * 2.0f;
    const float pitch = RandomUnit() * system->m_angle * kPi / 180.0f;
    const float speed = std::clamp(system->m_speed, 0.0f, 300.0f);
    velocity.x = std::cos(pitch) * system->m_velocity.x * speed;
    velocity.y = std::sin(pitch) * std::cos(yaw) * system->m_velocity.y * speed;
    velocity.z = std::sin(pitch) * std::sin(yaw) * system->m_velocity.z * speed;
}

bool PARTICLE::Update(float t)
{
    age += t;
    if (age >= dyingAge) {
        age = -1.0f;
        return false;
    }
    prevLocation = location;
    for (int i = 0; i < 3; ++i) {
        location[i] += t * velocity[i];
        velocity[i] += t * parent->m_gravity[i];
    }
    if (parent->m_attracting) {
        VECTOR3D pull;
        for (int i = 0; i < 3; ++i)
            pull[i] = parent->m_location[i] - location[i];
        glNormal3f(pull.x, pull.y, pull.z);
        for (int i = 0; i < 3; ++i)
            velocity[i] += t * pull[i] * kAttractionPull;
    }
    for (int i = 0; i < 3; ++i)
        color[i] += t * colorStep[i];
    alpha += t * alphaStep;
    size += t * sizeStep;
    color[3] = alpha;
    return true;
}

void PARTICLE::Draw()
{
    const float half = size / 2.0f;
    const float x = location.x, y = location.y, z = location.z;
    color[3] = alpha;
    glColor4fv(color);
    glTexCoord2f(1, 1);
    glVertex3f(x - half, y + half, z);
    glTexCoord2f(0, 1);
    glVertex3f(x + half, y + half, z);
    glTexCoord2f(0, 0);
    glVertex3f(x + half, y - half, z);
    glTexCoord2f(1, 0);
    glVertex3f(x - half, y - half, z);
}
