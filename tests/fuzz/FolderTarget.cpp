// A texture folder as the asset tool packs it: the manifest is the input up
// to its first NUL byte, and the rest is the one picture it may name, p.png.
#include "FuzzInput.h"
#include "TextureFolder.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t* const split = std::find(data, data + size, uint8_t{0});
    PutInput("folder/textures.txt", data, static_cast<size_t>(split - data));
    const uint8_t* const picture = split == data + size ? split : split + 1;
    PutInput("folder/p.png", picture, static_cast<size_t>(data + size - picture));
    std::string problem;
    texture_folder::Pack("folder", "packed.vxr", problem);
    return 0;
}
