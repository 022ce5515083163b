#pragma once
#include "app/AppLog.h"
#include "app/DeltaTime.h"
#include "app/FrameWnd.h"
#include "app/LinearInterpolation.h"
#include "game/GameMngr.h"
#include "platform/GLWindow.h"
#include "render/GLVideo.h"
#include "render/Hex.h"
#include "render/Texture.h"
#include "score/Score.h"
#include "sound/Sound.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform {
class File;
}
class CTexFont;
class CTextBox;

// The rendering state the game starts from once its context exists.
void SetInitialGLState();

// The window caption chosen when the display was switched; put on the window at start-up.
extern std::string gStrWindowText;
// The hexagon clusters behind the main menu's items.
extern CHex startHex, startHex2, startHex3;
// The information page's text, with its colour and click codes.
extern const char gInformationText[];
// The logo video on the faces of the intro's cube.
extern CGLVideo gAppVideo;

// A screen area and colour depth decided without the settings file or dialog.
struct DisplaySettings {
    int width;
    int height;
    int depth;
};

// What creating the window asks of it, before it exists.
struct CreateStruct {
    int x = 0, y = 0, cx = 0, cy = 0;
    bool popup = false;
};

// One step of a word that fades out letter by letter.
struct t_letterFade {
    float intensity = 1.0f;
    CLinearInterpolation ramp;
};

// A menu item's hit area in the 640 x 480 overlay: left <= x < right, top <= y < bottom.
struct t_menuRect {
    int left, top, right, bottom;
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

// The game's one window: display mode, OpenGL context, resources, screens and input.
class CMainFrame : public CFrameWnd {
public:
    enum {
        SCREEN_MAIN_MENU = 100,
        SCREEN_FADE_NEW_GAME = 101,
        SCREEN_FADE_SCORES = 102,
        SCREEN_FADE_INFORMATION = 103,
        SCREEN_FADE_CREDITS = 104,
        SCREEN_FADE_QUIT = 105,
        SCREEN_SCORES_EASY = 106,
        SCREEN_SCORES_NORMAL = 107,
        SCREEN_SCORES_HARD = 108,
        SCREEN_INFORMATION = 109,
        SCREEN_CREDITS = 110,
        SCREEN_SKILL_LEVEL = 111,
        SCREEN_PLAY = 112,
        SCREEN_SKILL_CHOSEN = 113,
        SCREEN_GAME_OVER = 114,
        SCREEN_INTRO_CUBE = 116,
        SCREEN_INTRO_LOGO = 117,
    };
    // The main menu's items, in the order of their rectangles.
    enum MenuItem { MENU_NEW_GAME, MENU_SCORES, MENU_INFORMATION, MENU_CREDITS, MENU_QUIT, MENU_ITEMS };
    static constexpr int kLetterFades = 25;
    static constexpr int kNameLength = 11; // characters a name may have
    // Where the game-over screen writes the name, and how its cursor moves:
    // a character's width at a time, at most one past the last character.
    static constexpr int kNameX = 150;
    static constexpr int kNameY = 170;
    static constexpr int kNameCursorStep = 16;
    static constexpr int kNameCursorEnd = 342;
    // How long the front end's ramps take, in ms.
    static constexpr float kLogoShowMs = 2500.0f; // the first intro logo
    static constexpr float kCubeZoomMs = 4900.0f; // the video cube flying away
    static constexpr float kLogoFadeInMs = 3200.0f; // the maker's logo over the cube
    static constexpr float kLogoFadeOutMs = 4200.0f;
    static constexpr float kSpinXTurnMs = 15000.0f; // a turn of the intro's first spin, and of the credits logo
    static constexpr float kSpinYTurnMs = 35000.0f;
    static constexpr float kCubeTurnMs = 65000.0f; // a turn of either spin once the cube plays
    static constexpr float kBackTurnMs = 65000.0f; // a turn of the turning background
    static constexpr float kBackScrollMs = 20000.0f; // its texture scrolled by one repeat
    static constexpr float kArrowSwingMs = 300.0f; // the skill arrow, each way
    static constexpr float kCursorBlinkMs = 300.0f; // the name cursor, each way
    // The skill arrow swings between these heights.
    static constexpr float kArrowHigh = -2.0f;
    static constexpr float kArrowLow = -2.5f;
    struct BackgroundColours {
        float corner[4][3];
    };

    // The display settings come from "data/config.dat" and the settings
    // dialog, unless they are forced (the scripted driver, the benchmark).
    explicit CMainFrame(const DisplaySettings* forced = nullptr);
    ~CMainFrame() override;

    // Creates the window: PreCreateWindow, then OnCreateClient. Zero on failure.
    int Create();
    int PreCreateWindow(CreateStruct& cs);
    int OnCreateClient();
    int InitGL();
    void KillGLWindow();

