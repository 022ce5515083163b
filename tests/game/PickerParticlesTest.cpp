#include "PickerFixture.h"
#include "render/particle_system.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

int LiveSparks(const PARTICLE_SYSTEM& system)
{
    int live = 0;
    for (unsigned i = 0; i < PARTICLE_SYSTEM::kMaxParticles; ++i)
        live += system.Get_Particle(i).IsAlive() ? 1 : 0;
    return live;
}

// The emitters outlive every picker, so each case starts with both empty.
class Sparks : public PickerFixture {
protected:
    Sparks() { KillSparks(); }

    // Also brings both systems' last advance up to now.
    static void KillSparks()
    {
        const float now = ParticleSeconds();
        for (PARTICLE_SYSTEM* system : {&ps1, &ps3}) {
            system->Update(now - 1000.0f, 1, 0.0f);
            system->Update(now, 1, 0.0f);
            system->Render();
        }
    }

    // The frame clock's rate over the last second becomes fps; the call closing
    // a window counts as the next one's first frame.
    void SetFps(int fps)
    {
        m_clock.Advance(1000);
        m_deltaTime.calculateFramesPerSec();
        for (int i = 1; i < fps; ++i)
            m_deltaTime.calculateFramesPerSec();
        m_clock.Advance(1000);
        m_deltaTime.calculateFramesPerSec();
        ASSERT_EQ(fps, m_deltaTime.GetFPS());
    }

    // Confirms the lit piece of a ring of one type and flies it out for one short frame.
    void FlyPiece(int type, int nextColour)
    {
        KillSparks();
        Ring({nextColour});
        SetCurrentType(type);
        ASSERT_EQ(1, m_picker->Select());
        FinishSounds();
        ASSERT_EQ(1, m_picker->Confirm());
        Frame(10);
        ASSERT_EQ(CPicker::kConfirmed, m_picker->GetState());
    }
};

TEST_F(Sparks, CreationSetsUpBothSystems)
{
    EXPECT_EQ(380.0f, ps1.Get_Location(0));
    EXPECT_EQ(40.0f, ps1.Get_Location(1));
    EXPECT_FALSE(ps1.IsAttracting());
    EXPECT_TRUE(ps3.IsAttracting());
    EXPECT_EQ(0.0f, ps3.Get_Location(0));

    const float now = ParticleSeconds();
    ps1.Update(now, 0, 1.0f);
    ps3.Update(now, 0, 1.0f);
    const PARTICLE& target = ps1.Get_Particle(0);
    EXPECT_FLOAT_EQ(0.75f, target.dyingAge);
    EXPECT_FLOAT_EQ(35.0f, target.size);
    EXPECT_FLOAT_EQ(1.0f, target.alpha);
    EXPECT_FLOAT_EQ(1.0f, target.color[1]);
    EXPECT_FLOAT_EQ(2.0f, target.colorStep[0]); // towards 1.5 red over 0.75 s
    const PARTICLE& ring = ps3.Get_Particle(0);
    EXPECT_FLOAT_EQ(1.75f, ring.dyingAge);
    EXPECT_FLOAT_EQ(25.0f, ring.size);
}

TEST_F(Sparks, OnlyTheWantedColourFeedsTheTargetAndBombsFlyDark)
{
    SetFps(75);
    FlyPiece(3, 1);
    EXPECT_EQ(0, LiveSparks(ps1));
    ASSERT_EQ(2, LiveSparks(ps3));
    EXPECT_FLOAT_EQ(1.0f, ps3.Get_Particle(0).color[2]);
    EXPECT_NEAR(0.0f, ps3.Get_Particle(0).color[0], 0.05f);
    EXPECT_FALSE(ps3.IsAttracting());

    for (int type : {CPicker::kEmptyPlace, CPicker::kBomb}) {
        m_picker->SetState(CPicker::kRunning);
        FlyPiece(type, 1);
        EXPECT_EQ(0, LiveSparks(ps1)) << type;
        EXPECT_EQ(0, LiveSparks(ps3)) << type;
    }
}

