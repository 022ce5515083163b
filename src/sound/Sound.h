#pragma once
#include "app/singleton.h"
#include "platform/Audio.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

// One sound of the library; an entry without a buffer holds nothing.
struct t_soundBuffer {
    std::unique_ptr<platform::AudioBuffer> buffer;
    std::string fileName;
    uint32_t dataSize = 0;
    platform::WaveFormat format;
};

// Every sound effect and music piece of the game, each filled once from its
// WAV file and named by a key. With no sound device every request fails and
// the game runs silent. One per process.
class CSoundManager : public Singleton<CSoundManager> {
public:
    // Opens the default sound device.
    CSoundManager();
    // Uses the given device; null stands for a machine without sound.
    explicit CSoundManager(std::unique_ptr<platform::AudioDevice> device);
    ~CSoundManager() override;

    // Starts the output; false when there is no device or it will not play.
    bool Create();
    // Closes the device. Owners release their buffers beforehand; any left
    // over stay safe to release but no longer play.
    bool Destroy();

    // Replaces the entry under key only when the whole load succeeds.
    bool LoadWaveIntoBuffer(const std::string& fileName, const std::string& key);
    void ReleaseBuffer(const std::string& key);
    bool PlayBuffer(const std::string& key, int loop);
    bool StopBuffer(const std::string& key);
    bool IsBufferPlaying(const std::string& key);
    // Stops a sound only when it plays; true when it was stopped.
    bool StopIfPlaying(const std::string& key);
    // Level 1.0 is full volume, 0.0 silence: attenuation trunc(level * 10000) - 10000.
    bool SetBufferVolume(const std::string& key, float level);
    // Refills a buffer whose memory was lost from its file; true when usable.
    bool RestoreBuffer(const std::string& key);

    const std::unordered_map<std::string, t_soundBuffer>& Buffers() const { return m_buffers; }

private:
    bool CreateBuffer(t_soundBuffer& entry);
    bool FillBuffer(t_soundBuffer& entry);

    std::unique_ptr<platform::AudioDevice> m_device;
    std::unordered_map<std::string, t_soundBuffer> m_buffers;
};
