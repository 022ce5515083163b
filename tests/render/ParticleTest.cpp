#include "platform/Clock.h"
#include "render/Texture.h"
#include "render/particle_system.h"

#include "FrameTiming.h"
#include "GLContext.h"
#include "TempDir.h"
#include "TextureFiles.h"

#include <GL/gl.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace {

int LiveSlots(const PARTICLE_SYSTEM& system)
{
    int live = 0;
    for (unsigned i = 0; i < PARTICLE_SYSTEM::kMaxParticles; ++i)
        live += system.Get_Particle(i).IsAlive() ? 1 : 0;
    return live;
}

// An emitter at rest at the origin, its slots freed by a first advance at t = 1 s.
class Particles : public testing::Test {
protected:
    void SetUp() override
    {
        system.Set_Life(10.0f);
        system.Update(1.0f, 1, 0.0f);
    }

    const PARTICLE& First() const { return system.Get_Particle(0); }

    PARTICLE_SYSTEM system;
};

TEST_F(Particles, EmissionCarriesTheFractionAndTakesTheFirstFreeSlots)
{
    system.Set_ParticlesPerSec(32);
    system.Update(1.125f, 0, 0.0f);
    EXPECT_EQ(4, LiveSlots(system));
    EXPECT_TRUE(system.Get_Particle(3).IsAlive());

    // Emitting does not move the last update time: 12 / s over the same 1/8 s.
    system.Set_ParticlesPerSec(12);
    system.Update(1.125f, 0, 0.0f);
    EXPECT_EQ(5, LiveSlots(system)); // 1.5: one now, half carried
    system.Update(1.125f, 0, 0.0f);
    EXPECT_EQ(7, LiveSlots(system)); // 1.5 + 0.5

    system.Set_ParticlesPerSec(0);
    system.Set_SystemFlag(1, true);
    system.Update(1.125f, 0, 1.5f);
    EXPECT_EQ(7, LiveSlots(system));
    system.Set_SystemFlag(1, false);
    system.Update(1.125f, 0, 2.0f); // 1.5 held back + 2
    EXPECT_EQ(10, LiveSlots(system));
}

TEST_F(Particles, OnlyFreeSlotsAreFilledAndOddCountsEmitNothing)
{
    PARTICLE_SYSTEM fresh; // every slot counts as alive until the first advance
    fresh.Update(0.0f, 0, 3.0f);
    EXPECT_EQ(500, LiveSlots(fresh));
    EXPECT_EQ(0.0f, fresh.Get_Particle(0).dyingAge);

    system.Update(1.0f, 0, 1e9f);
    EXPECT_EQ(500, LiveSlots(system));
    system.Update(1.0f, 0, 3.5f); // dropped; only the half is carried
    system.Update(12.0f, 1, 0.0f);
    EXPECT_EQ(0, LiveSlots(system));
    system.Update(12.0f, 0, 0.5f);
    EXPECT_EQ(1, LiveSlots(system));

    system.Update(12.0f, 0, -3.0f);
    system.Update(12.0f, 0, std::nanf(""));
    system.Update(12.0f, 7, 4.0f);
    EXPECT_EQ(1, LiveSlots(system));
}

TEST_F(Particles, SettingsAreClampedWhenASparkStarts)
{
    system.Set_Life(25.0f);
    system.Set_Size(150.0f, 0.0f);
    system.Set_Alpha(3.0f, 0.0f);
    system.Set_Color(2.0f, -1.0f, 0.5f, 0.0f, 0.0f, 0.5f);
    system.Set_Velocity(1.0f, 1.0f, 1.0f);
    system.Set_Speed(500.0f);
    system.Update(1.0f, 0, 1.0f);
    EXPECT_FLOAT_EQ(20.0f, First().dyingAge);
    EXPECT_FLOAT_EQ(100.0f, First().size);
    EXPECT_FLOAT_EQ(-5.0f, First().sizeStep);
    EXPECT_FLOAT_EQ(-0.05f, First().alphaStep);
    EXPECT_FLOAT_EQ(1.0f, First().color[0]);
    EXPECT_FLOAT_EQ(0.0f, First().color[1]);
    EXPECT_FLOAT_EQ(300.0f, First().velocity.x); // no angle: straight along x
    EXPECT_FLOAT_EQ(0.0f, First().velocity.y);

    system.Set_Angle(90.0f);
    system.Set_Speed(2.0f);
    system.Update(1.0f, 0, 20.0f);
    for (unsigned i = 1; i <= 20; ++i) {
        const VECTOR3D& v = system.Get_Particle(i).velocity;
        EXPECT_NEAR(2.0f, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z), 1e-4f);
        EXPECT_GE(v.x, -1e-6f);
    }
}

