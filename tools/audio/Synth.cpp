#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace audio {

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

double Frequency(int midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0); }

void Stereo::Set(int i, Frame f)
{
    left[i] = static_cast<float>(f.left);
    right[i] = static_cast<float>(f.right);
}

Frame Pan(double sample, double pan)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    return {sample * std::cos(angle), sample * std::sin(angle)};
}

void Stereo::Add(const Mono& sound, int at, double gain, double pan) { Accumulate(sound, at, Pan(gain, pan), false); }

void Stereo::AddLooped(const Mono& sound, int at, double gain, double pan)
{
    Accumulate(sound, at, Pan(gain, pan), true);
}

void Stereo::Accumulate(const Mono& sound, int at, Frame gain, bool wrap)
{
    const int length = Length();
    int i = wrap ? ((at % length) + length) % length : at;
    for (float x : sound) {
        if (i == length) {
            if (!wrap)
                return;
            i = 0;
        }
        left[i] += static_cast<float>(x * gain.left);
        right[i] += static_cast<float>(x * gain.right);
        ++i;
    }
}

void Stereo::Mix(const Stereo& other, double gain)
{
    for (int i = 0; i < std::min(Length(), other.Length()); ++i) {
        left[i] += static_cast<float>(other.left[i] * gain);
        right[i] += static_cast<float>(other.right[i] * gain);
    }
}

double Noise::Next()
{
    // xorshift32: small, fast and the same on every machine.
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state / 2147483648.0 - 1.0;
}

double Noise::Uniform(double low, double high) { return low + (Next() + 1.0) * 0.5 * (high - low); }

SineOsc::SineOsc(double frequency, double phaseCycles)
    : m_cos(std::cos(2 * kPi * phaseCycles))
    , m_sin(std::sin(2 * kPi * phaseCycles))
    , m_stepCos(std::cos(2 * kPi * frequency / kRate))
    , m_stepSin(std::sin(2 * kPi * frequency / kRate))
{
}

double SineOsc::Next()
{
    const double value = m_sin;
    const double c = m_cos * m_stepCos - m_sin * m_stepSin;
    m_sin = m_sin * m_stepCos + m_cos * m_stepSin;
    m_cos = c;
    return value;
}

Saw::Saw(double frequency, double phaseCycles)
    : m_phase(phaseCycles - std::floor(phaseCycles))
    , m_step(frequency / kRate)
{
}

double Saw::Next()
{
    // The polynomial correction around each wrap takes the edge off the step.
    auto blep = [this](double t) {
        if (t < m_step) {
            t /= m_step;
            return t + t - t * t - 1.0;
        }
        if (t > 1.0 - m_step) {
            t = (t - 1.0) / m_step;
            return t * t + t + t + 1.0;
        }
        return 0.0;
    };
    const double value = 2.0 * m_phase - 1.0 - blep(m_phase);
    m_phase += m_step;
    if (m_phase >= 1.0)
        m_phase -= 1.0;
    return value;
}

double Decay(double t, double seconds) { return t < 0 ? 1.0 : std::exp(-t / seconds); }

