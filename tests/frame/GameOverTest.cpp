#include "ScreenFixture.h"

namespace {

class GameOver : public ScreenFixture {
protected:
    // Plays a game at skill until it is lost: a few pattern pieces for a
    // score, then wrong colours until twenty mutations have piled up.
    void LoseGame(int skill, int patterns = 3)
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay(skill));
        CPicker& picker = Game().GetPicker();
        for (int i = 0; i < patterns; ++i)
            Collect(CPicker::kFirstPattern);
        while (picker.GetCountMutations() < CGameMngr::kMutationsToLose)
            Collect(picker.GetNextColor() % 4 + 1);
        Frame();
        ASSERT_EQ(CMainFrame::SCREEN_GAME_OVER, Screen());
    }
    void Collect(int type)
    {
        CPicker& picker = Game().GetPicker();
        picker.SetSpokeType(picker.GetCurrentSpoke(), type);
        picker.ClearDeselect();
    }

    std::string RowName(int row) const { return frame->RowName(row); }
};

TEST_F(GameOver, NameIsTypedUpperCaseAndEditedWithSpaceAndBackspace)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(1));
    Type("ab");
    EXPECT_EQ("AB", frame->NameEntered());
    EXPECT_EQ(150 + 2 * 16, frame->CursorX());
    Key(platform::VK_BACK);
    EXPECT_EQ("A ", frame->NameEntered());
    EXPECT_EQ(150 + 16, frame->CursorX());
    Type("c-!. ");
    EXPECT_EQ("AC", frame->NameEntered()) << "punctuation and blanks typed as characters are ignored";
    Key(platform::VK_SPACE);
    Type("9");
    EXPECT_EQ("AC 9", frame->NameEntered());
    EXPECT_EQ(150 + 4 * 16, frame->CursorX());
    for (int i = 0; i < 6; ++i)
        Key(platform::VK_BACK);
    EXPECT_EQ(0, frame->NameLength());
    EXPECT_EQ(150, frame->CursorX());
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_GAME_OVER, Screen()) << "letters on this screen are only name characters";
}

TEST_F(GameOver, NameHoldsElevenCharactersAndTheTwelfthSoundsTheEnd)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(1));
    Type("ABCDEFGHIJK");
    ASSERT_EQ(11, frame->NameLength());
    Sound().StopBuffer("END");
    Type("L");
    EXPECT_TRUE(Playing("END"));
    Key(platform::VK_SPACE);
    EXPECT_EQ("ABCDEFGHIJK", frame->NameEntered());
    EXPECT_EQ(150 + 11 * 16, frame->CursorX());
}

TEST_F(GameOver, EnterRecordsIntoThePlayedSkillsTableAndSavesIt)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(0));
    const int32_t score = static_cast<int32_t>(Game().GetPicker().GetScore());
    ASSERT_GT(score, 0);
    Type("Zed");
    Key(platform::VK_SPACE);
    Key(platform::VK_RETURN);

    EXPECT_EQ(CMainFrame::SCREEN_SCORES_EASY, Screen());
    EXPECT_EQ("ZED ", RowName(0));
    EXPECT_EQ(score, frame->RowScore(0));
    EXPECT_EQ(1, frame->RowLevel(0));
    for (int row = 1; row < CScore::kRows; ++row) {
        EXPECT_EQ("ZANTRIVEL", RowName(row));
        EXPECT_EQ(0, frame->RowScore(row));
        EXPECT_EQ(0, frame->RowLevel(row));
    }
    // A new game: NORMAL again, no name typed.
    EXPECT_EQ(1, Game().GetSkill());
    EXPECT_EQ(CGameMngr::kIdle, Game().GetState());
    EXPECT_EQ(0, frame->NameLength());
    EXPECT_EQ(150, frame->CursorX());

    // Written at once, before any shutdown.
    CScore stored;
    stored.Load();
    CScore::DisplayName name;
    int32_t storedScore = 0, level = 0;
    stored.SetMenuEasy(0, name, storedScore, level);
    EXPECT_STREQ("ZED ", name);
    EXPECT_EQ(score, storedScore);
    stored.SetMenuNormal(0, name, storedScore, level);
    EXPECT_EQ(0, storedScore) << "only the played skill's table takes the result";
}

TEST_F(GameOver, PagesFollowFromThePlayedSkillBackToTheMenu)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(1));
    Key(platform::VK_RETURN);
    ASSERT_EQ(CMainFrame::SCREEN_SCORES_NORMAL, Screen());
    EXPECT_EQ(" ", RowName(0)) << "a name committed without typing is one blank";
    EXPECT_GT(frame->RowScore(0), 0);
    Frame();
    Click(600, 400);
    EXPECT_EQ(CMainFrame::SCREEN_SCORES_HARD, Screen());
    EXPECT_EQ("ZANTRIVEL", RowName(0));
    EXPECT_EQ(0, frame->RowScore(0));
    Frame();
    Click(10, 10);
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
}

TEST_F(GameOver, LowScoreShowsThePlayedSkillsPageUnchanged)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(2, 0));
    ASSERT_LT(Game().GetPicker().GetScore(), 0);
    Key(platform::VK_RETURN);
    EXPECT_EQ(CMainFrame::SCREEN_SCORES_HARD, Screen());
    for (int row = 0; row < CScore::kRows; ++row)
        EXPECT_EQ("ZANTRIVEL", RowName(row));
}

TEST_F(GameOver, CursorPulsesInSolidGreenOverTheField)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(1));
    Type("AB");
    const int x = 150 + 2 * 16 + 8, y = 170 + 8;
    uint32_t brightest = 0;
    uint32_t darkest = 0xFF00;
    for (int n = 0; n < 40; ++n) {
        Frame();
        const uint32_t pixel = Pixel(x, y);
        EXPECT_EQ(0u, pixel & 0xFF00FF) << "no red or blue of the field shows through";
        brightest = std::max(brightest, pixel & 0xFF00);
        darkest = std::min(darkest, pixel & 0xFF00);
    }
    EXPECT_GT(brightest, 0xC000u);
    EXPECT_LT(darkest, 0x3000u);
}

} // namespace
