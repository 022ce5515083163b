#include "Designs.h"
#include "Instruments.h"
#include "MusicScore.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

// The dry sound with a little room around it.
Stereo WithRoom(const Stereo& dry, double amount, double size)
{
    Reverb reverb(size, 0.5);
    Stereo out = dry;
    out.Mix(Process(dry, reverb, false), amount);
    return out;
}

// A sawtooth gliding from one pitch to another, darkened and roughened by a
// fast wobble of its loudness: the sound of something refused.
Mono Buzz(double from, double to, double seconds, double roughness)
{
    Saw saw(from), under(from * 1.03);
    Svf filter(2200, 0.9);
    SineOsc wobble(31);
    return Render(seconds, [&](double t) {
        const double f = from + (to - from) * Ramp(t, 0, seconds);
        saw.SetFrequency(f);
        under.SetFrequency(f * 1.03);
        const double tone = filter.Process(saw.Next() + 0.6 * under.Next()).low;
        return tone * (1.0 - roughness * (0.5 + 0.5 * wobble.Next())) * Envelope(t, 0.005, seconds - 0.03, 0.03);
    });
}

// Noise through a band-pass whose centre follows 'centre(t)'.
template <class Centre>
Mono SweptNoise(double seconds, uint32_t seed, Centre centre)
{
    Noise noise(seed);
    Svf filter(centre(0.0), 1.5);
    return Render(seconds, [&](double t) {
        filter.Tune(centre(t));
        return filter.Process(noise.Next()).band;
    });
}

// Adds a mono sound whose place in the stereo field moves with time.
template <class Place>
void AddMoving(Stereo& s, const Mono& sound, Place pan)
{
    for (int i = 0; i < std::min(s.Length(), static_cast<int>(sound.size())); ++i) {
        const Frame f = Pan(sound[i], pan(static_cast<double>(i) / kRate));
        s.Set(i, {s.left[i] + f.left, s.right[i] + f.right});
    }
}

// Detuned sawtooths under a low-pass that opens from one cutoff to another.
Mono SweptPad(double frequency, double seconds, double fromCutoff, double toCutoff)
{
    Saw saws[] = {Saw(frequency * 0.996, 0.1), Saw(frequency * 1.004, 0.6)};
    Svf filter(fromCutoff, 0.8);
    return Render(seconds, [&](double t) {
        filter.Tune(fromCutoff * std::pow(toCutoff / fromCutoff, t / seconds));
        return filter.Process((saws[0].Next() + saws[1].Next()) * 0.5).low;
    });
}

} // namespace

Stereo Click()
{
    Noise noise(41);
    Svf filter(3500, 1.5);
    SineOsc high(2400), low(1200);
    Stereo s(Samples(0.07));
    s.Add(Render(0.07,
              [&](double t) {
                  return high.Next() * Decay(t, 0.006) + 0.6 * low.Next() * Decay(t, 0.012) +
                      0.5 * filter.Process(noise.Next()).band * Decay(t, 0.003);
              }),
        0, 1, 0);
    return s;
}

Stereo Select()
{
    SineOsc sweep(0);
    double phase = 0;
    Stereo s(Samples(0.3));
    s.Add(Bell(Frequency(Pitch("E6")), 0.3, 0.6), 0, 1, 0);
    s.Add(Bell(Frequency(Pitch("B6")), 0.25, 0.6), Samples(0.055), 1, 0);
    s.Add(Render(0.06,
              [&](double t) {
                  phase += (500 + 500 * t / 0.06) / kRate;
                  return std::sin(2 * kPi * phase) * Envelope(t, 0.003, 0.03, 0.03);
              }),
        0, 0.3, 0);
    return s;
}

Stereo MutationWarning()
{
    Stereo s(Samples(0.55));
    s.Add(Buzz(Frequency(Pitch("F#5")), Frequency(Pitch("F#5")), 0.2, 0.5), 0, 1, 0);
    s.Add(Buzz(Frequency(Pitch("C5")), Frequency(Pitch("A4")), 0.28, 0.5), Samples(0.24), 1, 0);
    return s;
}

