#pragma once
#include "app/LinearInterpolation.h"
#include "app/singleton.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CDNA;
class CDeltaTime;
class CSoundManager;
class CTexFont;
class CTexture;

// One place of the ring and the piece standing on it.
struct t_spoke {
    int type = 0;
    int isSelected = 0;
    float x = 0.0f, y = 0.0f, z = 0.0f; // top-left corner of the piece in the ring's frame
    float colour = 0.0f; // brightness of the highlight
    float distance = 150.0f; // from the ring's centre
    CLinearInterpolation colourRamp;
    CLinearInterpolation distanceRamp;
};

// The play itself: a turning ring of 20 pieces with a highlight travelling
// over it, the deals, the rules of collecting a piece and the score.
// One per process.
class CPicker : public Singleton<CPicker> {
public:
    static constexpr int kNumSpokes = 20;
    // Skills run from 0 (easy) to this (hard).
    static constexpr int kHardestSkill = 2;
    // The ring's brightness once faded in, and how long a fade in or out takes.
    static constexpr float kRingLit = 0.75f;
    static constexpr float kRingFadeMs = 1500.0f;

    // Spoke types; 1 to 4 are the strand's colours.
    static constexpr int kEmptyPlace = 0;
    static constexpr int kRed = 1;
    static constexpr int kGreen = 2;
    static constexpr int kBlue = 3;
    static constexpr int kYellow = 4;
    static constexpr int kBomb = 5;
    static constexpr int kPurifier = 6;
    static constexpr int kFirstPattern = 7;
    static constexpr int kLastPattern = 14;

    // How the highlight chooses its next spoke.
    static constexpr int kPatternRandom = 50;
    static constexpr int kPatternNormalCW = 51; // one place on, clockwise
    static constexpr int kPatternNormalCCW = 52; // one place on, anticlockwise
    static constexpr int kPatternSkipCW = 53; // two places on
    static constexpr int kPatternSkipCCW = 54;
    static constexpr int kPatternPoleCW = 55; // across the ring, a place short
    static constexpr int kPatternPoleCCW = 56;
    static constexpr int kPatternSuckUpCW = 57; // one place on, then two back
    static constexpr int kPatternSuckUpCCW = 58;
    static constexpr int kLastPatternCode = kPatternSuckUpCCW;

    // Picker states.
    static constexpr int kRunning = 300;
    static constexpr int kSelected = 301;
    static constexpr int kConfirmed = 302;
    static constexpr int kRefillOut = 303;
    static constexpr int kRefillIn = 304;
    static constexpr int kSectionComplete = 305;
    static constexpr int kPurifyIn = 306;

    CPicker();
    ~CPicker() override;

    // Needs the texture library, frame clock, strand and sound library; returns 1.
    int Create();
    void Clear();
    void Destroy();
    void ClearBaseObects();

    // One frame of play and its drawing.
    void Update();
    // The whole ring at one brightness, while a level fades in or out.
    void Update(float brightness);

    void FillSpokes();
    void FillPurify();
    int GetAvailableMoleculeColor();
    void PickNextColor();
    void SelectNextObject(int current);
    void StartPicker();
    int GetNumPurify() const;

    // The player's two actions; each returns 1 when it was taken.
    int Select();
    int Confirm();
    void ClearDeselect();
    void AdjustScore();

    // The pattern box's clock: advanced in play, and a faded box ends the pattern.
    void AdvancePatternTimer();
    void EndPatternIfFaded();

    // Drawing: the picker's 2D state, bracketing everything it draws.
    void Begin();
    void End();
    // The boxes beside the ring; the pause form keeps the pattern timer still.
    void DrawPatternTimer();
    void DrawPatternTimerPause();
    void DrawNextPickObject();
    // Texts about the selected piece; the caller brackets them with a font's Begin and End.
    void DrawMutationText();
    void DrawPatternText();
    void DrawTotalMutations();
    void DrawPurifyText();
    void DrawBombText();
    void DrawBonus();

    int GetState() const { return m_state; }
    void SetState(int state) { m_state = state; }
    void SetLevel(int level) { m_level = level; }
    int GetLevel() const { return m_level; }
    void SetSkill(int skill);
    int GetSkill() const { return m_skill; }
    long GetScore() const { return m_score; }
    void AddToScore(long amount) { m_score += static_cast<int32_t>(amount); }
    int GetCountMutations() const { return m_countMutations; }
    int GetIsDNAFull() const { return m_isDNAFull; }
    void SetIsDNAFull(int full) { m_isDNAFull = full; }
    int GetIsPurifyRoundActive() const { return m_isPurifyRoundActive; }
    void SetIsPurifyRoundActive(int active) { m_isPurifyRoundActive = active; }
    void SetShouldCountMisses(int count) { m_shouldCountMisses = count; }
    int GetShouldInterpolate() const { return m_shouldInterpolate; }
    void SetShouldInterpolate(int on) { m_shouldInterpolate = on; }
    void SetPatternRandom() { m_pattern = kPatternRandom; }
    int GetPattern() const { return m_pattern; }
    void SetPattern(int pattern);
    void SetPatternSpeed(float ms) { m_patternSpeed = ms; }
    float GetPatternSpeed() const { return m_patternSpeed; }
    void SetNumPatterns(int count) { m_numPatterns = count; }
    void SetAllSpokesColor(float colour);
    void SetAllSpokesIsSelected(int selected);
    int GetNextColor() const { return m_nextColor; }
    int GetCurrentSpoke() const { return m_currentSpoke; }
    int GetMisses() const { return m_misses; }
    int GetMissLimit() const { return m_missLimits[m_skill]; }
    // The first-pass bonus of the current level and skill.
    int FirstPassBonus() const;
    const t_spoke& GetSpoke(int index) const;
    void SetSpokeType(int index, int type);
    float GetPatternTimerIntensity() const { return m_patternTimerIntensity; }

