#pragma once
#include "render/TextureFile.h"
#include <vector>

namespace art {

// Every picture of the texture file except the font glyphs, in file order.
std::vector<texture_file::Record> GamePictures();

} // namespace art
