#include "FrameFixture.h"
#include "platform/Video.h"

#include "TestVideos.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

const DisplaySettings k640{640, 480, 32};

const std::vector<std::string> kContextLines = {
    "Attempt to Create A GL Device Context",
    "Attempt to find Suitable Pixel Format",
    "Attempt to Set the Pixel Format",
    "Attempt to create A GL Rendering context",
    "Attempt to activate the GL Rendering context",
};

using MainFrameWindow = FrameFixture;

TEST_F(MainFrameWindow, NormalStartLogsEveryStepInOrderAndActivates)
{
    CMainFrame frame(&k640);
    ASSERT_EQ(1, frame.Create());
    std::vector<std::string> expected = {
        "Saved the current display state", "Attempt to Change display setting to fullscreen mode PASSED"};
    for (const std::string& step : kContextLines)
        expected.push_back(step + " PASSED");
    for (const char* line : {"seed the random numbers", "Attempting to initialize Direct sound PASSED",
             "Created all sound buffers", "Attempting to load textures", "Attempt to load textures PASSED",
             "Attempt to Initialize new Created GL Window PASSED"})
        expected.push_back(line);
    EXPECT_EQ(expected, LogLines());
    // No texture, video or scores file here: each said once, and the start goes on.
    ASSERT_EQ(3u, platform::RecordedMessageBoxes().size());
    EXPECT_EQ("DATA/TEXTURE.VXR was not found.", platform::RecordedMessageBoxes()[0].text);
    EXPECT_EQ("Failed To Open The AVI Stream", platform::RecordedMessageBoxes()[1].text);
    EXPECT_EQ("SCORES.VXR was not found.", platform::RecordedMessageBoxes()[2].text);
    EXPECT_EQ(1, frame.IsActive());
    EXPECT_EQ(1, frame.Fullscreen());
    EXPECT_EQ("Vexorin", gStrWindowText);
    EXPECT_EQ(117, frame.ScreenState());
    EXPECT_EQ(640, frame.ClientWidth());
    EXPECT_EQ(480, frame.ClientHeight());
    // No system pointer over the new window: the hand waits in the middle, not in a corner.
    EXPECT_EQ(320, frame.PointerX());
    EXPECT_EQ(240, frame.PointerY());
}

// A long logo video is cut at the frame cap, and the log says so among the loads.
TEST_F(MainFrameWindow, ALogoVideoTooLongIsCutAndLogged)
{
    video::VideoFormat format;
    format.width = format.height = 8;
    format.frames = platform::Video::kMaxFrames + 1;
    std::filesystem::create_directory("data");
    ASSERT_TRUE(WriteFlatVideo("data/logo.avi", format, {{0, 0, 0}}));
    CMainFrame frame(&k640);
    ASSERT_EQ(1, frame.Create());
    EXPECT_EQ(gAppVideo.FramesLoaded(), platform::Video::kMaxFrames);
    const std::vector<std::string> lines = LogLines();
    const auto loading = std::find(lines.begin(), lines.end(), "Attempting to load textures");
    ASSERT_LT(loading + 2, lines.end());
    EXPECT_EQ(loading[1], "Logo video cut to its first 600 frames");
    EXPECT_EQ(loading[2], "Attempt to load textures PASSED");
}

TEST_F(MainFrameWindow, WithoutASoundDeviceTheGameStartsSilent)
{
    const std::string driver = std::getenv("SDL_AUDIODRIVER");
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        CMainFrame frame(&k640);
        EXPECT_EQ(1, frame.Create());
    }
    setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    std::vector<std::string> lines = LogLines();
    auto sound = std::find(lines.begin(), lines.end(), "Attempting to initialize Direct sound FAILED");
    ASSERT_NE(lines.end(), sound);
    EXPECT_EQ("Created all sound buffers", *(sound + 1));
    EXPECT_EQ("Attempt to Initialize new Created GL Window PASSED", lines.back());
}

// Asked for a window (--windowed), the game neither tries full screen nor says it failed.
TEST_F(MainFrameWindow, AWindowAskedForIsCentredAndPlainlyTitled)
{
    CMainFrame frame(&k640);
    frame.UseWindow();
    gStrWindowText = "Vexorin - FULLSCREEN MODE FAILED!";
    CreateStruct cs;
    ASSERT_EQ(1, frame.PreCreateWindow(cs));
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
    EXPECT_EQ(std::vector<std::string>{"Saved the current display state"}, LogLines());
    EXPECT_EQ("Vexorin", gStrWindowText);
    EXPECT_FALSE(cs.popup);
    int w = 0, h = 0;
    frame.Window().GetScreenSize(w, h);
    EXPECT_EQ(w / 2 - 320, cs.x);
    EXPECT_EQ(h / 2 - 240, cs.y);
}