Stereo CursorEnd()
{
    Stereo s(Samples(0.16));
    s.Add(Buzz(110, 98, 0.16, 0.7), 0, 1, 0);
    return s;
}

Stereo NextChime()
{
    Stereo s(Samples(1.0));
    s.Add(Bell(Frequency(Pitch("C6")), 0.9, 1.0), 0, 1, -0.3);
    s.Add(Bell(Frequency(Pitch("G6")), 0.85, 1.0), Samples(0.07), 0.8, 0.3);
    s.Add(Bell(Frequency(Pitch("C7")), 0.8, 0.8), Samples(0.14), 0.6, 0);
    return WithRoom(s, 0.3, 0.3);
}

Stereo PatternSparkle()
{
    const char* scale[] = {"C6", "D6", "E6", "G6", "A6", "C7", "D7", "E7"};
    Noise noise(5);
    Stereo s(Samples(0.9));
    for (int k = 0; k < 12; ++k) {
        const int step = std::min(7, k * 8 / 12 + static_cast<int>(noise.Uniform(0, 2)));
        const double at = 0.03 * k + noise.Uniform(0, 0.015);
        s.Add(Bell(Frequency(Pitch(scale[step])), 0.35, 0.4), Samples(at), 0.5, noise.Uniform(-0.8, 0.8));
    }
    Mono shimmer = SweptNoise(0.45, 6, [](double t) { return 5000 + 4000 * t / 0.45; });
    Shape(shimmer, [](double t) { return Ramp(t, 0, 0.1) * Decay(t - 0.1, 0.1); });
    s.Add(shimmer, 0, 0.12, 0);
    return WithRoom(s, 0.35, 0.4);
}

// A chord of swept pads spread across the field, shaped by 'gain' from 'at'.
template <class Gain>
void AddPadChord(Stereo& s, const char* chord, double at, double seconds, double toCutoff, Gain gain)
{
    const double pans[] = {0, -0.5, 0.5, -0.3, 0.3, 0};
    int voice = 0;
    for (int pitch : Chord(chord)) {
        Mono note = SweptPad(Frequency(pitch), seconds, 150, toCutoff);
        Shape(note, gain);
        s.Add(note, Samples(at), 0.3, pans[voice++ % 6]);
    }
}

// Noise rising in pitch and loudness from 'from' until it breaks off at 'to'.
void AddRiser(Stereo& s, double from, double to, double gain)
{
    const double length = to - from;
    for (uint32_t side : {1u, 2u}) {
        Mono riser = SweptNoise(length, 60 + side, [=](double t) { return 300 * std::pow(20.0, t / length); });
        Shape(riser, [=](double t) { return std::pow(t / length, 3) * (1.0 - Ramp(t, length - 0.1, length)); });
        s.Add(riser, Samples(from), gain, side == 1 ? -0.7 : 0.7);
    }
}

void AddHit(Stereo& s, double at, const std::vector<const char*>& bells, double ring)
{
    double delay = 0, pan = -0.3;
    for (const char* bell : bells) {
        s.Add(Bell(Frequency(Pitch(bell)), ring, 0.8), Samples(at + delay), 0.45, pan);
        delay += 0.04;
        pan = -pan * 0.8;
    }
    s.Add(Kick(0.0), Samples(at), 0.6, 0);
}

