#include "frame/FgRoutines.h"
#include "platform/Clock.h"
#include "platform/GLWindow.h"

namespace {
int gMouseVisible = 0;
} // namespace

// A desktop always has a pointer, so there is always a mouse to set up.
int fg_mouseini()
{
    gMouseVisible = 1;
    return 1;
}

int fg_mousevis(int on)
{
    if ((on & 1) != gMouseVisible) {
        gMouseVisible = on & 1;
        platform::ShowSystemCursor(gMouseVisible != 0);
    }
    return 0;
}

uint32_t fg_getclock() { return platform::GetTickCount() / 55; }
