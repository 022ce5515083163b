#include "platform/Audio.h"
#include "platform/AudioConvert.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {

namespace {

// The largest sound buffer in file bytes.
constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;

} // namespace

WaveFormat PcmFormat(uint16_t channels, uint32_t rate, uint16_t bits)
{
    WaveFormat format;
    format.formatTag = 1;
    format.channels = channels;
    format.samplesPerSec = rate;
    format.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = rate * format.blockAlign;
    format.bitsPerSample = bits;
    return format;
}

// What the mixer needs of one buffer. The output thread reads it only while
// it holds the device lock, and the game changes it only under that lock.
struct Voice {
    PlanarSound sound;
    std::shared_ptr<const Resampler> resampler; // from the sound's rate to the device's
    size_t length = 0; // in frames at the device's rate
    size_t position = 0; // in frames at the device's rate
    float gain = 1.0f;
    bool playing = false;
    bool looping = false;
    bool lost = false;
};

// Shared by the device, its buffers and the output callback, so buffers
// outliving the device stay safe to use and to release.
struct MixerState {
    SDL_AudioDeviceID device = 0; // 0 for a silent device, and once closed
    bool closed = false;
    int rate = AudioDevice::kPreferredRate;
    std::vector<Voice*> voices;

    void Lock()
    {
        if (device)
            SDL_LockAudioDevice(device);
    }
    void Unlock()
    {
        if (device)
            SDL_UnlockAudioDevice(device);
    }
    // False once the device is closed or the system has taken it away.
    bool Usable() const { return !closed && (!device || SDL_GetAudioDeviceStatus(device) != SDL_AUDIO_STOPPED); }
};

