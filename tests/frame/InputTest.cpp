#include "ScreenFixture.h"
#include "platform/SdlWindows.h"

#include <GL/gl.h>
#include <SDL.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <utility>

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

// Sounds play in real time on the dummy device, so waiting for one to end
// takes real time, whatever the virtual clock says.
class InputScreen : public ScreenFixture {
protected:
    static void WaitUntilSilent(const char* key)
    {
        for (int n = 0; n < 600 && Playing(key); ++n)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_FALSE(Playing(key)) << key << " never ended";
    }

    CPicker& Picker() { return frame->GameManager().GetPicker(); }

    // The lit piece made the colour the strand wants, so picking it plays no "MUTATION".
    void LightWantedPiece() { Picker().SetSpokeType(Picker().GetCurrentSpoke(), Picker().GetNextColor()); }
    void LightWrongPiece() { Picker().SetSpokeType(Picker().GetCurrentSpoke(), Picker().GetNextColor() % 4 + 1); }

    // Wrong pieces until the game is lost, then a score that earns a place in the table.
    void ToGameOver()
    {
        ASSERT_NO_FATAL_FAILURE(StartPlay());
        while (Picker().GetCountMutations() < CGameMngr::kMutationsToLose) {
            LightWrongPiece();
            Picker().ClearDeselect();
        }
        Frame();
        ASSERT_EQ(CMainFrame::SCREEN_GAME_OVER, Screen());
        Picker().AddToScore(100000 - Picker().GetScore());
    }

    // The brightest green in the hand pointer's box when the pointer is at (x, y).
    uint32_t PointerLight(int x, int y) const
    {
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        uint32_t most = 0;
        if (!frame->Window().ReadFrame(rgb, width, height))
            return most;
        for (int py = y; py < y + 32; ++py)
            for (int px = x - 25; px < x + 7; ++px)
                most = std::max<uint32_t>(most, rgb[(static_cast<size_t>(py) * width + px) * 3 + 1]);
        return most;
    }
};

TEST_F(InputScreen, HeldKeysAndCharactersActOnceUntilPressedAgain)
{
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    frame->OnKeyDown(platform::VK_DOWN, false);
    frame->OnKeyDown(platform::VK_UP, true);
    EXPECT_EQ(2, Game().GetSkill());
    frame->OnKeyDown(platform::VK_F5, true);
    frame->OnKeyDown(platform::VK_F3, true);
    EXPECT_FLOAT_EQ(1.0f, frame->VolumeFactor());
    EXPECT_FLOAT_EQ(1.0f, frame->GammaValue());
    frame->OnKeyDown(platform::VK_RETURN, true);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_LEVEL, Screen());
    frame->OnKeyDown(platform::VK_UP, false);
    EXPECT_EQ(1, Game().GetSkill()) << "released and pressed again, the key acts";

    Key(platform::VK_RETURN);
    ASSERT_NO_FATAL_FAILURE(RunUntilPlaying());
    frame->OnChar('p', true);
    frame->OnKeyDown(platform::VK_PAUSE, true);
    frame->OnKeyDown(platform::VK_ESCAPE, true);
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
    EXPECT_EQ(1, frame->PauseCount());
    LightWantedPiece();
    frame->OnKeyDown(platform::VK_SPACE, true);
    EXPECT_EQ(CPicker::kRunning, Picker().GetState());
    frame->OnChar('p', false);
    EXPECT_EQ(CGameMngr::kPaused, Game().GetState());
}

TEST_F(InputScreen, PauseAndPAlternateAndTheCountCarriesIntoTheNextGame)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    Key(platform::VK_PAUSE);
    EXPECT_EQ(CGameMngr::kPaused, Game().GetState());
    EXPECT_EQ(2, frame->PauseCount());
    Frames(3);
    Type("p");
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
    EXPECT_EQ(1, frame->PauseCount());
    Type("P");
    EXPECT_EQ(CGameMngr::kPaused, Game().GetState());
    Key(platform::VK_PAUSE);
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());

    // Only while the highlight runs.
    LightWantedPiece();
    Key(platform::VK_SPACE);
    ASSERT_EQ(CPicker::kSelected, Picker().GetState());
    Key(platform::VK_PAUSE);
    Type("p");
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
    EXPECT_EQ(1, frame->PauseCount());
    Picker().SetState(CPicker::kRunning);

    // Not at the quit prompt either.
    Key(platform::VK_ESCAPE);
    ASSERT_EQ(CGameMngr::kQuitPrompt, Game().GetState());
    Type("p");
    Key(platform::VK_PAUSE);
    EXPECT_EQ(CGameMngr::kQuitPrompt, Game().GetState());
    EXPECT_EQ(1, frame->PauseCount());

    // The count belongs to the run: after a game left playing, the next game's first press pauses.
    Type("n");
    Key(platform::VK_ESCAPE);
    Type("y");
    ASSERT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    Type("p");
    EXPECT_EQ(CGameMngr::kPaused, Game().GetState());
    EXPECT_EQ(2, frame->PauseCount());
    Key(platform::VK_PAUSE);
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
}

