#include "platform/Audio.h"

#include "WavBytes.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>

namespace {

using platform::PcmFormat;

// Interleaved stereo output of bytes of format played once on a device at rate.
std::vector<float> PlayOnce(const platform::WaveFormat& format, const std::string& bytes, int rate, size_t frames)
{
    auto device = platform::AudioDevice::OpenSilent(rate);
    auto buffer = device->CreateBuffer(format, static_cast<uint32_t>(bytes.size()));
    std::vector<float> out(2 * frames);
    if (buffer && buffer->Fill(bytes.data(), static_cast<uint32_t>(bytes.size())) && buffer->Play(false))
        device->Render(out.data(), frames);
    return out;
}

TEST(MixerFormats, SamplesBecomeFloatsOnBothSides)
{
    // 8-bit samples are unsigned round 128; mono plays on both sides.
    EXPECT_EQ((std::vector<float>{0.0f, 0.0f, 127 / 128.0f, 127 / 128.0f, -1.0f, -1.0f, 0.5f, 0.5f}),
        PlayOnce(PcmFormat(1, 8000, 8), std::string("\x80\xFF\x00\xC0", 4), 8000, 4));
    EXPECT_EQ((std::vector<float>{0.5f, -0.5f, 32767 / 32768.0f, -1.0f}),
        PlayOnce(PcmFormat(2, 8000, 16), wav::Pcm16({16384, -16384, 32767, -32768}), 8000, 2));
}

TEST(MixerFormats, UnplayableFormatsAreRefusedAtCreation)
{
    auto device = platform::AudioDevice::OpenSilent(44100);
    EXPECT_TRUE(device->CreateBuffer(PcmFormat(2, 22050, 16), 4));
    platform::WaveFormat compressed = PcmFormat(1, 22050, 16);
    compressed.formatTag = 2;
    platform::WaveFormat misaligned = PcmFormat(2, 22050, 16);
    misaligned.blockAlign = 2;
    for (const platform::WaveFormat& format : {compressed, misaligned, PcmFormat(1, 22050, 24), PcmFormat(1, 22050, 32),
             PcmFormat(3, 22050, 16), PcmFormat(0, 22050, 16), PcmFormat(1, 0, 16)})
        EXPECT_FALSE(device->CreateBuffer(format, 4096)) << format.channels << " " << format.bitsPerSample;
    EXPECT_FALSE(device->CreateBuffer(PcmFormat(1, 22050, 16), 0));
    EXPECT_FALSE(device->CreateBuffer(PcmFormat(1, 22050, 16), 0xFFFFFFFF));
    // A sound is kept at its own rate, so even a very low one takes only its file's size.
    EXPECT_TRUE(device->CreateBuffer(PcmFormat(1, 100, 8), 0x01000000));
}

// Amplitude of the component at hz in the left side of the middle half of out.
double Amplitude(const std::vector<float>& out, double hz, int rate)
{
    const size_t count = out.size() / 4;
    std::complex<double> sum;
    for (size_t n = count / 2; n < count / 2 + count; ++n) {
        double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(n - count / 2) / count);
        sum += static_cast<double>(out[2 * n]) * hann * std::polar(1.0, -2.0 * M_PI * hz * n / rate);
    }
    return 4.0 * std::abs(sum) / count;
}

// Half a second of tones of the given amplitudes, as 16-bit mono.
std::string Tones(std::vector<std::pair<double, double>> tones, int rate)
{
    std::vector<int16_t> samples(rate / 2);
    for (size_t n = 0; n < samples.size(); ++n) {
        double value = 0;
        for (auto [hz, amplitude] : tones)
            value += amplitude * std::sin(2.0 * M_PI * hz * n / rate);
        samples[n] = static_cast<int16_t>(std::lround(value * 32767));
    }
    return wav::Pcm16(samples);
}

TEST(MixerResampling, UpsampledToneKeepsFrequencyAndAmplitudeWithoutImages)
{
    for (int rate : {44100, 48000}) {
        std::vector<float> out = PlayOnce(PcmFormat(1, 22050, 16), Tones({{1000, 0.5}}, 22050), rate, rate / 2);
        // A tone off by even 1% would average out over the quarter second measured.
        EXPECT_NEAR(0.5, Amplitude(out, 1000, rate), 0.005) << rate;
        // Its image about the source's Nyquist frequency: about -53 dB with linear interpolation.
        EXPECT_LT(Amplitude(out, 21050, rate), 0.5e-4) << rate;
    }
    // Each side of a stereo source is resampled on its own side.
    const std::string mono = Tones({{1000, 0.5}}, 22050);
    std::string rightOnly(mono.size() * 2, '\0');
    for (size_t i = 0; i < mono.size(); i += 2)
        rightOnly.replace(2 * i + 2, 2, mono, i, 2);
    std::vector<float> out = PlayOnce(PcmFormat(2, 22050, 16), rightOnly, 48000, 24000);
    EXPECT_LT(Amplitude(out, 1000, 48000), 1e-6);
    out.erase(out.begin());
    out.push_back(0.0f);
    EXPECT_NEAR(0.5, Amplitude(out, 1000, 48000), 0.005);
}

TEST(MixerResampling, DownsamplingRemovesWhatTheNewRateCannotHold)
{
    std::string bytes = Tones({{1000, 0.4}, {30000, 0.4}}, 96000);
    std::vector<float> out = PlayOnce(PcmFormat(1, 96000, 16), bytes, 44100, 22050);
    EXPECT_NEAR(0.4, Amplitude(out, 1000, 44100), 0.004);
    // 30 kHz would fold back to 14.1 kHz.
    EXPECT_LT(Amplitude(out, 14100, 44100), 0.4e-4);
}

} // namespace
