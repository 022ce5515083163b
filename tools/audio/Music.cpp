#include "Designs.h"
#include "Instruments.h"
#include "MusicScore.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

Instrument GlassBell(double brightness, double ring)
{
    return [=](double f, double seconds, uint32_t) { return Bell(f, std::max(ring, seconds * 1.5), brightness); };
}

Instrument StringPluck(double brightness, double ring)
{
    return [=](double f, double, uint32_t variation) { return Pluck(f, ring, brightness, variation + 1); };
}

Instrument SoftPad(double attack, double release, double cutoff)
{
    return [=](double f, double seconds, uint32_t) { return PadNote(f, seconds, attack, release, cutoff); };
}

Instrument SynthBass(double bite)
{
    return [=](double f, double seconds, uint32_t) { return BassNote(f, seconds, bite); };
}

std::vector<Mono> Hats(double seconds) { return {Hat(seconds, 11), Hat(seconds, 12), Hat(seconds, 13)}; }
std::vector<Mono> Snares() { return {Snare(21), Snare(22)}; }
std::vector<Mono> Shakers() { return {Shaker(31), Shaker(32), Shaker(33)}; }

// A pad that pulses in sixteenths, for urgency.
Instrument PulsingPad(double beatSeconds)
{
    return [=](double f, double seconds, uint32_t) {
        Mono note = PadNote(f, seconds, 0.02, 0.2, 1500);
        Shape(
            note, [=](double t) { return 0.35 + 0.65 * (1.0 - Ramp(std::fmod(t * 4 / beatSeconds, 1.0), 0.1, 0.7)); });
        return note;
    };
}

} // namespace

Stereo MenuMusic()
{
    const Progression chords = {"D3 A3 C#4 E4 F#4", "B2 F#3 A3 D4", "G2 D3 F#3 B3", "A2 E3 A3 C#4 E4",
        "D3 A3 C#4 E4 F#4", "B2 F#3 A3 D4", "G2 D3 F#3 B3", "A2 E3 A3 C#4 E4", "E3 B3 D4 G4", "F#2 C#3 A3 E4",
        "G2 D3 F#3 B3", "A2 E3 A3 C#4 E4", "B2 F#3 A3 D4", "G2 D3 F#3 B3", "E3 B3 D4 G4", "A2 E3 A3 C#4 E4"};
    const std::string melody = "F#5:1.5 E5:.5 D5:1 A5:1 F#5:2 E5:1 D5:1 G5:1.5 F#5:.5 E5:1 B5:1 A5:3 r:1 "
                               "F#5:1.5 E5:.5 D5:1 A5:1 B5:2 A5:1 F#5:1 G5:1.5 F#5:.5 E5:1 D5:1 E5:2 C#5:1 A4:1 "
                               "B5:1 A5:1 G5:1 F#5:1 A5:1.5 G5:.5 F#5:1 C#5:1 D5:1 E5:1 F#5:1 G5:1 A5:2 E5:1 C#5:1 "
                               "D5:2 F#5:1 A5:1 B5:2 A5:1 F#5:1 G5:1.5 F#5:.5 E5:1 D5:1 E5:3 r:1";
    Arrangement a(90, 16);
    PlayChords(a, chords, SoftPad(0.6, 1.2, 1200), {0.09, 0, 0.5});
    PlayArpeggio(a, chords, "12345432", 0, StringPluck(0.35, 0.9), {0.22, 0.4, 0.3, 0.15});
    PlayBass(a, chords, "x.......5...x...", -12, SynthBass(0.2), {0.4, 0, 0});
    PlayLine(a, melody, 0, GlassBell(0.8, 1.6), {0.5, -0.2, 0.35, 0.3});
    PlayPattern(a, "X.......x.o.....", {Kick(0.3)}, {0.55, 0, 0}, 0, 16);
    PlayPattern(a, "....o.......o...", Snares(), {0.12, 0.1, 0.3}, 0, 16);
    PlayPattern(a, "..x...x...x...xo", Shakers(), {0.1, -0.35, 0.2}, 0, 16);
    return a.Mix({0.65, 0.4, 0.75, 0.35});
}

