// The texture file as the game loads it, through to the GL upload on an
// offscreen context.
#include "FuzzInput.h"
#include "render/Texture.h"

#include "GLContext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PutInput(texture_file::kPath, data, size);
    static GLContext* const context = new GLContext;
    static CTexture* const textures = new CTexture;
    if (!context->Ok())
        return 0;
    textures->Load();
    textures->DeleteAllTextures();
    return 0;
}
