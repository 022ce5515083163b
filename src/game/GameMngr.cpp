#include "game/GameMngr.h"
#include "app/Assert.h"
#include "app/DeltaTime.h"
#include "render/TexFont.h"
#include "render/Texture.h"
#include "sound/Sound.h"

#include <GL/gl.h>
#include <algorithm>
#include <cassert>
#include <string>

namespace {

// The strand turns once in 15 s.
const float kSpinMs = 15000.0f;
// Below this brightness the ring is too dark for the next-colour box.
const float kNextBoxShown = 0.55f;

// Where the messages, the level number, the clean-strand bonus and the score stand.
const int kMessageY = 150;
const int kSectionX = 75;
const int kLevelNumberX = 290;
const int kPromptX = 100;
const int kBonusX = 65;
const int kBonusY = 95;
const int kScoreX = 10;
const int kScoreY = 445;

// The backdrop square behind the play, shaded from red through purple to blue.
const float kBackdropDepth = -10.0f;
constexpr struct {
    float colour[3];
    float tex[2];
    float x, y;
} kBackdropCorners[] = {
    {{1.9f, 0.0f, 0.0f}, {0.0f, 0.0f}, -5.6f, -5.6f},
    {{1.5f, 0.0f, 1.5f}, {1.0f, 0.0f}, 5.6f, -5.6f},
    {{0.0f, 0.0f, 1.5f}, {1.0f, 1.0f}, 5.6f, 5.6f},
    {{0.0f, 0.0f, 1.0f}, {0.0f, 1.0f}, -5.6f, 5.6f},
};

// The strand's place, in the upper right of the field.
constexpr float kStrandPlace[3] = {3.0f, 2.75f, -9.0f};

// Pattern pieces by level 1 to 20, and one fixed row for every level after.
const int kLastListedLevel = 21;
const int kNumPatterns[kLastListedLevel][3] = {
    {0, 0, 0},
    {0, 0, 1},
    {0, 1, 2},
    {1, 2, 3},
    {1, 2, 3},
    {2, 3, 4},
    {2, 3, 5},
    {3, 4, 6},
    {3, 4, 6},
    {4, 5, 7},
    {4, 5, 7},
    {5, 6, 8},
    {5, 6, 8},
    {6, 7, 9},
    {6, 7, 9},
    {7, 8, 10},
    {7, 8, 10},
    {7, 9, 11},
    {8, 9, 11},
    {8, 10, 12},
    {8, 10, 12},
};
// Level 1's speed, and how much faster each later level is, by skill.
const float kFirstSpeed[3] = {400.0f, 350.0f, 300.0f};
const float kSpeedStep[3] = {12.5f, 12.5f, 11.25f};

const CGameMngr::PickerText kPlayTexts[] = {&CPicker::DrawMutationText, &CPicker::DrawPatternText,
    &CPicker::DrawTotalMutations, &CPicker::DrawPurifyText, &CPicker::DrawBombText, &CPicker::DrawBonus};
const CGameMngr::PickerText kPausedTexts[] = {&CPicker::DrawTotalMutations, &CPicker::DrawMutationText,
    &CPicker::DrawPatternText, &CPicker::DrawPurifyText, &CPicker::DrawBombText, &CPicker::DrawBonus};

// Top-left black; the score's other corners green, green and blue, the messages' red, red and green.
constexpr unsigned long kScoreFontMode =
    kFontBlend | kFont32 | kFontBottomLeftGreen | kFontBottomRightGreen | kFontTopRightBlue;
constexpr unsigned long kMessageFontMode =
    kFontBlend | kFont16 | kFontBottomLeftRed | kFontBottomRightRed | kFontTopRightGreen;

bool ValidSkill(int skill) { return skill >= 0 && skill <= CPicker::kHardestSkill; }

// The purify music plays from the purify ring's fade-in until the next level.
bool IsPurifyPlay(int pickerState)
{
    return pickerState == CPicker::kRunning || pickerState == CPicker::kSelected ||
        pickerState == CPicker::kConfirmed || pickerState == CPicker::kPurifyIn;
}

} // namespace

CGameMngr::CGameMngr() { Clear(); }

CGameMngr::~CGameMngr() { Destroy(); }

int CGameMngr::Create()
{
    m_dna.Create();
    m_picker.Create();
    m_texture = Singleton<CTexture>::GetSingletonPtr();
    m_deltaTime = Singleton<CDeltaTime>::GetSingletonPtr();
    m_sound = Singleton<CSoundManager>::GetSingletonPtr();
    if (m_sound) {
        m_sound->LoadWaveIntoBuffer("sounds/level.wav", "LEVEL");
        m_sound->LoadWaveIntoBuffer("sounds/purify.wav", "PURIFY");
    }
    m_scoreFont = MakeTexFont(kScoreFontMode);
    m_messageFont = MakeTexFont(kMessageFontMode);
    return 1;
}

