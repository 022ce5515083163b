#include "Instruments.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

constexpr double kHighest = 0.45 * kRate; // no partial goes above this

// A short fade at the very end so a note cut at its length never clicks.
void Tail(Mono& note, double seconds)
{
    const int n = std::min<int>(Samples(seconds), static_cast<int>(note.size()));
    for (int i = 0; i < n; ++i)
        note[note.size() - 1 - i] *= static_cast<float>(Ramp(i, 0, n));
}

struct Partial {
    double ratio, gain, decay;
};

} // namespace

Mono Bell(double frequency, double seconds, double brightness)
{
    const Partial partials[] = {{1.0, 1.0, 1.0}, {2.0, 0.25, 0.7}, {2.76, 0.45 * brightness, 0.45},
        {5.40, 0.25 * brightness, 0.25}, {8.93, 0.12 * brightness, 0.15}};
    Mono out(Samples(seconds));
    for (const Partial& p : partials) {
        if (frequency * p.ratio > kHighest)
            continue;
        SineOsc osc(frequency * p.ratio);
        const double fall = std::exp(-5.0 / (seconds * p.decay * kRate));
        double gain = p.gain;
        for (float& x : out) {
            x += static_cast<float>(osc.Next() * gain);
            gain *= fall;
        }
    }
    Shape(out, [](double t) { return Ramp(t, 0, 0.002) * 0.5; });
    Tail(out, 0.01);
    return out;
}

Mono Pluck(double frequency, double seconds, double brightness, uint32_t seed)
{
    // The loop holds N samples, the averaging filter adds half a sample and
    // the all-pass makes up the fraction left over.
    const double period = kRate / frequency;
    const int n = std::max(2, static_cast<int>(period - 1.1));
    const double fraction = period - 0.5 - n;
    const double c = (1 - fraction) / (1 + fraction);
    const double loss = std::pow(10.0, -3.0 / (seconds * frequency));

    std::vector<double> line(n);
    Noise noise(seed);
    OnePole tone(300 + brightness * 6000);
    for (double& x : line)
        x = tone.LowPass(noise.Next());

    Mono out(Samples(seconds));
    double previous = 0, apIn = 0, apOut = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        double& slot = line[i % n];
        const double y = slot;
        const double averaged = 0.5 * (y + previous);
        previous = y;
        apOut = c * averaged + apIn - c * apOut;
        apIn = averaged;
        slot = apOut * loss;
        out[i] = static_cast<float>(y * Ramp(static_cast<double>(i) / kRate, 0, 0.002));
    }
    Tail(out, 0.02);
    return out;
}

Mono PadNote(double frequency, double seconds, double attack, double release, double cutoff)
{
    Saw saws[] = {Saw(frequency * 0.9954, 0.0), Saw(frequency, 0.33), Saw(frequency * 1.0046, 0.67)};
    Svf filter(cutoff, 0.7);
    return Render(seconds + release, [&](double t) {
        double sum = 0;
        for (Saw& s : saws)
            sum += s.Next();
        return filter.Process(sum / 3.0).low * Envelope(t, attack, seconds, release);
    });
}

Mono BassNote(double frequency, double seconds, double bite)
{
    Saw saw(frequency);
    SineOsc sine(frequency);
    Svf filter(frequency * 2, 1.2);
    return Render(seconds + 0.05, [&](double t) {
        filter.Tune(frequency * 2.5 + bite * 2500 * Decay(t, 0.07));
        const double x = filter.Process(saw.Next()).low * 0.7 + sine.Next() * 0.6;
        return std::tanh(x * 1.3) * Envelope(t, 0.004, seconds, 0.05);
    });
}

Mono Kick(double punch)
{
    Noise noise(7);
    OnePole click(3000);
    double phase = 0;
    return Render(0.4, [&](double t) {
        phase += (46 + 120 * Decay(t, 0.03)) / kRate;
        const double body = std::sin(2 * kPi * phase) * Decay(t, 0.15);
        const double tick = click.LowPass(noise.Next()) * Decay(t, 0.004) * punch;
        return (body + tick) * Ramp(t, 0, 0.001) * (1.0 - Ramp(t, 0.35, 0.4));
    });
}

Mono Snare(uint32_t seed)
{
    Noise noise(seed);
    Svf filter(1900, 0.8);
    SineOsc body(190);
    return Render(0.25, [&](double t) {
        const Svf::Out f = filter.Process(noise.Next());
        const double rattle = f.band * Decay(t, 0.07) + f.high * 0.35 * Decay(t, 0.04);
        return (rattle + body.Next() * 0.5 * Decay(t, 0.04)) * Ramp(t, 0, 0.001) * (1.0 - Ramp(t, 0.2, 0.25));
    });
}

Mono Hat(double seconds, uint32_t seed)
{
    Noise noise(seed);
    Svf filter(7500, 0.7);
    return Render(seconds, [&](double t) {
        return filter.Process(noise.Next()).high * Decay(t, seconds / 5) * (1.0 - Ramp(t, seconds * 0.8, seconds));
    });
}

Mono Shaker(uint32_t seed)
{
    Noise noise(seed);
    Svf filter(6500, 1.0);
    return Render(0.12, [&](double t) {
        return filter.Process(noise.Next()).band * Ramp(t, 0, 0.015) * Decay(t - 0.015, 0.035) *
            (1.0 - Ramp(t, 0.1, 0.12));
    });
}

} // namespace audio
