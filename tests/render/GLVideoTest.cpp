#include "render/GLVideo.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"

#include "GLContext.h"
#include "TempDir.h"
#include "TestVideos.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

class GLVideoTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok());
        platform::UseClock(&clock);
        platform::ClearRecordedMessageBoxes();
    }
    void TearDown() override { platform::UseClock(nullptr); }

    // Plays after 'ms' more milliseconds and gives the bound texture's picture.
    std::vector<uint8_t> PlayAfter(double ms)
    {
        clock.Advance(ms);
        video.Play();
        std::vector<uint8_t> picture(256 * 256 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, picture.data());
        return picture;
    }

    static GLuint Bound()
    {
        GLint id = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &id);
        return static_cast<GLuint>(id);
    }

    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> texts;
        for (const auto& box : platform::RecordedMessageBoxes())
            texts.push_back(box.caption + ": " + box.text);
        return texts;
    }

    GLContext gl;
    TempDir dir;
    platform::VirtualClock clock{5000};
    CGLVideo video;
};

const std::vector<Rgb> kTenColours = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}, {250, 250, 0}, {0, 250, 250},
    {250, 0, 250}, {250, 250, 250}, {120, 0, 0}, {0, 120, 0}, {0, 0, 120}};

// Ten 16 x 16 frames of kTenColours over a second.
bool WriteTenFrames(const std::string& name)
{
    video::VideoFormat format;
    format.width = format.height = 16;
    format.fps = 10;
    format.frames = 10;
    return WriteFlatVideo(name, format, kTenColours);
}

// Ten frames over a second: 100 ms each, and the clock starts at the opening.
TEST_F(GLVideoTest, ShowsTheFrameDueAndStartsAgainAfterTheLast)
{
    ASSERT_TRUE(WriteTenFrames("ten.avi"));
    video.OpenAVI("ten.avi");
    EXPECT_TRUE(Boxes().empty());
    ASSERT_EQ(video.FramesLoaded(), 10);
    EXPECT_EQ(video.MsPerFrame(), 100);

    EXPECT_TRUE(Near(At(PlayAfter(250), 128, 128), kTenColours[2], 12));
    EXPECT_EQ(video.CurrentFrame(), 2);
    EXPECT_TRUE(Near(At(PlayAfter(749), 128, 128), kTenColours[9], 12));
    EXPECT_EQ(video.CurrentFrame(), 9);
    EXPECT_TRUE(Near(At(PlayAfter(1), 128, 128), kTenColours[0], 12));
    EXPECT_EQ(video.CurrentFrame(), 0);
    // The clock started again at the loop, not at the frame after it.
    EXPECT_TRUE(Near(At(PlayAfter(150), 128, 128), kTenColours[1], 12));
    EXPECT_EQ(video.CurrentFrame(), 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// A 320 x 240 picture covers the whole square: nothing cropped, no bars,
// and its top row comes last.
TEST_F(GLVideoTest, StretchesAWiderPictureOverTheWholeTextureBottomUp)
{
    const Rgb top{220, 30, 30}, bottom{30, 30, 220}, left{240, 240, 240}, right{30, 220, 30};
    video::VideoFormat format;
    format.width = 320;
    format.height = 240;
    std::string problem;
    ASSERT_TRUE(video::WriteVideo(
        "wide.avi", format,
        [&](int, std::vector<uint8_t>& rgb) {
            PaintRect(rgb, 320, 0, 0, 320, 120, top);
            PaintRect(rgb, 320, 0, 120, 320, 240, bottom);
            PaintRect(rgb, 320, 0, 0, 20, 240, left);
            PaintRect(rgb, 320, 300, 0, 320, 240, right);
        },
        problem))
        << problem;
    video.OpenAVI("wide.avi");
    const auto picture = PlayAfter(0);
    EXPECT_TRUE(Near(At(picture, 128, 2), bottom, 16));
    EXPECT_TRUE(Near(At(picture, 128, 253), top, 16));
    EXPECT_TRUE(Near(At(picture, 4, 128), left, 16));
    EXPECT_TRUE(Near(At(picture, 251, 128), right, 16));
}

// What decoded before the damage plays at the file's pace and loops where the frames end.
TEST_F(GLVideoTest, ACutShortVideoLoopsAtTheLastFrameItHolds)
{
    ASSERT_TRUE(WriteTenFrames("cut.avi"));
    const std::string whole = TempDir::Read("cut.avi");
    const size_t frames0 = whole.find("movi");
    Truncate("cut.avi", frames0 + (whole.size() - frames0) / 2);
    video.OpenAVI("cut.avi");
    EXPECT_TRUE(Boxes().empty());
    const int kept = video.FramesLoaded();
    ASSERT_GT(kept, 0);
    ASSERT_LT(kept, 10);
    EXPECT_EQ(video.MsPerFrame(), 100);
    EXPECT_TRUE(Near(At(PlayAfter(100.0 * kept - 1), 128, 128), kTenColours[kept - 1], 12));
    EXPECT_TRUE(Near(At(PlayAfter(1), 128, 128), kTenColours[0], 12));
}

// No frames: the box says which step failed, and the cube is left untextured;
// the frames of the video opened before are gone.
TEST_F(GLVideoTest, AFileWithoutFramesIsReportedAndPlaysNothing)
{
    video::VideoFormat format;
    format.width = format.height = 16;
    ASSERT_TRUE(WriteFlatVideo("good.avi", format, kTenColours));
    const std::string good = TempDir::Read("good.avi");
    TempDir::Write("headless.avi", good.substr(0, good.find("movi") + 4));
    TempDir::Write("garbage.avi", std::string(5000, '\x5A'));
    const std::pair<const char*, const char*> cases[] = {{"missing.avi", "Error: Failed To Open The AVI Stream"},
        {"garbage.avi", "Error: Failed To Open The AVI Stream"},
        {"headless.avi", "Error: Failed To Open The AVI Frame"}};
    for (const auto& [file, box] : cases) {
        video.OpenAVI("good.avi");
        ASSERT_EQ(video.FramesLoaded(), 1);
        video.Play();
        const GLuint earlier = Bound();
        platform::ClearRecordedMessageBoxes();
        video.OpenAVI(file);
        EXPECT_FALSE(glIsTexture(earlier)) << file;
        EXPECT_EQ(Boxes(), std::vector<std::string>{box}) << file;
        EXPECT_EQ(video.FramesLoaded(), 0) << file;
        glBindTexture(GL_TEXTURE_2D, 1);
        clock.Advance(500);
        video.Play();
        EXPECT_EQ(Bound(), 0u) << file;
        EXPECT_EQ(video.CurrentFrame(), 0) << file;
    }
}

} // namespace