void CGameMngr::Clear()
{
    m_state = kIdle;
    m_level = 1;
    m_skill = 1;
    SetInterPoleatePickerColor();
    StartTurn(m_spinRamp, kSpinMs);
    m_dna.Clear();
    m_picker.Clear();
    m_picker.SetLevel(1);
}

void CGameMngr::Destroy()
{
    m_scoreFont.reset();
    m_messageFont.reset();
}

void CGameMngr::SetSkill(int skill)
{
    // The level table has a column for each skill and no more.
    assert(ValidSkill(skill));
    if (ValidSkill(skill))
        m_skill = skill;
}

t_levelSettings CGameMngr::LevelSettings(int level, int skill)
{
    VX_ASSERT(level >= 1);
    VX_ASSERT(ValidSkill(skill));
    const int row = std::min(level, kLastListedLevel) - 1;
    return {kNumPatterns[row][skill], kFirstSpeed[skill] - kSpeedStep[skill] * static_cast<float>(row)};
}

void CGameMngr::Update(int& screenState)
{
    PlayMusic();
    switch (m_state) {
    case kIdle: UpdateIdle(); break;
    case kLevelIntro: UpdateLevelIntro(); break;
    case kPlay:
        if (!UpdatePlay(screenState))
            return;
        break;
    case kLevelEnd: UpdateLevelEnd(); break;
    case kQuitPrompt: UpdateQuitPrompt(); break;
    case kPaused: UpdatePaused(); break;
    default: break;
    }
    DrawScore();
}

// Asked for every frame: a playing piece goes on, a finished one starts over.
void CGameMngr::PlayMusic()
{
    if (!m_sound)
        return;
    const bool purify = m_picker.GetIsPurifyRoundActive() && IsPurifyPlay(m_picker.GetState());
    m_sound->PlayBuffer(purify ? "PURIFY" : "LEVEL", 0);
    StopIfPlaying(purify ? "LEVEL" : "PURIFY");
}

void CGameMngr::UpdateIdle()
{
    DrawLevelBackground();
    m_picker.SetShouldCountMisses(0);
    m_picker.SetShouldInterpolate(1);
    m_picker.Update();
    DrawDNA();
    if (BeginMessages()) {
        m_picker.DrawTotalMutations();
        m_messageFont->End();
    }
}

void CGameMngr::UpdateLevelIntro()
{
    DrawLevelBackground();
    FadeRing();
    DrawDNA();
    if (GetFadeValue() > kNextBoxShown)
        m_picker.DrawNextPickObject();
    else
        m_picker.RenderAndUpdateParticleSystem1();
    if (BeginMessages()) {
        m_picker.DrawTotalMutations();
        PrintOrange(kSectionX, kMessageY, "DNA SECTION:");
        PrintOrange(kLevelNumberX, kMessageY, std::to_string(m_level).c_str());
        m_messageFont->End();
    }
    if (GetFadeValue() > CPicker::kRingLit) {
        m_state = kPlay;
        m_picker.SetAllSpokesColor(0.0f);
        m_picker.StartPicker();
    }
}

bool CGameMngr::UpdatePlay(int& screenState)
{
    DrawLevelBackground();
    DrawDNA();
    m_picker.SetShouldCountMisses(1);
    m_picker.SetShouldInterpolate(1);
    m_picker.Update();
    m_picker.DrawPatternTimer();
    m_picker.DrawNextPickObject();
    if (BeginMessages()) {
        DrawPickerTexts(kPlayTexts);
        m_messageFont->End();
    }
    if (m_picker.GetCountMutations() >= kMutationsToLose) {
        m_state = kIdle;
        screenState = kScreenGameOver;
        // The ring stands without a highlight behind the game-over screen.
        m_picker.SetAllSpokesIsSelected(0);
        return false;
    }
    if (m_picker.GetIsDNAFull()) {
        ++m_level;
        m_state = kLevelEnd;
        m_picker.SetLevel(m_level);
        m_fadeRamp.Setup(CPicker::kRingLit, 0.0f, CPicker::kRingFadeMs);
        m_picker.SetIsDNAFull(0);
    }
    return true;
}

void CGameMngr::UpdateLevelEnd()
{
    DrawLevelBackground();
    FadeRing();
    DrawDNA();
    m_picker.RenderAndUpdateParticleSystem1();
    if (BeginMessages()) {
        m_picker.DrawTotalMutations();
        PrintOrange(kSectionX, kMessageY, m_picker.GetIsPurifyRoundActive() ? "WAIT..." : "SECTION COMPLETE");
        if (m_dna.GetNumMutations() == 0 && m_scoreFont) {
            m_scoreFont->SetColorIntensity(GetFadeValue());
            m_scoreFont->DrawString(kBonusX, kBonusY, "1000 BONUS", 0.0f, 1.0f, 0.0f);
        }
        m_messageFont->End();
    }
    if (GetFadeValue() < 0.0f)
        PostLevelClear();
}

