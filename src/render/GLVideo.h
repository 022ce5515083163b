#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class Video;
}

// A short video, every frame decoded at once and kept as a picture, shown in
// one GL texture by putting in it the frame that is due at the current time.
class CGLVideo {
public:
    CGLVideo() = default;
    // The context may be gone by now: the texture is left to it.
    virtual ~CGLVideo() = default;

    // Decodes every frame of fileName's video (up to the decoder's cap); a
    // file that cannot be opened or decoded is reported in a box. The frames
    // of an earlier call are released first.
    void OpenAVI(const std::string& fileName);
    // The same from a file's bytes in memory.
    void OpenAVIFromMemory(const uint8_t* data, size_t size);
    // Deletes the frames and their texture; the context it was made in must
    // be current. Whoever ends that context first calls this.
    void ReleaseFrames();
    // Binds the texture showing the frame due now to GL_TEXTURE_2D, texture 0
    // when there is none.
    void Play();

    int FramesLoaded() const { return static_cast<int>(m_frames.size()); }
    int CurrentFrame() const { return m_currentFrame; }
    int MsPerFrame() const { return m_msPerFrame; }
    // True when the file had more frames than were kept.
    bool WasCut() const { return m_cut; }

private:
    void LoadFrames(platform::Video& video, const std::function<bool()>& open);
    void GrabAVIFrame(const uint8_t* pixels);
    void Upload(bool create);

    int m_msPerFrame = 0;
    uint32_t m_lastTick = 0;
    // Each frame's 256 x 256 RGB picture, put in the one texture when due.
    std::vector<std::vector<uint8_t>> m_frames;
    unsigned m_texture = 0;
    int m_currentFrame = 0;
    uint32_t m_elapsed = 0;
    bool m_cut = false;
};
