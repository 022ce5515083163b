#include "Sounds.h"

#include "Designs.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace audio {

namespace {

static_assert(kSampleRate == kRate);

enum class Shape { OneShot, Loop };

struct Design {
    const char* file;
    int channels;
    Shape shape;
    double peakDb; // music sits lower than the effects played over it
    Stereo (*make)();
};

// The long play loops are mono to keep all twelve small in memory; the menu
// loop, heard on its own, keeps its stereo.
const Design kDesigns[] = {
    {"menu.wav", 2, Shape::Loop, -5.0, MenuMusic},
    {"click.wav", 1, Shape::OneShot, -1.5, Click},
    {"select.wav", 1, Shape::OneShot, -1.5, Select},
    {"cursorend.wav", 1, Shape::OneShot, -3.0, CursorEnd},
    {"intro.wav", 2, Shape::OneShot, -2.0, IntroSwell},
    {"drone.wav", 2, Shape::Loop, -4.0, DarkDrone},
    {"reader.wav", 2, Shape::OneShot, -2.0, ReaderSlide},
    {"level.wav", 1, Shape::Loop, -5.0, LevelMusic},
    {"purify.wav", 1, Shape::Loop, -5.0, PurifyMusic},
    {"next.wav", 2, Shape::OneShot, -1.5, NextChime},
    {"mutation.wav", 1, Shape::OneShot, -2.0, MutationWarning},
    {"pattern.wav", 2, Shape::OneShot, -1.5, PatternSparkle},
};

// Loops lose their offset without touching the seam; one-shots are
// high-passed and faded at both ends so they start and stop without a click.
// The game restarts music with a short gap, so a loop also dips to silence
// for a moment at its seam, where the new bar's first beat hides it.
void Finish(Stereo& s, const Design& d)
{
    if (d.shape == Shape::Loop) {
        SubtractMean(s);
        FadeEnds(s, 0.002, 0.004);
    } else {
        HighPass(s, 20);
        FadeEnds(s, 0.001, 0.02);
        SubtractMeanSmoothly(s);
    }
    NormalizePeak(s, d.peakDb);
}

int16_t ToPcm(double x) { return static_cast<int16_t>(std::lround(std::clamp(x, -1.0, 1.0) * 32767.0)); }

Sound Make(const Design& d)
{
    Stereo s = d.make();
    Finish(s, d);
    Sound sound{d.file, d.channels, {}};
    for (int i = 0; i < s.Length(); ++i) {
        if (d.channels == 1) {
            sound.samples.push_back(ToPcm((s.left[i] + s.right[i]) * 0.5));
        } else {
            sound.samples.push_back(ToPcm(s.left[i]));
            sound.samples.push_back(ToPcm(s.right[i]));
        }
    }
    return sound;
}

void Put32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void Put16(std::string& out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

} // namespace

std::vector<Sound> GameSounds()
{
    std::vector<Sound> sounds;
    for (const Design& d : kDesigns)
        sounds.push_back(Make(d));
    return sounds;
}

std::string WavBytes(const Sound& sound)
{
    const auto dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
    const auto blockAlign = static_cast<uint16_t>(sound.channels * 2);
    std::string out = "RIFF";
    Put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<uint16_t>(sound.channels));
    Put32(out, kSampleRate);
    Put32(out, kSampleRate * blockAlign);
    Put16(out, blockAlign);
    Put16(out, 16);
    out += "data";
    Put32(out, dataBytes);
    for (int16_t s : sound.samples)
        Put16(out, static_cast<uint16_t>(s));
    return out;
}

bool WriteWav(const std::string& path, const Sound& sound)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << WavBytes(sound);
        if (!out.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (!error)
        return true;
    std::filesystem::remove(temporary, error);
    return false;
}

} // namespace audio