double Ramp(double t, double from, double to)
{
    const double x = std::clamp((t - from) / (to - from), 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

double Envelope(double t, double attack, double hold, double release)
{
    if (t < 0 || t > hold + release)
        return 0.0;
    if (t < attack)
        return Ramp(t, 0, attack);
    return t <= hold ? 1.0 : 1.0 - Ramp(t, hold, hold + release);
}

OnePole::OnePole(double cutoff)
    : m_coefficient(std::exp(-2 * kPi * cutoff / kRate))
{
}

double OnePole::LowPass(double x)
{
    m_state = x + m_coefficient * (m_state - x);
    return m_state;
}

Svf::Svf(double cutoff, double q)
    : m_k(1.0 / q)
{
    Tune(cutoff);
}

void Svf::Tune(double cutoff)
{
    const double g = std::tan(kPi * std::clamp(cutoff, 10.0, 0.45 * kRate) / kRate);
    m_a1 = 1.0 / (1.0 + g * (g + m_k));
    m_a2 = g * m_a1;
    m_a3 = g * m_a2;
}

Svf::Out Svf::Process(double x)
{
    const double v3 = x - m_ic2;
    const double v1 = m_a1 * m_ic1 + m_a2 * v3;
    const double v2 = m_ic2 + m_a2 * m_ic1 + m_a3 * v3;
    m_ic1 = 2 * v1 - m_ic1;
    m_ic2 = 2 * v2 - m_ic2;
    return {v2, v1, x - m_k * v1 - v2};
}

namespace {

constexpr int kCombLengths[] = {557, 593, 641, 677};
constexpr int kAllPassLengths[] = {278, 220};
constexpr int kStereoSpread = 13;

} // namespace

Reverb::Reverb(double size, double damping)
    : m_feedback(0.7 + 0.28 * size)
    , m_damping(damping)
{
    for (int length : kCombLengths) {
        m_leftCombs.push_back({std::vector<float>(length)});
        m_rightCombs.push_back({std::vector<float>(length + kStereoSpread)});
    }
    for (int length : kAllPassLengths) {
        m_leftPasses.push_back({std::vector<float>(length)});
        m_rightPasses.push_back({std::vector<float>(length + kStereoSpread)});
    }
}

double Reverb::Channel(double x, std::vector<Comb>& combs, std::vector<AllPass>& passes)
{
    double sum = 0;
    for (Comb& c : combs) {
        const double y = c.line[c.at];
        c.filtered = y * (1 - m_damping) + c.filtered * m_damping;
        c.line[c.at] = static_cast<float>(x + c.filtered * m_feedback);
        c.at = (c.at + 1) % c.line.size();
        sum += y;
    }
    for (AllPass& p : passes) {
        const double delayed = p.line[p.at];
        p.line[p.at] = static_cast<float>(sum + delayed * 0.5);
        p.at = (p.at + 1) % p.line.size();
        sum = delayed - sum;
    }
    return sum * 0.25;
}

Frame Reverb::operator()(Frame in)
{
    const double x = (in.left + in.right) * 0.5;
    return {Channel(x, m_leftCombs, m_leftPasses), Channel(x, m_rightCombs, m_rightPasses)};
}

PingPong::PingPong(int delay, double feedback)
    : m_left(delay)
    , m_right(delay)
    , m_feedback(feedback)
{
}

Frame PingPong::operator()(Frame in)
{
    const Frame out{m_left[m_at], m_right[m_at]};
    m_left[m_at] = static_cast<float>(in.left + out.right * m_feedback);
    m_right[m_at] = static_cast<float>(in.right + out.left * m_feedback);
    m_at = (m_at + 1) % m_left.size();
    return out;
}

void SubtractMean(Stereo& s)
{
    for (auto* channel : {&s.left, &s.right}) {
        double sum = 0;
        for (float x : *channel)
            sum += x;
        const auto mean = static_cast<float>(sum / std::max<size_t>(1, channel->size()));
        for (float& x : *channel)
            x -= mean;
    }
}

void SubtractMeanSmoothly(Stereo& s)
{
    const int length = s.Length();
    for (auto* channel : {&s.left, &s.right}) {
        double sum = 0;
        for (float x : *channel)
            sum += x;
        // A raised-cosine window averaging 1 takes the offset away while
        // leaving both ends where they were.
        const double mean = sum / std::max(1, length);
        for (int i = 0; i < length; ++i) {
            const double w = std::sin(kPi * i / std::max(1, length - 1));
            (*channel)[i] -= static_cast<float>(mean * 2.0 * w * w);
        }
    }
}

void HighPass(Stereo& s, double cutoff)
{
    for (auto* channel : {&s.left, &s.right}) {
        OnePole filter(cutoff);
        for (float& x : *channel)
            x = static_cast<float>(filter.HighPass(x));
    }
}

double Peak(const Stereo& s)
{
    double peak = 0;
    for (const auto* channel : {&s.left, &s.right})
        for (float x : *channel)
            peak = std::max(peak, static_cast<double>(std::fabs(x)));
    return peak;
}

void Scale(Stereo& s, double gain)
{
    for (auto* channel : {&s.left, &s.right})
        for (float& x : *channel)
            x = static_cast<float>(x * gain);
}

void NormalizePeak(Stereo& s, double peakDb)
{
    const double peak = Peak(s);
    if (peak > 0)
        Scale(s, std::pow(10.0, peakDb / 20.0) / peak);
}

void FadeEnds(Stereo& s, double fadeIn, double fadeOut)
{
    const int length = s.Length();
    const double last = (length - 1.0) / kRate;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double gain = Ramp(t, 0, fadeIn) * (1.0 - Ramp(t, last - fadeOut, last));
        if (gain < 1.0)
            s.Set(i, {s.left[i] * gain, s.right[i] * gain});
    }
}

} // namespace audio