TEST_F(Particles, SparksStartOnTheEmittersPathPlusTheSpreadAndRepeatWithTheSeed)
{
    system.Set_Location(10.0f, 0.0f, 0.0f);
    system.Set_Spread(7, 7, 0.0f); // a zero divisor means 1
    system.Update(1.0f, 0, 1.0f);
    EXPECT_GE(First().location.x, -3.0f);
    EXPECT_LE(First().location.x, 17.0f);
    EXPECT_FLOAT_EQ(7.0f, First().location.y);

    system.Set_Spread(-200, 200, 200.0f);
    system.Set_Angle(360.0f);
    system.Set_Speed(5.0f);
    system.Set_Velocity(10.0f, 20.0f, 10.0f);
    auto burst = [&](unsigned last) {
        std::srand(77);
        system.Update(1.0f, 0, 50.0f);
        return system.Get_Particle(last);
    };
    const PARTICLE a = burst(50), b = burst(100);
    EXPECT_EQ(a.location.y, b.location.y);
    EXPECT_EQ(a.velocity.y, b.velocity.y);
    for (unsigned i = 1; i <= 100; ++i) // later sparks start where the emitter is now
        EXPECT_LE(std::abs(system.Get_Particle(i).location.x - 10.0f), 1.0f) << i;
}

// Sparks timed by a virtual millisecond clock.
class ParticleLife : public Particles {
protected:
    void SetUp() override
    {
        Particles::SetUp();
        platform::UseClock(&clock);
        system.Update(ParticleSeconds(), 1, 0.0f);
    }
    void TearDown() override { platform::UseClock(nullptr); }
    void Advance(double ms)
    {
        clock.Advance(ms);
        system.Update(ParticleSeconds(), 1, 0.0f);
    }

    platform::VirtualClock clock{4000};
};

TEST_F(ParticleLife, ASparkChangesLinearlyUnderGravityAndDiesAtItsAge)
{
    system.Set_Life(1.0f);
    system.Set_Size(20.0f, 10.0f);
    system.Set_Alpha(1.0f, 0.0f);
    system.Set_Color(1, 0, 0, 0, 1, 0);
    system.Set_Speed(-4.0f); // at rest
    system.Set_Gravity(0.0f, 10.0f, 0.0f);
    system.Update(ParticleSeconds(), 0, 1.0f);

    Advance(500);
    EXPECT_EQ(1u, system.Active_Particles());
    EXPECT_FLOAT_EQ(15.0f, First().size);
    EXPECT_FLOAT_EQ(0.5f, First().color[3]);
    EXPECT_FLOAT_EQ(0.5f, First().color[1]);
    EXPECT_FLOAT_EQ(0.0f, First().location.y); // moved before it was pulled
    Advance(250);
    EXPECT_FLOAT_EQ(1.25f, First().location.y);
    Advance(250);
    EXPECT_EQ(0u, system.Active_Particles());
    EXPECT_FALSE(First().IsAlive());

    system.Set_Life(0.0f); // the shortest life is 10 ms
    system.Update(ParticleSeconds(), 0, 1.0f);
    Advance(9);
    EXPECT_TRUE(First().IsAlive());
    Advance(1);
    EXPECT_FALSE(First().IsAlive());
}

TEST_F(ParticleLife, AnAttractingSystemPullsItsSparksHome)
{
    system.Update(ParticleSeconds(), 0, 1.0f);
    system.Set_Location(100.0f, 40.0f, 0.0f);
    system.Set_SystemFlag(0, true);
    Advance(500);
    EXPECT_FLOAT_EQ(250.0f, First().velocity.x); // 0.5 s * 100 * 5
    EXPECT_FLOAT_EQ(100.0f, First().velocity.y);
}

TEST_F(ParticleLife, AClockThatWrapsHoldsTheSparksInsteadOfRunningThemBack)
{
    platform::VirtualClock wrapping(UINT32_MAX - 100);
    platform::UseClock(&wrapping);
    system.Set_Velocity(1.0f, 0.0f, 0.0f);
    system.Set_Speed(10.0f);
    system.Update(ParticleSeconds(), 1, 0.0f);
    system.Update(ParticleSeconds(), 0, 1.0f);
    wrapping.Advance(200);
    system.Update(ParticleSeconds(), 1, 0.0f);
    EXPECT_EQ(0.0f, First().age);
    EXPECT_EQ(0.0f, First().location.x);
    wrapping.Advance(500);
    system.Update(ParticleSeconds(), 1, 0.0f);
    EXPECT_NEAR(0.5f, First().age, 1e-3f);
}

