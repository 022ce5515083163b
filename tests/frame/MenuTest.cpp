#include "ScreenFixture.h"

#include <algorithm>

namespace {

struct Item {
    int y; // top of the item's text
    int right; // right end of its hit area
};

constexpr Item kItems[] = {{100, 170}, {150, 135}, {200, 215}, {250, 150}, {300, 105}};

// Where no item, title, label or hexagon is: the pointer alone lights it.
constexpr int kNowhereX = 400, kNowhereY = 300;

struct Region {
    int left, top, right, bottom;
};

class Menu : public ScreenFixture {
protected:
    // Past the intro; from then on every frame lasts ms, as the frame clock
    // measures every second frame and keeps that length for the one after.
    void OpenMenu(double ms)
    {
        Frames(2, 2600);
        Key(platform::VK_ESCAPE);
        Frames(2, ms);
        ASSERT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    }
    // The pointer at the right end of an item's hit area, clear of its first letters.
    void PointAt(int item) { frame->OnMouseMove(kItems[item].right - 1, kItems[item].y + 3); }
    void ClickOn(int item) { Click(kItems[item].right - 1, kItems[item].y + 3); }

    // The summed and the largest value of one colour channel (16 red, 8 green, 0 blue) in a region.
    void Measure(const Region& r, int shift, uint32_t& sum, uint32_t& most) const
    {
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        sum = most = 0;
        if (!frame->Window().ReadFrame(rgb, width, height))
            return;
        const int channel = 2 - shift / 8;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const uint32_t v = rgb[(static_cast<size_t>(y) * width + x) * 3 + channel];
                sum += v;
                most = std::max(most, v);
            }
    }
    uint32_t Sum(const Region& r, int shift = 8) const
    {
        uint32_t sum, most;
        Measure(r, shift, sum, most);
        return sum;
    }
    uint32_t Most(const Region& r, int shift = 8) const
    {
        uint32_t sum, most;
        Measure(r, shift, sum, most);
        return most;
    }
    // The first two letters of an item: green from the font, none from the purple background.
    uint32_t ItemLight(int item) const { return Sum({20, kItems[item].y, 52, kItems[item].y + 16}); }
    static uint32_t LetterLight(const Menu& m, int x, int y) { return m.Sum({x, y, x + 16, y + 16}); }

    // Empties the message queue; true if it held a close.
    static bool ClosePosted()
    {
        bool close = false;
        platform::Message message;
        while (platform::NextMessage(message, 0))
            close = close || message.type == platform::Message::Close;
        return close;
    }
    static std::vector<float> Values(const CHex& hex)
    {
        std::vector<float> values;
        for (int i = 0; i < CHex::kCount; ++i)
            values.push_back(hex.GetHex(i).value);
        return values;
    }
    static bool Fresh(const CHex& hex)
    {
        for (int i = 0; i < CHex::kCount; ++i)
            if (hex.GetHex(i).value != 1.0f || hex.GetHex(i).active != (i == hex.GetIndexOrder(0)))
                return false;
        return true;
    }
};

TEST_F(Menu, OnlyTheItemUnderThePointerIsLit)
{
    OpenMenu(1000.0 / 60);
    frame->OnMouseMove(kNowhereX, kNowhereY);
    Frame();
    uint32_t dim[5];
    for (int item = 0; item < 5; ++item) {
        dim[item] = ItemLight(item);
        EXPECT_GT(dim[item], 0u) << "item " << item << " is shown dimmed";
    }
    for (int item = 0; item < 5; ++item) {
        PointAt(item);
        Frame();
        EXPECT_GT(ItemLight(item), dim[item] * 2) << "item " << item << " is lit";
        for (int other = 0; other < 5; ++other) {
            if (other != item) {
                EXPECT_LT(ItemLight(other), dim[other] * 3 / 2) << "item " << other << " stays dim";
            }
        }
    }
    // Just below an item's hit area nothing is lit.
    frame->OnMouseMove(kItems[0].right - 1, kItems[0].y + 17);
    Frame();
    EXPECT_LT(ItemLight(0), dim[0] * 3 / 2);
}

TEST_F(Menu, EachItemDrivesItsOwnHexagonsAndNoItemResetsThemAll)
{
    OpenMenu(1000.0 / 60);
    PointAt(CMainFrame::MENU_NEW_GAME);
    Frames(30);
    EXPECT_FALSE(Fresh(startHex));
    EXPECT_FALSE(Fresh(startHex2));
    EXPECT_FALSE(Fresh(startHex3));

    PointAt(CMainFrame::MENU_CREDITS);
    const std::vector<float> first = Values(startHex), second = Values(startHex2), third = Values(startHex3);
    Frames(10);
    EXPECT_EQ(first, Values(startHex));
    EXPECT_EQ(second, Values(startHex2));
    EXPECT_NE(third, Values(startHex3));

    frame->OnMouseMove(kNowhereX, kNowhereY);
    Frame();
    EXPECT_TRUE(Fresh(startHex));
    EXPECT_TRUE(Fresh(startHex2));
    EXPECT_TRUE(Fresh(startHex3));
}

// With 20 ms frames a letter fade is below 0.3 after nine frames, when the
// next one starts in the same frame, and out after thirteen.
constexpr double kFadeStep = 20;
constexpr int ChainFrames(int entries) { return 13 + 8 * (entries - 1); }

