#include "ScreenFixture.h"

namespace {

using Input = ScreenFixture;

TEST_F(Input, EscapeSkipsTheCubeButNotTheFirstLogo)
{
    Frame();
    Key(platform::VK_ESCAPE);
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_INTRO_LOGO, Screen());
    ToMenu();
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
}

} // namespace
