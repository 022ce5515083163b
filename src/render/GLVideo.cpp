#include "render/GLVideo.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/Video.h"

#include <GL/gl.h>

void CGLVideo::OpenAVI(const std::string& fileName)
{
    platform::Video video;
    LoadFrames(video, [&] { return video.Open(fileName); });
}

void CGLVideo::OpenAVIFromMemory(const uint8_t* data, size_t size)
{
    platform::Video video;
    LoadFrames(video, [&] { return video.OpenMemory(data, size); });
}

void CGLVideo::LoadFrames(platform::Video& video, const std::function<bool()>& open)
{
    ReleaseFrames();
    m_elapsed = 0;
    m_msPerFrame = 0;
    m_cut = false;
    m_lastTick = platform::GetTickCount();
    if (!open()) {
        platform::MessageBox("Failed To Open The AVI Stream", "Error");
        return;
    }
    std::vector<uint8_t> pixels(platform::Video::kFrameBytes);
    while (video.ReadFrame(pixels.data()))
        GrabAVIFrame(pixels.data());
    if (m_frames.empty()) {
        platform::MessageBox("Failed To Open The AVI Frame", "Error");
        return;
    }
    m_msPerFrame = static_cast<int>(video.DurationMs() / video.FrameCount());
    m_cut = video.Cut();
    glGenTextures(1, &m_texture);
    glBindTexture(GL_TEXTURE_2D, m_texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    Upload(true);
}

void CGLVideo::ReleaseFrames()
{
    if (m_texture)
        glDeleteTextures(1, &m_texture);
    m_texture = 0;
    m_frames = {};
    m_currentFrame = 0;
}

void CGLVideo::GrabAVIFrame(const uint8_t* pixels)
{
    m_frames.emplace_back(pixels, pixels + platform::Video::kFrameBytes);
}

// The current frame into the bound texture, which 'create' makes anew.
void CGLVideo::Upload(bool create)
{
    constexpr int side = platform::Video::kSide;
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (create)
        glTexImage2D(
            GL_TEXTURE_2D, 0, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, m_frames[m_currentFrame].data());
    else
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side, side, GL_RGB, GL_UNSIGNED_BYTE, m_frames[m_currentFrame].data());
    glPopClientAttrib();
}

// The video loops after the last frame it holds: a file cut short or
// truncated plays what was kept at its own pace.
void CGLVideo::Play()
{
    const uint32_t now = platform::GetTickCount();
    const uint32_t delta = now - m_lastTick;
    m_lastTick = now;
    if (m_frames.empty()) {
        glBindTexture(GL_TEXTURE_2D, 0);
        return;
    }
    m_elapsed += delta;
    int due = static_cast<int>(m_elapsed / static_cast<uint32_t>(m_msPerFrame));
    if (due >= FramesLoaded()) {
        due = 0;
        m_elapsed = 0;
    }
    glBindTexture(GL_TEXTURE_2D, m_texture);
    // The texture is filled again only when another frame is due.
    if (due != m_currentFrame) {
        m_currentFrame = due;
        Upload(false);
    }
}