// Even with the game manager in play, these keys answer only on the play screen.
TEST_F(InputScreen, PauseAndEscapeActOnlyOnThePlayScreen)
{
    ToMenu();
    Game().SetState(CGameMngr::kPlay);
    Key(platform::VK_PAUSE);
    Type("p");
    Key(platform::VK_ESCAPE);
    EXPECT_EQ(1, frame->PauseCount());
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
}

TEST_F(InputScreen, EscapeAsksToQuitOnlyWhilePlayingWithTheHighlightRunning)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    Type("n");
    Type("y");
    EXPECT_EQ(CMainFrame::SCREEN_PLAY, Screen()) << "Y and N answer only the prompt";
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());

    Key(platform::VK_PAUSE);
    Key(platform::VK_ESCAPE);
    EXPECT_EQ(CGameMngr::kPaused, Game().GetState());
    Key(platform::VK_PAUSE);

    LightWantedPiece();
    Key(platform::VK_SPACE);
    ASSERT_EQ(CPicker::kSelected, Picker().GetState());
    Key(platform::VK_ESCAPE);
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
    Picker().SetState(CPicker::kRunning);

    Key(platform::VK_ESCAPE);
    EXPECT_EQ(CGameMngr::kQuitPrompt, Game().GetState());
    Frames(5);
    EXPECT_EQ(CMainFrame::SCREEN_PLAY, Screen());
    Type("n");
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
    Key(platform::VK_ESCAPE);
    Type("N");
    EXPECT_EQ(CGameMngr::kPlay, Game().GetState());
}

TEST_F(InputScreen, YesAbandonsTheGameWithoutRecordingItsScore)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay(2));
    Picker().AddToScore(5000);
    ASSERT_TRUE(Playing("LEVEL"));

    Key(platform::VK_ESCAPE);
    Type("y");
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    EXPECT_EQ(CGameMngr::kIdle, Game().GetState());
    EXPECT_EQ(1, Game().GetSkill());
    EXPECT_EQ(1, Game().GetLevel());
    EXPECT_EQ(0, Picker().GetScore());
    EXPECT_FALSE(Playing("LEVEL"));
    for (auto show : {&CScore::SetMenuEasy, &CScore::SetMenuNormal, &CScore::SetMenuHard}) {
        CScore::DisplayName name;
        int32_t score = -1, level = -1;
        (frame->Scores().*show)(0, name, score, level);
        EXPECT_EQ(0, score);
    }
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    EXPECT_TRUE(Playing("MENU"));
}

TEST_F(InputScreen, EscapeOnTheCubeSilencesItsSounds)
{
    Frames(2, 2600);
    ASSERT_EQ(CMainFrame::SCREEN_INTRO_CUBE, Screen());
    for (int n = 0; n < 100 && !Playing("DRONE"); ++n)
        Frame(100);
    ASSERT_EQ(CMainFrame::SCREEN_INTRO_CUBE, Screen());
    ASSERT_TRUE(Playing("INTRO"));
    ASSERT_TRUE(Playing("DRONE"));
    Key(platform::VK_ESCAPE);
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    EXPECT_FALSE(Playing("INTRO"));
    EXPECT_FALSE(Playing("DRONE"));
    Frame();
    Key(platform::VK_ESCAPE);
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
}

