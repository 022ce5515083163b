#include "game/Picker.h"
#include "app/DeltaTime.h"
#include "game/DNA.h"
#include "render/TexFont.h"
#include "render/Texture.h"
#include "sound/Sound.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <iterator>

namespace {

const int kShuffleSwaps = 250;

const int kNumColours = CPicker::kYellow - CPicker::kRed + 1;
const int kNumPatternPieces = CPicker::kLastPattern - CPicker::kFirstPattern + 1;

// A suck-up pattern's step counter counts up to this, then goes back to 2.
const int kSuckUpCounterEnd = 11;

// The halo of a placed piece: its first size, how long it shrinks and fades.
const float kRingSelectFirstSize = 490.0f;
const float kRingSelectShrinkMs = 500.0f;
const float kRingSelectFadeMs = 1500.0f;
// How long a pattern lasts, and how fast the highlight moves at first.
const float kPatternMs = 20000.0f;
const float kFirstPatternSpeed = 300.0f;
// A burst grows from its first size to this over its time.
const float kBurstLastSize = 100.0f;
const float kBurstMs = 250.0f;

// The bottom-left, bottom-right and top-right corners (top-left stays black):
// red, red and green; white, magenta and magenta; or all green.
constexpr unsigned long kRedGreenCorners = kFontBottomLeftRed | kFontBottomRightRed | kFontTopRightGreen;
constexpr unsigned long kWhiteMagentaCorners = kFontBottomLeftRed | kFontBottomLeftGreen | kFontBottomLeftBlue |
    kFontBottomRightRed | kFontBottomRightBlue | kFontTopRightRed | kFontTopRightBlue;
constexpr unsigned long kGreenCorners = kFontBottomLeftGreen | kFontBottomRightGreen | kFontTopRightGreen;
constexpr unsigned long kFontModes[] = {kFontBlend | kFont32 | kRedGreenCorners,
    kFontBlend | kFont32 | kWhiteMagentaCorners, kFontBlend | kFont16 | kRedGreenCorners,
    kFontBlend | kFont32 | kRedGreenCorners, kFontBlend | kFont32 | kGreenCorners};

// Each alternating pattern keeps its own step counter for the whole run.
int gSuckUpCWCounter = 0;
int gSuckUpCCWCounter = 0;

// True for an odd count: the first step of the pair.
bool NextSuckUpStepIsFirst(int& counter)
{
    if (counter == kSuckUpCounterEnd)
        counter = 1;
    ++counter;
    return counter % 2 == 1;
}

int Wrap(int index) { return (index % CPicker::kNumSpokes + CPicker::kNumSpokes) % CPicker::kNumSpokes; }

bool ValidSpoke(int index) { return index >= 0 && index < CPicker::kNumSpokes; }

} // namespace

CPicker::CPicker() { Clear(); }

CPicker::~CPicker() { Destroy(); }

int CPicker::Create()
{
    m_spokes.resize(kNumSpokes);
    m_texture = Singleton<CTexture>::GetSingletonPtr();
    m_deltaTime = Singleton<CDeltaTime>::GetSingletonPtr();
    m_dna = Singleton<CDNA>::GetSingletonPtr();
    m_sound = Singleton<CSoundManager>::GetSingletonPtr();
    if (m_sound) {
        m_sound->LoadWaveIntoBuffer("sounds/next.wav", "NEXT");
        m_sound->LoadWaveIntoBuffer("sounds/mutation.wav", "MUTATION");
        m_sound->LoadWaveIntoBuffer("sounds/pattern.wav", "PATTERN");
    }
    m_missLimits = {5, 4, 3};
    m_patternTextures = std::unordered_map<int, std::string>(
        {{kPatternNormalCW, "NORMALCW"}, {kPatternSkipCW, "SKIPCW"}, {kPatternPoleCW, "POLECW"},
            {kPatternSuckUpCW, "SUCKUPCW"}, {kPatternNormalCCW, "NORMALCCW"}, {kPatternSkipCCW, "SKIPCCW"},
            {kPatternPoleCCW, "POLECCW"}, {kPatternSuckUpCCW, "SUCKUPCCW"}},
        kNumPatternPieces);
    static_assert(std::size(kFontModes) == std::tuple_size_v<decltype(m_fonts)>);
    for (size_t i = 0; i < m_fonts.size(); ++i)
        m_fonts[i] = MakeTexFont(kFontModes[i]);
    SetupParticles();
    return 1;
}

