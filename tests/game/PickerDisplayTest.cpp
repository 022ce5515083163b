#include "PickerFixture.h"
#include "render/TexFont.h"

#include "GLContext.h"
#include "TextureFiles.h"

#include <GL/gl.h>
#include <cmath>

namespace {

// White pictures, so what is drawn shows the colour the piece was tinted with.
class Display : public PickerFixture {
protected:
    static constexpr double kRingAngle = 1.0 + 150.0 * 359.0 / 45000.0;

    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok());
        std::vector<texture_file::Record> records;
        for (const char* key : {"NONE", "RED", "GREEN", "BLUE", "YELLOW", "BOMB", "PURE", "NORMALCW", "SKIPCW",
                 "SELECTRING", "RINGSELECT", "NEXT"})
            records.push_back(SolidRecord(key, 4, 4, 0xFFFFFF));
        WriteTextureFile(records);
        m_texture.Load();
        glEnable(GL_TEXTURE_2D);
        gl.Clear();
    }

    // The centre of spoke i, pushed out by `out`, with the ring turned as after one 150 ms frame.
    uint32_t AtSpoke(int i, float out = 0.0f) const
    {
        const double a = (kRingAngle - 18.0 * i) * M_PI / 180.0;
        const double r = 150.0 + out;
        return gl.Pixel(int(std::lround(200 + r * std::cos(a))), int(std::lround(200 + r * std::sin(a))));
    }

    static uint32_t Red(uint32_t rgb) { return rgb >> 16; }
    static uint32_t Green(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
    static uint32_t Blue(uint32_t rgb) { return rgb & 0xFF; }

    // Selects the current spoke as `type` and lets it reach the centre.
    void SelectAs(int type)
    {
        SetCurrentType(type);
        ASSERT_EQ(1, m_picker->Select());
        Frame(900);
        gl.Clear();
        m_picker->SetShouldInterpolate(0);
        m_picker->Update();
        m_picker->SetShouldInterpolate(1);
    }

    void PrintTexts()
    {
        CTexFont font;
        font.Create(kTextArea.left, kTextArea.right, kTextArea.top, kTextArea.bottom);
        font.Begin();
        m_picker->DrawMutationText();
        m_picker->DrawBonus();
        font.End();
    }

    GLContext gl;
};

TEST_F(Display, RingPiecesKeepTheirColoursAndOnlyTheLitSpokeHasAHalo)
{
    Ring({1, 2, 3, 4, 0});
    const int lit = m_picker->GetCurrentSpoke();
    SetFrameTime(150);
    m_picker->Update();
    const uint32_t normal[5] = {0x800080, 0xBF0000, 0x00BF00, 0x0000BF, 0xBFBF00};
    for (int i = 0; i < CPicker::kNumSpokes; ++i) {
        const uint32_t piece = AtSpoke(i);
        const uint32_t expected = normal[m_picker->GetSpoke(i).type];
        EXPECT_NEAR(Red(expected), Red(piece), 1) << "spoke " << i;
        if (i != lit) {
            EXPECT_NEAR(Green(expected), Green(piece), 1) << "spoke " << i;
            EXPECT_NEAR(Blue(expected), Blue(piece), 1) << "spoke " << i;
        }
        const uint32_t beside = AtSpoke(i, 25.0f);
        if (i == lit) {
            EXPECT_NEAR(127, Green(beside), 3);
            EXPECT_NEAR(127, Blue(beside), 3);
            EXPECT_EQ(0u, Red(beside));
        } else {
            EXPECT_EQ(0u, beside) << "spoke " << i;
        }
    }
}

TEST_F(Display, FadingRingShowsEveryColourAtTheBrightnessWithoutHalos)
{
    Ring({1, 0, 4, 8});
    SetFrameTime(150);
    m_picker->Update(0.4f);
    const uint32_t faded[4] = {0x660000, 0x800080, 0x666600, 0x660066};
    for (int i = 0; i < CPicker::kNumSpokes; ++i) {
        EXPECT_NEAR(Red(faded[i % 4]), Red(AtSpoke(i)), 1) << "spoke " << i;
        EXPECT_NEAR(Green(faded[i % 4]), Green(AtSpoke(i)), 1) << "spoke " << i;
        EXPECT_NEAR(Blue(faded[i % 4]), Blue(AtSpoke(i)), 1) << "spoke " << i;
        EXPECT_EQ(0u, AtSpoke(i, 25.0f)) << "spoke " << i;
    }
}

