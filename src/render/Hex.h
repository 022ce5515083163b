#pragma once
#include "app/LinearInterpolation.h"

#include <array>

class CTexture;

// One hexagon of the cluster: lit at 1.0, fading once it is active.
struct t_hex {
    int active = 0;
    float value = 1.0f; // used directly as its colour
    CLinearInterpolation ramp;
};

// A honeycomb of 14 "HEX" sprites in rows of 2, 3, 4, 3 and 2 that light up
// together and fade out one after another, each at its own random speed.
class CHex {
public:
    static constexpr int kCount = 14;

    CHex();
    virtual ~CHex() = default;

    // Relights every hexagon with a fresh random fade of 150 to 1500 ms.
    void ResetInit();
    // Takes the texture library; without it the hexagons use whatever texture is bound.
    void InitTexture();
    // Makes hexagon index the k-th to fade. Returns 0 and changes nothing
    // unless both lie in 0..13.
    int SetIndexOrder(int k, int index);
    // Draws the cluster with its top-left hexagon at (x, y, z) in eye
    // coordinates, then advances the fades by elapsed milliseconds.
    void Update(float x, float y, float z, float elapsed);

    const t_hex& GetHex(int index) const { return m_hexes[index]; }
    int GetIndexOrder(int k) const { return m_order[k]; }

private:
    void Draw(float x, float y, float z) const;
    void ActivateInSequence();
    void Advance(float elapsed);

    std::array<t_hex, kCount> m_hexes;
    CTexture* m_texture = nullptr;
    std::array<int, kCount> m_order;
};
