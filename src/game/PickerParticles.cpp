#include "game/Picker.h"

// The ring's sparks come next; until then no spark keeps a re-deal waiting.
void CPicker::SetupParticles() { }
void CPicker::ResetParticles() { }
void CPicker::StartParticles() { }
void CPicker::RenderAndUpdateParticleSystem1() { }
void CPicker::RenderRingParticles() { }
bool CPicker::AreParticlesDead() const { return true; }
