#include "app/DeltaTime.h"
#include "game/DNA.h"
#include "game/Picker.h"
#include "game/m_math.h"
#include "render/TexFont.h"
#include "sound/Sound.h"

#include <algorithm>

namespace {

// Score tables, indexed by skill (EASY, NORMAL, HARD).
const int kColourBase[3] = {10, 50, 100};
const int kPenalty[3] = {5, 10, 15};
const int kPatternScore[3] = {100, 200, 300};
const int kPurifierScore[3] = {50, 100, 500};
const int kBombPenalty[3] = {50, 100, 1000};
// By level band, then skill.
const int kFirstPassBonus[3][3] = {{50, 100, 150}, {75, 150, 200}, {100, 200, 300}};

// Pattern piece types 7 to 14 and the patterns they switch to.
const int kPatternOfPiece[8] = {CPicker::kPatternNormalCW, CPicker::kPatternSkipCW, CPicker::kPatternPoleCW,
    CPicker::kPatternSuckUpCW, CPicker::kPatternNormalCCW, CPicker::kPatternSkipCCW, CPicker::kPatternPoleCCW,
    CPicker::kPatternSuckUpCCW};

const float kPieceHalf = 16.3f;
const int kSpokeDegrees = 360 / CPicker::kNumSpokes;

// The last levels of the first two level bands.
const int kFirstBandEnd = 5;
const int kSecondBandEnd = 10;

// A pattern ends once its timer has faded below this.
const float kPatternTimerOut = 0.15f;

// Where the messages between rounds stand; the purify round's is green.
const int kRoundTextX = 95;
const int kPurifyTextX = 75;
const int kRoundTextY = 150;
constexpr float kPurifyGreen[3] = {0.04f, 1.24f, 0.0f};

// 0 for levels 1 to 5, 1 for 6 to 10, 2 for the rest.
int LevelBand(int level)
{
    if (level >= 1 && level <= kFirstBandEnd)
        return 0;
    if (level > kFirstBandEnd && level <= kSecondBandEnd)
        return 1;
    return 2;
}

} // namespace

void CPicker::Update()
{
    if (m_state == kRefillOut)
        RenderAndUpdateParticleSystem1();
    if (m_state == kRefillOut || m_state == kRefillIn)
        UpdateRefill();
    if (m_state == kSectionComplete)
        UpdateSectionComplete();
    if (m_state == kPurifyIn)
        UpdatePurifyIn();
    Begin();
    AdvanceRingSpin();
    EnterRingFrame();
    for (int i = 0; i < kNumSpokes; ++i) {
        PlaceSpoke(i);
        if (!UpdateSpoke(i)) {
            End();
            return;
        }
        DrawSpokeObject(i);
    }
    RenderRingParticles();
    End();
}

void CPicker::Update(float brightness)
{
    SetAllSpokesColor(brightness);
    Begin();
    AdvanceRingSpin();
    EnterRingFrame();
    for (int i = 0; i < kNumSpokes; ++i) {
        PlaceSpoke(i);
        DrawSpokeObjectFadeColor(i);
    }
    RenderRingParticles();
    End();
}

void CPicker::Advance(CLinearInterpolation& ramp)
{
    if (m_shouldInterpolate == 1 && m_deltaTime)
        ramp.Interpolate(m_deltaTime->GetDeltaTime());
}

void CPicker::AdvanceRingSpin()
{
    Advance(m_ringSpinRamp);
    m_ringAngle = m_ringSpinRamp.GetValue();
    RestartTurnIfPast(m_ringSpinRamp, kRingTurnMs);
}

void CPicker::PlaceSpoke(int i)
{
    t_spoke& spoke = m_spokes[i];
    M2D_getNewAngularPosFromOldPos(spoke.distance, kSpokeDegrees * i, spoke.x, spoke.y, -kPieceHalf, -kPieceHalf);
}

// The ring stays out of play until the old sparks have died, then the new deal fades in.
void CPicker::UpdateRefill()
{
    PrintRoundText("WAIT...", kRoundTextX, kRoundTextY, kTextOrange);
    Advance(m_ringFadeRamp);
    if (m_ringFadeRamp.GetValue() < 0.0f && AreParticlesDead()) {
        m_state = kRefillIn;
        StartRingFadeIn();
        FillSpokes();
    }
    if (m_ringFadeRamp.GetValue() > kRingLit) {
        m_state = kRunning;
        SetAllSpokesColor(0.0f);
        StartPicker();
    }
}

