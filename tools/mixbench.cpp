// vexorin-mixbench: what mixing costs. Makes twelve sounds in memory in the
// formats the game's files use, plays them all at once, looping, mixes a
// stretch of audio in device-sized blocks and reports the CPU time as a
// share of the real time that audio lasts. Also times filling the buffers,
// which is where the resampling happens.
#include "platform/Audio.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using platform::PcmFormat;

// A chord-like signal, so the resampler works on something real.
std::vector<uint8_t> Synthesize(const platform::WaveFormat& format, double seconds)
{
    const size_t frames = static_cast<size_t>(seconds * format.samplesPerSec);
    std::vector<uint8_t> bytes;
    bytes.reserve(frames * format.blockAlign);
    for (size_t n = 0; n < frames; ++n) {
        double t = static_cast<double>(n) / format.samplesPerSec;
        double value = 0.3 * std::sin(2 * M_PI * 220 * t) + 0.2 * std::sin(2 * M_PI * 1375 * t);
        for (int c = 0; c < format.channels; ++c) {
            if (format.bitsPerSample == 8) {
                bytes.push_back(static_cast<uint8_t>(std::lround(128 + 127 * value)));
            } else {
                auto v = static_cast<uint16_t>(static_cast<int16_t>(std::lround(32767 * value)));
                bytes.push_back(static_cast<uint8_t>(v & 0xFF));
                bytes.push_back(static_cast<uint8_t>(v >> 8));
            }
        }
    }
    return bytes;
}

std::unique_ptr<platform::AudioBuffer> Fill(
    platform::AudioDevice& device, const platform::WaveFormat& format, const std::vector<uint8_t>& bytes)
{
    auto buffer = device.CreateBuffer(format, static_cast<uint32_t>(bytes.size()));
    return buffer && buffer->Fill(bytes.data(), static_cast<uint32_t>(bytes.size())) ? std::move(buffer) : nullptr;
}

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 44100;
    if (seconds <= 0 || rate <= 0) {
        std::fprintf(stderr, "usage: vexorin-mixbench [SECONDS] [RATE]\n");
        return 2;
    }
    auto device = platform::AudioDevice::OpenSilent(rate);
    // Two long music pieces and ten short effects, at the rates and sizes of the game's files.
    const struct {
        platform::WaveFormat format;
        double seconds;
    } sounds[] = {{PcmFormat(2, 22050, 16), 60.0}, {PcmFormat(2, 22050, 8), 30.0}, {PcmFormat(1, 22050, 16), 2.0},
        {PcmFormat(1, 22050, 8), 0.5}, {PcmFormat(2, 44100, 16), 1.0}, {PcmFormat(1, 11025, 8), 0.3},
        {PcmFormat(1, 22050, 16), 1.5}, {PcmFormat(2, 22050, 16), 3.0}, {PcmFormat(1, 44100, 16), 0.8},
        {PcmFormat(1, 22050, 8), 1.2}, {PcmFormat(2, 48000, 16), 2.0}, {PcmFormat(1, 22050, 16), 0.6}};
    std::vector<std::unique_ptr<platform::AudioBuffer>> buffers;
    double fillCpu = 0;
    double audioSeconds = 0;
    for (const auto& sound : sounds) {
        std::vector<uint8_t> bytes = Synthesize(sound.format, sound.seconds);
        double before = CpuSeconds();
        buffers.push_back(Fill(*device, sound.format, bytes));
        fillCpu += CpuSeconds() - before;
        audioSeconds += sound.seconds;
        if (!buffers.back() || !buffers.back()->Play(true)) {
            std::fprintf(stderr, "could not make a sound buffer\n");
            return 1;
        }
    }
    const size_t total = static_cast<size_t>(seconds * rate);
    std::vector<float> block(2 * platform::AudioDevice::kDeviceFrames);
    double before = CpuSeconds();
    auto start = std::chrono::steady_clock::now();
    for (size_t done = 0; done < total; done += platform::AudioDevice::kDeviceFrames)
        device->Render(block.data(), platform::AudioDevice::kDeviceFrames);
    double mixCpu = CpuSeconds() - before;
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("mixing            12 sounds, %.0f s of stereo at %d Hz in %.3f s of CPU (%.3f s wall)\n", seconds,
        rate, mixCpu, wall);
    std::printf("cpu while mixing  %.3f%% of one core\n", 100.0 * mixCpu / seconds);
    std::printf("filling buffers   %.1f s of sound converted in %.3f s of CPU (%.1f ms per second of sound)\n",
        audioSeconds, fillCpu, 1000.0 * fillCpu / audioSeconds);
    return 0;
}
