#pragma once
#include "platform/Audio.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// 8- or 16-bit PCM in one or two channels, at a rate the resampler handles.
bool IsPlayableFormat(const WaveFormat& format);
// Frames at rate that bytes of format last.
uint64_t ConvertedFrames(const WaveFormat& format, uint64_t bytes, uint32_t rate);

// A sound as the mixer keeps it: 16-bit samples at the file's own rate, one
// channel after the other, so a sound takes no more memory than its file.
struct PlanarSound {
    std::vector<int16_t> samples;
    size_t frames = 0;
    unsigned channels = 0;

    const int16_t* Channel(unsigned channel) const { return samples.data() + channel * frames; }
};

PlanarSound DecodePlanar(const WaveFormat& format, const uint8_t* data, size_t bytes);

// Plays a sound at another rate while mixing: every output frame is the
// sound's frames weighed by a windowed-sinc low-pass, so no images of the
// source spectrum appear above its Nyquist frequency.
class Resampler {
public:
    // Shared by every sound of the same pair of rates. Makes its tables, so
    // call it outside the output callback.
    static std::shared_ptr<const Resampler> For(uint32_t from, uint32_t to);
    Resampler(uint32_t from, uint32_t to);

    // Adds output frames first to first + count - 1 of sound, times gain, to
    // interleaved stereo out; mono plays on both sides. The filter reads a
    // looping sound round its end and silence beyond the ends of any other.
    void Add(const PlanarSound& sound, uint64_t first, size_t count, bool looping, float gain, float* out) const;

private:
    float At(const int16_t* channel, size_t frames, int64_t start, const float* weights, bool looping) const;
    void AddSameRate(const PlanarSound& sound, uint64_t first, size_t count, float gain, float* out) const;

    uint32_t m_from, m_to;
    size_t m_taps = 0;
    uint64_t m_phases = 1;
    uint32_t m_unit = 1; // the source position's remainder counts in these, gcd(from, to) where exact
    bool m_exact = true;
    std::vector<float> m_weights; // m_taps per phase, scaled for 16-bit samples
};

} // namespace platform
