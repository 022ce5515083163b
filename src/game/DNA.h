#pragma once
#include "app/singleton.h"

#include <cstdint>
#include <vector>

class CTexture;
class GLUquadric;

// The player's strand for the current level: 20 slots filled from slot 0,
// drawn as a twisting ladder of ten rungs. One per process.
class CDNA : public Singleton<CDNA> {
public:
    static constexpr int kNumMolecules = 20;
    static constexpr int32_t kEmpty = 0;
    static constexpr int32_t kMutation = -1;

    CDNA();
    ~CDNA() override;

    // Needs the rendering context and the texture library; returns 1.
    int Create();
    void Clear();
    void Destroy();
    void Update();

    // Fills the first empty slot; 1 while room remains, 0 once the strand is full.
    // A full strand is left as it is, and a value other than -1 to 4 is not stored.
    int addMolecule(int value);
    int FindEmptyDNAIndex() const;
    int IsDNAFull() const;
    int GetNumMutations() const;
    // Turns the lowest mutation into a random colour 1 to 4.
    void DeleteMutation();

    // The value of slot index; 0 for an index outside the strand.
    int GetMolecule(int index) const;

private:
    void DrawRung(int k);
    void DrawHalf(int32_t value, const char* markerKey, float markerShift, float capShift);
    void DrawMarker(const char* key, float shift);
    void Bind(const char* key);
    void DeleteQuadrics();

    GLUquadric* m_fill = nullptr;
    GLUquadric* m_outline = nullptr;
    CTexture* m_texture = nullptr;
    std::vector<int32_t> m_molecules;
};
