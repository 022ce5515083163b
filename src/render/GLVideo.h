#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace platform {
class Video;
}

// A short video turned into one GL texture per frame, all decoded at once,
// and shown by binding the frame that is due at the current time.
class CGLVideo {
public:
    CGLVideo() = default;
    // The context may be gone by now: the textures are left to it.
    virtual ~CGLVideo() = default;

    // Decodes every frame of fileName's video (up to the decoder's cap) into
    // textures; a file that cannot be opened or decoded is reported in a box.
    // The frames of an earlier call are released first.
    void OpenAVI(const std::string& fileName);
    // The same from a file's bytes in memory.
    void OpenAVIFromMemory(const uint8_t* data, size_t size);
    // Deletes the frames' textures; the context they were made in must be
    // current. Whoever ends that context first calls this.
    void ReleaseFrames();
    // Binds the frame due now to GL_TEXTURE_2D, texture 0 when there is none.
    void Play();

    int FramesLoaded() const { return m_framesLoaded; }
    int CurrentFrame() const { return m_currentFrame; }
    int MsPerFrame() const { return m_msPerFrame; }
    // True when the file had more frames than were kept.
    bool WasCut() const { return m_cut; }

private:
    void LoadFrames(platform::Video& video, const std::function<bool()>& open);
    void GrabAVIFrame(const uint8_t* pixels);

    int m_msPerFrame = 0;
    uint32_t m_lastTick = 0;
    std::map<int, unsigned> m_frames;
    int m_framesLoaded = 0;
    int m_currentFrame = 0;
    uint32_t m_elapsed = 0;
    bool m_cut = false;
};
