#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The game's twelve sounds, synthesized, and the WAV files that hold them.
namespace audio {

constexpr int kSampleRate = 22050;

struct Sound {
    std::string file; // name inside the game's "sounds/" folder, e.g. "menu.wav"
    int channels = 1;
    std::vector<int16_t> samples; // interleaved when stereo
};

// All twelve, in the order the game loads them; the same samples on every call.
std::vector<Sound> GameSounds();

// A canonical 16-bit PCM WAV file: "RIFF", a 16-byte "fmt " chunk, "data".
std::string WavBytes(const Sound& sound);
// Writes through a temporary file and a rename, so no half-written file is left.
bool WriteWav(const std::string& path, const Sound& sound);

} // namespace audio
