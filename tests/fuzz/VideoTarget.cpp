// The logo video as the intro loads it: decoded and made into textures.
// A context per input frees the frames' textures with it.
#include "FuzzInput.h"
#include "render/GLVideo.h"

#include "GLContext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PutInput("logo.avi", data, size);
    GLContext context;
    if (!context.Ok())
        return 0;
    CGLVideo video;
    video.OpenAVI("logo.avi");
    video.Play();
    return 0;
}
