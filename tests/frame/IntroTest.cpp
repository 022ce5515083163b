#include "ScreenFixture.h"
#include "platform/Audio.h"

namespace {

constexpr double kStep = 100.0;

// Every frame after the first lasts kStep, and the frame clock measures each one as that.
// The sounds play in the same time, so a slow machine cannot end them early.
class Intro : public ScreenFixture {
protected:
    void SetUp() override
    {
        platform::AudioDevice::UseVirtualOutput(true);
        ScreenFixture::SetUp();
        Frame(kStep);
    }
    void TearDown() override
    {
        ScreenFixture::TearDown();
        platform::AudioDevice::UseVirtualOutput(false);
    }
    void Steps(int n)
    {
        for (int i = 0; i < n; ++i) {
            platform::AudioDevice::AdvanceVirtualOutput(kStep);
            Frame(kStep);
        }
    }
    // The first logo takes 2.5 s; no cube frame is drawn yet.
    void ToCube()
    {
        Steps(24);
        for (int i = 0; i < 3 && Screen() != CMainFrame::SCREEN_INTRO_CUBE; ++i)
            Steps(1);
        ASSERT_EQ(CMainFrame::SCREEN_INTRO_CUBE, Screen());
    }
    // The summed brightness of the last frame's middle column.
    uint32_t MiddleBrightness() const
    {
        uint32_t sum = 0;
        for (int y = 0; y < 480; y += 8) {
            const uint32_t c = Pixel(320, y);
            sum += (c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF);
        }
        return sum;
    }
    // The summed green along a row below the cube, where the maker's name lies.
    uint32_t GreenBelowCube() const
    {
        uint32_t sum = 0;
        for (int x = 0; x < 640; x += 4)
            sum += Pixel(x, 350) >> 8 & 0xFF;
        return sum;
    }
};

TEST_F(Intro, FirstLogoShowsForTwoAndAHalfSecondsAndIgnoresEscape)
{
    EXPECT_NE(0u, Pixel(320, 240)) << "the logo is drawn";
    Steps(20);
    Key(platform::VK_ESCAPE);
    Steps(4);
    EXPECT_EQ(CMainFrame::SCREEN_INTRO_LOGO, Screen());
    EXPECT_FALSE(Playing("INTRO"));
    Steps(2);
    EXPECT_EQ(CMainFrame::SCREEN_INTRO_CUBE, Screen());
}

TEST_F(Intro, CubeIsDrawnAtTheDepthOfTheFrameBeforeThenStaysFarOff)
{
    ToCube();
    EXPECT_EQ(0.0f, frame->CubeDepth());
    Steps(1);
    EXPECT_FLOAT_EQ(-10.0f / 49, frame->CubeDepth());
    Steps(1);
    EXPECT_FLOAT_EQ(-20.0f / 49, frame->CubeDepth());
    Steps(48);
    EXPECT_EQ(-10.0f, frame->CubeDepth());
    EXPECT_NE(0u, MiddleBrightness()) << "the cube lies ahead";
    Steps(20);
    EXPECT_EQ(-10.0f, frame->CubeDepth());
}

TEST_F(Intro, FirstCubeFrameIsSeenFromInsideTheCube)
{
    // The frame clock keeps a measured length for the frame after: both these frames advance 2.6 s.
    Frame(2600);
    ASSERT_EQ(CMainFrame::SCREEN_INTRO_CUBE, Screen());
    Frame(2600);
    // At depth 0 every face turns its back to the viewer and is culled.
    EXPECT_EQ(0u, MiddleBrightness());
    EXPECT_FLOAT_EQ(-2600.0f * 10 / 4900, frame->CubeDepth());
    Frame(kStep);
    EXPECT_NE(0u, MiddleBrightness()) << "drawn where the frame before left it, ahead";
}

TEST_F(Intro, DroneStartsOnlyOnceTheCubeHasFlownAway)
{
    ToCube();
    Steps(48);
    EXPECT_TRUE(Playing("INTRO"));
    EXPECT_FALSE(Playing("DRONE"));
    EXPECT_GT(frame->CubeDepth(), -10.0f);
    Steps(2);
    EXPECT_TRUE(Playing("DRONE"));
    // Stopped by someone else, it is asked for again on the next frame.
    CSoundManager::GetSingletonPtr()->StopBuffer("DRONE");
    Steps(1);
    EXPECT_TRUE(Playing("DRONE"));
}

TEST_F(Intro, MakersLogoBrightensThenDimsAndTheMenuFollowsInSilence)
{
    ToCube();
    Steps(50);
    const uint32_t dark = GreenBelowCube();
    Steps(32);
    const uint32_t bright = GreenBelowCube();
    EXPECT_GT(bright, dark * 10) << "the logo has brightened";

    // 4.9 s away, 3.2 s up, about 3.15 s down.
    int frames = 82;
    while (Screen() == CMainFrame::SCREEN_INTRO_CUBE && frames < 200) {
        EXPECT_TRUE(Playing("INTRO") && Playing("DRONE"));
        Steps(1);
        ++frames;
    }
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    EXPECT_NEAR(114, frames, 2);
    EXPECT_FALSE(Playing("INTRO"));
    EXPECT_FALSE(Playing("DRONE"));
    Steps(1);
    EXPECT_LT(GreenBelowCube(), bright / 2) << "the menu has no green name";
}

} // namespace