struct Fade {
    int item;
    int fadeScreen;
    int target;
    int entries;
};

constexpr Fade kFades[] = {
    {CMainFrame::MENU_NEW_GAME, CMainFrame::SCREEN_FADE_NEW_GAME, CMainFrame::SCREEN_SKILL_LEVEL, 7},
    {CMainFrame::MENU_SCORES, CMainFrame::SCREEN_FADE_SCORES, CMainFrame::SCREEN_SCORES_EASY, 6},
    {CMainFrame::MENU_INFORMATION, CMainFrame::SCREEN_FADE_INFORMATION, CMainFrame::SCREEN_INFORMATION, 11},
    {CMainFrame::MENU_CREDITS, CMainFrame::SCREEN_FADE_CREDITS, CMainFrame::SCREEN_CREDITS, 7},
};

TEST_F(Menu, EachChosenItemFadesForItsChainThenMovesOn)
{
    OpenMenu(kFadeStep);
    for (const Fade& fade : kFades) {
        if (fade.item == CMainFrame::MENU_NEW_GAME)
            frame->GameManager().SetState(CGameMngr::kPlay);
        ClickOn(fade.item);
        ASSERT_EQ(fade.fadeScreen, Screen());
        int frames = 0;
        while (Screen() == fade.fadeScreen && frames < 200) {
            Frame(kFadeStep);
            ++frames;
        }
        EXPECT_EQ(fade.target, Screen());
        EXPECT_EQ(ChainFrames(fade.entries), frames) << "item " << fade.item;
        if (fade.item == CMainFrame::MENU_NEW_GAME) {
            EXPECT_EQ(CGameMngr::kIdle, frame->GameManager().GetState());
            return;
        }
        if (fade.item == CMainFrame::MENU_INFORMATION) {
            EXPECT_TRUE(CSoundManager::GetSingletonPtr()->IsBufferPlaying("READER"));
        }
        // Back to the menu: a click leaves every page but the first two score pages.
        for (int i = 0; i < 3 && Screen() != CMainFrame::SCREEN_MAIN_MENU; ++i)
            Click(kNowhereX, kNowhereY);
        ASSERT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
        Frame(kFadeStep);
    }
}

TEST_F(Menu, ChosenWordDimsFromBothEndsTowardsItsMiddle)
{
    OpenMenu(25);
    ClickOn(CMainFrame::MENU_INFORMATION);
    Frames(16, 25);
    ASSERT_EQ(CMainFrame::SCREEN_FADE_INFORMATION, Screen());
    const uint32_t outerI = LetterLight(*this, 20, 200), outerN = LetterLight(*this, 180, 200);
    const uint32_t middleM = LetterLight(*this, 100, 200);
    EXPECT_GT(middleM, 4 * outerI);
    EXPECT_GT(middleM, 4 * outerN);
}

TEST_F(Menu, QuitAsksTheWindowToCloseOnceItsWordIsOut)
{
    OpenMenu(kFadeStep);
    ClosePosted();
    ClickOn(CMainFrame::MENU_QUIT);
    int frames = 0;
    bool closed = false;
    while (!closed && frames < 100) {
        Frame(kFadeStep);
        ++frames;
        closed = ClosePosted();
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(ChainFrames(4), frames);
}

TEST_F(Menu, OneLongFrameEndsAWholeChain)
{
    OpenMenu(1000);
    ClickOn(CMainFrame::MENU_INFORMATION);
    Frame(1000);
    EXPECT_EQ(CMainFrame::SCREEN_INFORMATION, Screen());
    Click(kNowhereX, kNowhereY);
    ClosePosted();
    ClickOn(CMainFrame::MENU_QUIT);
    Frame(1000);
    EXPECT_TRUE(ClosePosted());
}

TEST_F(Menu, PointerIsDrawnWhereTheMouseIs)
{
    OpenMenu(1000.0 / 60);
    const Region there = {kNowhereX - 25, kNowhereY, kNowhereX + 7, kNowhereY + 32};
    const Region elsewhere = {kNowhereX - 225, kNowhereY + 100, kNowhereX - 193, kNowhereY + 132};
    frame->OnMouseMove(kNowhereX, kNowhereY);
    Frame();
    EXPECT_GT(Most(there), 150u);
    EXPECT_EQ(0u, Most(elsewhere));
    frame->OnMouseMove(kNowhereX - 200, kNowhereY + 100);
    Frame();
    EXPECT_EQ(0u, Most(there));
    EXPECT_GT(Most(elsewhere), 150u);
}

TEST_F(Menu, TitleAndVersionLabelAreShown)
{
    OpenMenu(1000.0 / 60);
    frame->OnMouseMove(kNowhereX, kNowhereY);
    Frame();
    EXPECT_GT(Most({175, 25, 399, 57}), 150u) << "VEXORIN";
    const Region label = {530, 450, 578, 459};
    for (int shift : {16, 8, 0})
        EXPECT_GT(Most(label, shift), 200u) << "V2.0.0 is white";
    EXPECT_EQ(0u, Most({470, 450, 520, 459})) << "nothing left of the label";
}

} // namespace
