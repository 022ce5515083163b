#include "platform/AudioConvert.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <numeric>

namespace platform {

namespace {

constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;

// The interpolation filter: a Kaiser-windowed sinc reaching kHalfWidth source
// samples to each side. Beta 8 gives about 80 dB of stopband; with 64 taps
// the transition band is 0.08 of the rate wide, so the cutoff sits half of it
// below Nyquist and the stopband begins right there.
constexpr int kHalfWidth = 32;
constexpr int kTableSteps = 256;
constexpr double kBeta = 8.0;
constexpr double kCutoff = 0.46;
constexpr uint64_t kMaxPhases = 4096;

double BesselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; term > sum * 1e-12; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

std::vector<float> MakeKernel()
{
    std::vector<float> table(kHalfWidth * kTableSteps + 1);
    const double norm = BesselI0(kBeta);
    for (size_t i = 0; i < table.size(); ++i) {
        double x = static_cast<double>(i) / kTableSteps;
        double arg = M_PI * 2.0 * kCutoff * x;
        double sinc = i == 0 ? 1.0 : std::sin(arg) / arg;
        double edge = x / kHalfWidth;
        double window = BesselI0(kBeta * std::sqrt(std::max(0.0, 1.0 - edge * edge))) / norm;
        table[i] = static_cast<float>(2.0 * kCutoff * sinc * window);
    }
    return table;
}

// The filter at distance x source samples, read from the table.
float Tap(double x)
{
    static const std::vector<float> kernel = MakeKernel();
    double at = x * kTableSteps;
    size_t index = static_cast<size_t>(at);
    if (index + 1 >= kernel.size())
        return 0.0f;
    float frac = static_cast<float>(at - static_cast<double>(index));
    return kernel[index] + (kernel[index + 1] - kernel[index]) * frac;
}

// The filter's weights for each phase an output frame can fall on between two
// source frames, scaled for 16-bit samples. Common rate pairs have a few
// hundred phases and are exact; odd ones are rounded to the nearest of kMaxPhases.
std::vector<float> PhaseWeights(size_t phases, size_t half, double scale)
{
    const size_t taps = 2 * half;
    std::vector<float> weights(phases * taps);
    for (size_t p = 0; p < phases; ++p)
        for (size_t j = 0; j < taps; ++j) {
            double distance = static_cast<double>(p) / phases + static_cast<double>(half) - 1.0 - j;
            weights[p * taps + j] = static_cast<float>(Tap(std::fabs(distance) * scale) * scale / 32768.0);
        }
    return weights;
}

// Eight running sums side by side, which the compiler turns into vector
// arithmetic: this runs for every frame of every playing sound.
float DotProduct(const int16_t* x, const float* w, size_t n)
{
    constexpr size_t kLanes = 8;
    float lanes[kLanes] = {};
    size_t j = 0;
    for (; j + kLanes <= n; j += kLanes)
        for (size_t k = 0; k < kLanes; ++k)
            lanes[k] += static_cast<float>(x[j + k]) * w[j + k];
    float sum = 0.0f;
    for (; j < n; ++j)
        sum += static_cast<float>(x[j]) * w[j];
    for (const float lane : lanes)
        sum += lane;
    return sum;
}

int16_t Sample16(const uint8_t* bytes, int bits)
{
    if (bits == 8)
        return static_cast<int16_t>((bytes[0] - 128) * 256);
    return static_cast<int16_t>(bytes[0] | bytes[1] << 8);
}

} // namespace

bool IsPlayableFormat(const WaveFormat& format)
{
    return format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
        (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
        format.blockAlign == format.channels * format.bitsPerSample / 8 && format.samplesPerSec >= kMinRate &&
        format.samplesPerSec <= kMaxRate;
}

uint64_t ConvertedFrames(const WaveFormat& format, uint64_t bytes, uint32_t rate)
{
    return bytes / format.blockAlign * rate / format.samplesPerSec;
}

PlanarSound DecodePlanar(const WaveFormat& format, const uint8_t* data, size_t bytes)
{
    PlanarSound sound;
    sound.frames = bytes / format.blockAlign;
    sound.channels = format.channels;
    sound.samples.resize(sound.frames * sound.channels);
    const int sampleBytes = format.bitsPerSample / 8;
    for (unsigned c = 0; c < sound.channels; ++c) {
        int16_t* channel = sound.samples.data() + c * sound.frames;
        const uint8_t* at = data + c * sampleBytes;
        for (size_t f = 0; f < sound.frames; ++f, at += format.blockAlign)
            channel[f] = Sample16(at, format.bitsPerSample);
    }
    return sound;
}

std::shared_ptr<const Resampler> Resampler::For(uint32_t from, uint32_t to)
{
    static std::mutex guard;
    static std::map<std::pair<uint32_t, uint32_t>, std::shared_ptr<const Resampler>> made;
    std::lock_guard<std::mutex> lock(guard);
    auto& resampler = made[{from, to}];
    if (!resampler)
        resampler = std::make_shared<const Resampler>(from, to);
    return resampler;
}

Resampler::Resampler(uint32_t from, uint32_t to)
    : m_from(from)
    , m_to(to)
{
    if (from == to)
        return;
    // Going down in rate, the filter widens to cut at the new Nyquist frequency.
    const double scale = std::min(1.0, static_cast<double>(to) / from);
    const auto half = static_cast<size_t>(std::ceil(kHalfWidth / scale));
    m_taps = 2 * half;
    const uint32_t common = std::gcd(from, to);
    m_exact = to / common <= kMaxPhases;
    m_phases = std::min<uint64_t>(to / common, kMaxPhases);
    // Where the phases are exact, the position's remainder in units of the
    // common divisor is the phase itself: no division per frame.
    m_unit = m_exact ? common : 1;
    m_weights = PhaseWeights(m_phases, half, scale);
}

// The filter at one output frame: its taps over the source frames from start on.
float Resampler::At(const int16_t* channel, size_t frames, int64_t start, const float* weights, bool looping) const
{
    const auto count = static_cast<int64_t>(frames);
    if (start >= 0 && start + static_cast<int64_t>(m_taps) <= count)
        return DotProduct(channel + start, weights, m_taps);
    float sum = 0.0f;
    for (size_t j = 0; j < m_taps; ++j) {
        int64_t i = start + static_cast<int64_t>(j);
        if (looping)
            i = (i % count + count) % count;
        else if (i < 0 || i >= count)
            continue;
        sum += static_cast<float>(channel[i]) * weights[j];
    }
    return sum;
}

void Resampler::AddSameRate(const PlanarSound& sound, uint64_t first, size_t count, float gain, float* out) const
{
    const float scale = gain / 32768.0f;
    const int16_t* left = sound.Channel(0) + first;
    const int16_t* right = sound.Channel(sound.channels - 1) + first;
    for (size_t n = 0; n < count; ++n) {
        out[2 * n] += static_cast<float>(left[n]) * scale;
        out[2 * n + 1] += static_cast<float>(right[n]) * scale;
    }
}

void Resampler::Add(const PlanarSound& sound, uint64_t first, size_t count, bool looping, float gain, float* out) const
{
    if (m_from == m_to) {
        AddSameRate(sound, first, count, gain, out);
        return;
    }
    // The source position steps by whole frames and a remainder, both
    // worked out once per call.
    const uint64_t to = m_to / m_unit, step = m_from / m_to, stepRemainder = m_from % m_to / m_unit;
    uint64_t frame = first * m_from / m_to, remainder = first * m_from % m_to / m_unit;
    const auto half = static_cast<int64_t>(m_taps / 2);
    for (size_t n = 0; n < count; ++n) {
        const uint64_t phase = m_exact ? remainder : (remainder * m_phases + to / 2) / to;
        // Source frame + phase / phases; the first tap is half - 1 frames before it.
        const int64_t start = static_cast<int64_t>(frame) + 1 + (phase == m_phases) - half;
        const float* weights = m_weights.data() + (phase % m_phases) * m_taps;
        const float left = At(sound.Channel(0), sound.frames, start, weights, looping) * gain;
        out[2 * n] += left;
        out[2 * n + 1] +=
            sound.channels == 2 ? At(sound.Channel(1), sound.frames, start, weights, looping) * gain : left;
        frame += step;
        remainder += stepRemainder;
        if (remainder >= to) {
            remainder -= to;
            ++frame;
        }
    }
}

} // namespace platform
