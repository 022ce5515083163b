#include "render/GLVideo.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Video.h"

#include <GL/gl.h>

CGLVideo::CGLVideo() = default;
CGLVideo::~CGLVideo() = default;

void CGLVideo::OpenAVI(const std::string& fileName)
{
    LoadFrames([&](platform::Video& video) { return video.Open(fileName); });
}

void CGLVideo::OpenAVIFromMemory(const uint8_t* data, size_t size)
{
    LoadFrames([&](platform::Video& video) { return video.OpenMemory(data, size); });
}

// Only the first frame is scaled now; the others are decoded to count them.
void CGLVideo::LoadFrames(const std::function<bool(platform::Video&)>& open)
{
    ReleaseFrames();
    m_elapsed = 0;
    m_msPerFrame = 0;
    m_cut = false;
    m_lastTick = platform::GetTickCount();
    auto video = std::make_unique<platform::Video>();
    if (!open(*video)) {
        platform::MessageBox("Failed To Open The AVI Stream", "Error");
        return;
    }
    m_pixels.resize(platform::Video::kFrameBytes);
    if (video->ReadFrame(m_pixels.data()))
        for (m_framesLoaded = 1; video->ReadFrame(nullptr);)
            ++m_framesLoaded;
    if (m_framesLoaded == 0) {
        platform::MessageBox("Failed To Open The AVI Frame", "Error");
        return;
    }
    m_msPerFrame = static_cast<int>(video->DurationMs() / video->FrameCount());
    m_cut = video->Cut();
    m_video = std::move(video);
    GrabAVIFrame();
}

void CGLVideo::ReleaseFrames()
{
    if (m_texture)
        glDeleteTextures(1, &m_texture);
    m_texture = 0;
    m_video.reset();
    m_framesLoaded = 0;
    m_currentFrame = 0;
    m_shownFrame = 0;
}

// The first frame's picture makes the texture every frame is shown in.
void CGLVideo::GrabAVIFrame()
{
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    Upload(true);
    m_shownFrame = 0;
}

// A frame that fails to decode again leaves the one before on show.
void CGLVideo::ShowFrame(int frame)
{
    glBindTexture(GL_TEXTURE_2D, m_texture);
    if (frame == m_shownFrame)
        return;
    m_shownFrame = frame;
    if (m_video->ReplayFrame(frame, m_pixels.data()))
        Upload(false);
}

// The picture into the bound texture, which 'create' makes anew.
void CGLVideo::Upload(bool create)
{
    constexpr int side = platform::Video::kSide;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (create)
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, m_pixels.data());
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, m_pixels.data());
    glPopClientAttrib();
}

// The video loops after the last frame it holds: a file cut short or
// truncated plays what was kept at its own pace.
void CGLVideo::Play()
{
    const uint32_t now = platform::GetTickCount();
    const uint32_t delta = now - m_lastTick;
    m_lastTick = now;
    if (m_framesLoaded == 0) {
        glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    m_elapsed += delta;
    m_currentFrame = static_cast<int>(m_elapsed / static_cast<uint32_t>(m_msPerFrame));
    if (m_currentFrame >= m_framesLoaded) {
        m_currentFrame = 0;
        m_elapsed = 0;
    }
    ShowFrame(m_currentFrame);
}
