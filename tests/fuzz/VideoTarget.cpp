// The logo video as the intro loads it: decoded and made into textures.
#include "FuzzInput.h"
#include "render/GLVideo.h"

#include "GLContext.h"

#include <GL/gl.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PutInput("logo.avi", data, size);
    static GLContext* const context = new GLContext;
    if (!context->Ok())
        return 0;
    CGLVideo video;
    video.OpenAVI("logo.avi");
    video.Play();
    // The frames are the only textures of this context, named from 1 on; the
    // video leaves them to the context, which lives on, so they go here.
    for (GLuint name = 1; name <= static_cast<GLuint>(video.FramesLoaded()); ++name)
        glDeleteTextures(1, &name);
    return 0;
}
