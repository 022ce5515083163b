#include "GameMngrFixture.h"
#include "TextureFiles.h"

#include <algorithm>
#include <climits>

namespace {

TEST(GameMngrLevels, EverySkillFollowsItsTableAndLaterLevelsKeepTheFixedRow)
{
    // Rows for levels 1 to 20, then the one row for 21 and above.
    const int patterns[21][3] = {{0, 0, 0}, {0, 0, 1}, {0, 1, 2}, {1, 2, 3}, {1, 2, 3}, {2, 3, 4}, {2, 3, 5}, {3, 4, 6},
        {3, 4, 6}, {4, 5, 7}, {4, 5, 7}, {5, 6, 8}, {5, 6, 8}, {6, 7, 9}, {6, 7, 9}, {7, 8, 10}, {7, 8, 10}, {7, 9, 11},
        {8, 9, 11}, {8, 10, 12}, {8, 10, 12}};
    const float speeds[21][3] = {{400.0f, 350.0f, 300.0f}, {387.5f, 337.5f, 288.75f}, {375.0f, 325.0f, 277.5f},
        {362.5f, 312.5f, 266.25f}, {350.0f, 300.0f, 255.0f}, {337.5f, 287.5f, 243.75f}, {325.0f, 275.0f, 232.5f},
        {312.5f, 262.5f, 221.25f}, {300.0f, 250.0f, 210.0f}, {287.5f, 237.5f, 198.75f}, {275.0f, 225.0f, 187.5f},
        {262.5f, 212.5f, 176.25f}, {250.0f, 200.0f, 165.0f}, {237.5f, 187.5f, 153.75f}, {225.0f, 175.0f, 142.5f},
        {212.5f, 162.5f, 131.25f}, {200.0f, 150.0f, 120.0f}, {187.5f, 137.5f, 108.75f}, {175.0f, 125.0f, 97.5f},
        {162.5f, 112.5f, 86.25f}, {150.0f, 100.0f, 75.0f}};
    for (int skill = 0; skill < 3; ++skill) {
        for (int level : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 35, INT_MAX}) {
            const int row = std::min(level, 21) - 1;
            const t_levelSettings settings = CGameMngr::LevelSettings(level, skill);
            EXPECT_EQ(patterns[row][skill], settings.numPatterns) << "level " << level << " skill " << skill;
            EXPECT_EQ(speeds[row][skill], settings.patternSpeed) << "level " << level << " skill " << skill;
        }
    }
}

TEST(GameMngrSkill, OnlyTheThreeSkillsOfTheLevelTableAreTaken)
{
    CGameMngr gm;
    EXPECT_EQ(1, gm.GetSkill());
    gm.SetSkill(0);
    EXPECT_EQ(0, gm.GetSkill());
    gm.SetSkill(2);
    EXPECT_DEBUG_DEATH(gm.SetSkill(3), "");
    EXPECT_DEBUG_DEATH(gm.SetSkill(-1), "");
    EXPECT_EQ(2, gm.GetSkill());
}

using GameMngr = GameMngrFixture;

TEST_F(GameMngr, ClearStartsANewNormalGameAtLevelOneWhateverCameBefore)
{
    StartPlay(2);
    for (int n = 0; n < 20; ++n)
        m_gm->GetDNA().addMolecule(CDNA::kMutation);
    Picker().AddToScore(700);
    Picker().SetIsDNAFull(1);
    Frame(20);
    ASSERT_EQ(2, m_gm->GetLevel());
    Frame(500);
    m_gm->SetState(CGameMngr::kPaused);
    Frame(500);

    m_gm->Clear();
    EXPECT_EQ(CGameMngr::kIdle, m_gm->GetState());
    EXPECT_EQ(1, m_gm->GetLevel());
    EXPECT_EQ(1, m_gm->GetSkill());
    EXPECT_EQ(1, Picker().GetLevel());
    EXPECT_EQ(0, Picker().GetScore());
    EXPECT_EQ(0, m_gm->GetDNA().FindEmptyDNAIndex());
    EXPECT_EQ(0.0f, m_gm->GetFadeValue());
    EXPECT_EQ(1.0f, m_gm->GetSpinAngle());
}

