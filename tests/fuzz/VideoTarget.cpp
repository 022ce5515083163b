// The logo video as the intro loads it, decoded and made into textures, read
// from memory through the same decoding as the game's file.
#include "FuzzInput.h"
#include "render/GLVideo.h"

#include "GLContext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PrepareInput();
    static GLContext* const context = new GLContext;
    if (!context->Ok())
        return 0;
    CGLVideo video;
    video.OpenAVIFromMemory(data, size);
    video.Play();
    video.ReleaseFrames();
    return 0;
}
