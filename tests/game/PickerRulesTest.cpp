#include "PickerFixture.h"

namespace {

using Rules = PickerFixture;

TEST_F(Rules, NextColourScoresByLevelBandAndSkillWithTheFirstPassBonus)
{
    const int base[3] = {10, 50, 100};
    const int bonus[3][3] = {{50, 100, 150}, {75, 150, 200}, {100, 200, 300}};
    const int levels[] = {1, 5, 6, 10, 11, 21};
    for (int skill = 0; skill < 3; ++skill) {
        for (int level : levels) {
            const int band = level <= 5 ? 0 : level <= 10 ? 1 : 2;
            m_picker->SetSkill(skill);
            m_picker->SetLevel(level);
            long before = m_picker->GetScore();
            m_picker->AdjustScore();
            EXPECT_EQ(base[skill] * (band + 1) + bonus[band][skill], m_picker->GetScore() - before)
                << "skill " << skill << " level " << level;

            Ring({1});
            m_picker->SetPattern(52);
            PassHighlight();
            ASSERT_EQ(1, m_picker->GetMisses());
            before = m_picker->GetScore();
            m_picker->AdjustScore();
            EXPECT_EQ(base[skill] * (band + 1), m_picker->GetScore() - before);
            EXPECT_EQ(0, m_picker->GetMisses());
        }
    }
}

TEST_F(Rules, EveryOtherPieceScoresBySkillAndTheScoreMayGoNegative)
{
    const long penalty[3] = {-5, -10, -15};
    const long pattern[3] = {100, 200, 300};
    const long purifier[3] = {50, 100, 500};
    const long bomb[3] = {-50, -100, -1000};
    for (int skill = 0; skill < 3; ++skill) {
        m_picker->Clear();
        m_dna->Clear();
        m_picker->SetSkill(skill);
        Ring({2});
        EXPECT_EQ(penalty[skill], Collect(0));
        EXPECT_EQ(penalty[skill], m_picker->GetScore());
        EXPECT_EQ(penalty[skill], Collect(3));
        EXPECT_EQ(pattern[skill], Collect(8));
        EXPECT_EQ(purifier[skill], Collect(6));
        EXPECT_EQ(bomb[skill], Collect(5));
    }
}

TEST_F(Rules, WrongColourAddsAMutationAndKeepsMissesAndTheNextColour)
{
    Ring({2});
    m_picker->SetPattern(52);
    PassHighlight();
    ASSERT_EQ(1, m_picker->GetMisses());
    const int spoke = m_picker->GetCurrentSpoke();
    Collect(3);
    EXPECT_EQ(-1, m_dna->GetMolecule(0));
    EXPECT_EQ(1, m_picker->GetCountMutations());
    EXPECT_EQ(1, m_picker->GetMisses());
    EXPECT_EQ(2, m_picker->GetNextColor());
    EXPECT_EQ(0, m_picker->GetSpoke(spoke).type);
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
    EXPECT_EQ((spoke + 1) % 20, m_picker->GetCurrentSpoke());
    EXPECT_EQ(1, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).isSelected);
}

TEST_F(Rules, SelectConfirmAndCollectTheNextColour)
{
    m_picker->SetSkill(1);
    Ring({2});
    EXPECT_EQ(0, m_picker->Confirm());
    ASSERT_EQ(1, m_picker->Select());
    EXPECT_EQ(0, m_picker->Select());
    EXPECT_TRUE(m_sound->IsBufferPlaying("SELECT"));
    EXPECT_FALSE(m_picker->GetMutationSoundIsPlaying());
    Frame(275);
    EXPECT_NEAR(75.0f, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).distance, 0.01f);
    Frame(500);
    EXPECT_EQ(0.0f, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).distance);
    EXPECT_EQ(0, m_picker->Confirm());
    PickAndCollect();
    EXPECT_EQ(150, m_picker->GetScore());
    EXPECT_EQ(2, m_dna->GetMolecule(0));
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
}