void CPicker::UpdateSectionComplete()
{
    PrintRoundText("SECTION COMPLETE", kRoundTextX, kRoundTextY, kTextOrange);
    Advance(m_ringFadeRamp);
    if (m_ringFadeRamp.GetValue() < 0.0f && AreParticlesDead()) {
        m_state = kPurifyIn;
        StartRingFadeIn();
        FillPurify();
    }
}

void CPicker::UpdatePurifyIn()
{
    PrintRoundText("PURIFY DNA ROUND", kPurifyTextX, kRoundTextY, kPurifyGreen);
    Advance(m_ringFadeRamp);
    if (m_ringFadeRamp.GetValue() > kRingLit && AreParticlesDead()) {
        m_state = kRunning;
        SetAllSpokesColor(0.0f);
        StartPicker();
    }
}

// False when a forced pick ends the frame's ring work.
bool CPicker::UpdateSpoke(int i)
{
    t_spoke& spoke = m_spokes[i];
    switch (m_state) {
    case kRunning:
        if (spoke.colour <= 0.0f)
            spoke.colour = 0.0f;
        if (spoke.isSelected) {
            Advance(spoke.colourRamp);
            spoke.colour = spoke.colourRamp.GetValue();
            if (spoke.colour > 1.0f)
                spoke.colourRamp.Setup(1.0f, 0.0f, m_patternSpeed);
            if (spoke.colour < 0.0f)
                return EndHighlight(i);
        }
        break;
    case kSelected:
        if (spoke.isSelected) {
            DrawRingSelect();
            spoke.colour = 1.0f;
            Advance(spoke.distanceRamp);
            spoke.distance = std::max(spoke.distanceRamp.GetValue(), 0.0f);
        }
        break;
    case kConfirmed:
        if (spoke.isSelected) {
            DrawRingSelect();
            spoke.colour = m_ringSelectIntensity;
            Advance(spoke.distanceRamp);
            spoke.distance = spoke.distanceRamp.GetValue();
            StartParticles();
            if (spoke.distance > kRingRadius)
                ClearDeselect();
        }
        break;
    case kRefillOut:
    case kRefillIn:
    case kSectionComplete:
    case kPurifyIn: spoke.colour = m_ringFadeRamp.GetValue(); break;
    default: break;
    }
    return true;
}

// A pass of the wanted colour without a pick is a miss; too many force the pick.
bool CPicker::EndHighlight(int i)
{
    t_spoke& spoke = m_spokes[i];
    if (spoke.type == m_nextColor && spoke.type != kPurifier && m_shouldCountMisses == 1)
        ++m_misses;
    if (m_misses >= GetMissLimit()) {
        ForcePick(i);
        return false;
    }
    spoke.isSelected = 0;
    spoke.colourRamp.Setup(0.0f, 1.0f, m_patternSpeed);
    SelectNextObject(i);
    return true;
}

void CPicker::ForcePick(int i)
{
    m_currentSpoke = i;
    m_state = kSelected;
    SetCurrSpokeInterpoleDis(kRingRadius, 0.0f, kForcedPullInMs);
    SetTextInterpoleColor(0.0f, 1.0f, kTextColourMs);
    PlaySound("SELECT");
    PlaySound("MUTATION");
}

int CPicker::Select()
{
    if (m_state != kRunning)
        return 0;
    m_state = kSelected;
    SetCurrSpokeInterpoleDis(kRingRadius, 0.0f, kPullInMs);
    SetTextInterpoleColor(0.0f, 1.0f, kTextColourMs);
    PlaySound("SELECT");
    PlayMutationSound();
    return 1;
}

int CPicker::Confirm()
{
    if (m_state != kSelected || IsSoundPlaying("SELECT") || GetMutationSoundIsPlaying())
        return 0;
    m_state = kConfirmed;
    SetCurrSpokeInterpoleDis(0.0f, kRingRadius, kPushOutMs);
    SetTextInterpoleColor(1.0f, 0.0f, kTextColourMs);
    ResetParticles();
    return 1;
}

void CPicker::ClearDeselect()
{
    if (IsSoundPlaying("MUTATION"))
        m_sound->StopBuffer("MUTATION");
    m_state = kRunning;
    t_spoke& spoke = m_spokes[m_currentSpoke];
    spoke.colour = 0.0f;
    spoke.distance = kRingRadius;
    spoke.isSelected = 0;
    spoke.colourRamp.Setup(0.0f, 1.0f, m_patternSpeed);
    ResetRingSelect();
    if (spoke.type >= kFirstPattern && spoke.type <= kLastPattern) {
        m_pattern = kPatternOfPiece[spoke.type - kFirstPattern];
        StartPatternTimer();
        StartBurst(m_patternBurstRamp);
    }
    if (spoke.type == kBomb)
        CollectBomb();
    else if (spoke.type == kPurifier)
        CollectPurifier(spoke);
    else
        CollectPiece(spoke);
}