// A second Space confirms only once "SELECT", and "MUTATION" for a wrong piece, have ended.
TEST_F(InputScreen, SpaceConfirmsOnlyOnceThePickSoundsHaveEnded)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    LightWrongPiece();
    Key(platform::VK_SPACE);
    ASSERT_EQ(CPicker::kSelected, Picker().GetState());
    EXPECT_TRUE(Playing("SELECT"));
    EXPECT_TRUE(Playing("MUTATION"));
    Key(platform::VK_SPACE);
    EXPECT_EQ(CPicker::kSelected, Picker().GetState());
    // "MUTATION" lasts longer than "SELECT".
    ASSERT_NO_FATAL_FAILURE(WaitUntilSilent("SELECT"));
    ASSERT_TRUE(Playing("MUTATION"));
    Key(platform::VK_SPACE);
    EXPECT_EQ(CPicker::kSelected, Picker().GetState());
    ASSERT_NO_FATAL_FAILURE(WaitUntilSilent("MUTATION"));
    Key(platform::VK_SPACE);
    EXPECT_EQ(CPicker::kConfirmed, Picker().GetState());
}

TEST_F(InputScreen, ClickSelectsAndAnotherClickConfirms)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    LightWantedPiece();
    Click(320, 240);
    EXPECT_EQ(CPicker::kSelected, Picker().GetState());
    Click(320, 240);
    EXPECT_EQ(CPicker::kSelected, Picker().GetState()) << "too soon: \"SELECT\" still plays";
    ASSERT_NO_FATAL_FAILURE(WaitUntilSilent("SELECT"));
    frame->OnLButtonDown(10, 10);
    EXPECT_EQ(CPicker::kConfirmed, Picker().GetState());
}

// With no "SELECT" to wait for, Space does both steps in one press; a click only the first.
TEST_F(InputScreen, SpaceTriesBothStepsAndAClickOnlyOne)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    Sound().ReleaseBuffer("SELECT");
    LightWantedPiece();
    Click(320, 240);
    EXPECT_EQ(CPicker::kSelected, Picker().GetState());
    Picker().SetState(CPicker::kRunning);
    LightWantedPiece();
    Key(platform::VK_SPACE);
    EXPECT_EQ(CPicker::kConfirmed, Picker().GetState());
}

TEST_F(InputScreen, PickingNeedsTheGameToBePlaying)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    LightWantedPiece();
    Key(platform::VK_PAUSE);
    Key(platform::VK_SPACE);
    Click(320, 240);
    EXPECT_EQ(CPicker::kRunning, Picker().GetState());
    Key(platform::VK_PAUSE);
    Key(platform::VK_ESCAPE);
    Key(platform::VK_SPACE);
    Click(320, 240);
    EXPECT_EQ(CPicker::kRunning, Picker().GetState());
    EXPECT_FALSE(Playing("SELECT"));
}

TEST_F(InputScreen, MenuClickUsesWhereThePointerWasLastMoved)
{
    ToMenu();
    frame->OnLButtonDown(30, 110);
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen()) << "before any move the pointer is at (0, 0)";
    frame->OnMouseMove(400, 300);
    frame->OnLButtonDown(30, 110);
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    Frame();
    frame->OnMouseMove(30, 160);
    frame->OnLButtonDown(400, 300);
    EXPECT_EQ(CMainFrame::SCREEN_FADE_SCORES, Screen());
    EXPECT_TRUE(Playing("CLICK"));
    for (int k = 0; k < CMainFrame::kLetterFades; ++k)
        EXPECT_FLOAT_EQ(1.0f, frame->LetterFade(k));
}

TEST_F(InputScreen, PointerFollowsMovesMadeOnAnyScreen)
{
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    frame->OnMouseMove(400, 300);
    Key(platform::VK_ESCAPE);
    Type("y");
    Frame();
    EXPECT_GT(PointerLight(400, 300), 150u);
    EXPECT_EQ(0u, PointerLight(200, 400));
    frame->OnMouseMove(200, 400);
    Frame();
    EXPECT_EQ(0u, PointerLight(400, 300));
    EXPECT_GT(PointerLight(200, 400), 150u);
}

struct MenuItemCase {
    int item;
    int screen;
    t_menuRect rect;
};

class MenuItemEdges : public InputScreen, public testing::WithParamInterface<MenuItemCase> { };

