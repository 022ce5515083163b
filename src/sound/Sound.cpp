#include "sound/Sound.h"
#include "sound/Wave.h"

CSoundManager::CSoundManager()
    : CSoundManager(platform::AudioDevice::Open())
{
}

CSoundManager::CSoundManager(std::unique_ptr<platform::AudioDevice> device)
    : m_device(std::move(device))
{
}

CSoundManager::~CSoundManager() = default;

bool CSoundManager::Create() { return m_device && m_device->Start(); }

bool CSoundManager::Destroy()
{
    m_device.reset();
    return true;
}

// The file is read twice: once to size the buffer, once to fill it. A buffer
// made by a load that fails later goes with the local entry.
bool CSoundManager::LoadWaveIntoBuffer(const std::string& fileName, const std::string& key)
{
    t_soundBuffer entry;
    if (!m_device)
        return false;
    entry.fileName = fileName;
    if (!CreateBuffer(entry) || !FillBuffer(entry))
        return false;
    m_buffers[key] = std::move(entry);
    return true;
}

bool CSoundManager::CreateBuffer(t_soundBuffer& entry)
{
    CWave wave;
    if (!wave.Open(entry.fileName))
        return false;
    platform::WaveFormat format;
    wave.GetFormat(format);
    entry.buffer = m_device->CreateBuffer(format, wave.GetDataSize());
    wave.Close();
    return entry.buffer != nullptr;
}

// The file may have changed since the buffer was made for it: more sample
// data than the buffer holds is refused rather than written past its end.
bool CSoundManager::FillBuffer(t_soundBuffer& entry)
{
    CWave wave;
    if (!wave.Open(entry.fileName))
        return false;
    wave.GetFormat(entry.format);
    void* data = nullptr;
    uint32_t bytes = 0;
    if (!entry.buffer->Lock(data, bytes)) {
        wave.Close();
        return false;
    }
    entry.dataSize = wave.GetDataSize();
    bool read = entry.dataSize <= bytes && wave.Read(data, entry.dataSize);
    bool unlocked = entry.buffer->Unlock(read ? entry.dataSize : 0);
    wave.Close();
    return read && unlocked;
}

void CSoundManager::ReleaseBuffer(const std::string& key) { m_buffers[key].buffer.reset(); }

bool CSoundManager::PlayBuffer(const std::string& key, int loop)
{
    t_soundBuffer& entry = m_buffers[key];
    if (!entry.buffer || !RestoreBuffer(key))
        return false;
    entry.buffer->Play(loop != 0);
    return true;
}

bool CSoundManager::StopBuffer(const std::string& key)
{
    t_soundBuffer& entry = m_buffers[key];
    return entry.buffer && entry.buffer->Stop();
}

bool CSoundManager::StopIfPlaying(const std::string& key) { return IsBufferPlaying(key) && StopBuffer(key); }

bool CSoundManager::IsBufferPlaying(const std::string& key)
{
    t_soundBuffer& entry = m_buffers[key];
    uint32_t status = 0;
    return entry.buffer && entry.buffer->GetStatus(status) && (status & platform::AudioBuffer::statusPlaying);
}

bool CSoundManager::SetBufferVolume(const std::string& key, float level)
{
    t_soundBuffer& entry = m_buffers[key];
    // Out of range, the attenuation would be refused anyway; checked first so
    // that no float outside an int's range is ever converted.
    if (!entry.buffer || !(level >= 0.0f && level <= 1.0f))
        return false;
    return entry.buffer->SetVolume(static_cast<int>(level * 10000.0f) - 10000);
}

bool CSoundManager::RestoreBuffer(const std::string& key)
{
    t_soundBuffer& entry = m_buffers[key];
    uint32_t status = 0;
    if (!entry.buffer || !entry.buffer->GetStatus(status))
        return false;
    if (!(status & platform::AudioBuffer::statusLost))
        return true;
    return entry.buffer->Restore() && FillBuffer(entry);
}