namespace {

class Guard {
public:
    explicit Guard(MixerState& mixer)
        : m_mixer(mixer)
    {
        m_mixer.Lock();
    }
    ~Guard() { m_mixer.Unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;

private:
    MixerState& m_mixer;
};

// Moves a playing voice on by frames, handing each stretch it plays to
// play(first frame of the sound, frame count, frames into the block).
template <class Play>
void Run(Voice& voice, size_t frames, Play&& play)
{
    size_t done = 0;
    while (done < frames && voice.playing) {
        const size_t count = std::min(frames - done, voice.length - voice.position);
        if (count > 0)
            play(voice.position, count, done);
        voice.position += count;
        done += count;
        // A one-shot sound stops at its end and plays from the start next time.
        if (voice.position == voice.length) {
            voice.position = 0;
            voice.playing = voice.looping && voice.length > 0;
        }
    }
}

void MixVoice(Voice& voice, float* out, size_t frames)
{
    Run(voice, frames, [&voice, out](size_t first, size_t count, size_t done) {
        voice.resampler->Add(voice.sound, first, count, voice.looping, voice.gain, out + 2 * done);
    });
}

void Mix(MixerState& mixer, float* out, size_t frames)
{
    std::fill(out, out + 2 * frames, 0.0f);
    for (Voice* voice : mixer.voices)
        if (voice->playing)
            MixVoice(*voice, out, frames);
    for (size_t i = 0; i < 2 * frames; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

// SDL holds the device lock while it runs this.
void SDLCALL OutputCallback(void* userdata, Uint8* stream, int length)
{
    Mix(*static_cast<MixerState*>(userdata), reinterpret_cast<float*>(stream),
        static_cast<size_t>(length) / (2 * sizeof(float)));
}

} // namespace

AudioBuffer::AudioBuffer(std::shared_ptr<MixerState> mixer, const WaveFormat& format, uint32_t bytes)
    : m_mixer(std::move(mixer))
    , m_voice(std::make_unique<Voice>())
    , m_format(format)
    , m_bytes(bytes)
{
    Guard guard(*m_mixer);
    m_mixer->voices.push_back(m_voice.get());
}

AudioBuffer::~AudioBuffer()
{
    Guard guard(*m_mixer);
    std::erase(m_mixer->voices, m_voice.get());
}

bool AudioBuffer::Play(bool looping)
{
    if (!m_mixer->Usable())
        return false;
    Guard guard(*m_mixer);
    if (m_voice->lost)
        return false;
    if (!m_voice->playing) {
        m_voice->playing = true;
        m_voice->looping = looping;
    }
    return true;
}

bool AudioBuffer::Stop()
{
    if (!m_mixer->Usable())
        return false;
    Guard guard(*m_mixer);
    m_voice->playing = false;
    return true;
}

bool AudioBuffer::GetStatus(uint32_t& status) const
{
    if (!m_mixer->Usable())
        return false;
    Guard guard(*m_mixer);
    status = (m_voice->playing ? statusPlaying : 0) | (m_voice->lost ? statusLost : 0) |
        (m_voice->playing && m_voice->looping ? statusLooping : 0);
    return true;
}

bool AudioBuffer::SetVolume(int attenuation)
{
    if (!m_mixer->Usable() || attenuation < kSilence || attenuation > 0)
        return false;
    const float gain = attenuation == kSilence ? 0.0f : std::pow(10.0f, static_cast<float>(attenuation) / 2000.0f);
    Guard guard(*m_mixer);
    m_voice->gain = gain;
    m_attenuation = attenuation;
    return true;
}

bool AudioBuffer::GetVolume(int& attenuation) const
{
    if (!m_mixer->Usable())
        return false;
    attenuation = m_attenuation;
    return true;
}

bool AudioBuffer::Lock(void*& data, uint32_t& bytes)
{
    uint32_t status = 0;
    if (!GetStatus(status) || (status & statusLost))
        return false;
    m_staging.assign(m_bytes, 0);
    data = m_staging.data();
    bytes = m_bytes;
    return true;
}

// The decoding and every allocation happen before the lock is taken; under
// it the new sound is only swapped in, and the old one freed after.
bool AudioBuffer::Unlock(uint32_t bytes)
{
    if (m_staging.empty() || bytes > m_bytes || !m_mixer->Usable())
        return false;
    const auto rate = static_cast<uint32_t>(m_mixer->rate);
    PlanarSound sound = DecodePlanar(m_format, m_staging.data(), bytes);
    std::shared_ptr<const Resampler> resampler = Resampler::For(m_format.samplesPerSec, rate);
    const auto length = static_cast<size_t>(ConvertedFrames(m_format, bytes, rate));
    std::vector<uint8_t>().swap(m_staging);
    Guard guard(*m_mixer);
    std::swap(m_voice->sound, sound);
    std::swap(m_voice->resampler, resampler);
    m_voice->length = length;
    if (m_voice->position >= length)
        m_voice->position = 0;
    return true;
}

bool AudioBuffer::Fill(const void* data, uint32_t bytes)
{
    void* memory = nullptr;
    uint32_t size = 0;
    if (bytes > m_bytes || !Lock(memory, size))
        return false;
    std::memcpy(memory, data, bytes);
    return Unlock(bytes);
}

bool AudioBuffer::Restore()
{
    if (!m_mixer->Usable())
        return false;
    Guard guard(*m_mixer);
    m_voice->lost = false;
    return true;
}

void AudioBuffer::MarkLost()
{
    PlanarSound gone;
    Guard guard(*m_mixer);
    std::swap(m_voice->sound, gone);
    m_voice->length = 0;
    m_voice->position = 0;
    m_voice->playing = false;
    m_voice->lost = true;
}

AudioDevice::AudioDevice(std::shared_ptr<MixerState> mixer)
    : m_mixer(std::move(mixer))
{
}

namespace {

bool gVirtualOutput = false;
std::vector<std::weak_ptr<MixerState>> gVirtualMixers;
double gVirtualFrames = 0.0; // frames due but not yet a whole one

} // namespace

void AudioDevice::UseVirtualOutput(bool on)
{
    gVirtualOutput = on;
    gVirtualMixers.clear();
    gVirtualFrames = 0.0;
}

void AudioDevice::AdvanceVirtualOutput(double milliseconds)
{
    gVirtualFrames += milliseconds * kPreferredRate / 1000.0;
    const auto due = static_cast<size_t>(gVirtualFrames);
    gVirtualFrames -= static_cast<double>(due);
    std::erase_if(gVirtualMixers, [](const std::weak_ptr<MixerState>& m) { return m.expired(); });
    // Nobody listens to this output: the sounds only move on, unmixed.
    for (const auto& weak : gVirtualMixers) {
        auto mixer = weak.lock();
        if (mixer->closed)
            continue;
        Guard guard(*mixer);
        for (Voice* voice : mixer->voices)
            Run(*voice, due, [](size_t, size_t, size_t) {});
    }
}

std::unique_ptr<AudioDevice> AudioDevice::Open()
{
    if (gVirtualOutput) {
        auto device = OpenSilent(kPreferredRate);
        gVirtualMixers.push_back(device->m_mixer);
        return device;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return nullptr;
    auto mixer = std::make_shared<MixerState>();
    SDL_AudioSpec want{};
    want.freq = kPreferredRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = kDeviceFrames;
    want.callback = OutputCallback;
    want.userdata = mixer.get();
    SDL_AudioSpec have{};
    // SDL converts sample format and channels itself; only the rate is the device's choice.
    mixer->device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!mixer->device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    mixer->rate = have.freq;
    return std::unique_ptr<AudioDevice>(new AudioDevice(mixer));
}

std::unique_ptr<AudioDevice> AudioDevice::OpenSilent(int rate)
{
    auto mixer = std::make_shared<MixerState>();
    mixer->rate = rate;
    return std::unique_ptr<AudioDevice>(new AudioDevice(mixer));
}

AudioDevice::~AudioDevice()
{
    if (m_mixer->device) {
        // Waits for a running callback; none comes after.
        SDL_CloseAudioDevice(m_mixer->device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    m_mixer->device = 0;
    m_mixer->closed = true;
}

bool AudioDevice::Start()
{
    if (!m_mixer->Usable())
        return false;
    if (!m_mixer->device)
        return true;
    SDL_PauseAudioDevice(m_mixer->device, 0);
    return SDL_GetAudioDeviceStatus(m_mixer->device) == SDL_AUDIO_PLAYING;
}

std::unique_ptr<AudioBuffer> AudioDevice::CreateBuffer(const WaveFormat& format, uint32_t bytes)
{
    if (!m_mixer->Usable() || !IsPlayableFormat(format) || bytes < format.blockAlign || bytes > kMaxBufferBytes)
        return nullptr;
    return std::unique_ptr<AudioBuffer>(new AudioBuffer(m_mixer, format, bytes));
}

void AudioDevice::Render(float* out, size_t frames)
{
    Guard guard(*m_mixer);
    Mix(*m_mixer, out, frames);
}

} // namespace platform