// Left and top edges belong to an item, right and bottom edges do not.
TEST_P(MenuItemEdges, LeftAndTopEdgesAreInsideRightAndBottomAreNot)
{
    const MenuItemCase c = GetParam();
    const t_menuRect r = c.rect;
    ToMenu();
    const int outside[][2] = {{r.right, r.top}, {r.left, r.bottom}, {r.left - 1, r.top}, {r.left, r.top - 1},
        {r.right, r.bottom - 1}, {r.right - 1, r.bottom}};
    for (const auto& p : outside) {
        Click(p[0], p[1]);
        EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen()) << p[0] << ", " << p[1];
    }
    EXPECT_FALSE(Playing("CLICK"));
    Click(r.left, r.top);
    EXPECT_EQ(c.screen, Screen());
    EXPECT_TRUE(Playing("CLICK"));
}

TEST_P(MenuItemEdges, FarCornerIsInside)
{
    const MenuItemCase c = GetParam();
    ToMenu();
    Click(c.rect.right - 1, c.rect.bottom - 1);
    EXPECT_EQ(c.screen, Screen());
}

INSTANTIATE_TEST_SUITE_P(Input, MenuItemEdges,
    testing::Values(MenuItemCase{0, CMainFrame::SCREEN_FADE_NEW_GAME, {20, 103, 170, 117}},
        MenuItemCase{1, CMainFrame::SCREEN_FADE_SCORES, {20, 153, 135, 167}},
        MenuItemCase{2, CMainFrame::SCREEN_FADE_INFORMATION, {20, 203, 215, 217}},
        MenuItemCase{3, CMainFrame::SCREEN_FADE_CREDITS, {20, 253, 150, 267}},
        MenuItemCase{4, CMainFrame::SCREEN_FADE_QUIT, {20, 303, 105, 317}}),
    [](const testing::TestParamInfo<MenuItemCase>& info) { return std::to_string(info.param.item); });

TEST_F(InputScreen, ClicksOutsideTheItemsAndOnOtherScreensDoNothing)
{
    Frame();
    Click(30, 110);
    EXPECT_EQ(CMainFrame::SCREEN_INTRO_LOGO, Screen());
    ToMenu();
    for (int y = 0; y < 480; y += 4)
        Click(600, y);
    for (int y = 0; y < 480; y += 4)
        Click(10, y);
    Click(100, 130);
    Click(100, 240);
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    Click(30, 110);
    Click(320, 240);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_LEVEL, Screen());
    Key(platform::VK_RETURN);
    Click(30, 110);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_CHOSEN, Screen());
}

class InputPages : public InputScreen {
protected:
    // Chooses a menu item and waits out its fade.
    void Open(int x, int y, int page)
    {
        Click(x, y);
        for (int n = 0; n < 200 && Screen() != page; ++n)
            Frame();
        ASSERT_EQ(page, Screen());
        Sound().StopBuffer("CLICK");
    }
    // A click anywhere moves on, with a click sound.
    void ClickOn(int expected)
    {
        Frame();
        frame->OnLButtonDown(600, 20);
        EXPECT_EQ(expected, Screen());
        EXPECT_TRUE(Playing("CLICK"));
        Sound().StopBuffer("CLICK");
    }
};

TEST_F(InputPages, ScorePagesClickThroughEachSkillBackToTheMenu)
{
    frame->Scores().SetNormal("NORM", 300, 2);
    frame->Scores().SetHard("HARDY", 500, 4);
    ToMenu();
    ASSERT_NO_FATAL_FAILURE(Open(30, 160, CMainFrame::SCREEN_SCORES_EASY));
    frame->OnMouseMove(600, 400);
    ClickOn(CMainFrame::SCREEN_SCORES_NORMAL);
    EXPECT_STREQ("NORM", frame->RowName(0));
    EXPECT_EQ(300, frame->RowScore(0));
    ClickOn(CMainFrame::SCREEN_SCORES_HARD);
    EXPECT_STREQ("HARDY", frame->RowName(0));
    EXPECT_EQ(4, frame->RowLevel(0));
    ClickOn(CMainFrame::SCREEN_MAIN_MENU);
}

TEST_F(InputPages, InformationAndCreditsReturnToTheMenuOnAClick)
{
    ToMenu();
    ASSERT_NO_FATAL_FAILURE(Open(30, 210, CMainFrame::SCREEN_INFORMATION));
    frame->OnMouseMove(600, 400);
    ClickOn(CMainFrame::SCREEN_MAIN_MENU);
    ASSERT_NO_FATAL_FAILURE(Open(30, 260, CMainFrame::SCREEN_CREDITS));
    frame->OnMouseMove(600, 400);
    ClickOn(CMainFrame::SCREEN_MAIN_MENU);
}