// The level loop's first section: the driving hook over a full beat.
void LevelHook(Arrangement& a)
{
    const Progression chords = {"A2 E3 A3 C4 E4", "F2 C3 F3 A3 C4", "C3 G3 C4 E4", "G2 D3 G3 B3 D4", "A2 E3 A3 C4 E4",
        "F2 C3 F3 A3 C4", "C3 G3 C4 E4", "G2 D3 G3 B3 D4", "F2 C3 F3 A3 C4", "G2 D3 G3 B3 D4", "E2 B2 E3 G3 B3",
        "A2 E3 A3 C4 E4", "D2 A2 D3 F3 A3", "F2 C3 F3 A3 C4", "G2 D3 G3 B3 D4", "E2 B2 E3 G#3 B3"};
    const std::string hook = "E5:.5 r:.25 E5:.25 A5:.5 G5:.5 E5:1 D5:.5 C5:.5 C5:1 A4:.5 C5:.5 F5:1.5 E5:.5 "
                             "E5:.5 r:.25 E5:.25 G5:.5 E5:.5 C6:1 B5:.5 G5:.5 ";
    const std::string melody = hook + "D5:1.5 B4:.5 D5:2 " + hook + "G5:.5 A5:.5 B5:1 D6:2 " +
        "C6:1.5 A5:.5 F5:1 A5:1 B5:1.5 G5:.5 D5:1 G5:1 G5:1 E5:.5 G5:.5 B5:1.5 A5:.5 A5:3 r:1 "
        "F5:.5 r:.25 F5:.25 A5:.5 F5:.5 D5:1 E5:1 F5:.5 r:.25 F5:.25 A5:.5 F5:.5 C6:1 A5:1 "
        "B5:1 D6:1 B5:1 G5:1 G#5:2 B5:1 E5:1";
    PlayChords(a, chords, SoftPad(0.08, 0.4, 1600), {0.05, 0, 0.4});
    PlayArpeggio(a, chords, "1234321234321234", 12, StringPluck(0.5, 0.35), {0.16, 0.45, 0.2, 0.1});
    PlayBass(a, chords, "x.x.o.x.x.x.o.x.", 0, SynthBass(0.6), {0.32, 0, 0});
    PlayLine(a, melody, 0, GlassBell(1.0, 0.9), {0.42, -0.25, 0.3, 0.2});
    PlayPattern(a, "X...X...X...X...", {Kick(0.6)}, {0.6, 0, 0}, 0, 16);
    PlayPattern(a, "....X.......X...", Snares(), {0.2, 0.1, 0.25}, 0, 15);
    PlayPattern(a, "....X.....x.xoxX", Snares(), {0.2, 0.1, 0.25}, 15, 16);
    PlayPattern(a, "..x...x...x...x.", Hats(0.06), {0.1, -0.3, 0}, 0, 8);
    PlayPattern(a, "o.x.o.x.o.x.o.xo", Hats(0.06), {0.1, -0.3, 0}, 8, 16);
}

// The second section, from bar 16: a broad tune over a half-time beat, then
// four bars that thin out and build back into the hook.
void LevelBroad(Arrangement& a)
{
    const Progression chords = {"F2 C3 F3 A3 C4", "G2 D3 G3 B3 D4", "E2 B2 E3 G3 B3", "A2 E3 A3 C4 E4",
        "F2 C3 F3 A3 C4", "G2 D3 G3 B3 D4", "E2 B2 E3 G3 B3", "A2 E3 A3 C4 E4", "D2 A2 D3 F3 A3", "E2 B2 E3 G#3 B3",
        "C3 G3 C4 E4", "F2 C3 F3 A3 C4", "D2 A2 D3 F3 A3", "G2 D3 G3 B3 D4", "E2 B2 E3 G3 B3", "A2 E3 A3 C4 E4",
        "F2 C3 F3 A3 C4", "F2 C3 F3 A3 C4", "E2 B2 E3 G#3 B3", "E2 B2 E3 G#3 B3"};
    const std::string melody = "A5:2 C6:1 A5:1 B5:2 D6:1 B5:1 G5:1.5 E5:.5 B4:2 C5:1 E5:1 A5:2 "
                               "A5:1.5 G5:.5 F5:1 A5:1 G5:1.5 F5:.5 D5:1 G5:1 E5:1 G5:1 B5:1 G5:1 A5:4 "
                               "F5:1 A5:1 D6:2 B5:1.5 G#5:.5 E5:2 E5:1 G5:1 C6:1 E6:1 D6:1.5 C6:.5 A5:2 "
                               "A5:1 F5:1 D5:1 F5:1 G5:1 B5:1 D6:2 B5:1.5 G5:.5 E5:1 G5:1 A5:3 r:1 "
                               "r:8 E5:1 G#5:1 B5:1 D6:1 E6:2 D6:1 B5:1";
    PlayChords(a, chords, SoftPad(0.3, 0.8, 1300), {0.07, 0, 0.5}, 16);
    PlayArpeggio(a, chords, "1.3.5.3.1.3.5.3.", 12, StringPluck(0.4, 0.6), {0.15, -0.4, 0.3, 0.2}, 16);
    PlayBass(
        a, Progression(chords.begin(), chords.begin() + 16), "x...x...5...x...", 0, SynthBass(0.4), {0.34, 0, 0}, 16);
    PlayBass(a, Progression(chords.end() - 2, chords.end()), "x.x.x.x.x.x.x.x.", 0, SynthBass(0.6), {0.3, 0, 0}, 34);
    PlayLine(a, melody, 16 * 4, GlassBell(0.8, 1.4), {0.4, 0.2, 0.4, 0.3});
    PlayPattern(a, "X.........X.....", {Kick(0.5)}, {0.6, 0, 0}, 16, 32);
    PlayPattern(a, "........X.......", Snares(), {0.2, 0.1, 0.35}, 16, 32);
    PlayPattern(a, "x.x.x.x.x.x.x.x.", Hats(0.09), {0.08, 0.3, 0}, 16, 32);
    PlayPattern(a, "X.......X.......", {Kick(0.6)}, {0.5, 0, 0}, 34, 36);
    PlayPattern(a, "x.x.x.x.x.x.x.x.", Snares(), {0.14, 0.1, 0.25}, 34, 35);
    PlayPattern(a, "xxxxxxxxxxxxxxxX", Snares(), {0.16, 0.1, 0.25}, 35, 36);
}