TEST(ParticleHelpers, RandomStaysInRangeAndEmissionAmountStaysInTheTable)
{
    for (int i = 0; i < 200; ++i) {
        const int r = Random(-2, 2);
        ASSERT_TRUE(r >= -2 && r <= 2) << r;
    }
    EXPECT_EQ(3, Random(3, 1));
    EXPECT_LE(Random(INT_MIN, INT_MAX), INT_MIN + RAND_MAX);

    int table[kEmissionTableSize] = {};
    table[0] = 9;
    table[59] = 4;
    EXPECT_EQ(4.0f, ParticleEmissionAmount(table, 59));
    EXPECT_EQ(2.0f, ParticleEmissionAmount(table, 60));
    EXPECT_EQ(2.0f, ParticleEmissionAmount(table, 100));
    EXPECT_EQ(1.0f, ParticleEmissionAmount(table, 101));
    EXPECT_EQ(9.0f, ParticleEmissionAmount(table, INT_MIN));
}

// Sparks drawn in the overlay space over a grey "STAR".
class ParticleDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok());
        WriteTextureFile({SolidRecord("STAR", 8, 8, 0x808080), SolidRecord("OTHER", 8, 8, 0x0000FF)});
        textures.Load();
        Project(1);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        textures.Use("OTHER");
    }
    void TearDown() override { glDisable(GL_TEXTURE_2D); }

    static void Project(double depth)
    {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 640, 480, 0, -depth, depth);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // One emitter of long-lived sparks of a size and colour at (x, y).
    std::unique_ptr<PARTICLE_SYSTEM> Emitter(float x, float y, float size, float r, float g, float b)
    {
        auto system = std::make_unique<PARTICLE_SYSTEM>();
        system->Create();
        system->Set_Life(10.0f);
        system->Set_Size(size, size);
        system->Set_Alpha(1.0f, 1.0f);
        system->Set_Color(r, g, b, r, g, b);
        system->Set_Location(x, y, 0.0f);
        system->Set_Prev_Location(x, y, 0.0f);
        system->Update(1.0f, 1, 0.0f);
        return system;
    }

    TempDir dir;
    GLContext gl;
    CTexture textures;
};

TEST_F(ParticleDrawing, SparksAreStarSquaresOfTheirSizeColourAndAlpha)
{
    auto red = Emitter(100.0f, 100.0f, 20.0f, 1, 0, 0);
    auto white = Emitter(300.0f, 200.0f, 40.0f, 1, 1, 1);
    red->Update(1.0f, 0, 1.0f);
    white->Set_Alpha(1.0f, 0.0f);
    white->Update(1.0f, 0, 2.0f);
    white->Update(6.0f, 1, 0.0f); // two sparks at half strength
    red->Render();
    white->Render();
    EXPECT_EQ(0x800000u, gl.Pixel(100, 100));
    EXPECT_EQ(0x800000u, gl.Pixel(91, 108));
    EXPECT_EQ(0u, gl.Pixel(112, 100));
    EXPECT_NEAR(0x80, static_cast<int>(gl.Pixel(318, 183) & 0xFF), 2);
    EXPECT_EQ(0u, gl.Pixel(300, 222));
    EXPECT_EQ(0, red->IsAllParticlesDead());
    // Blending stays on, depth testing comes back.
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    gl.Clear();
    red->Update(20.0f, 1, 0.0f);
    red->Render();
    EXPECT_EQ(1, red->IsAllParticlesDead());
    EXPECT_EQ(0u, gl.Pixel(100, 100));
}

TEST_F(ParticleDrawing, AThousandLiveSparksCostLittle)
{
    SKIP_TIMING_UNDER_SANITIZERS();
    Project(300); // deep enough that the spread in z clips nothing
    auto a = Emitter(320.0f, 240.0f, 25.0f, 1, 0.5f, 0);
    auto b = Emitter(200.0f, 200.0f, 25.0f, 0, 1, 0);
    for (auto* system : {a.get(), b.get()}) {
        system->Set_Spread(-200, 200, 1.0f);
        system->Set_Velocity(10.0f, 10.0f, 10.0f);
        system->Set_Angle(360.0f);
        system->Set_Speed(5.0f);
        system->Update(1.0f, 0, 500.0f);
    }
    float time = 1.0f;
    const double best = BestMillisecondsPerCall(3, 20, [&] {
        time += 0.016f;
        for (auto* system : {a.get(), b.get()}) {
            system->Render();
            system->Update(time, 1, 5.0f);
        }
    });
    EXPECT_EQ(1000u, a->Active_Particles() + b->Active_Particles());
    RecordProperty("ms_per_frame", std::to_string(best));
    // About 6.5 ms on two cores of the software GL the tests run on, nearly
    // all of it filling 625 blended pixels per spark.
    EXPECT_LT(best, 30.0);
}

} // namespace
