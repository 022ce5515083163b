#include "app/LinearInterpolation.h"

int CLinearInterpolation::Setup(float start, float end, float durationMs)
{
    if (durationMs < 0.0f)
        return 0;
    m_value = start;
    m_rate = (end - start) / durationMs;
    m_timeLeft = durationMs;
    return 1;
}

int CLinearInterpolation::Interpolate(float elapsedMs)
{
    m_timeLeft -= elapsedMs;
    m_value += elapsedMs * m_rate;
    return m_timeLeft <= 0.0f ? 1 : 0;
}