TEST_F(Rules, AWrongPieceWarnsAndCannotBeConfirmedUntilTheWarningEnds)
{
    m_sound->ReleaseBuffer("SELECT");
    Ring({2});
    SetCurrentType(4);
    ASSERT_EQ(1, m_picker->Select());
    EXPECT_TRUE(m_picker->GetMutationSoundIsPlaying());
    EXPECT_EQ(0, m_picker->Confirm());
    FinishSounds();
    EXPECT_EQ(1, m_picker->Confirm());
}

TEST_F(Rules, MissesCountOnlyTheNextColourAndTheLimitForcesAMutation)
{
    m_picker->SetPatternSpeed(400.0f);
    Ring({2, 0});
    m_picker->SetPattern(52);
    int passesOfNext = 0;
    for (int n = 0; n < 40 && m_picker->GetState() == CPicker::kRunning; ++n) {
        passesOfNext += m_picker->GetSpoke(m_picker->GetCurrentSpoke()).type == 2;
        PassHighlight();
        if (m_picker->GetState() == CPicker::kRunning) {
            EXPECT_EQ(passesOfNext, m_picker->GetMisses());
        }
    }
    ASSERT_EQ(CPicker::kSelected, m_picker->GetState());
    EXPECT_EQ(5, passesOfNext);
    EXPECT_EQ(2, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).type);
    EXPECT_TRUE(m_sound->IsBufferPlaying("SELECT"));
    EXPECT_TRUE(m_picker->GetMutationSoundIsPlaying());
    Frame(375);
    EXPECT_NEAR(75.0f, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).distance, 0.01f);

    PickAndCollect();
    EXPECT_EQ(-5, m_picker->GetScore());
    EXPECT_EQ(-1, m_dna->GetMolecule(0));
    EXPECT_EQ(1, m_picker->GetCountMutations());
    EXPECT_EQ(0, m_picker->GetMisses());
}

TEST_F(Rules, MissesAreNotCountedWhenTurnedOff)
{
    Ring({2});
    m_picker->SetPattern(52);
    m_picker->SetShouldCountMisses(0);
    for (int n = 0; n < 12; ++n)
        PassHighlight();
    EXPECT_EQ(0, m_picker->GetMisses());
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
}

TEST_F(Rules, ANewPatternReplacesTheActiveOneAndRestartsItsTimer)
{
    Ring({2});
    EXPECT_EQ(100, Collect(10));
    EXPECT_EQ(57, m_picker->GetPattern());
    SetFrameTime(1000);
    for (int n = 0; n < 10; ++n)
        m_picker->AdvancePatternTimer();
    EXPECT_NEAR(0.5f, m_picker->GetPatternTimerIntensity(), 1e-4f);
    Collect(13);
    EXPECT_EQ(56, m_picker->GetPattern());
    EXPECT_EQ(1.0f, m_picker->GetPatternTimerIntensity());
    for (int n = 0; n < 16; ++n)
        m_picker->AdvancePatternTimer();
    m_picker->EndPatternIfFaded();
    EXPECT_EQ(56, m_picker->GetPattern());
    m_picker->AdvancePatternTimer();
    m_picker->AdvancePatternTimer();
    m_picker->EndPatternIfFaded();
    EXPECT_EQ(50, m_picker->GetPattern());
}

class PurifyRound : public PickerFixture {
protected:
    PurifyRound()
    {
        FillStrand({1, 2, 3, -1, 4, 1, 2, -1, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2});
        m_picker->FillPurify();
        m_picker->StartPicker();
    }

    // Only the current spoke holds a purifier.
    void OnePurifier()
    {
        for (int i = 0; i < CPicker::kNumSpokes; ++i)
            m_picker->SetSpokeType(i, 5);
        SetCurrentType(6);
    }
};

