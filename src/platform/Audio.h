#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// The format record of a WAV file's "fmt " chunk.
struct WaveFormat {
    uint16_t formatTag = 0; // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;
};

// Linear PCM in the layout the mixer plays.
WaveFormat PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits);

struct MixerState;
struct Voice;

// One sound held whole in memory, as 16-bit samples at its file's rate, and
// played by the device's mixer, which converts it as it plays. Filled
// once through Lock and Unlock; plays from where it stands, stops without
// rewinding, and a one-shot sound that reaches its end starts over next time.
class AudioBuffer {
public:
    static constexpr uint32_t statusPlaying = 0x1;
    static constexpr uint32_t statusLost = 0x2;
    static constexpr uint32_t statusLooping = 0x4;
    static constexpr int kSilence = -10000;

    ~AudioBuffer();
    AudioBuffer(const AudioBuffer&) = delete;
    AudioBuffer& operator=(const AudioBuffer&) = delete;

    // A buffer already playing is left as it is.
    bool Play(bool looping);
    bool Stop();
    bool GetStatus(uint32_t& status) const;
    // Attenuation in hundredths of a decibel, from kSilence to 0 (full volume).
    bool SetVolume(int attenuation);
    // The attenuation last set; 0 until a volume is set.
    bool GetVolume(int& attenuation) const;
    // Hands out the whole buffer for filling; Unlock takes the bytes written.
    bool Lock(void*& data, uint32_t& bytes);
    bool Unlock(uint32_t bytes);
    // Lock, copy and Unlock in one, for sounds made in memory.
    bool Fill(const void* data, uint32_t bytes);
    // Makes a lost buffer usable again; its sound must be filled in anew.
    bool Restore();
    // What happens when another program takes the sound memory (never with
    // SDL): the buffer stops, empties and reports itself lost.
    void MarkLost();

private:
    friend class AudioDevice;
    AudioBuffer(std::shared_ptr<MixerState> mixer, const WaveFormat& format, uint32_t bytes);

    std::shared_ptr<MixerState> m_mixer;
    std::unique_ptr<Voice> m_voice;
    WaveFormat m_format;
    uint32_t m_bytes;
    int m_attenuation = 0;
    std::vector<uint8_t> m_staging; // file bytes between Lock and Unlock
};

// The sound output: one device mixing every playing buffer in floating point,
// stereo, at its own rate.
class AudioDevice {
public:
    static constexpr int kPreferredRate = 44100;
    static constexpr int kDeviceFrames = 1024;

    // The system's default output, opened paused; null when there is none.
    static std::unique_ptr<AudioDevice> Open();
    // A device with no output behind it: it mixes only when Render is called.
    static std::unique_ptr<AudioDevice> OpenSilent(int rate);
    // Sound in virtual time, for a game driven by a virtual clock: Open gives
    // a device without output, and AdvanceVirtualOutput plays on every such
    // device what the given milliseconds would have played.
    static void UseVirtualOutput(bool on);
    static void AdvanceVirtualOutput(double milliseconds);
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Starts the output; false when the device will not play.
    bool Start();
    // Null for a format the mixer cannot play (not 8- or 16-bit PCM in one or
    // two channels at a sane rate) or an empty or oversized buffer.
    std::unique_ptr<AudioBuffer> CreateBuffer(const WaveFormat& format, uint32_t bytes);
    // Mixes the next frames of interleaved stereo into out, as the output does.
    void Render(float* out, size_t frames);

private:
    explicit AudioDevice(std::shared_ptr<MixerState> mixer);

    std::shared_ptr<MixerState> m_mixer;
};

} // namespace platform
