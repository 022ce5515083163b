#include "FrameTiming.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>

double BestMillisecondsPerCall(
    int rounds, int calls, const std::function<void()>& run, const std::function<void()>& prepare)
{
    double best = 1e9;
    for (int round = 0; round < rounds; ++round) {
        prepare();
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i)
            run();
        glFinish();
        const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
        best = std::min(best, spent.count() / calls);
    }
    return best;
}