TEST_F(GameMngr, LevelFadesInForOneAndAHalfSecondsThenTheHighlightStarts)
{
    StartLevelOne();
    uint32_t dimBox = 0;
    for (int ms = 50; ms <= 1450; ms += 50) {
        Frame(50);
        ASSERT_EQ(CGameMngr::kLevelIntro, m_gm->GetState()) << ms << " ms";
        for (int i = 0; i < CPicker::kNumSpokes; ++i) {
            EXPECT_FLOAT_EQ(m_gm->GetFadeValue(), Picker().GetSpoke(i).colour);
            EXPECT_EQ(0, Picker().GetSpoke(i).isSelected);
        }
        if (ms == 1000) {
            // "DNA SECTION:" and the level number, in clamped orange.
            EXPECT_EQ(0xFFu, Red(m_gl.Pixel(83, 158)));
            EXPECT_NEAR(61, Green(m_gl.Pixel(83, 158)), 2);
            EXPECT_NEAR(61, Green(m_gl.Pixel(298, 158)), 2);
            EXPECT_EQ(0u, Green(m_gl.Pixel(314, 158)));
            dimBox = m_gl.Pixel(380, 40);
        }
    }
    // The next-colour box shows once the ring is bright enough.
    EXPECT_NE(dimBox, m_gl.Pixel(380, 40));

    Frame(50);
    Frame(50);
    ASSERT_EQ(CGameMngr::kPlay, m_gm->GetState());
    int selected = 0;
    for (int i = 0; i < CPicker::kNumSpokes; ++i)
        selected += Picker().GetSpoke(i).isSelected;
    EXPECT_EQ(1, selected);
    EXPECT_EQ(1, Picker().GetSpoke(Picker().GetCurrentSpoke()).isSelected);

    Frame(20);
    EXPECT_EQ(0u, Green(m_gl.Pixel(83, 158)));
}

TEST_F(GameMngr, TwentiethMutationEndsTheGameInItsOwnFrameWithoutAScoreLine)
{
    StartPlay();
    for (int n = 0; n < CGameMngr::kMutationsToLose - 1; ++n) {
        Picker().SetSpokeType(Picker().GetCurrentSpoke(), WrongColour());
        Picker().ClearDeselect();
    }
    ASSERT_EQ(19, Picker().GetCountMutations());
    Frame(20);
    EXPECT_LT(0u, Green(m_gl.Pixel(14, 474)));

    Picker().SetSpokeType(Picker().GetCurrentSpoke(), WrongColour());
    ASSERT_EQ(1, Picker().Select());
    ASSERT_EQ(1, Picker().Confirm());
    for (int n = 0; n < 40 && Picker().GetCountMutations() < 20; ++n) {
        ASSERT_EQ(kScreenPlay, m_screen);
        ASSERT_EQ(CGameMngr::kPlay, m_gm->GetState());
        Frame(100);
    }
    ASSERT_EQ(20, Picker().GetCountMutations());
    EXPECT_EQ(CGameMngr::kScreenGameOver, m_screen);
    EXPECT_EQ(CGameMngr::kIdle, m_gm->GetState());
    for (int i = 0; i < CPicker::kNumSpokes; ++i)
        EXPECT_EQ(0, Picker().GetSpoke(i).isSelected);
    EXPECT_EQ(0u, Green(m_gl.Pixel(14, 474)));

    // Behind the game-over screen the field goes on, with its score line.
    m_screen = 999;
    Frame(20);
    EXPECT_EQ(999, m_screen);
    EXPECT_EQ(CGameMngr::kIdle, m_gm->GetState());
    EXPECT_LT(0u, Green(m_gl.Pixel(14, 474)));
}

// The frames of a level end: "SECTION COMPLETE" or "WAIT..." at the 'M'
// of COMPLETE, "1000 BONUS" at its last '0'.
struct LevelEndSeen {
    bool sectionComplete = false;
    bool wait = false;
    bool bonus = false;
    int ms = 0;
};

class LevelEnd : public GameMngrFixture {
protected:
    // Ends level 1 of a game at `skill` with the strand, the score and the
    // purify flag given, and runs the fade-out through.
    LevelEndSeen EndLevel(int skill, const std::vector<int>& strand, long score, int purify)
    {
        LevelEndSeen seen;
        StartPlay(skill);
        for (int v : strand)
            m_gm->GetDNA().addMolecule(v);
        Picker().AddToScore(score);
        Picker().SetPattern(53);
        Picker().SetIsPurifyRoundActive(purify);
        Picker().SetIsDNAFull(1);
        Frame(20);
        EXPECT_EQ(CGameMngr::kLevelEnd, m_gm->GetState());
        EXPECT_EQ(2, m_gm->GetLevel());
        EXPECT_EQ(2, Picker().GetLevel());
        EXPECT_EQ(0, Picker().GetIsDNAFull());
        Frame(50);
        const uint32_t message = m_gl.Pixel(243, 158);
        seen.sectionComplete = Green(message) > 50 && Red(message) == 0xFF;
        seen.wait = Green(m_gl.Pixel(83, 158)) > 50 && !seen.sectionComplete;
        seen.bonus = Green(m_gl.Pixel(180, 115)) > 150;
        for (seen.ms = 50; m_gm->GetState() == CGameMngr::kLevelEnd && seen.ms < 3000; seen.ms += 50) {
            EXPECT_EQ(score, Picker().GetScore());
            Frame(50);
        }
        return seen;
    }

