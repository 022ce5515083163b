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
    for (int i = 0; i < 59; ++i) {
        clock->Advance(17);
        dt.Update();
    }
    // The 59th call, 1003 ms on, closes the window; it is counted in neither window.
    EXPECT_EQ(58, dt.GetFPS());
    EXPECT_GT(dt.GetStartFrameTime(), opened);
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
