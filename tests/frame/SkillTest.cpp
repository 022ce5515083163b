#include "ScreenFixture.h"

namespace {

class SkillScreen : public ScreenFixture {
protected:
    // Milliseconds until play starts, at a steady 60 frames a second.
    double TimeToPlay()
    {
        double spent = 0.0;
        while (Screen() != CMainFrame::SCREEN_PLAY && spent < 5000.0) {
            Frame(kFrameMs);
            spent += kFrameMs;
        }
        return spent;
    }
    static constexpr double kFrameMs = 1000.0 / 60.0;
    static bool Playing(const char* key) { return Singleton<CSoundManager>::GetSingletonPtr()->IsBufferPlaying(key); }

};

TEST_F(SkillScreen, OpensOnNormalAndUpDownStayWithinTheThreeSkills)
{
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    EXPECT_EQ(1, Game().GetSkill());
    Key(platform::VK_UP);
    EXPECT_EQ(0, Game().GetSkill());
    Key(platform::VK_UP);
    EXPECT_EQ(0, Game().GetSkill());
    Key(platform::VK_DOWN);
    Key(platform::VK_DOWN);
    EXPECT_EQ(2, Game().GetSkill());
    Key(platform::VK_DOWN);
    EXPECT_EQ(2, Game().GetSkill());
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_LEVEL, Screen());
}

TEST_F(SkillScreen, MenuMusicStopsOnTheFirstFrame)
{
    ToMenu();
    ASSERT_TRUE(Playing("MENU"));
    Click(30, 110);
    for (int n = 0; n < 200 && Screen() != CMainFrame::SCREEN_SKILL_LEVEL; ++n)
        Frame();
    ASSERT_EQ(CMainFrame::SCREEN_SKILL_LEVEL, Screen());
    Frame();
    EXPECT_FALSE(Playing("MENU"));
}

struct ChosenSkill {
    int skill;
    double playAfterMs; // a chain of n entries lasts about 250 + 175 (n - 1) ms
};

class SkillChosen : public SkillScreen, public testing::WithParamInterface<ChosenSkill> { };

TEST_P(SkillChosen, WordFadesOutThenLevelOneStartsAtItsSpeed)
{
    const ChosenSkill chosen = GetParam();
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    Game().SetSkill(chosen.skill);
    Key(platform::VK_RETURN);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_CHOSEN, Screen());
    EXPECT_EQ(chosen.skill, Game().GetPicker().GetSkill());
    Frame(kFrameMs);
    // Enter on the fading word starts nothing again.
    Key(platform::VK_RETURN);
    EXPECT_NEAR(chosen.playAfterMs, kFrameMs + TimeToPlay(), 50.0);
    ASSERT_EQ(CMainFrame::SCREEN_PLAY, Screen());
    EXPECT_EQ(CGameMngr::kLevelIntro, Game().GetState());
    const t_levelSettings first = CGameMngr::LevelSettings(1, chosen.skill);
    EXPECT_FLOAT_EQ(first.patternSpeed, Game().GetPicker().GetPatternSpeed());
    EXPECT_EQ(chosen.skill, Game().GetSkill());
    // Play then runs the level intro into the game itself.
    Frames(100);
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
}

INSTANTIATE_TEST_SUITE_P(EachSkill, SkillChosen,
    testing::Values(ChosenSkill{0, 775.0}, ChosenSkill{1, 1125.0}, ChosenSkill{2, 775.0}),
    [](const testing::TestParamInfo<ChosenSkill>& info) { return std::to_string(info.param.skill); });

TEST_F(SkillScreen, NormalFadesFromBothEndsAndWaitsForItsSpareEntries)
{
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    Key(platform::VK_RETURN);
    // N first; O and L share the next entry, R and A the one after; M last.
    Frames(12, kFrameMs);
    EXPECT_LT(frame->LetterFade(0), 0.3f);
    EXPECT_GT(frame->LetterFade(1), 0.8f);
    EXPECT_FLOAT_EQ(1.0f, frame->LetterFade(2));
    Frames(48, kFrameMs);
    EXPECT_LE(frame->LetterFade(3), 0.0f);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_CHOSEN, Screen()) << "every letter is out, entries 4 and 5 still run";
}

TEST_F(SkillScreen, ChosenWordIsLitThenGone)
{
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    Game().SetSkill(0);
    Frame();
    // Letters are drawn additively over the field: lit, they brighten its red.
    auto brightness = [this] {
        int sum = 0;
        for (int x = 200; x < 264; x += 2)
            for (int y = 150; y < 166; y += 2)
                sum += static_cast<int>(Pixel(x, y) >> 16);
        return sum;
    };
    const int lit = brightness();
    Key(platform::VK_RETURN);
    Frames(48, kFrameMs);
    const int faded = brightness();
    EXPECT_GT(lit, faded + 1000);
}

} // namespace
