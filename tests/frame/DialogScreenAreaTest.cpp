#include "frame/DialogScreenArea.h"

#include <gtest/gtest.h>

namespace {

using Dialog = CDialogScreenArea;
using platform::Message;

Message Key(unsigned code)
{
    Message m;
    m.type = Message::KeyDown;
    m.code = code;
    return m;
}

Message Click(int x, int y)
{
    Message m;
    m.type = Message::LButtonDown;
    m.x = x;
    m.y = y;
    return m;
}

Message CloseBox()
{
    Message m;
    m.type = Message::Close;
    return m;
}

// Picture pixels inside each control: the radio buttons' circles and OK's middle.
constexpr int kRadioX = 28;
constexpr int k640Y = 50, k800Y = 84, k1024Y = 116;
constexpr int kDepthX = 135;
constexpr int k16Y = 50, k24Y = 82, k32Y = 116;
constexpr int kOkX = 272, kOkY = 28;

// The six ints in the order 640, 800, 1024, 16, 24, 32.
std::vector<int> States(const Dialog& d)
{
    return {d.m_640x480, d.m_800x600, d.m_1024x768, d.m_16bit, d.m_24bit, d.m_32bit};
}

std::vector<bool> Checked(const Dialog& d)
{
    std::vector<bool> checked;
    for (int id : {Dialog::IDC_RADIO640X480, Dialog::IDC_RADIO800X600, Dialog::IDC_RADIO1024X768,
             Dialog::IDC_RADIO16BIT, Dialog::IDC_RADIO24BIT, Dialog::IDC_RADIO32BIT})
        checked.push_back(d.IsDlgButtonChecked(id));
    return checked;
}

class DialogTest : public testing::Test {
protected:
    void SetUp() override { dialog.OnInitDialog(); }
    Dialog dialog;
};

TEST_F(DialogTest, StartsWith800x600And32BitsShownOnTheButtons)
{
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, 0, -1, -1, -1, 0}));
    EXPECT_EQ(Checked(dialog), (std::vector<bool>{false, true, false, false, false, true}));
    EXPECT_EQ(dialog.GetFocus(), Dialog::Focus::ScreenArea);
    EXPECT_EQ(dialog.Result(), 0);
}

TEST_F(DialogTest, EachHandlerKeepsItsOwnGroupToOneChoiceAndLeavesTheOther)
{
    dialog.OnRadio640x480();
    EXPECT_EQ(States(dialog), (std::vector<int>{0, -1, -1, -1, -1, 0}));
    dialog.OnRadio1024x768();
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, -1, 0, -1, -1, 0}));
    dialog.OnRadio16bit();
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, -1, 0, 0, -1, -1}));
    dialog.OnRadio24bit();
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, -1, 0, -1, 0, -1}));
    dialog.OnRadio800x600();
    dialog.OnRadio32bit();
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, 0, -1, -1, -1, 0}));
    EXPECT_EQ(Checked(dialog), (std::vector<bool>{false, true, false, false, false, true}));
}

TEST_F(DialogTest, DataExchangeMovesEachStateBetweenItsIntAndItsButton)
{
    // Presets may break the one-choice rule; each button still follows its own int.
    dialog.Set640X480RadioButtonOn();
    dialog.Set24bitRadioButtonOn();
    dialog.Set32bitRadioButtonOff();
    dialog.DoDataExchange(false);
    EXPECT_EQ(Checked(dialog), (std::vector<bool>{true, true, false, false, true, false}));

    dialog.CheckDlgButton(Dialog::IDC_RADIO800X600, false);
    dialog.CheckDlgButton(Dialog::IDC_RADIO16BIT, true);
    dialog.DoDataExchange(true);
    EXPECT_EQ(States(dialog), (std::vector<int>{0, -1, -1, 0, 0, -1}));
}

TEST_F(DialogTest, OkReadsTheButtonsBackButCancellingKeepsWhatTheHandlersSet)
{
    dialog.CheckDlgButton(Dialog::IDC_RADIO16BIT, true);
    dialog.CheckDlgButton(Dialog::IDC_RADIO32BIT, false);
    EXPECT_TRUE(dialog.HandleMessage(Key(platform::VK_ESCAPE)));
    EXPECT_EQ(dialog.Result(), Dialog::IDCANCEL);
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, 0, -1, -1, -1, 0}));

    dialog.OnInitDialog();
    dialog.CheckDlgButton(Dialog::IDC_RADIO16BIT, true);
    dialog.CheckDlgButton(Dialog::IDC_RADIO32BIT, false);
    EXPECT_TRUE(dialog.HandleMessage(Key(platform::VK_RETURN)));
    EXPECT_EQ(dialog.Result(), Dialog::IDOK);
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, 0, -1, 0, -1, -1}));
}

