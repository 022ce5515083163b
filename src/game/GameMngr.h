#pragma once
#include "app/LinearInterpolation.h"
#include "game/DNA.h"
#include "game/Picker.h"

#include <memory>
#include <span>

class CDeltaTime;
class CSoundManager;
class CTexFont;
class CTexture;

// How hard one level is: the pattern pieces dealt onto the ring and the
// milliseconds a piece's highlight takes to rise, and again to fall.
struct t_levelSettings {
    int numPatterns;
    float patternSpeed;
};

// Runs a game from its first level to its end: the level music, the
// background and the strand, the level and status messages, the score line,
// the difficulty of each new level and the end of the game.
class CGameMngr {
public:
    // Game states.
    static constexpr int kIdle = 200;
    static constexpr int kLevelIntro = 201;
    static constexpr int kPlay = 202;
    static constexpr int kLevelEnd = 203;
    static constexpr int kQuitPrompt = 204;
    static constexpr int kPaused = 206;

    // The front end's game-over screen, stored into the screen state when the game is lost.
    static constexpr int kScreenGameOver = 114;
    static constexpr int kMutationsToLose = 20;
    static constexpr int kCleanStrandBonus = 1000;

    CGameMngr();
    virtual ~CGameMngr();

    // After the rendering context exists: the strand, the picker, the music and the fonts; returns 1.
    int Create();
    // A new game: idle, level 1, NORMAL.
    void Clear();
    void Destroy();
    // One frame of play and its drawing; may switch the screen to game over.
    void Update(int& screenState);
    void DrawLevelBackground();
    void DrawDNA();
    // Deals the next level once the level-end fade is over.
    void PostLevelClear();

    int GetState() const { return m_state; }
    void SetState(int state) { m_state = state; }
    int GetLevel() const { return m_level; }
    int GetSkill() const { return m_skill; }
    void SetSkill(int skill);
    // The ring's brightness while a level fades in or out.
    float GetFadeValue() const { return m_fadeRamp.GetValue(); }
    // The strand's turn in degrees.
    float GetSpinAngle() const { return m_spinRamp.GetValue(); }
    CPicker& GetPicker() { return m_picker; }
    const CPicker& GetPicker() const { return m_picker; }
    CDNA& GetDNA() { return m_dna; }
    const CDNA& GetDNA() const { return m_dna; }

    void SetInterPoleatePickerColor();
    void StopLevelSound();
    void SetVolume(float level);
    void KillSoundBuffers();

    // The difficulty of a level (from 1) at a skill (0 EASY, 1 NORMAL, 2 HARD).
    static t_levelSettings LevelSettings(int level, int skill);

    // One of the picker's texts about the selected piece.
    using PickerText = void (CPicker::*)();

private:
    void PlayMusic();
    void UpdateIdle();
    void UpdateLevelIntro();
    // False when the game was lost in this frame.
    bool UpdatePlay(int& screenState);
    void UpdateLevelEnd();
    void UpdateQuitPrompt();
    void UpdatePaused();
    void FadeRing();
    void DrawPickerTexts(std::span<const PickerText> texts);
    // Begins the message font's overlay; null, with nothing begun, when there is no font.
    CTexFont* BeginMessages();
    void PrintOrange(int x, int y, const char* text);
    void DrawScore();
    float Elapsed() const;
    void StopIfPlaying(const char* key);

    CPicker m_picker;
    CTexture* m_texture = nullptr;
    CLinearInterpolation m_fadeRamp;
    CDeltaTime* m_deltaTime = nullptr;
    int m_state = kIdle;
    int m_level = 1;
    int m_skill = 1;
    std::unique_ptr<CTexFont> m_scoreFont;
    std::unique_ptr<CTexFont> m_messageFont;
    CSoundManager* m_sound = nullptr;
    CDNA m_dna;
    CLinearInterpolation m_spinRamp;
};
