#include "platform/Clock.h"

#include <SDL.h>
#include <cmath>
#include <ctime>

namespace platform {

bool RealClock::QueryPerformanceFrequency(int64_t& frequency)
{
    frequency = static_cast<int64_t>(SDL_GetPerformanceFrequency());
    return frequency > 0;
}

int64_t RealClock::QueryPerformanceCounter() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

uint32_t RealClock::timeGetTime() { return static_cast<uint32_t>(SDL_GetTicks64()); }

uint32_t RealClock::GetTickCount() { return static_cast<uint32_t>(SDL_GetTicks64()); }

void RealClock::Sleep(int64_t microseconds)
{
    if (microseconds <= 0)
        return;
    timespec t{static_cast<time_t>(microseconds / 1000000), static_cast<long>(microseconds % 1000000) * 1000};
    nanosleep(&t, nullptr);
}

VirtualClock::VirtualClock(uint32_t millisecondStart, int64_t frequency)
    : m_start(millisecondStart)
    , m_frequency(frequency)
{
}

bool VirtualClock::QueryPerformanceFrequency(int64_t& frequency)
{
    frequency = m_hasCounter ? m_frequency : 0;
    return m_hasCounter;
}

int64_t VirtualClock::QueryPerformanceCounter()
{
    return static_cast<int64_t>(std::floor(m_ms * static_cast<double>(m_frequency) / 1000.0));
}

uint32_t VirtualClock::timeGetTime() { return m_start + static_cast<uint32_t>(static_cast<uint64_t>(m_ms)); }

uint32_t VirtualClock::GetTickCount() { return timeGetTime(); }

void VirtualClock::Sleep(int64_t microseconds)
{
    if (microseconds > 0)
        Advance(static_cast<double>(microseconds) / 1000.0);
}

void VirtualClock::Advance(double milliseconds) { m_ms += milliseconds; }

namespace {
RealClock gRealClock;
Clock* gClock = &gRealClock;
} // namespace

Clock& CurrentClock() { return *gClock; }

void UseClock(Clock* clock) { gClock = clock ? clock : &gRealClock; }

} // namespace platform
