#include "platform/Process.h"

#include <SDL.h>

namespace platform {

namespace {
std::string gName = "vexorin";
}

const std::string& ApplicationName() { return gName; }

void SetApplicationName(const std::string& argv0)
{
    std::string name = argv0.substr(argv0.find_last_of('/') + 1);
    gName = name.substr(0, name.find('.'));
}

void ShutdownPlatform() { SDL_Quit(); }

} // namespace platform