TEST_F(PurifyRound, PurifiersRepairTheLowestMutationAndLeaveBombs)
{
    OnePurifier();
    m_picker->SetSpokeType((m_picker->GetCurrentSpoke() + 1) % 20, 6);
    const int spoke = m_picker->GetCurrentSpoke();
    EXPECT_EQ(50, Collect(6));
    EXPECT_GE(m_dna->GetMolecule(3), 1);
    EXPECT_LE(m_dna->GetMolecule(3), 4);
    EXPECT_EQ(-1, m_dna->GetMolecule(7));
    EXPECT_EQ(5, m_picker->GetSpoke(spoke).type);
    EXPECT_EQ(-1, m_picker->GetCountMutations());
    EXPECT_EQ(0, m_picker->GetIsDNAFull());

    OnePurifier();
    Collect(6);
    EXPECT_EQ(0, m_dna->GetNumMutations());
    EXPECT_EQ(1, m_picker->GetIsDNAFull());
}

TEST_F(PurifyRound, ABombEndsTheLevelWithTheMutationsLeft)
{
    EXPECT_EQ(-50, Collect(5));
    EXPECT_EQ(1, m_picker->GetIsDNAFull());
    EXPECT_EQ(2, m_dna->GetNumMutations());
    EXPECT_EQ(0, m_picker->GetCountMutations());
}

TEST_F(Rules, AFullStrandWithMutationsLeadsIntoThePurifyRound)
{
    FillStrand({1, 2, 3, -1, 4, 1, 2, 3, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1});
    Ring({3});
    Collect(3);
    EXPECT_EQ(CPicker::kSectionComplete, m_picker->GetState());
    EXPECT_EQ(1, m_picker->GetIsPurifyRoundActive());
    EXPECT_EQ(0, m_picker->GetIsDNAFull());
    for (int n = 0; n < 14; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kSectionComplete, m_picker->GetState());
    for (int n = 0; n < 3 && m_picker->GetState() == CPicker::kSectionComplete; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kPurifyIn, m_picker->GetState());
    EXPECT_EQ(1, m_picker->GetNumPurify());
    EXPECT_EQ(6, m_picker->GetNextColor());
    for (int n = 0; n < 16 && m_picker->GetState() == CPicker::kPurifyIn; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
    EXPECT_EQ(1, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).isSelected);
}

TEST_F(Rules, AMutationThatFillsTheStrandAlsoLeadsIntoThePurifyRound)
{
    FillStrand({1, 2, 3, 1, 4, 1, 2, 3, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1});
    Ring({3});
    Collect(4);
    EXPECT_EQ(CPicker::kSectionComplete, m_picker->GetState());
    EXPECT_EQ(1, m_picker->GetIsPurifyRoundActive());
}

TEST_F(Rules, ACleanFullStrandEndsTheLevel)
{
    FillStrand({1, 2, 3, 1, 4, 1, 2, 3, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4, 1});
    Ring({3});
    Collect(3);
    EXPECT_EQ(1, m_picker->GetIsDNAFull());
    EXPECT_EQ(0, m_picker->GetIsPurifyRoundActive());
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
}

TEST_F(Rules, TheLastColourOnTheRingBringsAFreshDealForTheSameStrand)
{
    Ring({3});
    for (int i = 0; i < CPicker::kNumSpokes; ++i)
        if (i != m_picker->GetCurrentSpoke())
            m_picker->SetSpokeType(i, 0);
    Collect(3);
    EXPECT_EQ(CPicker::kRefillOut, m_picker->GetState());
    EXPECT_EQ(3, m_picker->GetNextColor());
    for (int n = 0; n < 14; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kRefillOut, m_picker->GetState());
    for (int n = 0; n < 3 && m_picker->GetState() == CPicker::kRefillOut; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kRefillIn, m_picker->GetState());
    EXPECT_GE(m_picker->GetNextColor(), 1);
    for (int n = 0; n < 16 && m_picker->GetState() == CPicker::kRefillIn; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
    EXPECT_EQ(3, m_dna->GetMolecule(0));
    EXPECT_EQ(1, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).isSelected);
}

} // namespace
