#include "game/Picker.h"

// The ring's drawing comes next; until then play runs unseen.
void CPicker::Begin() { }
void CPicker::End() { }
void CPicker::EnterRingFrame() { }
void CPicker::DrawSpokeObject(int) { }
void CPicker::DrawSpokeObjectFadeColor(int) { }
void CPicker::DrawRingSelect() { }
void CPicker::PrintRoundText(const char*, int, int, float, float, float) { }
