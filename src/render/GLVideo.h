#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Video;
}

// A short video, every frame decoded once at opening to know what plays,
// then shown by time in one GL texture: the frame due is decoded again from
// the packets kept, which take a fraction of the memory of the pictures.
class CGLVideo {
public:
    CGLVideo();
    // The context may be gone by now: the texture is left to it.
    virtual ~CGLVideo();

    // Decodes every frame of fileName's video (up to the decoder's caps); a
    // file that cannot be opened or decoded is reported in a box. The frames
    // of an earlier call are released first.
    void OpenAVI(const std::string& fileName);
    // The same from a file's bytes in memory.
    void OpenAVIFromMemory(const uint8_t* data, size_t size);
    // Deletes the frames and their texture; the context it was made in must
    // be current. Whoever ends that context first calls this.
    void ReleaseFrames();
    // Binds the frame due now to GL_TEXTURE_2D, texture 0 when there is none.
    void Play();

    int FramesLoaded() const { return m_framesLoaded; }
    int CurrentFrame() const { return m_currentFrame; }
    int MsPerFrame() const { return m_msPerFrame; }
    // True when the file had more frames than were kept.
    bool WasCut() const { return m_cut; }

private:
    void LoadFrames(const std::function<bool(platform::Video&)>& open);
    void GrabAVIFrame();
    void ShowFrame(int frame);
    void Upload(bool create);

    int m_msPerFrame = 0;
    uint32_t m_lastTick = 0;
    std::unique_ptr<platform::Video> m_video;
    std::vector<uint8_t> m_pixels; // the frame shown, kept so that showing another allocates nothing
    unsigned m_texture = 0;
    int m_shownFrame = 0;
    int m_framesLoaded = 0;
    int m_currentFrame = 0;
    uint32_t m_elapsed = 0;
    bool m_cut = false;
};
