#include "game/Picker.h"

// The ring's drawing and its sparks come next; until then play runs unseen.
void CPicker::Begin() { }
void CPicker::End() { }
void CPicker::EnterRingFrame() { }
void CPicker::DrawSpokeObject(int) { }
void CPicker::DrawSpokeObjectFadeColor(int) { }
void CPicker::DrawRingSelect() { }
void CPicker::PrintRoundText(const char*, int, int, float, float, float) { }
void CPicker::SetupParticles() { }
void CPicker::ResetParticles() { }
void CPicker::StartParticles() { }
void CPicker::RenderAndUpdateParticleSystem1() { }
void CPicker::RenderRingParticles() { }
bool CPicker::AreParticlesDead() const { return true; }
