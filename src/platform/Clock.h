#pragma once
#include <cstdint>

namespace platform {

// Every reading of time in the game goes through the current clock, so a
// virtual clock can drive the whole game in tests and in the scripted driver.
class Clock {
public:
    virtual ~Clock() = default;
    // False when there is no high-resolution counter.
    virtual bool QueryPerformanceFrequency(int64_t& frequency) = 0;
    virtual int64_t QueryPerformanceCounter() = 0;
    virtual uint32_t timeGetTime() = 0;
    virtual uint32_t GetTickCount() = 0;
    // Idles the calling thread; a virtual clock simply moves on.
    virtual void Sleep(int64_t microseconds) = 0;
};

class RealClock : public Clock {
public:
    bool QueryPerformanceFrequency(int64_t& frequency) override;
    int64_t QueryPerformanceCounter() override;
    uint32_t timeGetTime() override;
    uint32_t GetTickCount() override;
    void Sleep(int64_t microseconds) override;
};

// Time that moves only when told to. Its counter runs at one tick per
// microsecond unless told otherwise; the millisecond clocks start at an
// offset so tests can put them just before the 32-bit wrap.
class VirtualClock : public Clock {
public:
    explicit VirtualClock(uint32_t millisecondStart = 0, int64_t frequency = 1000000);
    bool QueryPerformanceFrequency(int64_t& frequency) override;
    int64_t QueryPerformanceCounter() override;
    uint32_t timeGetTime() override;
    uint32_t GetTickCount() override;
    void Sleep(int64_t microseconds) override;

    void Advance(double milliseconds);
    double Now() const { return m_ms; }
    void SetHasCounter(bool has) { m_hasCounter = has; }

private:
    double m_ms = 0.0;
    uint32_t m_start;
    int64_t m_frequency;
    bool m_hasCounter = true;
};

// The clock the game reads; the real one unless another was installed.
Clock& CurrentClock();
// Installs a clock for the game to read (null puts the real one back).
void UseClock(Clock* clock);

inline bool QueryPerformanceFrequency(int64_t& f) { return CurrentClock().QueryPerformanceFrequency(f); }
inline int64_t QueryPerformanceCounter() { return CurrentClock().QueryPerformanceCounter(); }
inline uint32_t timeGetTime() { return CurrentClock().timeGetTime(); }
inline uint32_t GetTickCount() { return CurrentClock().GetTickCount(); }

} // namespace platform
