#pragma once
#include <cstdio>
#include <cstdlib>

// Programming errors stop the game at once, naming the source file and line.
#define VX_ASSERT(condition)                                                                                           \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", #condition, __FILE__, __LINE__);          \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
