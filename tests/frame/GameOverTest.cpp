#include "ScreenFixture.h"

#include <algorithm>
#include <array>
#include <filesystem>

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
    // The game manager runs on behind this screen, and with it the level music.
    ASSERT_TRUE(Playing("LEVEL"));
    Key(platform::VK_RETURN);
    EXPECT_FALSE(Playing("LEVEL"));

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
    Frame();
    EXPECT_FALSE(Playing("LEVEL"));
}

// The entry starts afresh after a recorded name, and the table is saved
// again when the game shuts down, after the save made by Enter.
TEST_F(GameOver, SecondGameEntersItsNameAfreshAndShutdownSavesAndReleasesEverything)
{
    ASSERT_NO_FATAL_FAILURE(LoseGame(1));
    Type("ABCDEFGHIJK");
    Key(platform::VK_RETURN);
    ASSERT_EQ("ABCDEFGHIJK", RowName(0));
    for (int n = 0; n < 3; ++n) {
        Frame();
        Click(600, 400);
    }
    ASSERT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());

    ASSERT_NO_FATAL_FAILURE(LoseGame(1));
    EXPECT_EQ(" ", frame->NameEntered());
    Type("q");
    Key(platform::VK_SPACE);
    Type("R");
    EXPECT_EQ("Q R", frame->NameEntered());
    EXPECT_EQ(150 + 3 * 16, frame->CursorX());
    Frame();
    const int32_t score = static_cast<int32_t>(Game().GetPicker().GetScore());
    Key(platform::VK_RETURN);
    ASSERT_EQ(CMainFrame::SCREEN_SCORES_NORMAL, Screen());
    int row = 0;
    while (row < CScore::kRows && RowName(row) != "Q R")
        ++row;
    ASSERT_LT(row, CScore::kRows);
    EXPECT_EQ(score, frame->RowScore(row));

    for (const char* key : kSoundKeys)
        ASSERT_TRUE(Sound().Buffers().at(key).buffer) << key;
    std::filesystem::remove("SCORES.VXR");
    frame->Scores().SetHard("LATE", 700, 3);
    frame->KillGLWindow();
    for (const char* key : kSoundKeys)
        EXPECT_FALSE(Sound().Buffers().at(key).buffer) << key << " is released";
    CScore stored;
    stored.Load();
    stored.SortNormal();
    stored.SortHard();
    CScore::DisplayName name;
    int32_t storedScore = 0, level = 0;
    stored.SetMenuHard(0, name, storedScore, level);
    EXPECT_STREQ("LATE", name) << "a result entered after the last Enter";
    int names = 0;
    for (int i = 0; i < CScore::kRows; ++i) {
        stored.SetMenuNormal(i, name, storedScore, level);
        names += std::string(name) == "Q R" || std::string(name) == "ABCDEFGHIJK";
    }
    EXPECT_EQ(2, names);
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

// The NORMAL page's background holds no red: every red pixel there is text.
TEST_F(GameOver, PagesListNameScoreAndLevelInTheirColumns)
{
    frame->Scores().SetNormal("WWWWWWWWWWW", 1234567, 12);
    frame->Scores().SortNormal();
    frame->Scores().SetNormal("MM", 40, 3);
    ToMenu();
    Click(30, 160);
    for (int n = 0; n < 100 && Screen() != CMainFrame::SCREEN_SCORES_EASY; ++n)
        Frame(50);
    Frame();
    Click(600, 400);
    ASSERT_EQ(CMainFrame::SCREEN_SCORES_NORMAL, Screen());
    frame->OnMouseMove(630, 470);
    Frame();
    // Each row: the name at 150, the score at 370, the level at 500 ("-" for 0); 16-pixel cells.
    struct Field {
        int x, glyphs;
    };
    auto fields = [](int row) -> std::array<Field, 3> {
        if (row == 0)
            return {{{150, 11}, {370, 7}, {500, 2}}};
        if (row == 1)
            return {{{150, 2}, {370, 2}, {500, 1}}};
        return {{{150, 9}, {370, 1}, {500, 1}}};
    };
    const Picture page = LastFrame();
    auto text = [&page](int x, int y) { return (page.At(x, y) >> 16) > 100; };
    auto inField = [&fields](int x, int y) {
        const int row = (y - 100) / 20;
        if (y < 100 || row >= CScore::kRows || (y - 100) % 20 >= 16)
            return false;
        for (const Field& field : fields(row))
            if (x >= field.x && x < field.x + 16 * field.glyphs)
                return true;
        return false;
    };
    int stray = 0;
    for (int y = 90; y < 310; ++y)
        for (int x = 100; x < 600; ++x)
            stray += text(x, y) && !inField(x, y);
    EXPECT_EQ(0, stray) << "text outside the rows' cells";
    for (int row = 0; row < CScore::kRows; ++row) {
        const int top = 100 + 20 * row;
        for (const Field& field : fields(row)) {
            int left = 640, right = -1, lines = 0;
            for (int y = top; y < top + 16; ++y) {
                bool any = false;
                for (int x = field.x; x < field.x + 16 * field.glyphs; ++x)
                    if (text(x, y)) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        any = true;
                    }
                lines += any;
            }
            EXPECT_LT(left, field.x + 8) << "row " << row << " at " << field.x << ": starts in its first cell";
            EXPECT_GE(right, field.x + 16 * (field.glyphs - 1)) << "row " << row << " at " << field.x;
            if (field.x == 500) {
                if (row < 2) {
                    EXPECT_GT(lines, 7) << "row " << row << ": a level is digits";
                } else {
                    EXPECT_LT(lines, 5) << "row " << row << ": level 0 is a dash";
                }
            }
        }
    }
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
