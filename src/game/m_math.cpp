#include "game/m_math.h"

#include <array>
#include <cmath>

namespace {

constexpr int kTableSize = 361;

struct Tables {
    std::array<double, kTableSize> cosine;
    std::array<double, kTableSize> sine;

    Tables()
    {
        for (int degree = 0; degree < kTableSize; ++degree) {
            const double radians = degree * M_PI / 180.0;
            cosine[degree] = std::cos(radians);
            sine[degree] = std::sin(radians);
        }
    }
};

const Tables& TheTables()
{
    static const Tables tables;
    return tables;
}

} // namespace

void M_resetAngle(int& angle)
{
    if (angle > 360)
        angle = 0;
    else if (angle < 0)
        angle = 360;
}

double M_cos(int angle)
{
    M_resetAngle(angle);
    return TheTables().cosine[angle];
}

double M_sin(int angle)
{
    M_resetAngle(angle);
    return -TheTables().sine[angle];
}

void M2D_getNewAngularPosFromOldPos(double radius, int angle, float& x, float& y, float cx, float cy)
{
    x = static_cast<float>(M_cos(angle) * radius + cx);
    y = static_cast<float>(M_sin(angle) * radius + cy);
}
