#pragma once

// A value moving linearly with time; it keeps going past its end value for
// as long as it is advanced, and callers test it against their thresholds.
class CLinearInterpolation {
public:
    // Refuses a negative duration (returns 0 and changes nothing).
    int Setup(float start, float end, float durationMs);
    // Returns 1 once the time left is used up.
    int Interpolate(float elapsedMs);
    float GetValue() const { return m_value; }
    void SetValue(float value) { m_value = value; }

private:
    float m_value = 0.0f;
    float m_rate = 0.0f;
    float m_timeLeft = 0.0f;
};

// A turn in whole degrees: from 1 to 360 over turnMs, started again once past 361.
constexpr float kTurnStart = 1.0f;
constexpr float kTurnEnd = 360.0f;
constexpr float kTurnRestart = 361.0f;

inline void StartTurn(CLinearInterpolation& ramp, float turnMs) { ramp.Setup(kTurnStart, kTurnEnd, turnMs); }

inline void RestartTurnIfPast(CLinearInterpolation& ramp, float turnMs)
{
    if (ramp.GetValue() > kTurnRestart)
        StartTurn(ramp, turnMs);
}
