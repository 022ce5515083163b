// A sound file as the sound library loads it: the WAV reader, the buffer's
// checks and the conversion to the mixer's format.
#include "FuzzInput.h"
#include "platform/Audio.h"
#include "sound/Sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSoundManager* const sounds = [] {
        auto* manager = new CSoundManager(platform::AudioDevice::OpenSilent(platform::AudioDevice::kPreferredRate));
        manager->Create();
        return manager;
    }();
    PutInput("sound.wav", data, size);
    if (sounds->LoadWaveIntoBuffer("sound.wav", "sound"))
        sounds->ReleaseBuffer("sound");
    return 0;
}
