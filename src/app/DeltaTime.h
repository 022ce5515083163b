#pragma once
#include "app/singleton.h"

#include <cstdint>

// The frame clock: the milliseconds every animation and all game logic advance by.
class CDeltaTime : public Singleton<CDeltaTime> {
public:
    CDeltaTime();
    ~CDeltaTime() override;

    void Clear();
    void Destroy() { }
    uint32_t GetClock() const;
    uint32_t StartClock();
    void ResetStartClock();
    void Update();
    float GetDeltaTime() const { return m_deltaTime; }
    void calculateFramesPerSec();
    int GetFPS() const { return m_framesPerSecond; }
    float GetStartFrameTime() const { return m_windowStart; }
    void SetStartFrameTime(float seconds) { m_windowStart = seconds; }

private:
    uint32_t m_lastClock;
    uint32_t m_startClock;
    float m_deltaTime;
    int m_phase;
    float m_windowStart;
    float m_currentTime;
    int m_frameCount;
    int m_framesPerSecond;
};
