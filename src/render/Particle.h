#pragma once

class PARTICLE_SYSTEM;

struct VECTOR3D {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    // Axis 0, 1 or 2.
    float& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
    float operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
};

// low + rand() % (high - low + 1); an empty range gives low.
int Random(int low, int high);

// One spark of an emitter. The slot is free while the age is negative.
class PARTICLE {
public:
    // Starts a spark in this slot from the emitter's settings.
    void Create(PARTICLE_SYSTEM* system);
    // Advances by t seconds; false once the spark has reached its dying age.
    bool Update(float t);
    bool IsAlive() const { return age >= 0.0f; }
    // One square of the bound texture round the location, in the x-y plane.
    void Draw();

    PARTICLE_SYSTEM* parent = nullptr;
    VECTOR3D prevLocation;
    VECTOR3D location;
    VECTOR3D velocity;
    float color[4] = {};
    float colorStep[3] = {};
    float alpha = 0.0f;
    float alphaStep = 0.0f;
    float size = 0.0f;
    float sizeStep = 0.0f;
    float age = 0.0f;
    float dyingAge = 0.0f;
};
