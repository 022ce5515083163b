#include "platform/AudioConvert.h"

#include <algorithm>
#include <cmath>
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

using Channels = std::vector<std::vector<float>>;

float Sample(const uint8_t* bytes, int bits)
{
    if (bits == 8)
        return (static_cast<float>(bytes[0]) - 128.0f) / 128.0f;
    return static_cast<float>(static_cast<int16_t>(bytes[0] | bytes[1] << 8)) / 32768.0f;
}

Channels Decode(const WaveFormat& format, const uint8_t* data, size_t bytes)
{
    const size_t frames = bytes / format.blockAlign;
    const int sampleBytes = format.bitsPerSample / 8;
    Channels channels(format.channels, std::vector<float>(frames));
    for (size_t f = 0; f < frames; ++f)
        for (size_t c = 0; c < channels.size(); ++c)
            channels[c][f] = Sample(data + f * format.blockAlign + c * sampleBytes, format.bitsPerSample);
    return channels;
}

// The filter's weights for each phase an output frame can fall on between two
// source frames. Common rate pairs have a few hundred phases and are exact;
// odd ones are rounded to the nearest of kMaxPhases.
std::vector<float> PhaseWeights(size_t phases, size_t half, double scale)
{
    const size_t taps = 2 * half;
    std::vector<float> weights(phases * taps);
    for (size_t p = 0; p < phases; ++p)
        for (size_t j = 0; j < taps; ++j) {
            double distance = static_cast<double>(p) / phases + static_cast<double>(half) - 1.0 - j;
            weights[p * taps + j] = Tap(std::fabs(distance) * scale) * static_cast<float>(scale);
        }
    return weights;
}

// The source with silence before and after, so every tap has a sample.
std::vector<float> Padded(const std::vector<float>& samples, size_t half)
{
    std::vector<float> padded(half + samples.size() + half + 1);
    std::copy(samples.begin(), samples.end(), padded.begin() + static_cast<ptrdiff_t>(half));
    return padded;
}

// Eight running sums side by side, which the compiler turns into vector
// arithmetic: every sound is resampled at start-up, and this is where its time goes.
float DotProduct(const float* x, const float* w, size_t n)
{
    constexpr size_t kLanes = 8;
    float lanes[kLanes] = {};
    size_t j = 0;
    for (; j + kLanes <= n; j += kLanes)
        for (size_t k = 0; k < kLanes; ++k)
            lanes[k] += x[j + k] * w[j + k];
    float sum = 0.0f;
    for (; j < n; ++j)
        sum += x[j] * w[j];
    for (const float lane : lanes)
        sum += lane;
    return sum;
}

Channels Resample(const Channels& in, uint32_t from, uint32_t to)
{
    // Going down in rate, the filter widens to cut at the new Nyquist frequency.
    const double scale = std::min(1.0, static_cast<double>(to) / from);
    const size_t half = static_cast<size_t>(std::ceil(kHalfWidth / scale));
    const size_t taps = 2 * half;
    const uint64_t phases = std::min<uint64_t>(to / std::gcd(from, to), kMaxPhases);
    const std::vector<float> weights = PhaseWeights(phases, half, scale);
    const size_t outFrames = static_cast<size_t>(static_cast<uint64_t>(in[0].size()) * to / from);
    Channels out(in.size(), std::vector<float>(outFrames));
    for (size_t c = 0; c < in.size(); ++c) {
        const std::vector<float> source = Padded(in[c], half);
        for (size_t n = 0; n < outFrames; ++n) {
            const uint64_t scaled = static_cast<uint64_t>(n) * from;
            const uint64_t phase = ((scaled % to) * phases + to / 2) / to;
            // Source frame i + phase / phases; its first tap is i - half + 1, padded by half.
            const float* x = source.data() + scaled / to + 1 + (phase == phases);
            const float* w = weights.data() + (phase % phases) * taps;
            out[c][n] = DotProduct(x, w, taps);
        }
    }
    return out;
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

std::vector<float> ConvertToStereo(const WaveFormat& format, const uint8_t* data, size_t bytes, uint32_t rate)
{
    Channels channels = Decode(format, data, bytes);
    if (channels[0].empty())
        return {};
    if (format.samplesPerSec != rate)
        channels = Resample(channels, format.samplesPerSec, rate);
    const std::vector<float>& left = channels[0];
    const std::vector<float>& right = channels.back();
    std::vector<float> stereo(left.size() * 2);
    for (size_t f = 0; f < left.size(); ++f) {
        stereo[2 * f] = left[f];
        stereo[2 * f + 1] = right[f];
    }
    return stereo;
}

} // namespace platform