    void SetCurrSpokeInterpoleDis(float start, float end, float ms);
    void SetTextInterpoleColor(float start, float end, float ms);
    void PlayMutationSound();
    int GetMutationSoundIsPlaying();
    void SetVolume(float level);
    void KillSoundBuffers();
    // The sparks at the next-colour box; the game manager draws them while play runs.
    void RenderAndUpdateParticleSystem1();

private:
    // The distance of a piece at rest from the ring's centre; the ring turns once in 45 s.
    static constexpr float kRingRadius = 150.0f;
    static constexpr float kRingTurnMs = 45000.0f;
    // A chosen piece flies to the centre (slower when the choice was forced),
    // a confirmed one back out; the round's text fades over its own time.
    static constexpr float kPullInMs = 550.0f;
    static constexpr float kForcedPullInMs = 750.0f;
    static constexpr float kPushOutMs = 1750.0f;
    static constexpr float kTextColourMs = 900.0f;
    // The halo round a placed piece shrinks to this size and no further.
    static constexpr float kRingSelectLastSize = 65.0f;
    // A burst ramp starts at this size: below it, it was never set up.
    static constexpr float kBurstFirstSize = 1.0f;

    void ResetSpoke(t_spoke& spoke, int type);
    void StartRingFadeIn();
    void StartRingFadeOut();
    // The halo round a placed piece shrinks and fades from the start again.
    void ResetRingSelect();
    void StartPatternTimer();
    static void StartBurst(CLinearInterpolation& ramp);
    void ShuffleTypes();
    int NextIndex(int p) const;
    void Advance(CLinearInterpolation& ramp);
    void AdvanceRingSpin();
    void PlaceSpoke(int i);
    void UpdateRefill();
    void UpdateSectionComplete();
    void UpdatePurifyIn();
    bool UpdateSpoke(int i);
    bool EndHighlight(int i);
    void ForcePick(int i);
    void CollectBomb();
    void CollectPurifier(t_spoke& spoke);
    void CollectPiece(t_spoke& spoke);
    void CollectMolecule(int colour);
    void StartPurifyRound();
    void PlaySound(const char* key);
    bool IsSoundPlaying(const char* key) const;

    // Display and particle effects.
    void EnterRingFrame();
    void DrawSpokeObject(int i);
    void DrawSpokeObjectFadeColor(int i);
    void DrawRingSelect();
    void PrintRoundText(const char* text, int x, int y, const float (&rgb)[3]);
    bool IsRingFading() const;
    bool IsPieceSelected() const;
    int CurrentType() const;
    void DrawPatternBox();
    void DrawPatternBurst();
    void DrawNextColourBox();
    void DrawNextBurst();
    // Font n of 1 to 5 at an intensity; null once the fonts are gone.
    CTexFont* Font(int n, float intensity);
    void PrintPenalty(int x, int y, float intensity);
    float AdvanceTextColour();
    void SetupParticles();
    void ResetParticles();
    void StartParticles();
    void RenderRingParticles();
    bool AreParticlesDead() const;
    // The current spoke, or null before the ring exists.
    const t_spoke* FlyingSpoke() const;

    CTexture* m_texture = nullptr;
    std::vector<t_spoke> m_spokes;
    float m_ringAngle = 0.0f;
    CLinearInterpolation m_ringSpinRamp;
    CDeltaTime* m_deltaTime = nullptr;
    int m_pattern = kPatternRandom;
    int m_state = kRunning;
    int m_currentSpoke = 0;
    int m_nextColor = 0;
    int m_numPatterns = 0;
    float m_patternSpeed = 300.0f;
    int m_countMutations = 0;
    int32_t m_score = 0;
    int m_skill = 0;
    int m_level = 1;
    int m_misses = 0;
    std::array<int, 3> m_missLimits = {5, 4, 3};
    int m_isDNAFull = 0;
    int m_isPurifyRoundActive = 0;
    float m_ringSelectSize = 35.0f;
    CLinearInterpolation m_ringSelectSizeRamp;
    float m_ringSelectIntensity = 1.0f;
    CLinearInterpolation m_ringSelectFadeRamp;
    CLinearInterpolation m_nextColorBurstRamp;
    CLinearInterpolation m_patternBurstRamp;
    float m_patternTimerIntensity = 1.0f;
    CLinearInterpolation m_patternTimerRamp;
    std::unordered_map<int, std::string> m_patternTextures;
    CDNA* m_dna = nullptr;
    CLinearInterpolation m_textColorRamp;
    std::array<std::unique_ptr<CTexFont>, 5> m_fonts;
    CLinearInterpolation m_ringFadeRamp;
    CSoundManager* m_sound = nullptr;
    int m_shouldCountMisses = 1;
    int m_shouldInterpolate = 1;
};
