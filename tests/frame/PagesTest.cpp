#include "ScreenFixture.h"
#include "render/TextBox.h"

#include <cstring>

namespace {

// The information and credits pages, reached from the main menu.
class Pages : public ScreenFixture {
protected:
    void Open(int y, int screen)
    {
        ToMenu();
        Click(60, y);
        for (int n = 0; n < 100 && Screen() != screen; ++n)
            Frame(50);
        ASSERT_EQ(screen, Screen());
    }
    // The brightest value of one colour channel (a shift of 16, 8 or 0) over a rectangle.
    uint32_t Brightest(int left, int top, int right, int bottom, int shift) const
    {
        const Picture picture = LastFrame();
        uint32_t most = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                most = std::max(most, picture.At(x, y) >> shift & 0xFF);
        return most;
    }
};

TEST_F(Pages, InformationIsTypedOneCharacterAFrameWithoutBrokenLinesAndStartsAgain)
{
    ASSERT_NO_FATAL_FAILURE(Open(210, CMainFrame::SCREEN_INFORMATION));
    while (frame->ReaderPosition() < 0.0f)
        Frame(2000);
    ASSERT_EQ(0, frame->InfoTyped());
    // Each wait is under 2 s, so every long frame types exactly one character.
    const int length = static_cast<int>(std::strlen(gInformationText));
    platform::GLWindow::SetCaptureFrames(false);
    for (int typed = 1; typed < length; ++typed) {
        Frame(2000);
        ASSERT_EQ(typed, frame->InfoTyped());
    }
    platform::GLWindow::SetCaptureFrames(true);
    Frame(2000);
    // Every line fits the box, which therefore never inserted a break of its own.
    EXPECT_STREQ(gInformationText, frame->InfoBox()->Text());
    EXPECT_EQ(0u, Pixel(320, 300)) << "the panel's screen is dark below the text";
    EXPECT_GT(Brightest(130, 62, 538, 80, 8), 200u) << "the greeting in green";

    Frames(2, 2000);
    const std::string text = frame->InfoBox()->Text();
    EXPECT_EQ(std::string(gInformationText) + "\2W", text) << "the text starts again in the same box";

    Click(300, 300);
    Frame();
    ASSERT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    ASSERT_NO_FATAL_FAILURE(Open(210, CMainFrame::SCREEN_INFORMATION));
    EXPECT_EQ(0, frame->InfoTyped());
    EXPECT_STREQ("", frame->InfoBox()->Text());
    EXPECT_LT(frame->ReaderPosition(), 0.0f);
}

TEST_F(Pages, CreditsShowTheMakerTheAddressesAndTheCreditLinesInTheirColours)
{
    ASSERT_NO_FATAL_FAILURE(Open(260, CMainFrame::SCREEN_CREDITS));
    Frame();
    // "CREATED BY" and the maker's name in green, the publisher's address in yellow.
    EXPECT_GT(Brightest(220, 10, 380, 26, 8), 200u);
    EXPECT_LT(Brightest(220, 10, 380, 26, 16), 60u);
    EXPECT_GT(Brightest(140, 30, 460, 62, 8), 200u);
    EXPECT_GT(Brightest(160, 310, 400, 326, 16), 200u);
    EXPECT_GT(Brightest(160, 310, 400, 326, 8), 200u);
    // Credit lines in cyan, contacts in purple, the rights notice in white.
    EXPECT_LT(Brightest(20, 360, 300, 369, 16), 60u);
    EXPECT_GT(Brightest(20, 360, 300, 369, 0), 200u);
    EXPECT_GT(Brightest(20, 405, 300, 414, 16), 200u);
    EXPECT_LT(Brightest(20, 405, 300, 414, 8), 60u);
    EXPECT_GT(Brightest(20, 450, 300, 459, 8), 200u);
    EXPECT_GT(Brightest(20, 450, 300, 459, 16), 200u);
}

} // namespace