// The factor reaches every sound of the game, as an attenuation in hundredths of a decibel.
TEST_F(InputScreen, VolumeStepsStayBetweenThreeQuartersAndFullForEverySound)
{
    auto expectAttenuation = [](int expected) {
        for (const char* key : kSoundKeys) {
            const auto& buffer = Sound().Buffers().at(key).buffer;
            ASSERT_TRUE(buffer) << key;
            int attenuation = 1;
            EXPECT_TRUE(buffer->GetVolume(attenuation)) << key;
            EXPECT_EQ(expected, attenuation) << key;
        }
    };
    Frame();
    for (int n = 1; n <= 5; ++n) {
        Key(platform::VK_F5);
        EXPECT_NEAR(1.0f - 0.05f * n, frame->VolumeFactor(), 1e-5f);
    }
    Key(platform::VK_F5);
    EXPECT_FLOAT_EQ(0.75f, frame->VolumeFactor());
    Key(platform::VK_F5);
    EXPECT_FLOAT_EQ(0.75f, frame->VolumeFactor());
    expectAttenuation(-2500);
    Key(platform::VK_F6);
    EXPECT_NEAR(0.8f, frame->VolumeFactor(), 1e-5f);
    for (int n = 0; n < 6; ++n)
        Key(platform::VK_F6);
    EXPECT_FLOAT_EQ(1.0f, frame->VolumeFactor());
    expectAttenuation(0);
}

// The offscreen display refuses gamma ramps, so every step reloads the
// textures through a colour map.
class InputGamma : public InputScreen {
protected:
    // The top level of a texture as the game uploaded it.
    static std::vector<uint8_t> TexturePixels(const char* key, int& width)
    {
        CTexture::GetSingletonPtr()->Use(key);
        int height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
        // Read back without the game's colour map, which could otherwise apply twice.
        GLint mapped = GL_FALSE;
        glGetIntegerv(GL_MAP_COLOR, &mapped);
        glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glPixelTransferi(GL_MAP_COLOR, mapped);
        return rgb;
    }
    static float Light0(GLenum which)
    {
        GLfloat colour[4] = {};
        glGetLightfv(GL_LIGHT0, which, colour);
        return colour[0];
    }
};

TEST_F(InputGamma, ThreeStepsDownReachSevenTenthsAndDarkenTheTextures)
{
    Frame();
    const int textures = CTexture::GetSingletonPtr()->Count();
    ASSERT_GT(textures, 0);
    int width = 0;
    const std::vector<uint8_t> before = TexturePixels("STAR", width);
    Key(platform::VK_F3);
    Key(platform::VK_F3);
    EXPECT_NEAR(0.8f, frame->GammaValue(), 1e-5f);
    Key(platform::VK_F3);
    EXPECT_FLOAT_EQ(0.7f, frame->GammaValue());
    Key(platform::VK_F3);
    EXPECT_FLOAT_EQ(0.7f, frame->GammaValue());

    EXPECT_EQ(textures, CTexture::GetSingletonPtr()->Count());
    GLint mapped = GL_FALSE;
    glGetIntegerv(GL_MAP_COLOR, &mapped);
    EXPECT_EQ(GL_TRUE, mapped);
    EXPECT_FLOAT_EQ(0.7f, Light0(GL_AMBIENT));
    EXPECT_FLOAT_EQ(0.7f, Light0(GL_DIFFUSE));

    const std::vector<uint8_t> after = TexturePixels("STAR", width);
    ASSERT_EQ(before.size(), after.size());
    int midTones = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        const double expected = 255.0 * std::pow(before[i] / 255.0, 1.0 / 0.7);
        ASSERT_NEAR(expected, after[i], 2.0) << "texel byte " << i;
        midTones += before[i] > 60 && before[i] < 200;
    }
    EXPECT_GT(midTones, 10) << "the picture has tones the map changes";

    // The game still draws after the reload.
    ToMenu();
    frame->OnMouseMove(400, 300);
    Frame();
    EXPECT_GT(PointerLight(400, 300), 100u);
}