void CPicker::Clear()
{
    ClearBaseObects();
    m_nextColor = 0;
    m_ringAngle = 0.0f;
    StartTurn(m_ringSpinRamp, kRingTurnMs);
    m_pattern = kPatternRandom;
    m_state = kRunning;
    m_ringSelectSize = 35.0f;
    ResetRingSelect();
    StartPatternTimer();
    m_textColorRamp.Setup(0.0f, 1.0f, kTextColourMs);
    StartRingFadeOut();
    m_isDNAFull = 0;
    m_isPurifyRoundActive = 0;
    m_shouldCountMisses = 1;
    m_shouldInterpolate = 1;
    m_patternSpeed = kFirstPatternSpeed;
    m_numPatterns = 0;
    m_countMutations = 0;
    m_score = 0;
    m_skill = 0;
    m_misses = 0;
    m_level = 1;
}

void CPicker::Destroy()
{
    m_spokes.clear();
    for (auto& font : m_fonts)
        font.reset();
}

void CPicker::ClearBaseObects()
{
    m_spokes.resize(kNumSpokes);
    for (t_spoke& spoke : m_spokes)
        ResetSpoke(spoke, kEmptyPlace);
}

void CPicker::ResetSpoke(t_spoke& spoke, int type)
{
    spoke.x = spoke.y = spoke.z = 0.0f;
    spoke.distance = kRingRadius;
    spoke.colour = 0.0f;
    spoke.colourRamp.Setup(0.0f, 1.0f, m_patternSpeed);
    spoke.distanceRamp.Setup(kRingRadius, 0.0f, kPullInMs);
    spoke.isSelected = 0;
    spoke.type = type;
}

// Only the types move; every spoke keeps its place and ramps.
void CPicker::StartRingFadeIn() { m_ringFadeRamp.Setup(0.0f, kRingLit, kRingFadeMs); }

void CPicker::StartRingFadeOut() { m_ringFadeRamp.Setup(kRingLit, 0.0f, kRingFadeMs); }

void CPicker::ResetRingSelect()
{
    m_ringSelectIntensity = 1.0f;
    m_ringSelectSizeRamp.Setup(kRingSelectFirstSize, kRingSelectLastSize, kRingSelectShrinkMs);
    m_ringSelectFadeRamp.Setup(1.0f, 0.0f, kRingSelectFadeMs);
}

void CPicker::StartPatternTimer()
{
    m_patternTimerIntensity = 1.0f;
    m_patternTimerRamp.Setup(1.0f, 0.0f, kPatternMs);
}

void CPicker::StartBurst(CLinearInterpolation& ramp) { ramp.Setup(kBurstFirstSize, kBurstLastSize, kBurstMs); }

void CPicker::ShuffleTypes()
{
    for (int n = 0; n < kShuffleSwaps; ++n) {
        int a = rand() % kNumSpokes;
        int b = rand() % kNumSpokes;
        if (a != b)
            std::swap(m_spokes[a].type, m_spokes[b].type);
    }
}

void CPicker::FillSpokes()
{
    for (t_spoke& spoke : m_spokes)
        ResetSpoke(spoke, rand() % kNumColours + kRed);
    // More patterns than places would deal past the ring.
    const int patterns = std::min(m_numPatterns, kNumSpokes);
    for (int i = 0; i < patterns; ++i)
        m_spokes[i].type = rand() % kNumPatternPieces + kFirstPattern;
    ShuffleTypes();
    m_misses = 0;
    PickNextColor();
}

