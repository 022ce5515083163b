#pragma once
#include "platform/Audio.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// 8- or 16-bit PCM in one or two channels, at a rate the resampler handles.
bool IsPlayableFormat(const WaveFormat& format);
// Stereo frames that bytes of format become at rate.
uint64_t ConvertedFrames(const WaveFormat& format, uint64_t bytes, uint32_t rate);
// Interleaved stereo floats at rate; mono plays on both sides. Other rates
// go through a windowed-sinc low-pass, so no images of the source spectrum
// appear above its Nyquist frequency.
std::vector<float> ConvertToStereo(const WaveFormat& format, const uint8_t* data, size_t bytes, uint32_t rate);

} // namespace platform