// The field keeps moving behind the prompt, but no miss is counted.
void CGameMngr::UpdateQuitPrompt()
{
    DrawLevelBackground();
    m_picker.SetShouldCountMisses(0);
    m_picker.SetShouldInterpolate(1);
    m_picker.Update();
    m_picker.DrawPatternTimer();
    m_picker.DrawNextPickObject();
    DrawDNA();
    if (BeginMessages()) {
        DrawPickerTexts(kPlayTexts);
        PrintOrange(kPromptX, kMessageY, "QUIT: Y OR N");
        m_messageFont->End();
    }
}

// Every ramp of the picker, and so the strand's spin, stands still.
void CGameMngr::UpdatePaused()
{
    DrawLevelBackground();
    m_picker.SetShouldCountMisses(0);
    m_picker.SetShouldInterpolate(0);
    m_picker.Update();
    m_picker.DrawPatternTimerPause();
    m_picker.DrawNextPickObject();
    DrawDNA();
    if (BeginMessages()) {
        DrawPickerTexts(kPausedTexts);
        PrintOrange(kPromptX, kMessageY, "GAME PAUSED");
        m_messageFont->End();
    }
}

// The whole ring at the level fade's brightness.
void CGameMngr::FadeRing()
{
    m_picker.SetShouldInterpolate(1);
    m_fadeRamp.Interpolate(Elapsed());
    m_picker.Update(GetFadeValue());
}

void CGameMngr::SetInterPoleatePickerColor() { m_fadeRamp.Setup(0.0f, CPicker::kRingLit, CPicker::kRingFadeMs); }

void CGameMngr::PostLevelClear()
{
    m_state = kLevelIntro;
    m_picker.SetAllSpokesColor(0.0f);
    m_picker.SetPatternRandom();
    m_picker.SetIsPurifyRoundActive(0);
    const t_levelSettings settings = LevelSettings(m_level, m_skill);
    m_picker.SetNumPatterns(settings.numPatterns);
    m_picker.FillSpokes();
    m_picker.SetPatternSpeed(settings.patternSpeed);
    SetInterPoleatePickerColor();
    if (m_dna.GetNumMutations() == 0 && m_picker.GetScore() != 0)
        m_picker.AddToScore(kCleanStrandBonus);
    m_dna.Clear();
}

void CGameMngr::DrawLevelBackground()
{
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, kBackdropDepth);
    if (m_texture)
        m_texture->Use("LEVELBACK");
    glBegin(GL_QUADS);
    for (const auto& corner : kBackdropCorners) {
        glColor3fv(corner.colour);
        glTexCoord2fv(corner.tex);
        glVertex3f(corner.x, corner.y, 0.0f);
    }
    glEnd();
    glPopMatrix();
}

// The strand turns in the upper right, and stands still while the picker's ramps do.
void CGameMngr::DrawDNA()
{
    if (m_picker.GetShouldInterpolate())
        m_spinRamp.Interpolate(Elapsed());
    RestartTurnIfPast(m_spinRamp, kSpinMs);
    glPushMatrix();
    glTranslatef(kStrandPlace[0], kStrandPlace[1], kStrandPlace[2]);
    glRotatef(m_spinRamp.GetValue(), 0.0f, 1.0f, 0.0f);
    m_dna.Update();
    glPopMatrix();
}

void CGameMngr::DrawPickerTexts(std::span<const PickerText> texts)
{
    for (PickerText text : texts)
        (m_picker.*text)();
}

CTexFont* CGameMngr::BeginMessages()
{
    if (m_messageFont)
        m_messageFont->Begin();
    return m_messageFont.get();
}

void CGameMngr::PrintOrange(int x, int y, const char* text)
{
    m_messageFont->SetColorIntensity(1.0f);
    m_messageFont->DrawString(x, y, text, kTextOrange);
}

void CGameMngr::DrawScore()
{
    if (!m_scoreFont)
        return;
    m_scoreFont->Begin();
    m_scoreFont->SetColorIntensity(1.0f);
    m_scoreFont->DrawString(kScoreX, kScoreY, std::to_string(m_picker.GetScore()).c_str());
    m_scoreFont->End();
}

float CGameMngr::Elapsed() const { return m_deltaTime ? m_deltaTime->GetDeltaTime() : 0.0f; }

void CGameMngr::StopIfPlaying(const char* key)
{
    if (m_sound)
        m_sound->StopIfPlaying(key);
}

void CGameMngr::StopLevelSound() { StopIfPlaying("LEVEL"); }

void CGameMngr::SetVolume(float level)
{
    if (!m_sound)
        return;
    m_sound->SetBufferVolume("LEVEL", level);
    m_sound->SetBufferVolume("PURIFY", level);
}

void CGameMngr::KillSoundBuffers()
{
    if (!m_sound)
        return;
    m_sound->ReleaseBuffer("LEVEL");
    m_sound->ReleaseBuffer("PURIFY");
}