    int IsActive() const override { return m_active; }
    void RenderGLScene() override;

    void OnPaint() override;
    void OnSize(int cx, int cy) override;
    void OnActivateApp(bool active) override;

    // Input: each changes state only; the next frame shows the result.
    void OnKeyDown(unsigned key, bool repeat) override;
    // Alt+Enter switches between full screen and a window, as F11 does.
    void OnSysKeyDown(unsigned key) override;
    void OnChar(unsigned ch, bool repeat) override;
    // A gamepad button acts as the key it stands for on the current screen.
    void OnPadButton(unsigned button) override;
    void OnLButtonDown(int x, int y) override;
    void OnMouseMove(int x, int y) override;
    void OnNcMouseMove(int hitTest) override;

    // Every letter fully lit again, each ramp from 1.0 to 0.0 over 250 ms.
    void ResetFadeFont();
    // Advances a chain of n letter fades by one frame; true once its last entry is out.
    bool FadeChainStep(int n);
    void StartLevelOne();
    void ReSizeGLScene(int width, int height);
    int SetGamma(float scale, float offset);
    static void BuildGammaRamp(float scale, float offset, uint16_t ramp[768]);

    int ReadConfigFile(platform::File& file);
    bool CreateConfigFile();
    bool WriteConfigFile(int flag, int width, int height, int depth);
    void DoModalFull(int width, int height, int depth);

    // Shows the game in a centred window of the chosen area instead of full screen.
    void UseWindow() { m_fullscreen = 0; }
    // True when the display settings could not be stored, so the game cannot start.
    bool CannotStart() const { return m_cannotStart; }
    int ScreenState() const { return m_screenState; }
    int ScreenWidth() const { return m_screenWidth; }
    int ScreenHeight() const { return m_screenHeight; }
    int ColourDepth() const { return m_colourDepth; }
    int Fullscreen() const { return m_fullscreen; }
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    // Where the hand pointer stands, in the 640 x 480 space.
    int PointerX() const { return m_mouseX; }
    int PointerY() const { return m_mouseY; }
    platform::GLWindow& Window() { return m_window; }
    CGameMngr& GameManager() { return m_gameMngr; }
    CScore& Scores() { return m_score; }
    const float& LetterFade(int k) const { return m_letterFades[k].intensity; }
    // The name being entered as it will be recorded: a blank left by Backspace stays.
    std::string NameEntered() const { return m_name; }
    int NameLength() const { return m_nameLength; }
    int CursorX() const { return m_cursorX; }
    float VolumeFactor() const { return m_volumeFactor; }
    float GammaValue() const { return m_gamma; }
    int PauseCount() const { return m_pauseCount; }
    float CubeDepth() const { return m_cubeDepth; }
    // Characters the information page typed since it was entered, codes included.
    int InfoTyped() const { return m_infoTyped; }
    float ReaderPosition() const { return m_readerPos; }
    const CTextBox* InfoBox() const { return m_pInfoBox.get(); }
    // The cube's turn about x, which the credits page's logo carries on.
    float SpinX() const { return m_spinX.GetValue(); }
    float BackgroundScroll() const { return m_backScroll.GetValue(); }
    const CScore::DisplayName& RowName(int row) const { return m_rowNames[row]; }
    int32_t RowScore(int row) const { return m_rowScores[row]; }
    int32_t RowLevel(int row) const { return m_rowLevels[row]; }

private:
    void DecideDisplaySettings();
    void ReleaseWindow();
    void RunScreen();
    void InitSound();
    void ReleaseSounds();
    void SetFrontEndVolume(float factor);
    void LoadTextures();
    // The millisecond clock, in seconds.
    static float ClockSeconds();
    void CreateFonts();
    void CreateTextBoxes();
    void DeleteFontsAndTextBoxes();
    void InitHex();
    void LoadScores();
    float Elapsed() const;
    void PlaySound(const char* key);

    // Intro (screens 117 and 116).
    void DrawIntroLogo();
    void DrawIntroCube();
    void LeaveIntro();
    void DrawCube();
    void DrawMakersLogo();

    // Main menu and the fades of a chosen item (screens 100 to 105), the pointer.
    void DrawMainMenuBackGound();
    void DrawMainMenu();
    void DrawMenuTitle();
    void DrawMenuItem(int item, float intensity);
    // One frame of a chosen item's fade; true once its last letter is out.
    bool DrawItemFade(int item);
    // Advances a ramp of degrees, starting it again from 1 over turnMs once past 361; the value before any restart.
    static float TurnDegrees(CLinearInterpolation& ramp, float elapsed, float turnMs);
    // The slowly turning, scrolling square behind the menu and its pages, in four corner colours.
    void DrawTurningBackground(const char* texture, const BackgroundColours& colours);
    void FadeNew();
    void FadeScores();
    void FadeInfo();
    void FadeCredits();
    void FadeQuit();
    void UpdateHex();
    void DrawVersionLabel();
    void DrawGLMouse();
    // The item under the pointer, or MENU_ITEMS for none.
    int ItemUnderPointer() const;