TEST_F(Display, SelectionRingIsRedForAWrongPieceAndGreenForTheNextColour)
{
    Ring({2});
    SelectAs(3);
    EXPECT_EQ(0xFF0000u, gl.Pixel(250, 200));
    EXPECT_EQ(0u, gl.Pixel(200, 270));

    m_picker->Clear();
    Ring({2});
    SelectAs(2);
    EXPECT_EQ(0x00FF00u, gl.Pixel(250, 200));
}

TEST_F(Display, NextColourBoxBurstsWithOneSoundAndNothingWithoutAColour)
{
    glEnable(GL_DEPTH_TEST);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    m_picker->DrawNextPickObject();
    EXPECT_EQ(0u, gl.Pixel(380, 40));
    GLint after = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
    EXPECT_EQ(depth, after);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    glDisable(GL_DEPTH_TEST);

    Ring({3});
    SetFrameTime(120);
    m_picker->DrawNextPickObject();
    EXPECT_EQ(0x0000FFu, gl.Pixel(380, 40));
    EXPECT_EQ(0x0000FFu, gl.Pixel(425, 45));
    EXPECT_TRUE(m_sound->IsBufferPlaying("NEXT"));
    for (int n = 0; n < 6; ++n) {
        FinishSounds();
        SetFrameTime(60);
        gl.Clear();
        m_picker->DrawNextPickObject();
        EXPECT_FALSE(m_sound->IsBufferPlaying("NEXT"));
    }
    EXPECT_EQ(0u, gl.Pixel(425, 45));
    EXPECT_EQ(0x0000FFu, gl.Pixel(380, 40));
}

TEST_F(Display, PatternBoxFadesWithItsTimerStandsStillInThePauseAndEndsThePattern)
{
    Ring({2});
    Collect(7);
    ASSERT_EQ(51, m_picker->GetPattern());
    SetFrameTime(100);
    m_picker->DrawPatternTimer();
    EXPECT_TRUE(m_sound->IsBufferPlaying("PATTERN"));
    EXPECT_NE(0u, gl.Pixel(405, 395)) << "burst";

    const float before = m_picker->GetPatternTimerIntensity();
    SetFrameTime(5000);
    gl.Clear();
    m_picker->DrawPatternTimerPause();
    EXPECT_FLOAT_EQ(before, m_picker->GetPatternTimerIntensity());
    const uint32_t box = gl.Pixel(360, 385);
    EXPECT_NEAR(254, Red(box), 1);
    EXPECT_EQ(Red(box), Blue(box));
    EXPECT_EQ(0u, Green(box));
    EXPECT_EQ(0u, gl.Pixel(405, 395)) << "burst";

    SetFrameTime(17100);
    m_picker->DrawPatternTimer();
    EXPECT_EQ(CPicker::kPatternRandom, m_picker->GetPattern());
    gl.Clear();
    m_picker->DrawPatternTimer();
    EXPECT_EQ(0u, gl.Pixel(360, 385));
}

TEST_F(Display, TextsTellAWrongPieceFromTheNextColourAndAForcedPick)
{
    Ring({2});
    SelectAs(3);
    gl.Clear();
    PrintTexts();
    EXPECT_NE(0u, gl.Pixel(77, 97)) << "MUTATION";
    EXPECT_NE(0u, gl.Pixel(52, 302)) << "penalty";
    EXPECT_EQ(0u, gl.Pixel(102, 272)) << "MISSED:";

    m_picker->Clear();
    Ring({2});
    SelectAs(2);
    gl.Clear();
    PrintTexts();
    EXPECT_NE(0u, gl.Pixel(67, 97)) << "bonus";
    EXPECT_NE(0u, gl.Pixel(102, 272)) << "MISSED:";
    EXPECT_EQ(0u, gl.Pixel(52, 302)) << "penalty";

    m_picker->Clear();
    m_picker->SetSkill(2);
    Ring({2});
    m_picker->SetPattern(52);
    for (int n = 0; n < 10 && m_picker->GetState() == CPicker::kRunning; ++n)
        PassHighlight();
    ASSERT_EQ(CPicker::kSelected, m_picker->GetState());
    ASSERT_EQ(3, m_picker->GetMisses());
    Frame(900);
    gl.Clear();
    PrintTexts();
    EXPECT_NE(0u, gl.Pixel(27, 97)) << "AUTO MUTATION";
    EXPECT_NE(0u, gl.Pixel(52, 302)) << "penalty";
    EXPECT_NE(0u, gl.Pixel(102, 272)) << "MISSED:";
    EXPECT_NE(0u, gl.Pixel(252, 272)) << "miss count";
}

} // namespace
