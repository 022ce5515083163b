#include "game/m_math.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(Math, AnglesOutsideTheTablesResetToItsOtherEnd)
{
    const int cases[][2] = {{361, 0}, {725, 0}, {-1, 360}, {-400, 360}, {360, 360}, {0, 0}, {123, 123}};
    for (const auto& c : cases) {
        int angle = c[0];
        M_resetAngle(angle);
        EXPECT_EQ(c[1], angle) << c[0];
    }
}

TEST(Math, TablesHoldEveryWholeDegreeWithScreenSine)
{
    for (int degree = 0; degree <= 360; ++degree) {
        const double radians = degree * M_PI / 180.0;
        ASSERT_NEAR(std::cos(radians), M_cos(degree), 1e-10) << degree;
        ASSERT_NEAR(-std::sin(radians), M_sin(degree), 1e-10) << degree;
    }
    EXPECT_DOUBLE_EQ(-1.0, M_sin(90));
    // No modulo: -90 reads the 360 entry, 450 the 0 entry.
    EXPECT_DOUBLE_EQ(1.0, M_cos(-90));
    EXPECT_NEAR(0.0, M_sin(-90), 1e-12);
    EXPECT_DOUBLE_EQ(1.0, M_cos(450));
}

TEST(Math, AngularPositionsGoRoundTheCentreWithYDown)
{
    float x = 0, y = 0;
    M2D_getNewAngularPosFromOldPos(150.0, 0, x, y, 200.0f, 200.0f);
    EXPECT_FLOAT_EQ(350.0f, x);
    EXPECT_FLOAT_EQ(200.0f, y);
    M2D_getNewAngularPosFromOldPos(150.0, 90, x, y, 200.0f, 200.0f);
    EXPECT_NEAR(200.0f, x, 1e-4f);
    EXPECT_FLOAT_EQ(50.0f, y);
    M2D_getNewAngularPosFromOldPos(10.0, 180, x, y, -16.3f, -16.3f);
    EXPECT_FLOAT_EQ(-26.3f, x);
    EXPECT_NEAR(-16.3f, y, 1e-5f);
}

} // namespace