    static std::vector<int> Strand(int mutations)
    {
        std::vector<int> strand(CDNA::kNumMolecules, 3);
        std::fill(strand.begin(), strand.begin() + mutations, CDNA::kMutation);
        return strand;
    }

    int PatternPieces()
    {
        int count = 0;
        for (int i = 0; i < CPicker::kNumSpokes; ++i)
            count += Picker().GetSpoke(i).type >= CPicker::kFirstPattern ? 1 : 0;
        return count;
    }
};

TEST_F(LevelEnd, CleanStrandFadesOutWithTheBonusAndDealsTheNextLevel)
{
    const LevelEndSeen seen = EndLevel(2, Strand(0), 250, 0);
    EXPECT_TRUE(seen.sectionComplete);
    EXPECT_TRUE(seen.bonus);
    EXPECT_GT(seen.ms, 1450);
    EXPECT_LE(seen.ms, 1550);

    EXPECT_EQ(CGameMngr::kLevelIntro, m_gm->GetState());
    EXPECT_EQ(1250, Picker().GetScore());
    EXPECT_EQ(0, m_gm->GetDNA().FindEmptyDNAIndex());
    EXPECT_EQ(CPicker::kPatternRandom, Picker().GetPattern());
    EXPECT_EQ(288.75f, Picker().GetPatternSpeed());
    // Dealt before the new speed was set: each piece's first highlight keeps level 1's 300 ms.
    for (int i = 0; i < CPicker::kNumSpokes; ++i) {
        CLinearInterpolation rise = Picker().GetSpoke(i).colourRamp;
        rise.Interpolate(150.0f);
        EXPECT_FLOAT_EQ(0.5f, rise.GetValue()) << "spoke " << i;
    }
    EXPECT_EQ(1, PatternPieces());
    EXPECT_EQ(0.0f, m_gm->GetFadeValue());
    EXPECT_NE(0, Picker().GetNextColor());

    ASSERT_TRUE(RunWhile(CGameMngr::kLevelIntro));
    EXPECT_EQ(CGameMngr::kPlay, m_gm->GetState());
}

TEST_F(LevelEnd, BonusNeedsACleanStrandAndAScore)
{
    const LevelEndSeen unscored = EndLevel(0, Strand(0), 0, 0);
    EXPECT_TRUE(unscored.sectionComplete);
    EXPECT_TRUE(unscored.bonus);
    EXPECT_EQ(0, Picker().GetScore());

    // A bomb ended the purify round with a mutation left.
    const LevelEndSeen bombed = EndLevel(1, Strand(1), 900, 1);
    EXPECT_TRUE(bombed.wait);
    EXPECT_FALSE(bombed.sectionComplete);
    EXPECT_FALSE(bombed.bonus);
    EXPECT_EQ(900, Picker().GetScore());
    EXPECT_EQ(0, Picker().GetIsPurifyRoundActive());
    EXPECT_EQ(0, m_gm->GetDNA().FindEmptyDNAIndex());

    // Every mutation repaired: clean after all.
    const LevelEndSeen repaired = EndLevel(1, Strand(0), 900, 1);
    EXPECT_TRUE(repaired.wait);
    EXPECT_TRUE(repaired.bonus);
    EXPECT_EQ(1900, Picker().GetScore());
}

TEST_F(GameMngr, QuitPromptKeepsTheFieldMovingWithoutMissesAndPauseFreezesIt)
{
    StartPlay();
    m_gm->SetState(CGameMngr::kQuitPrompt);
    const float spin = m_gm->GetSpinAngle();
    Frame(100);
    EXPECT_NEAR(spin + 100.0f * 359.0f / 15000.0f, m_gm->GetSpinAngle(), 0.01f);
    int current = Picker().GetCurrentSpoke();
    int moves = 0;
    for (int n = 0; n < 200; ++n) {
        Frame(100);
        moves += Picker().GetCurrentSpoke() != current ? 1 : 0;
        current = Picker().GetCurrentSpoke();
    }
    EXPECT_GT(moves, 15);
    EXPECT_EQ(0, Picker().GetMisses());
    EXPECT_EQ(0, Picker().GetCountMutations());
    EXPECT_EQ(CPicker::kRunning, Picker().GetState());

    m_gm->SetState(CGameMngr::kPaused);
    const float paused = m_gm->GetSpinAngle();
    Frame(100);
    EXPECT_EQ(paused, m_gm->GetSpinAngle());
    const float highlight = Picker().GetSpoke(current).colour;
    for (int n = 0; n < 20; ++n) {
        Frame(100);
        EXPECT_EQ(paused, m_gm->GetSpinAngle());
        EXPECT_EQ(current, Picker().GetCurrentSpoke());
        EXPECT_EQ(highlight, Picker().GetSpoke(current).colour);
    }
    EXPECT_EQ(0, Picker().GetMisses());

    m_gm->SetState(CGameMngr::kPlay);
    Frame(100);
    Frame(100);
    EXPECT_GT(m_gm->GetSpinAngle(), paused);
}

