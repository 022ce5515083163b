#include "PickerFixture.h"
#include "render/particle_system.h"

#include "FrameTiming.h"
#include "GLContext.h"

#include <GL/gl.h>
#include <filesystem>

namespace {

int LiveSparks()
{
    int live = 0;
    for (PARTICLE_SYSTEM* system : {&ps1, &ps3})
        for (int i = 0; i < int(PARTICLE_SYSTEM::kMaxParticles); ++i)
            live += system->Get_Particle(i).IsAlive() ? 1 : 0;
    return live;
}

// One frame of play as the game draws it, with the game's own pictures:
// the ring with a piece in flight, both boxes, the texts and a full load of sparks.
class PickerFrameCost : public PickerFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok());
        std::filesystem::create_directories("DATA");
        std::filesystem::copy_file(VEXORIN_GAME_DIR "/data/TEXTURE.VXR", "DATA/TEXTURE.VXR");
        m_texture.Load();
        m_picker->SetNumPatterns(4);
        m_picker->FillSpokes();
        m_picker->StartPicker();
        Frame(16);
        ASSERT_EQ(1, m_picker->Select());
        FinishSounds();
        ASSERT_EQ(1, m_picker->Confirm());
    }

    void FillSparks()
    {
        const float now = ParticleSeconds();
        ps1.Update(now, 0, 500.0f);
        ps3.Update(now, 0, 500.0f);
    }

    void DrawFrame()
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SetFrameTime(16);
        m_picker->Update();
        m_picker->DrawPatternTimer();
        m_picker->DrawNextPickObject();
        m_picker->RenderAndUpdateParticleSystem1();
        m_picker->DrawMutationText();
        m_picker->DrawPatternText();
        m_picker->DrawTotalMutations();
    }

    GLContext gl;
};

TEST_F(PickerFrameCost, AFrameWithAThousandSparksFitsWellInsideSixtyFramesASecond)
{
    SKIP_TIMING_UNDER_SANITIZERS();
    int sparks = 0;
    const double best = BestMillisecondsPerCall(
        5, 10, [&] { DrawFrame(); },
        [&] {
            FillSparks();
            sparks = LiveSparks();
        });
    EXPECT_GE(sparks, 900);
    RecordProperty("ms_per_picker_frame", std::to_string(best));
    std::printf("picker frame with %d sparks: %.2f ms\n", sparks, best);
    // Generous: the figure itself is what matters; this only catches a fall off a cliff.
    EXPECT_LT(best, 25.0);
}

} // namespace