// In time with the intro screens: the cube stops at 4.9 s, the maker's logo
// is at full brightness at 8.1 s and gone by 11.25 s.
Stereo IntroSwell()
{
    const double stop = 4.9, bright = 8.1, length = 11.3;
    Stereo s(Samples(length));
    AddPadChord(s, "D2 A2 E3 A3 D4 E4", 0, bright, 3500, [=](double t) {
        return std::pow(Ramp(t, 0, stop), 2) * (1.0 - 0.75 * Ramp(t, stop, stop + 1.2)) *
            (1.0 - Ramp(t, stop + 1.5, bright));
    });
    AddRiser(s, 0, stop, 0.35);
    AddHit(s, stop, {"D6", "A6"}, 1.6);
    AddPadChord(s, "G2 D3 A3 B3 D4 F#4", stop, bright - stop, 2500, [=](double t) {
        return 0.6 * std::pow(Ramp(t, 0, bright - stop), 1.5) * (1.0 - Ramp(t, bright - stop - 0.08, bright - stop));
    });
    AddRiser(s, bright - 1.6, bright, 0.2);
    AddHit(s, bright, {"D6", "F#6", "A6", "D7"}, 2.5);
    AddPadChord(s, "D2 A2 F#3 A3 D4 F#4", bright, length - bright, 4000,
        [=](double t) { return Ramp(t, 0, 0.05) * std::pow(1.0 - Ramp(t, 0, length - bright), 2); });
    return WithRoom(s, 0.4, 0.7);
}

Stereo ReaderSlide()
{
    const double arrival = 0.78, length = 1.5;
    Stereo s(Samples(length));
    auto travel = [=](double t) { return std::min(1.0, t / arrival) * std::min(1.0, t / arrival); };
    auto pan = [&](double t) { return -0.9 + 0.9 * travel(t); };
    Mono whoosh = SweptNoise(arrival + 0.3, 71, [&](double t) { return 500 + 3500 * travel(t); });
    Saw servo(180);
    OnePole dark(900);
    Mono hum = Render(arrival + 0.3, [&](double t) {
        servo.SetFrequency(180 + 180 * travel(t));
        return dark.LowPass(servo.Next());
    });
    auto gain = [=](double t) { return std::pow(Ramp(t, 0, arrival), 1.5) * Decay(t - arrival, 0.05); };
    Shape(whoosh, gain);
    Shape(hum, [&](double t) { return gain(t) * 0.3; });
    AddMoving(s, whoosh, pan);
    AddMoving(s, hum, pan);
    s.Add(Kick(1.0), Samples(arrival), 0.5, 0);
    s.Add(Bell(Frequency(Pitch("A5")), 0.55, 0.7), Samples(arrival + 0.08), 0.35, 0);
    s.Add(Bell(Frequency(Pitch("E6")), 0.5, 0.7), Samples(arrival + 0.15), 0.3, 0.2);
    return WithRoom(s, 0.25, 0.3);
}

Stereo DarkDrone()
{
    // Every frequency is a whole number of cycles in the loop, and the filter
    // sweeps once round it, so the end leads straight back into the start.
    const double length = 4.0;
    const int n = Samples(length);
    Saw left[] = {Saw(55.0), Saw(55.25, 0.3), Saw(82.5, 0.6)};
    Saw right[] = {Saw(55.0, 0.5), Saw(54.75, 0.8), Saw(82.75, 0.1)};
    Noise noise(81);
    Stereo raw(n);
    for (int i = 0; i < n; ++i)
        raw.Set(i,
            {left[0].Next() + left[1].Next() + 0.5 * left[2].Next() + 0.3 * noise.Next(),
                right[0].Next() + right[1].Next() + 0.5 * right[2].Next() + 0.3 * noise.Next()});
    struct Sweep {
        int n, i = 0;
        Svf left{300, 2.0}, right{300, 2.0};
        Frame operator()(Frame in)
        {
            const double s = std::sin(kPi * (i++ % n) / n);
            left.Tune(220 + 260 * s * s);
            right.Tune(240 + 240 * s * s);
            return {left.Process(in.left).low, right.Process(in.right).low};
        }
    } sweep{n};
    Stereo s = Process(raw, sweep, true);
    SineOsc ghost(220.0), tremolo(0.5);
    s.Add(Render(length, [&](double) { return ghost.Next() * (0.5 + 0.5 * tremolo.Next()); }), 0, 0.08, 0);
    return s;
}

} // namespace audio
