#include "app/DeltaTime.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

class DeltaTimeTest : public testing::Test {
protected:
    void Use(uint32_t startMs)
    {
        clock = std::make_unique<platform::VirtualClock>(startMs);
        platform::UseClock(clock.get());
    }
    void SetUp() override { Use(5000); }
    void TearDown() override { platform::UseClock(nullptr); }

    std::unique_ptr<platform::VirtualClock> clock;
};

TEST_F(DeltaTimeTest, MeasuresEverySecondFrameAndHoldsTheValueBetween)
{
    CDeltaTime dt;
    dt.Update(); // starts a measurement
    EXPECT_FLOAT_EQ(0.0f, dt.GetDeltaTime());
    clock->Advance(17);
    dt.Update(); // completes it
    EXPECT_FLOAT_EQ(17.0f, dt.GetDeltaTime());
    clock->Advance(20);
    dt.Update(); // starts the next: the old value stays
    EXPECT_FLOAT_EQ(17.0f, dt.GetDeltaTime());
    clock->Advance(16);
    dt.Update();
    EXPECT_FLOAT_EQ(16.0f, dt.GetDeltaTime());
}

TEST_F(DeltaTimeTest, AnInactiveSpellInsideAMeasurementCountsWhole)
{
    CDeltaTime dt;
    dt.Update();
    clock->Advance(4000);
    dt.Update();
    EXPECT_FLOAT_EQ(4000.0f, dt.GetDeltaTime());
}

TEST_F(DeltaTimeTest, TickCountWrappingPastZeroGivesTheTrueDelta)
{
    Use(0xFFFFFFF0u);
    CDeltaTime dt;
    dt.Update();
    clock->Advance(32);
    dt.Update();
    EXPECT_FLOAT_EQ(32.0f, dt.GetDeltaTime());
}

TEST_F(DeltaTimeTest, FramesPerSecondCountsCompletedOneSecondWindows)
{
    CDeltaTime dt;
    dt.Update(); // the first window closes at once, with nothing counted
    EXPECT_EQ(0, dt.GetFPS());
    float opened = dt.GetStartFrameTime();
    EXPECT_FLOAT_EQ(5.0f, opened);
    // A steady 60 a second (16, 17, 17 ms): the call closing a window is the
    // next one's first frame, so every window holds exactly 60.
    for (int i = 0; i < 150; ++i) {
        clock->Advance(i % 3 == 0 ? 16 : 17);
        dt.Update();
    }
    EXPECT_EQ(60, dt.GetFPS());
    EXPECT_GT(dt.GetStartFrameTime(), opened);
    for (int i = 0; i < 120; ++i) {
        clock->Advance(20);
        dt.Update();
    }
    EXPECT_EQ(50, dt.GetFPS());
}

TEST_F(DeltaTimeTest, ClearStartsOver)
{
    CDeltaTime dt;
    dt.Update();
    clock->Advance(30);
    dt.Update();
    dt.Clear();
    EXPECT_FLOAT_EQ(0.0f, dt.GetDeltaTime());
    EXPECT_EQ(0, dt.GetFPS());
    dt.Update();
    EXPECT_FLOAT_EQ(0.0f, dt.GetDeltaTime());
}

} // namespace
