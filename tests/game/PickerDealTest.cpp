#include "PickerFixture.h"

#include <algorithm>
#include <set>

namespace {

using Deal = PickerFixture;

std::vector<int> Types(const CPicker& picker)
{
    std::vector<int> types;
    for (int i = 0; i < CPicker::kNumSpokes; ++i)
        types.push_back(picker.GetSpoke(i).type);
    return types;
}

// The pieces a deal draws before it shuffles them.
std::vector<int> DrawnPieces(unsigned seed, int patterns)
{
    srand(seed);
    std::vector<int> pieces;
    for (int i = 0; i < CPicker::kNumSpokes; ++i)
        pieces.push_back(rand() % 4 + 1);
    for (int i = 0; i < patterns; ++i)
        pieces[i] = rand() % 8 + 7;
    std::sort(pieces.begin(), pieces.end());
    return pieces;
}

TEST_F(Deal, PatternsAndColoursAreShuffledAndTheNextColourIsOnTheRing)
{
    m_picker->SetNumPatterns(12);
    srand(11);
    m_picker->FillSpokes();
    std::vector<int> types = Types(*m_picker);
    EXPECT_EQ(12, std::count_if(types.begin(), types.end(), [](int t) { return t >= 7 && t <= 14; }));
    EXPECT_EQ(8, std::count_if(types.begin(), types.end(), [](int t) { return t >= 1 && t <= 4; }));
    EXPECT_FALSE(std::all_of(types.begin(), types.begin() + 12, [](int t) { return t >= 7; }));
    EXPECT_NE(types.end(), std::find(types.begin(), types.end(), m_picker->GetNextColor()));
    EXPECT_EQ(0, m_picker->GetMisses());

    std::vector<int> sorted = types;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(DrawnPieces(11, 12), sorted);

    srand(11);
    m_picker->FillSpokes();
    EXPECT_EQ(types, Types(*m_picker));
}

TEST_F(Deal, MorePatternsThanPlacesFillTheRingWithoutColours)
{
    m_picker->SetNumPatterns(25);
    m_picker->FillSpokes();
    for (int t : Types(*m_picker))
        EXPECT_TRUE(t >= 7 && t <= 14) << t;
    EXPECT_EQ(CPicker::kRefillOut, m_picker->GetState());
}

TEST_F(Deal, NextColourIsEveryColourPresentAndNoOther)
{
    Ring({2, 0, 4, 9});
    std::set<int> seen;
    for (int n = 0; n < 200; ++n) {
        m_picker->PickNextColor();
        seen.insert(m_picker->GetNextColor());
    }
    EXPECT_EQ((std::set<int>{2, 4}), seen);
    EXPECT_EQ(CPicker::kRunning, m_picker->GetState());
}

TEST_F(Deal, RingWithoutColoursKeepsTheNextColourAndWaitsForADeal)
{
    Ring({3});
    Ring({0, 5, 7});
    EXPECT_EQ(-1, m_picker->GetAvailableMoleculeColor());
    EXPECT_EQ(CPicker::kRefillOut, m_picker->GetState());
    EXPECT_EQ(3, m_picker->GetNextColor());
}

TEST_F(Deal, PurifyRingHoldsOnePurifierPerMutation)
{
    FillStrand({1, -1, 2, 2, -1, 3, 4, 1, 1, 1, 2, 2, 3, 3, -1, 4, 4, 4, 1, 2});
    Ring({1});
    m_picker->SetPattern(52);
    PassHighlight();
    ASSERT_EQ(1, m_picker->GetMisses());
    m_picker->FillPurify();
    std::vector<int> types = Types(*m_picker);
    EXPECT_EQ(3, std::count(types.begin(), types.end(), 6));
    EXPECT_EQ(17, std::count(types.begin(), types.end(), 5));
    EXPECT_EQ(3, m_picker->GetNumPurify());
    EXPECT_EQ(6, m_picker->GetNextColor());
    EXPECT_EQ(1, m_picker->GetMisses());
}

struct Step {
    int pattern, from, to;
};

TEST_F(Deal, FixedPatternsStepRoundTheRing)
{
    const Step steps[] = {{51, 0, 19}, {52, 19, 0}, {53, 1, 19}, {54, 19, 1}, {55, 15, 4}, {56, 10, 1}, {56, 3, 14}};
    for (const Step& s : steps) {
        m_picker->SetPattern(s.pattern);
        m_picker->SelectNextObject(s.from);
        EXPECT_EQ(s.to, m_picker->GetCurrentSpoke()) << s.pattern << " from " << s.from;
        EXPECT_EQ(1, m_picker->GetSpoke(s.to).isSelected);
    }
}

TEST_F(Deal, RandomPatternDrawsFromTheWholeRing)
{
    std::set<int> seen;
    for (int n = 0; n < 500; ++n) {
        m_picker->SelectNextObject(5);
        seen.insert(m_picker->GetCurrentSpoke());
    }
    EXPECT_EQ(20u, seen.size());
    EXPECT_EQ(0, *seen.begin());
    EXPECT_EQ(19, *seen.rbegin());
}

std::vector<int> Walk(CPicker& picker, int pattern, int from, int steps)
{
    picker.SetPattern(pattern);
    std::vector<int> visited;
    int p = from;
    for (int n = 0; n < steps; ++n) {
        picker.SelectNextObject(p);
        p = picker.GetCurrentSpoke();
        visited.push_back(p);
    }
    return visited;
}

// Pattern 57 from program start, then 58, then 57 again past its counter's wrap at 11.
bool AlternationHolds(CPicker& picker)
{
    bool ok = Walk(picker, 57, 0, 6) == std::vector<int>{1, 19, 0, 18, 19, 17};
    ok = ok && Walk(picker, 58, 0, 4) == std::vector<int>{19, 1, 0, 2};
    int p = 0;
    int step = 1;
    for (int to : Walk(picker, 57, 0, 14)) {
        ok = ok && (to - p + 20) % 20 == step;
        step = step == 1 ? 18 : 1;
        p = to;
    }
    return ok;
}

// The alternating patterns count for the whole run, so this looks at a fresh process.
TEST_F(Deal, AlternatingPatternsStartOnTheirFirstStepAndAlternateForEver)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(AlternationHolds(*m_picker) ? 0 : 1), testing::ExitedWithCode(0), "");
}

TEST_F(Deal, IndicesOutsideTheRingChangeNothing)
{
    Ring({1, 2});
    const std::vector<int> before = Types(*m_picker);
    EXPECT_DEBUG_DEATH(m_picker->SetSpokeType(20, 5), "");
    EXPECT_DEBUG_DEATH(m_picker->SetSpokeType(-1, 5), "");
    EXPECT_EQ(before, Types(*m_picker));
}

} // namespace