TEST_F(InputGamma, StepsUpStopAtTwoAndAHalf)
{
    Frame();
    for (int n = 1; n <= 15; ++n)
        Key(platform::VK_F4);
    EXPECT_NEAR(2.5f, frame->GammaValue(), 1e-4f);
    Key(platform::VK_F4);
    EXPECT_FLOAT_EQ(2.5f, frame->GammaValue());
    EXPECT_FLOAT_EQ(2.5f, Light0(GL_DIFFUSE));
    Key(platform::VK_F3);
    EXPECT_NEAR(2.4f, frame->GammaValue(), 1e-4f);
}

TEST_F(InputScreen, UpAndDownMoveTheSkillOnlyOnTheSkillScreen)
{
    ToMenu();
    Key(platform::VK_UP);
    EXPECT_EQ(1, Game().GetSkill());
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    Key(platform::VK_UP);
    Key(platform::VK_UP);
    EXPECT_EQ(0, Game().GetSkill());
    Key(platform::VK_RETURN);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_CHOSEN, Screen());
    EXPECT_EQ(0, Picker().GetSkill());
    Key(platform::VK_DOWN);
    EXPECT_EQ(0, Game().GetSkill()) << "the chosen word is fading";
}

TEST_F(InputScreen, NameEntryKeepsItsLimitsQuietly)
{
    ASSERT_NO_FATAL_FAILURE(ToGameOver());
    Key(platform::VK_BACK);
    EXPECT_FALSE(Playing("END")) << "nothing to erase";
    frame->OnChar('a', true);
    frame->OnKeyDown(platform::VK_SPACE, true);
    EXPECT_EQ(0, frame->NameLength()) << "held keys type nothing";
    EXPECT_EQ(150, frame->CursorX());

    Type("a1b2c3d4e5f");
    EXPECT_EQ("A1B2C3D4E5F", frame->NameEntered());
    EXPECT_EQ(150 + 11 * 16, frame->CursorX());
    Sound().StopBuffer("CLICK");
    Key(platform::VK_SPACE);
    EXPECT_EQ(11, frame->NameLength());
    EXPECT_FALSE(Playing("END"));
    EXPECT_FALSE(Playing("CLICK"));
    Type("zz");
    EXPECT_TRUE(Playing("END"));
    EXPECT_EQ("A1B2C3D4E5F", frame->NameEntered());
    EXPECT_EQ(150 + 11 * 16, frame->CursorX());
    EXPECT_FALSE(Playing("CLICK"));

    for (int n = 0; n < 11; ++n)
        Key(platform::VK_BACK);
    EXPECT_EQ(0, frame->NameLength());
    Type("~!@#$%^&*()_+{}|:\"<>?`-=[];',./\t\x7f\xe9");
    EXPECT_EQ(0, frame->NameLength()) << "only letters and digits are name characters";
    // Letters here are the name's, not answers to the quit prompt or pause.
    Type("ynp");
    Frame();
    EXPECT_EQ(CMainFrame::SCREEN_GAME_OVER, Screen());
    EXPECT_EQ("YNP", frame->NameEntered());
    EXPECT_EQ(1, frame->PauseCount());
}

TEST_F(InputScreen, ErasedCharacterLeavesABlankInTheCommittedName)
{
    ASSERT_NO_FATAL_FAILURE(ToGameOver());
    Key(platform::VK_SPACE);
    Type("AB");
    EXPECT_EQ(150 + 3 * 16, frame->CursorX());
    Key(platform::VK_BACK);
    Key(platform::VK_RETURN);
    ASSERT_EQ(CMainFrame::SCREEN_SCORES_NORMAL, Screen());
    EXPECT_STREQ(" A ", frame->RowName(0));
    EXPECT_EQ(0, frame->NameLength());
    EXPECT_EQ(150, frame->CursorX());
}

