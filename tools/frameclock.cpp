// libvexorin-frameclock: preloaded into any SDL2 program by scripts/bench, it
// appends a line for every frame the program shows to the file named by
// VEXORIN_FRAMECLOCK: the wall-clock time and the process's CPU time (all
// its threads, the software renderer's among them), both in nanoseconds.
// Written as each frame goes, so a program killed at the end loses nothing.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

struct SDL_Window;

namespace {

long long Nanoseconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

int OpenLog()
{
    const char* path = std::getenv("VEXORIN_FRAMECLOCK");
    return path ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
}

} // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window)
{
    using Swap = void (*)(SDL_Window*);
    static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    static const int log = OpenLog();
    real(window);
    if (log < 0)
        return;
    char line[64];
    const int n = std::snprintf(
        line, sizeof line, "%lld %lld\n", Nanoseconds(CLOCK_REALTIME), Nanoseconds(CLOCK_PROCESS_CPUTIME_ID));
    if (write(log, line, n) != n)
        return; // a lost line only shortens the measurement
}