void CPicker::FillPurify()
{
    for (t_spoke& spoke : m_spokes)
        ResetSpoke(spoke, kBomb);
    const int purifiers = m_dna ? std::min(m_dna->GetNumMutations(), kNumSpokes) : 0;
    for (int i = 0; i < purifiers; ++i)
        m_spokes[i].type = kPurifier;
    ShuffleTypes();
    m_nextColor = kPurifier;
}

int CPicker::GetAvailableMoleculeColor()
{
    int counts[kYellow + 1] = {};
    for (const t_spoke& spoke : m_spokes)
        if (spoke.type >= kRed && spoke.type <= kYellow)
            ++counts[spoke.type];
    int present[kNumColours];
    int n = 0;
    for (int colour = kRed; colour <= kYellow; ++colour)
        if (counts[colour] > 0)
            present[n++] = colour;
    if (n == 0) {
        // Nothing left to want: the ring fades out and is dealt again.
        m_state = kRefillOut;
        StartRingFadeOut();
        return -1;
    }
    return present[rand() % n];
}

void CPicker::PickNextColor()
{
    int colour = GetAvailableMoleculeColor();
    if (colour == -1)
        return;
    m_nextColor = colour;
    StartBurst(m_nextColorBurstRamp);
}

int CPicker::NextIndex(int p) const
{
    switch (m_pattern) {
    case kPatternRandom: return rand() % kNumSpokes;
    case kPatternNormalCW: return Wrap(p - 1);
    case kPatternNormalCCW: return Wrap(p + 1);
    case kPatternSkipCW: return Wrap(p - 2);
    case kPatternSkipCCW: return Wrap(p + 2);
    case kPatternPoleCW: return Wrap(p + 9);
    case kPatternPoleCCW: return Wrap(p + 11);
    case kPatternSuckUpCW: return Wrap(NextSuckUpStepIsFirst(gSuckUpCWCounter) ? p + 1 : p - 2);
    case kPatternSuckUpCCW: return Wrap(NextSuckUpStepIsFirst(gSuckUpCCWCounter) ? p - 1 : p + 2);
    default: return -1;
    }
}

void CPicker::SelectNextObject(int current)
{
    int next = NextIndex(current);
    if (next < 0)
        return;
    m_currentSpoke = next;
    m_spokes[next].isSelected = 1;
    m_spokes[next].colourRamp.Setup(0.0f, 1.0f, m_patternSpeed);
}

void CPicker::StartPicker()
{
    m_currentSpoke = rand() % kNumSpokes;
    m_spokes[m_currentSpoke].isSelected = 1;
}

int CPicker::GetNumPurify() const
{
    return static_cast<int>(
        std::count_if(m_spokes.begin(), m_spokes.end(), [](const t_spoke& spoke) { return spoke.type == kPurifier; }));
}

void CPicker::SetPattern(int pattern)
{
    assert(pattern >= kPatternRandom && pattern <= kLastPatternCode);
    if (pattern >= kPatternRandom && pattern <= kLastPatternCode)
        m_pattern = pattern;
}

void CPicker::SetSkill(int skill)
{
    assert(skill >= 0 && skill <= kHardestSkill);
    if (skill >= 0 && skill <= kHardestSkill)
        m_skill = skill;
}

void CPicker::SetAllSpokesColor(float colour)
{
    for (t_spoke& spoke : m_spokes)
        spoke.colour = colour;
}

void CPicker::SetAllSpokesIsSelected(int selected)
{
    for (t_spoke& spoke : m_spokes)
        spoke.isSelected = selected;
}

const t_spoke& CPicker::GetSpoke(int index) const
{
    assert(ValidSpoke(index));
    return m_spokes[Wrap(index)];
}

void CPicker::SetSpokeType(int index, int type)
{
    assert(ValidSpoke(index));
    if (ValidSpoke(index))
        m_spokes[index].type = type;
}
