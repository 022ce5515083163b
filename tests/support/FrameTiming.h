#pragma once
#include <functional>

// Sanitizers slow every call many times over, so a cost measured under them
// says nothing about the game; timing checks skip themselves there.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kTimingsMeanSomething = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kTimingsMeanSomething = false;
#else
inline constexpr bool kTimingsMeanSomething = true;
#endif
#else
inline constexpr bool kTimingsMeanSomething = true;
#endif

#define SKIP_TIMING_UNDER_SANITIZERS()                                                                                 \
    do {                                                                                                               \
        if (!kTimingsMeanSomething)                                                                                    \
            GTEST_SKIP() << "timings mean nothing in a sanitizer build";                                               \
    } while (false)

// Milliseconds per call of `run`, the best of `rounds` rounds of `calls` calls
// each, with the GL pipeline drained around every round. A busy machine slows
// some rounds, while a cost paid on every call shows in all of them.
// `prepare` runs untimed before each round.
double BestMillisecondsPerCall(
    int rounds, int calls, const std::function<void()>& run, const std::function<void()>& prepare = [] {});
