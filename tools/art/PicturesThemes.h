#pragma once
#include "Canvas.h"
#include "render/TextureFile.h"

#include <vector>

// The pictures by theme; GamePictures() puts them together in file order.
namespace art {

// The four molecules differ by shape as well as by tint: a ball (red), a
// triangle (green), a block (blue) and a hexagonal ring (yellow), for colours
// 0 to 3, centred in a picture.
Sdf MoleculeShape(int colour);
// Strand rods and markers, ring pieces, selection rings, sparks and hexagons.
std::vector<texture_file::Record> PiecePictures();
// The eight pattern symbols, the skill arrow, the pointer and the text cursor.
std::vector<texture_file::Record> SymbolPictures();
// Backgrounds, the reader panel and the two logo plates.
std::vector<texture_file::Record> ScreenPictures();

} // namespace art
