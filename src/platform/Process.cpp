#include "platform/Process.h"

#include <SDL.h>
#include <csignal>
#include <cstdlib>
#include <malloc.h>

namespace platform {

namespace {

// The name of the game's desktop entry and metainfo, as installed.
constexpr char kDesktopId[] = "org.example.Vexorin";
std::string gName = "vexorin";
volatile std::sig_atomic_t gShutdownRequested = 0;

void OnShutdownSignal(int) { gShutdownRequested = 1; }

} // namespace

const std::string& ApplicationName() { return gName; }

void SetApplicationName(const std::string& argv0)
{
    std::string name = argv0.substr(argv0.find_last_of('/') + 1);
    gName = name.substr(0, name.find('.'));
}

void StartPlatform()
{
    SDL_SetHint(SDL_HINT_APP_NAME, "Vexorin");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Vexorin");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window's class names the desktop entry, so docks and task
    // switchers show the game's own name and icon for it.
    setenv("SDL_VIDEO_X11_WMCLASS", kDesktopId, 0);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", kDesktopId, 0);
    struct sigaction action { };
    action.sa_handler = OnShutdownSignal;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaction(s, &action, nullptr);
}

bool ShutdownRequested() { return gShutdownRequested != 0; }

// Left to itself SDL would fall back to its offscreen driver and run unseen.
bool OpenDisplay()
{
    if (!std::getenv("SDL_VIDEODRIVER"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,wayland");
    return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

void ReturnFreeMemory() { ::malloc_trim(0); }

void ShutdownPlatform() { SDL_Quit(); }

} // namespace platform
