#pragma once
#include "Synth.h"

// The voices the music and the effects are played on. Each returns one note
// or hit as a mono buffer that starts at its attack and ends in silence.
namespace audio {

// Struck glass: inharmonic partials, the high ones dying first.
Mono Bell(double frequency, double seconds, double brightness);
// A plucked string (Karplus-Strong), tuned finely with an all-pass.
Mono Pluck(double frequency, double seconds, double brightness, uint32_t seed);
// Detuned sawtooths under a low-pass, swelling in over 'attack' and out over 'release' after 'seconds'.
Mono PadNote(double frequency, double seconds, double attack, double release, double cutoff);
// A round synth bass; 'bite' opens its filter briefly at the start.
Mono BassNote(double frequency, double seconds, double bite);
Mono Kick(double punch);
Mono Snare(uint32_t seed);
Mono Hat(double seconds, uint32_t seed);
Mono Shaker(uint32_t seed);

} // namespace audio
