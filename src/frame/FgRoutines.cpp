#include "frame/FgRoutines.h"
#include "platform/Clock.h"
#include "platform/GLWindow.h"

namespace {
bool gMousePresent = false;
int gMouseVisible = 0;
} // namespace

int fg_mouseini()
{
    gMousePresent = platform::MousePresent();
    if (!gMousePresent)
        return -1;
    gMouseVisible = 1;
    return 1;
}

int fg_mousevis(int on)
{
    if (gMousePresent && (on & 1) != gMouseVisible) {
        gMouseVisible = on & 1;
        platform::ShowSystemCursor(gMouseVisible != 0);
    }
    return 0;
}

uint32_t fg_getclock() { return platform::GetTickCount() / 55; }
