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

float Sample(const uint8_t* bytes, int bits)
{
    if (bits == 8)
        return (static_cast<float>(bytes[0]) - 128.0f) / 128.0f;
    return static_cast<float>(static_cast<int16_t>(bytes[0] | bytes[1] << 8)) / 32768.0f;
}

// One channel as floats with pad frames of silence before and after, so every
// filter tap has a sample to read.
std::vector<float> DecodeChannel(
    const WaveFormat& format, const uint8_t* data, size_t frames, unsigned channel, size_t pad)
{
    const int sampleBytes = format.bitsPerSample / 8;
    std::vector<float> samples(pad + frames + pad + 1);
    const uint8_t* at = data + channel * sampleBytes;
    for (size_t f = 0; f < frames; ++f, at += format.blockAlign)
        samples[pad + f] = Sample(at, format.bitsPerSample);
    return samples;
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

// How one rate becomes another: the filter's reach and weights per phase.
struct Resampler {
    uint32_t from, to;
    size_t half;
    uint64_t phases;
    std::vector<float> weights;

    Resampler(uint32_t fromRate, uint32_t toRate)
        : from(fromRate)
        , to(toRate)
    {
        // Going down in rate, the filter widens to cut at the new Nyquist frequency.
        const double scale = std::min(1.0, static_cast<double>(to) / from);
        half = static_cast<size_t>(std::ceil(kHalfWidth / scale));
        phases = std::min<uint64_t>(to / std::gcd(from, to), kMaxPhases);
        weights = PhaseWeights(phases, half, scale);
    }

    // Fills every second float of out, starting at out, from a padded channel.
    // The source position steps by whole frames and a remainder, with no division per frame.
    void Run(const std::vector<float>& source, float* out, size_t outFrames) const
    {
        const size_t taps = 2 * half;
        const uint64_t step = from / to, stepRemainder = from % to;
        uint64_t frame = 0, remainder = 0;
        for (size_t n = 0; n < outFrames; ++n) {
            const uint64_t phase = (remainder * phases + to / 2) / to;
            // Source frame + phase / phases; its first tap is frame - half + 1, padded by half.
            const float* x = source.data() + frame + 1 + (phase == phases);
            const float* w = weights.data() + (phase % phases) * taps;
            out[2 * n] = DotProduct(x, w, taps);
            frame += step;
            remainder += stepRemainder;
            if (remainder >= to) {
                remainder -= to;
                ++frame;
            }
        }
    }
};

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
    const size_t frames = bytes / format.blockAlign;
    if (frames == 0)
        return {};
    const bool resample = format.samplesPerSec != rate;
    const Resampler resampler(format.samplesPerSec, resample ? rate : format.samplesPerSec);
    const size_t pad = resample ? resampler.half : 0;
    const size_t outFrames = resample ? ConvertedFrames(format, bytes, rate) : frames;
    std::vector<float> stereo(outFrames * 2);
    for (unsigned c = 0; c < format.channels; ++c) {
        const std::vector<float> source = DecodeChannel(format, data, frames, c, pad);
        if (resample)
            resampler.Run(source, stereo.data() + c, outFrames);
        else
            for (size_t f = 0; f < frames; ++f)
                stereo[2 * f + c] = source[f];
    }
    // Mono plays on both sides.
    if (format.channels == 1)
        for (size_t f = 0; f < outFrames; ++f)
            stereo[2 * f + 1] = stereo[2 * f];
    return stereo;
}

} // namespace platform