    // Information and credits pages (screens 109 and 110).
    void ResetInfoPage();
    void DrawInfoPage();
    void TypeInfoCharacter(uint32_t now);
    void DrawReaderPanel();
    void DrawCreditsPage();
    void DrawCreditsLogo();

    // Skill choice (screens 111 and 113).
    void DrawSkillLevel();
    void DrawSkillChosen();
    // A title in menu orange where the skill and game-over screens put theirs.
    void DrawOrangeTitle(const char* title);
    // The arrow stands beside the chosen word; its sideways swing is the arrow ramp's.
    void DrawArrow(float height);

    // Game over and the high-score pages (screens 114, 106 to 108).
    void DrawGameOver();
    void DrawGLCursor(int x, int y);
    void RecordResult();
    void ResetNameEntry();
    void DrawEasyScoresPage();
    void DrawNormalScoresPage();
    void DrawHardScoresPage();
    // Sorts a skill's table and copies it into the display rows.
    void ShowScores(int skill);
    // One high-score page: its title and the colour of its lower-left corner.
    void DrawScoresPage(const char* title, const float (&corner)[3]);

    // Input helpers.
    void ActOnScreenKey(unsigned key, int screen);
    void ChangeSettingByKey(unsigned key);
    void ChooseSkill();
    void AskToQuit();
    // The menu and its pages without the mouse: the pointer steps through the items, keys click.
    void NavigateByKey(unsigned key, int screen);
    void MovePointerToItem(int step);
    void ToggleFullscreen();
    void PadNameEntry(unsigned button);
    // Steps the character under the name cursor through the pad's alphabet.
    void ChangePadCharacter(int step);
    void SelectOrConfirm(bool both);
    void TogglePause();
    void TypeNameCharacter(unsigned ch);
    void EraseNameCharacter();
    void AddNameBlank();
    void ChangeVolume(float step);
    void ChangeGamma(float step);
    void ApplyGammaToTextures();
    void ClickMenu();

    CSoundManager m_sound;
    CTexture m_texture;
    CGameMngr m_gameMngr;
    CDeltaTime m_deltaTime;
    int m_mouseX = 0, m_mouseY = 0;
    t_menuRect m_menuRects[MENU_ITEMS] = {
        {20, 103, 170, 117}, {20, 153, 135, 167}, {20, 203, 215, 217}, {20, 253, 150, 267}, {20, 303, 105, 317}};
    int m_cursorX = kNameX, m_cursorY = kNameY;
    CScore m_score;
    std::unique_ptr<CAppLog> m_pLog;
    std::unique_ptr<CTexFont> m_pSmallFont;
    std::unique_ptr<CTexFont> m_pLargeFont;
    std::unique_ptr<CTextBox> m_pLabelBox;
    std::unique_ptr<CTextBox> m_pInfoBox;
    platform::GLWindow m_window;
    platform::DisplayMode m_savedDisplayMode;

    int m_screenWidth = 640;
    int m_screenHeight = 480;
    int m_colourDepth = 16;
    int m_skipDialog = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_fullscreen = 1;
    int m_active = 0;
    float m_gamma = 1.0f;
    float m_volumeFactor = 1.0f;
    int m_screenState = SCREEN_INTRO_LOGO;
    bool m_cannotStart = false;
    CPicker* m_pPicker = nullptr;

    t_letterFade m_letterFades[kLetterFades];
    char m_name[kNameLength + 2] = " ";
    int m_nameLength = 0;
    int m_pauseCount = 1;
    CScore::DisplayName m_rowNames[CScore::kRows] = {};
    int32_t m_rowScores[CScore::kRows] = {};
    int32_t m_rowLevels[CScore::kRows] = {};

    CLinearInterpolation m_logoTimer, m_zoom, m_spinX, m_spinY, m_logoFade;
    float m_cubeDepth = 0.0f;
    CLinearInterpolation m_backAngle, m_backScroll;
    const char* m_infoTyping = gInformationText;
    uint32_t m_nextCharTime = 0;
    int m_infoTyped = 0;
    float m_readerPos = -8.0f;
    float m_readerSpeed = 0.02f;
    CLinearInterpolation m_arrowRamp;
    CLinearInterpolation m_cursorBlink;
};
