// The logo video as the intro loads and plays it, read from memory through
// the same decoding as the game's file: a few frames onwards, then back to
// the first, decoded again from the packets kept.
#include "FuzzInput.h"
#include "platform/Clock.h"
#include "render/GLVideo.h"

#include "GLContext.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PrepareInput();
    static GLContext* const context = new GLContext;
    if (!context->Ok())
        return 0;
    static platform::VirtualClock clock{0};
    platform::UseClock(&clock);
    CGLVideo video;
    video.OpenAVIFromMemory(data, size);
    for (int i = 0; i < std::min(video.FramesLoaded(), 4); ++i) {
        video.Play();
        clock.Advance(video.MsPerFrame());
    }
    clock.Advance(static_cast<double>(video.MsPerFrame()) * video.FramesLoaded());
    video.Play();
    video.ReleaseFrames();
    return 0;
}
