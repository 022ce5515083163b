#include "app/LinearInterpolation.h"

#include <gtest/gtest.h>

TEST(LinearInterpolation, RampsFromStartToEndAndKeepsGoing)
{
    CLinearInterpolation ramp;
    ASSERT_EQ(1, ramp.Setup(1.0f, 0.0f, 250.0f));
    EXPECT_FLOAT_EQ(1.0f, ramp.GetValue());
    EXPECT_EQ(0, ramp.Interpolate(125.0f));
    EXPECT_FLOAT_EQ(0.5f, ramp.GetValue());
    EXPECT_EQ(1, ramp.Interpolate(125.0f));
    EXPECT_NEAR(0.0f, ramp.GetValue(), 1e-6);
    // Never clamped: callers test thresholds past the end value.
    EXPECT_EQ(1, ramp.Interpolate(500.0f));
    EXPECT_NEAR(-2.0f, ramp.GetValue(), 1e-5);
}

TEST(LinearInterpolation, RefusesNegativeDurationAndKeepsItsState)
{
    CLinearInterpolation ramp;
    ramp.Setup(0.0f, 10.0f, 10.0f);
    ramp.Interpolate(3.0f);
    EXPECT_EQ(0, ramp.Setup(5.0f, 6.0f, -1.0f));
    EXPECT_FLOAT_EQ(3.0f, ramp.GetValue());
    ramp.Interpolate(1.0f);
    EXPECT_FLOAT_EQ(4.0f, ramp.GetValue());
}

TEST(LinearInterpolation, SetValueMovesOnAtTheSameRate)
{
    CLinearInterpolation ramp;
    ramp.Setup(0.0f, 1.0f, 100.0f);
    ramp.SetValue(10.0f);
    ramp.Interpolate(50.0f);
    EXPECT_FLOAT_EQ(10.5f, ramp.GetValue());
}