// Each pad button stands for the key the screen gives it.
TEST_F(InputScreen, PadButtonsActAsTheKeysOfEachScreen)
{
    ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
    frame->OnPadButton(platform::PAD_DOWN);
    frame->OnPadButton(platform::PAD_X);
    frame->OnPadButton(platform::PAD_BACK);
    EXPECT_EQ(2, Game().GetSkill());
    frame->OnPadButton(platform::PAD_A);
    EXPECT_EQ(CMainFrame::SCREEN_SKILL_CHOSEN, Screen()) << "A chooses the skill";
    ASSERT_NO_FATAL_FAILURE(RunUntilPlaying());

    frame->OnPadButton(platform::PAD_START);
    EXPECT_EQ(CGameMngr::kPaused, Game().GetState());
    frame->OnPadButton(platform::PAD_START);
    frame->OnPadButton(platform::PAD_B);
    EXPECT_EQ(CGameMngr::kQuitPrompt, Game().GetState());
    frame->OnPadButton(platform::PAD_A);
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen()) << "A answers yes";

    ASSERT_NO_FATAL_FAILURE(StartPlay());
    frame->OnPadButton(platform::PAD_B);
    frame->OnPadButton(platform::PAD_X);
    frame->OnPadButton(platform::PAD_START);
    EXPECT_EQ(CGameMngr::kQuitPrompt, Game().GetState()) << "only the answers count at the prompt";
    frame->OnPadButton(platform::PAD_Y);
    EXPECT_EQ(CMainFrame::SCREEN_MAIN_MENU, Screen());
    frame->OnPadButton(platform::PAD_DOWN);
    frame->OnPadButton(platform::PAD_START);
    EXPECT_EQ(CMainFrame::SCREEN_FADE_SCORES, Screen()) << "Start is Enter off the play screen";
}

TEST_F(InputScreen, PadAlphabetWrapsAndStopsWhenTheNameIsFull)
{
    ASSERT_NO_FATAL_FAILURE(ToGameOver());
    frame->OnPadButton(platform::PAD_DOWN);
    EXPECT_EQ("9", frame->NameEntered());
    frame->OnPadButton(platform::PAD_UP);
    frame->OnPadButton(platform::PAD_UP);
    EXPECT_EQ("A", frame->NameEntered()) << "after the blank comes A again";
    frame->OnPadButton(platform::PAD_A);
    Type("Q");
    EXPECT_EQ("AQ", frame->NameEntered());
    frame->OnPadButton(platform::PAD_UP);
    Type("BCDEFGHI");
    EXPECT_EQ("AQBCDEFGHI", frame->NameEntered()) << "a typed letter takes the chosen one's place";
    frame->OnPadButton(platform::PAD_UP);
    EXPECT_EQ("AQBCDEFGHIA", frame->NameEntered());
    frame->OnPadButton(platform::PAD_RIGHT);
    EXPECT_EQ(11, frame->NameLength());
    frame->OnPadButton(platform::PAD_UP);
    frame->OnPadButton(platform::PAD_A);
    EXPECT_EQ("AQBCDEFGHIA", frame->NameEntered()) << "a full name takes no more";
    EXPECT_EQ(11, frame->NameLength());
    frame->OnPadButton(platform::PAD_B);
    EXPECT_EQ(10, frame->NameLength());
}

// Where a place on the window lands in the game, mapped as SDL's pointer events are.
std::pair<int, int> PointerAt(int x, int y)
{
    platform::sdl::MapMouse(SDL_GetWindowID(SDL_GL_GetCurrentWindow()), x, y);
    return {x, y};
}

// Frames keep the chosen size whichever way the window shows them, and a
// place on the window still lands on the same place of the game.
TEST_F(InputScreen, AltEnterAndF11SwitchTheWindowAndThePointerFollows)
{
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    int desktopW = 0, desktopH = 0;
    SDL_GetWindowSize(window, &desktopW, &desktopH);
    ASSERT_EQ(1, frame->Fullscreen());
    ASSERT_GT(desktopW * desktopH, 640 * 480) << "full screen fills a desktop larger than the game";

    frame->OnSysKeyDown(platform::VK_RETURN);
    EXPECT_EQ(0, frame->Fullscreen());
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(640, w);
    EXPECT_EQ(480, h);
    EXPECT_EQ(std::make_pair(100, 50), PointerAt(100, 50));
    Frame();
    EXPECT_EQ(640, LastFrame().width);

    Key(platform::VK_F11);
    EXPECT_EQ(1, frame->Fullscreen());
    SDL_GetWindowSize(window, &w, &h);
    EXPECT_EQ(desktopW, w);
    EXPECT_EQ(desktopH, h);
    EXPECT_EQ(std::make_pair(320, 240), PointerAt(desktopW / 2, desktopH / 2));
    Frame();
    EXPECT_EQ(640, LastFrame().width);
    EXPECT_EQ(480, LastFrame().height);
}

} // namespace
