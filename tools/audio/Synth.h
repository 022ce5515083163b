#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A small toolkit for making the game's sounds in code: oscillators,
// envelopes, filters and a little space. Samples are floats around -1 to 1 at
// the game's rate. Everything is deterministic: noise comes from seeded
// generators, never from the clock.
namespace audio {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

int Samples(double seconds);
double Frequency(int midiNote); // equal temperament, note 69 is A4 at 440 Hz

using Mono = std::vector<float>;

struct Frame {
    double left = 0, right = 0;
};

// Two channels of equal length.
struct Stereo {
    explicit Stereo(int length = 0)
        : left(length)
        , right(length)
    {
    }
    int Length() const { return static_cast<int>(left.size()); }
    Frame At(int i) const { return {left[i], right[i]}; }
    void Set(int i, Frame f);
    // Pan runs from -1 (left) to 1 (right) with constant power. Whatever
    // runs past the end is lost.
    void Add(const Mono& sound, int at, double gain, double pan);
    // As Add, but whatever runs past the end comes round to the start, so
    // music rendered into a buffer of its exact length joins up with itself.
    void AddLooped(const Mono& sound, int at, double gain, double pan);
    void Mix(const Stereo& other, double gain);

    std::vector<float> left, right;

private:
    void Accumulate(const Mono& sound, int at, Frame gain, bool wrap);
};

Frame Pan(double sample, double pan);

class Noise {
public:
    explicit Noise(uint32_t seed)
        : m_state(seed * 2654435761u + 1u)
    {
    }
    double Next(); // uniform from -1 to 1
    double Uniform(double low, double high);

private:
    uint32_t m_state;
};

// A sine advanced by rotation: cheap enough for many partials per note.
class SineOsc {
public:
    SineOsc(double frequency, double phaseCycles = 0);
    double Next();

private:
    double m_cos, m_sin, m_stepCos, m_stepSin;
};

// A sawtooth whose steps are rounded off (PolyBLEP) so that it does not alias.
class Saw {
public:
    explicit Saw(double frequency, double phaseCycles = 0);
    void SetFrequency(double frequency) { m_step = frequency / kRate; }
    double Next();

private:
    double m_phase, m_step;
};

// exp(-t / seconds): the fall of a struck or plucked sound; 1 before it starts.
double Decay(double t, double seconds);
// Rises smoothly over 'attack', holds until 'hold', falls smoothly over 'release'.
double Envelope(double t, double attack, double hold, double release);
// 0 at 'from', 1 at 'to', smooth in between and flat outside.
double Ramp(double t, double from, double to);

class OnePole {
public:
    explicit OnePole(double cutoff);
    double LowPass(double x);
    double HighPass(double x) { return x - LowPass(x); }

private:
    double m_coefficient, m_state = 0;
};

// State-variable filter (trapezoidal), stable up to near the Nyquist frequency.
class Svf {
public:
    Svf(double cutoff, double q);
    void Tune(double cutoff);
    struct Out {
        double low, band, high;
    };
    Out Process(double x);

private:
    double m_k, m_a1 = 0, m_a2 = 0, m_a3 = 0, m_ic1 = 0, m_ic2 = 0;
};

// A small room after the well-known parallel-comb design, tuned differently
// in each channel for width.
class Reverb {
public:
    Reverb(double size, double damping);
    Frame operator()(Frame in);

private:
    struct Comb {
        std::vector<float> line;
        size_t at = 0;
        double filtered = 0;
    };
    struct AllPass {
        std::vector<float> line;
        size_t at = 0;
    };
    double Channel(double x, std::vector<Comb>& combs, std::vector<AllPass>& passes);
    double m_feedback, m_damping;
    std::vector<Comb> m_leftCombs, m_rightCombs;
    std::vector<AllPass> m_leftPasses, m_rightPasses;
};

// Echoes that cross from one channel to the other.
class PingPong {
public:
    PingPong(int delay, double feedback);
    Frame operator()(Frame in);

private:
    std::vector<float> m_left, m_right;
    size_t m_at = 0;
    double m_feedback;
};

// Runs a processor over a buffer. For a loop it runs twice and keeps the
// second pass, so the state at the start is the one the end leaves behind.
template <class Processor>
Stereo Process(const Stereo& in, Processor& processor, bool loop)
{
    Stereo out(in.Length());
    for (int pass = loop ? 0 : 1; pass < 2; ++pass)
        for (int i = 0; i < in.Length(); ++i)
            out.Set(i, processor(in.At(i)));
    return out;
}

// Fills a buffer of the given length from a function of time in seconds.
template <class Voice>
Mono Render(double seconds, Voice voice)
{
    Mono out(Samples(seconds));
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(voice(static_cast<double>(i) / kRate));
    return out;
}

// Multiplies a sound by a gain that follows time in seconds.
template <class Gain>
void Shape(Mono& sound, Gain gain)
{
    for (size_t i = 0; i < sound.size(); ++i)
        sound[i] *= static_cast<float>(gain(static_cast<double>(i) / kRate));
}

void SubtractMean(Stereo& s);
// As SubtractMean, but the ends of a one-shot stay at silence.
void SubtractMeanSmoothly(Stereo& s);
void HighPass(Stereo& s, double cutoff);
double Peak(const Stereo& s);
void Scale(Stereo& s, double gain);
void NormalizePeak(Stereo& s, double peakDb);
// Short smooth fades at both ends of a buffer.
void FadeEnds(Stereo& s, double fadeIn, double fadeOut);

} // namespace audio
