#include "app/DeltaTime.h"
#include "platform/Clock.h"

CDeltaTime::CDeltaTime() { Clear(); }

CDeltaTime::~CDeltaTime() { Destroy(); }

void CDeltaTime::Clear()
{
    m_lastClock = 0;
    m_startClock = 0;
    m_deltaTime = 0.0f;
    m_phase = -1;
    m_windowStart = 0.0f;
    m_currentTime = 0.0f;
    m_frameCount = 0;
    m_framesPerSecond = 0;
}

uint32_t CDeltaTime::GetClock() const { return platform::GetTickCount(); }

uint32_t CDeltaTime::StartClock()
{
    m_lastClock = GetClock();
    return m_lastClock;
}

void CDeltaTime::ResetStartClock() { m_startClock = StartClock(); }

// A measurement spans two calls, so the delta is re-measured every second frame.
void CDeltaTime::Update()
{
    ++m_phase;
    if (m_phase == 0)
        ResetStartClock();
    if (m_phase == 1) {
        // Unsigned difference: the tick count wrapping past zero does not disturb it.
        m_deltaTime = static_cast<float>(static_cast<uint32_t>(GetClock() - m_startClock));
        m_phase = -1;
    }
    calculateFramesPerSec();
}

void CDeltaTime::calculateFramesPerSec()
{
    float t = static_cast<float>(static_cast<double>(platform::timeGetTime()) * 0.001);
    m_currentTime = t;
    // The call that closes a window is the first frame of the next, so a steady 60 reads 60.
    if (t - m_windowStart >= 1.0f) {
        m_framesPerSecond = m_frameCount;
        m_frameCount = 1;
        m_windowStart = t;
    } else {
        ++m_frameCount;
    }
}
