#pragma once
#include <cstdint>
#include <map>
#include <string>

// A short video turned into one GL texture per frame, all decoded at once,
// and shown by binding the frame that is due at the current time.
class CGLVideo {
public:
    CGLVideo() = default;
    // The textures are left to the GL context, which releases them.
    virtual ~CGLVideo() = default;

    // Decodes every frame of fileName's video (up to the decoder's cap) into
    // textures; a file that cannot be opened or decoded is reported in a box.
    // The frames of an earlier call belong to the context they were made in.
    void OpenAVI(const std::string& fileName);
    // Binds the frame due now to GL_TEXTURE_2D, texture 0 when there is none.
    void Play();

    int FramesLoaded() const { return m_framesLoaded; }
    int CurrentFrame() const { return m_currentFrame; }
    int MsPerFrame() const { return m_msPerFrame; }
    // True when the file had more frames than were kept.
    bool WasCut() const { return m_cut; }

private:
    void GrabAVIFrame(const uint8_t* pixels);

    int m_msPerFrame = 0;
    uint32_t m_lastTick = 0;
    std::map<int, unsigned> m_frames;
    int m_framesLoaded = 0;
    int m_currentFrame = 0;
    uint32_t m_elapsed = 0;
    bool m_cut = false;
};