TEST_F(Sparks, ConfirmingPicksOneOfTheLooksAndCentresTheRingSparksOnThePiece)
{
    SetFps(75);
    FlyPiece(2, 2);
    const PARTICLE& ring = ps3.Get_Particle(0);
    const float ringLooks[][2] = {{45.0f, 0.95f}, {35.0f, 0.55f}, {55.0f, 0.45f}, {35.0f, 0.45f}};
    EXPECT_TRUE(std::any_of(std::begin(ringLooks), std::end(ringLooks), [&](const float* look) {
        return look[1] == ring.dyingAge;
    })) << ring.dyingAge;
    const PARTICLE& target = ps1.Get_Particle(0);
    EXPECT_FLOAT_EQ(0.5f, target.alpha);
    EXPECT_TRUE(target.dyingAge == 0.95f || target.dyingAge == 1.25f) << target.dyingAge;
    EXPECT_FLOAT_EQ(1.0f, target.color[1]);

    const t_spoke& piece = m_picker->GetSpoke(m_picker->GetCurrentSpoke());
    EXPECT_FLOAT_EQ(piece.x + 16.0f, ps3.Get_Location(0));
    EXPECT_FLOAT_EQ(piece.y + 16.0f, ps3.Get_Location(1));
}

TEST_F(Sparks, ARingIsNotReplacedWhileSparksFly)
{
    m_picker->SetNumPatterns(25);
    m_picker->FillSpokes();
    ASSERT_EQ(CPicker::kRefillOut, m_picker->GetState());
    m_picker->SetNumPatterns(0);
    ps3.Update(ParticleSeconds(), 0, 3.0f); // live for 1.75 s, past the 1.5 s fade

    for (int n = 0; n < 17; ++n)
        Frame(100);
    EXPECT_EQ(CPicker::kRefillOut, m_picker->GetState());
    EXPECT_GT(LiveSparks(ps3), 0);

    for (int n = 0; n < 3; ++n)
        Frame(100);
    EXPECT_EQ(0, LiveSparks(ps3));
    EXPECT_EQ(CPicker::kRefillIn, m_picker->GetState());
}

TEST_F(Sparks, SparksFlyOnAndDieWhileThePickerIsFrozen)
{
    Ring({1});
    m_picker->SetShouldInterpolate(0);
    ps3.Set_Speed(10.0f);
    ps3.Update(ParticleSeconds(), 0, 1.0f);
    const VECTOR3D start = ps3.Get_Particle(0).location;
    const float highlight = m_picker->GetSpoke(m_picker->GetCurrentSpoke()).colour;

    Frame(100);
    const PARTICLE& spark = ps3.Get_Particle(0);
    ASSERT_TRUE(spark.IsAlive());
    EXPECT_NEAR(0.1f, spark.age, 1e-3f);
    EXPECT_NE(start.x + start.y + start.z, spark.location.x + spark.location.y + spark.location.z);
    EXPECT_EQ(highlight, m_picker->GetSpoke(m_picker->GetCurrentSpoke()).colour);

    for (int n = 0; n < 20; ++n)
        Frame(100);
    EXPECT_EQ(0, LiveSparks(ps3));
}

class SparkRate : public Sparks, public testing::WithParamInterface<std::pair<int, int>> { };

TEST_P(SparkRate, EachFlightFrameEmitsByTheFrameRate)
{
    const auto [fps, expected] = GetParam();
    SetFps(fps);
    FlyPiece(1, 1);
    EXPECT_EQ(expected, LiveSparks(ps1));
    EXPECT_EQ(expected, LiveSparks(ps3));
}

// Out-of-range rates read the ends of the table.
INSTANTIATE_TEST_SUITE_P(Rates, SparkRate,
    testing::Values(std::pair(1, 0), std::pair(30, 0), std::pair(59, 0), std::pair(60, 2), std::pair(100, 2),
        std::pair(101, 1), std::pair(500, 1)));

} // namespace
