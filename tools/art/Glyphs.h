#pragma once
#include "render/TextureFile.h"

#include <vector>

namespace art {

constexpr char kFirstGlyph = '!', kLastGlyph = '~';
constexpr int kGlyphSize = 32;

// The texture font's glyphs, "!" to "~" in code order: white on black,
// anti-aliased, one size and baseline for all, each centred in its cell.
// Stored transposed, as the font draws them: the first stored row is the
// glyph's leftmost column, and each row runs from top to bottom.
std::vector<texture_file::Record> FontGlyphs();

} // namespace art
