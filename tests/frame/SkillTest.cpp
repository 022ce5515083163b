#include "ScreenFixture.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

    // The arrow's place in window pixels: the middle of the orange it adds left
    // of the skill words and below the title, where the field has no green.
    void ArrowAt(double& x, double& y) const
    {
        const Picture shot = LastFrame();
        double sum = 0.0, sumX = 0.0, sumY = 0.0;
        for (int py = 125; py < 290; ++py)
            for (int px = 100; px < 200; ++px) {
                const double green = (shot.At(px, py) >> 8) & 0xFF;
                sum += green;
                sumX += green * px;
                sumY += green * py;
            }
        ASSERT_GT(sum, 1000.0) << "no arrow";
        x = sumX / sum;
        y = sumY / sum;
    }
    // Units at the arrow's depth of 8, in pixels of the 45-degree view 480 rows high.
    static double Pixels(double units) { return units * 240.0 / (8.0 * std::tan(std::numbers::pi / 8.0)); }
    static double RowOfHeight(double height) { return 240.0 - Pixels(height); }
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

// The arrow stands beside the lit word and swings sideways half a unit, 300 ms
// each way, through changes of choice; once a skill is chosen it stands still.
TEST_F(SkillScreen, ArrowFollowsTheChoiceAndSwingsUntilASkillIsChosen)
{
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    const double heights[] = {1.125, 0.57, 0.0};
    std::vector<double> xs;
    for (int n = 0; n < 60; ++n) {
        if (n == 20)
            Key(platform::VK_UP);
        if (n == 40) {
            Key(platform::VK_DOWN);
            Key(platform::VK_DOWN);
        }
        Frame(kFrameMs);
        double x = 0.0, y = 0.0;
        ASSERT_NO_FATAL_FAILURE(ArrowAt(x, y));
        EXPECT_NEAR(RowOfHeight(heights[Game().GetSkill()]), y, 1.5) << "frame " << n;
        if (!xs.empty()) {
            EXPECT_NEAR(xs.back(), x, 2.5) << "frame " << n << ": the swing goes on smoothly";
        }
        xs.push_back(x);
    }
    const auto [left, right] = std::minmax_element(xs.begin(), xs.end());
    EXPECT_NEAR(Pixels(0.5), *right - *left, 1.5);
    std::vector<size_t> turns;
    double direction = 0.0;
    for (size_t n = 1; n < xs.size(); ++n) {
        const double step = xs[n] - xs[n - 1];
        if (std::abs(step) < 0.5)
            continue;
        if (direction != 0.0 && (step > 0.0) != (direction > 0.0))
            turns.push_back(n);
        direction = step;
    }
    ASSERT_EQ(3u, turns.size()) << "a second of swinging turns three times";
    for (size_t k = 1; k < turns.size(); ++k)
        EXPECT_NEAR(300.0, (turns[k] - turns[k - 1]) * kFrameMs, 1.5 * kFrameMs) << "from one end to the other";

    Key(platform::VK_RETURN);
    Frame(kFrameMs);
    double stillX = 0.0, stillY = 0.0;
    ASSERT_NO_FATAL_FAILURE(ArrowAt(stillX, stillY));
    for (int n = 0; n < 30; ++n) {
        Frame(kFrameMs);
        ASSERT_EQ(CMainFrame::SCREEN_SKILL_CHOSEN, Screen());
        double x = 0.0, y = 0.0;
        ASSERT_NO_FATAL_FAILURE(ArrowAt(x, y));
        EXPECT_NEAR(stillX, x, 0.1);
        EXPECT_NEAR(RowOfHeight(0.0), y, 1.5);
    }
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
    // The ring was dealt before the speed was set: until its next highlight
    // each piece rises at the reset picker's 300 ms.
    for (int i = 0; i < CPicker::kNumSpokes; ++i) {
        CLinearInterpolation rise = Game().GetPicker().GetSpoke(i).colourRamp;
        rise.Interpolate(150.0f);
        EXPECT_FLOAT_EQ(0.5f, rise.GetValue()) << "spoke " << i;
    }
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