void CPicker::CollectBomb()
{
    m_score -= kBombPenalty[m_skill];
    m_isDNAFull = 1;
}

// The purifier repairs one mutation and leaves a bomb behind.
void CPicker::CollectPurifier(t_spoke& spoke)
{
    m_dna->DeleteMutation();
    --m_countMutations;
    m_score += kPurifierScore[m_skill];
    spoke.type = kBomb;
    SetAllSpokesColor(0.0f);
    SelectNextObject(m_currentSpoke);
    if (GetNumPurify() == 0)
        m_isDNAFull = 1;
}

void CPicker::CollectPiece(t_spoke& spoke)
{
    const int type = spoke.type;
    // Emptied first, so the next colour is chosen from what is left.
    spoke.type = kEmptyPlace;
    if (type == kEmptyPlace)
        m_score -= kPenalty[m_skill];
    else if (type >= kFirstPattern && type <= kLastPattern)
        m_score += kPatternScore[m_skill];
    else if (type >= kRed && type <= kYellow)
        CollectMolecule(type);
    SetAllSpokesColor(0.0f);
    SelectNextObject(m_currentSpoke);
}

void CPicker::CollectMolecule(int colour)
{
    if (colour == m_nextColor && m_misses < GetMissLimit()) {
        AdjustScore();
        if (m_dna->addMolecule(colour)) {
            m_misses = 0;
            PickNextColor();
        } else if (m_dna->GetNumMutations() > 0) {
            StartPurifyRound();
        } else {
            m_isDNAFull = 1;
        }
        return;
    }
    m_score -= kPenalty[m_skill];
    const int room = m_dna->addMolecule(CDNA::kMutation);
    ++m_countMutations;
    if (m_misses >= GetMissLimit()) {
        m_misses = 0;
        PickNextColor();
    }
    if (!room)
        StartPurifyRound();
}

void CPicker::StartPurifyRound()
{
    m_state = kSectionComplete;
    m_isPurifyRoundActive = 1;
    StartRingFadeOut();
}

void CPicker::AdjustScore()
{
    m_score += kColourBase[m_skill] * (LevelBand(m_level) + 1);
    if (m_misses == 0)
        m_score += FirstPassBonus();
    m_misses = 0;
}

int CPicker::FirstPassBonus() const { return kFirstPassBonus[LevelBand(m_level)][m_skill]; }

void CPicker::AdvancePatternTimer()
{
    if (m_state >= kRunning && m_state <= kConfirmed)
        Advance(m_patternTimerRamp);
    m_patternTimerIntensity = m_patternTimerRamp.GetValue();
}

void CPicker::EndPatternIfFaded()
{
    if (m_patternTimerIntensity < kPatternTimerOut)
        m_pattern = kPatternRandom;
}

void CPicker::SetCurrSpokeInterpoleDis(float start, float end, float ms)
{
    m_spokes[m_currentSpoke].distanceRamp.Setup(start, end, ms);
}

void CPicker::SetTextInterpoleColor(float start, float end, float ms) { m_textColorRamp.Setup(start, end, ms); }

// The warning for a wrong colour; patterns, empty places and the wanted colour pass silently.
void CPicker::PlayMutationSound()
{
    const int type = m_spokes[m_currentSpoke].type;
    if (type != m_nextColor && type < kFirstPattern && type != kEmptyPlace)
        PlaySound("MUTATION");
}

int CPicker::GetMutationSoundIsPlaying() { return IsSoundPlaying("MUTATION") ? 1 : 0; }

void CPicker::SetVolume(float level)
{
    if (!m_sound)
        return;
    for (const char* key : {"NEXT", "PATTERN", "MUTATION"})
        m_sound->SetBufferVolume(key, level);
}

void CPicker::KillSoundBuffers()
{
    if (!m_sound)
        return;
    for (const char* key : {"NEXT", "PATTERN", "MUTATION"})
        m_sound->ReleaseBuffer(key);
}

void CPicker::PlaySound(const char* key)
{
    if (m_sound)
        m_sound->PlayBuffer(key, 0);
}

bool CPicker::IsSoundPlaying(const char* key) const { return m_sound && m_sound->IsBufferPlaying(key); }