TEST_F(DialogTest, TheCloseBoxAfterAClickKeepsTheClickedChoice)
{
    EXPECT_FALSE(dialog.HandleMessage(Click(kRadioX, k1024Y)));
    EXPECT_TRUE(dialog.HandleMessage(CloseBox()));
    EXPECT_EQ(dialog.Result(), Dialog::IDCANCEL);
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, -1, 0, -1, -1, 0}));
}

TEST_F(DialogTest, ClicksFindTheControlUnderThePointer)
{
    EXPECT_EQ(dialog.ControlAt(kRadioX, k640Y), Dialog::IDC_RADIO640X480);
    EXPECT_EQ(dialog.ControlAt(kRadioX, k800Y), Dialog::IDC_RADIO800X600);
    EXPECT_EQ(dialog.ControlAt(kRadioX, k1024Y), Dialog::IDC_RADIO1024X768);
    EXPECT_EQ(dialog.ControlAt(kDepthX, k16Y), Dialog::IDC_RADIO16BIT);
    EXPECT_EQ(dialog.ControlAt(kDepthX, k24Y), Dialog::IDC_RADIO24BIT);
    EXPECT_EQ(dialog.ControlAt(kDepthX, k32Y), Dialog::IDC_RADIO32BIT);
    EXPECT_EQ(dialog.ControlAt(kOkX, kOkY), Dialog::IDOK);
    // The dialog's margin, a group's frame, and the blank end of a radio button's row.
    EXPECT_EQ(dialog.ControlAt(2, 2), 0);
    EXPECT_EQ(dialog.ControlAt(14, k640Y), 0);
    EXPECT_EQ(dialog.ControlAt(104, k640Y), 0);
    EXPECT_EQ(dialog.ControlAt(Dialog::kWidth + 5, kOkY), 0);

    dialog.HandleMessage(Click(kDepthX, k16Y));
    EXPECT_EQ(dialog.GetFocus(), Dialog::Focus::ColorDepth);
    EXPECT_EQ(dialog.m_16bit, 0);
    EXPECT_FALSE(dialog.HandleMessage(Click(2, 2)));
    EXPECT_TRUE(dialog.HandleMessage(Click(kOkX, kOkY)));
    EXPECT_EQ(dialog.Result(), Dialog::IDOK);
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, 0, -1, 0, -1, -1}));
}

TEST_F(DialogTest, TheKeyboardMovesAlongAGroupWithoutWrappingAndBetweenGroups)
{
    dialog.HandleMessage(Key(platform::VK_DOWN));
    dialog.HandleMessage(Key(platform::VK_DOWN));
    EXPECT_EQ(dialog.m_1024x768, 0);
    dialog.HandleMessage(Key(platform::VK_DOWN));
    EXPECT_EQ(dialog.m_1024x768, 0) << "the last button stays chosen";

    dialog.HandleMessage(Key(platform::VK_TAB));
    EXPECT_EQ(dialog.GetFocus(), Dialog::Focus::ColorDepth);
    dialog.HandleMessage(Key(platform::VK_UP));
    dialog.HandleMessage(Key(platform::VK_UP));
    dialog.HandleMessage(Key(platform::VK_UP));
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, -1, 0, 0, -1, -1}));

    dialog.HandleMessage(Key(platform::VK_RIGHT));
    EXPECT_EQ(dialog.GetFocus(), Dialog::Focus::Ok);
    dialog.HandleMessage(Key(platform::VK_DOWN));
    EXPECT_EQ(States(dialog), (std::vector<int>{-1, -1, 0, 0, -1, -1})) << "arrows on OK change nothing";
    dialog.HandleMessage(Key(platform::VK_TAB));
    EXPECT_EQ(dialog.GetFocus(), Dialog::Focus::ScreenArea) << "focus goes round";
    dialog.HandleMessage(Key(platform::VK_LEFT));
    EXPECT_EQ(dialog.GetFocus(), Dialog::Focus::Ok);
    EXPECT_TRUE(dialog.HandleMessage(Key(platform::VK_SPACE)));
    EXPECT_EQ(dialog.Result(), Dialog::IDOK);
}

TEST_F(DialogTest, SpaceOnAGroupDoesNotCloseTheDialog)
{
    EXPECT_FALSE(dialog.HandleMessage(Key(platform::VK_SPACE)));
    EXPECT_EQ(dialog.Result(), 0);
}

TEST_F(DialogTest, TheCheckedButtonShowsItsDot)
{
    // The middle of each circle in the screen area group.
    auto dot = [&](int y) { return dialog.Pixels()[y * Dialog::kWidth + 27]; };
    dialog.Paint();
    ASSERT_EQ(dialog.Pixels().size(), static_cast<size_t>(Dialog::kWidth * Dialog::kHeight));
    EXPECT_EQ(dot(49), 0xFFFFFFu);
    EXPECT_EQ(dot(83), 0x000000u);
    dialog.OnRadio640x480();
    dialog.Paint();
    EXPECT_EQ(dot(49), 0x000000u);
    EXPECT_EQ(dot(83), 0xFFFFFFu);
}

} // namespace