TEST_F(GameMngr, PurifyMusicTakesOverFromThePurifyFadeInUntilTheRoundIsOver)
{
    auto playing = [this](const char* key) { return m_sound->IsBufferPlaying(key); };
    Frame(20);
    EXPECT_TRUE(playing("LEVEL"));
    EXPECT_FALSE(playing("PURIFY"));

    // The level music loops: once over, it is asked for again.
    PlaySounds(1100);
    ASSERT_FALSE(playing("LEVEL"));
    Frame(20);
    EXPECT_TRUE(playing("LEVEL"));

    Picker().SetIsPurifyRoundActive(1);
    Picker().SetState(CPicker::kSectionComplete);
    Frame(20);
    EXPECT_TRUE(playing("LEVEL"));
    EXPECT_FALSE(playing("PURIFY"));

    for (int state : {CPicker::kPurifyIn, CPicker::kRunning, CPicker::kSelected, CPicker::kConfirmed}) {
        Picker().SetState(state);
        Frame(20);
        EXPECT_TRUE(playing("PURIFY")) << "picker state " << state;
        EXPECT_FALSE(playing("LEVEL")) << "picker state " << state;
    }

    Picker().SetIsPurifyRoundActive(0);
    Picker().SetState(CPicker::kRunning);
    Frame(20);
    EXPECT_TRUE(playing("LEVEL"));
    EXPECT_FALSE(playing("PURIFY"));
}

TEST_F(GameMngr, MusicCanBeStoppedAndReleased)
{
    Frame(20);
    ASSERT_TRUE(m_sound->IsBufferPlaying("LEVEL"));
    m_gm->StopLevelSound();
    EXPECT_FALSE(m_sound->IsBufferPlaying("LEVEL"));

    m_gm->KillSoundBuffers();
    EXPECT_EQ(nullptr, m_sound->Buffers().at("LEVEL").buffer);
    EXPECT_EQ(nullptr, m_sound->Buffers().at("PURIFY").buffer);
    m_gm->SetVolume(0.5f);
    Frame(20);
    EXPECT_FALSE(m_sound->IsBufferPlaying("LEVEL"));
}

TEST_F(GameMngr, BackgroundFillsTheViewBehindTheFieldAndTheScoreSitsBottomLeft)
{
    Frame(20);
    // Red fades out upwards; blue comes in upwards on the left and is full on the right.
    const uint32_t topLeft = m_gl.Pixel(2, 2), bottomLeft = m_gl.Pixel(2, 477);
    const uint32_t topRight = m_gl.Pixel(637, 2), bottomRight = m_gl.Pixel(637, 477);
    EXPECT_LT(Red(topLeft), 64u);
    EXPECT_GT(Blue(topLeft), 190u);
    EXPECT_GT(Red(bottomLeft), 190u);
    EXPECT_LT(Blue(bottomLeft), 64u);
    EXPECT_LT(Red(topRight), 64u);
    EXPECT_GT(Blue(topRight), 230u);
    EXPECT_GT(Red(bottomRight), 190u);
    EXPECT_GT(Blue(bottomRight), 230u);
    for (uint32_t corner : {topLeft, bottomLeft, topRight, bottomRight})
        EXPECT_EQ(0u, Green(corner));

    // The score in 32-pixel glyphs from (10, 445): green at the bottom, none past its last digit.
    EXPECT_GT(Green(m_gl.Pixel(14, 474)), 200u);
    EXPECT_EQ(0u, Green(m_gl.Pixel(14, 440)));
    EXPECT_EQ(0u, Green(m_gl.Pixel(46, 474)));
    Picker().AddToScore(12345);
    Frame(20);
    EXPECT_GT(Green(m_gl.Pixel(142, 474)), 200u);
    EXPECT_EQ(0u, Green(m_gl.Pixel(178, 474)));

    // A state of no meaning draws nothing but the score.
    m_gm->SetState(205);
    Frame(20);
    EXPECT_EQ(0u, m_gl.Pixel(2, 2));
    EXPECT_GT(Green(m_gl.Pixel(14, 474)), 200u);

    // The background's own picture tints the colours.
    WriteTextureFile({SolidRecord("LEVELBACK", 4, 4, 0x000000)});
    m_texture.Load();
    m_gm->SetState(CGameMngr::kIdle);
    Frame(20);
    EXPECT_EQ(0u, m_gl.Pixel(2, 2));
    EXPECT_EQ(0u, m_gl.Pixel(637, 477));
}

} // namespace