TEST_F(MainFrameWindow, RefusedFullScreenFallsBackToACaptionedWindow)
{
    platform::GLWindow::InjectFailure(platform::GLWindow::Step::FullscreenMode, true);
    CMainFrame frame(&k640);
    CreateStruct cs;
    ASSERT_EQ(1, frame.PreCreateWindow(cs));
    ASSERT_EQ(1u, platform::RecordedMessageBoxes().size());
    EXPECT_EQ("FULLSCREEN", platform::RecordedMessageBoxes()[0].caption);
    EXPECT_EQ("Unable to change display to fullscreen mode.", platform::RecordedMessageBoxes()[0].text);
    EXPECT_EQ("Attempt to Change display setting to fullscreen mode FAILED", LogLines().back());
    EXPECT_EQ("Vexorin - FULLSCREEN MODE FAILED!", gStrWindowText);
    EXPECT_EQ(0, frame.Fullscreen());
    EXPECT_FALSE(cs.popup);
    EXPECT_EQ(640, cs.cx);
    EXPECT_EQ(480, cs.cy);
    int w = 0, h = 0;
    frame.Window().GetScreenSize(w, h);
    // The outer window is centred on the desktop.
    EXPECT_EQ(w / 2 - 320, cs.x);
    EXPECT_EQ(h / 2 - 240, cs.y);
}

class ContextFailure : public FrameFixture, public testing::WithParamInterface<int> { };

TEST_P(ContextFailure, FirstRefusedStepIsLoggedAndEverythingIsReleased)
{
    int failing = GetParam();
    platform::GLWindow::InjectFailure(static_cast<platform::GLWindow::Step>(failing + 1), true);
    {
        CMainFrame frame(&k640);
        EXPECT_EQ(0, frame.Create());
        EXPECT_FALSE(frame.Window().HasContext());
        EXPECT_FALSE(frame.Window().HasWindow());
        EXPECT_EQ(0, frame.IsActive());
    }
    std::vector<std::string> lines = LogLines();
    ASSERT_EQ(static_cast<size_t>(failing) + 3, lines.size());
    for (int i = 0; i < failing; ++i)
        EXPECT_EQ(kContextLines[i] + " PASSED", lines[i + 2]);
    // The log went with the release: nothing follows the failed step.
    EXPECT_EQ(kContextLines[failing] + " FAILED", lines.back());
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(EachStep, ContextFailure, testing::Range(0, 5));

TEST(GammaRamp, IdentityScaleAndClipping)
{
    uint16_t ramp[768];
    CMainFrame::BuildGammaRamp(1.0f, 0.0f, ramp);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(256 * i, ramp[i]);
        ASSERT_EQ(ramp[i], ramp[256 + i]);
        ASSERT_EQ(ramp[i], ramp[512 + i]);
    }
    CMainFrame::BuildGammaRamp(2.5f, 0.0f, ramp);
    EXPECT_EQ(65280, ramp[102]);
    for (int i = 103; i < 256; ++i)
        ASSERT_EQ(65535, ramp[i]) << i;
    CMainFrame::BuildGammaRamp(0.7f, 0.0f, ramp);
    EXPECT_EQ(179, ramp[1]); // 0.7 x 256 truncated
    EXPECT_EQ(45695, ramp[255]); // 0.7 in single precision is a hair under
    // Below zero is out of range too, and gives the top value.
    CMainFrame::BuildGammaRamp(1.0f, -300.0f, ramp);
    EXPECT_EQ(65535, ramp[1]);
    EXPECT_EQ(212, ramp[2]);
}

class RunningFrame : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        frame = std::make_unique<CMainFrame>(&k640);
        ASSERT_EQ(1, frame->Create());
    }
    void TearDown() override
    {
        frame.reset();
        FrameFixture::TearDown();
    }
    static uint8_t RedAt(int x, int y)
    {
        uint8_t pixel[4];
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        return pixel[0];
    }
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(RunningFrame, InitialRenderingStateIsSet)
{
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    GLint func = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    EXPECT_EQ(GL_LEQUAL, func);
    GLfloat ambient[4];
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    EXPECT_FLOAT_EQ(2.0f, ambient[0]);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(0.5f, clear[3]);
}

TEST_F(RunningFrame, ResizeSetsViewportAndPerspectiveAndTreatsZeroHeightAsOne)
{
    frame->OnSize(640, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(640, viewport[2]);
    EXPECT_EQ(1, viewport[3]);
    EXPECT_EQ(0, frame->ClientHeight());
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    double f = 1.0 / std::tan(45.0 * M_PI / 360.0);
    EXPECT_NEAR(f / 640.0, projection[0], 1e-6);
    EXPECT_NEAR(f, projection[5], 1e-6);
    frame->OnSize(800, 600);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    EXPECT_NEAR(f / (800.0 / 600.0), projection[0], 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(GL_MODELVIEW, mode);
}

TEST_F(RunningFrame, InactiveFrameDrawsNothingAndActiveOneClears)
{
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0.5f);
    frame->OnActivateApp(false);
    frame->RenderGLScene();
    EXPECT_EQ(255, RedAt(10, 10));
    frame->OnActivateApp(true);
    frame->RenderGLScene();
    EXPECT_EQ(0, RedAt(10, 10));
    // Every frame ends with a repaint request, consumed by the paint handler.
    EXPECT_TRUE(platform::MessageWaiting());
}

TEST_F(RunningFrame, GammaRefusedByTheDisplayIsReportedAsZero)
{
    // The headless display has no gamma ramp; the keys then fall back to their own method.
    EXPECT_EQ(0, frame->SetGamma(1.5f, 0.0f));
}

} // namespace
