#pragma once
#include "render/TextureFile.h"

#include <vector>

namespace art {

constexpr char kFirstGlyph = '!', kLastGlyph = '~';
constexpr int kGlyphSize = 32;

// The texture font's glyphs, "!" to "~" in code order: white on black,
// anti-aliased and lit from the top left, capitals 25 of the 32 rows on one
// baseline (glyphs too tall for it are drawn smaller), each centred in its cell.
// Stored transposed, as the font draws them: the first stored row is the
// glyph's leftmost column, and each row runs from top to bottom.
std::vector<texture_file::Record> FontGlyphs();

} // namespace art