Stereo LevelMusic()
{
    Arrangement a(126, 36);
    LevelHook(a);
    LevelBroad(a);
    return a.Mix({0.45, 0.45, 0.5, 0.25});
}

Stereo PurifyMusic()
{
    const std::string em = "E2 B2 E3 G3 B3", f = "F2 C3 F3 A3 C4", c = "C3 G3 C4 E4", b = "B2 F#3 B3 D#4",
                      am = "A2 E3 A3 C4 E4";
    const Progression chords = {em, em, f, f, em, em, c, b, am, am, c, c, em, f, b, b, am, am, f, f, c, c, b, b};
    const std::string melody = "B5:.5 C6:.5 B5:.5 G5:.5 E5:1 F#5:.5 G5:.5 F#5:.5 G5:.5 F#5:.5 D#5:.5 E5:2 "
                               "C6:.5 Db6:.5 C6:.5 A5:.5 F5:1 G5:.5 A5:.5 G5:.5 A5:.5 G5:.5 E5:.5 F5:2 "
                               "B5:.5 C6:.5 B5:.5 G5:.5 E5:1 F#5:.5 G5:.5 A5:.5 B5:.5 C6:.5 B5:.5 G5:2 "
                               "E6:1 D6:.5 C6:.5 G5:2 F#5:1 A5:1 B5:1 D#6:1 "
                               "C6:.5 B5:.5 A5:.5 E5:.5 C5:1 E5:.5 A5:.5 B5:.5 C6:.5 B5:.5 G#5:.5 A5:2 "
                               "E6:.5 D6:.5 C6:.5 G5:.5 E5:1 G5:.5 C6:.5 D6:.5 E6:.5 D6:.5 B5:.5 C6:2 "
                               "B5:.5 C6:.5 B5:.5 G5:.5 E5:1 F#5:.5 G5:.5 A5:.5 C6:.5 A5:.5 F5:.5 C6:2 "
                               "B5:1 D#6:1 F#6:1 D#6:1 B5:1 A5:1 F#5:1 D#5:1 "
                               "A5:1 C6:1 E6:2 D6:1 C6:1 B5:2 A5:1 C6:1 F6:2 E6:1 C6:1 A5:2 "
                               "G5:1 C6:1 E6:2 G6:1 E6:1 C6:2 B5:1 D#6:1 F#6:2 B6:2 A6:1 F#6:1";
    Arrangement a(140, 24);
    PlayChords(a, chords, PulsingPad(a.Seconds(1)), {0.06, 0, 0.3});
    PlayArpeggio(a, chords, "1313131313131313", 12, StringPluck(0.6, 0.25), {0.12, 0.5, 0.15});
    PlayBass(a, chords, "x.xxx.xxx.xxx.xo", 0, SynthBass(0.8), {0.3, 0, 0});
    PlayLine(a, melody, 0, GlassBell(1.0, 0.7), {0.4, -0.25, 0.25, 0.25});
    PlayPattern(a, "X..xX...X..xX...", {Kick(0.8)}, {0.6, 0, 0}, 0, 16);
    PlayPattern(a, "X.......X..x....", {Kick(0.8)}, {0.6, 0, 0}, 16, 24);
    PlayPattern(a, "....X.......X...", Snares(), {0.22, 0.1, 0.2}, 0, 23);
    PlayPattern(a, "X.x.X.x.XxXxXXXX", Snares(), {0.22, 0.1, 0.2}, 23, 24);
    PlayPattern(a, "xoxoxoxoxoxoxoxo", Hats(0.05), {0.09, -0.35, 0}, 0, 24);
    return a.Mix({0.35, 0.5, 0.75, 0.3});
}

} // namespace audio
