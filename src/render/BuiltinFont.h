#pragma once
#include <cstdint>

// The small fixed-pitch font built into the program, so that text can be
// drawn before (and without) the texture file: the text boxes and the
// display settings dialog use it.
namespace builtin_font {

// The bitmap holds 8 x 16 cells of 8 x 8 texels for the codes 32 to 159;
// the cell of code c is at column (c - 32) % 8, row (c - 32) / 8. Every
// cell's top row and left column are blank, which spaces the glyphs.
constexpr int kWidth = 64, kHeight = 128;
constexpr int kCell = 8;
constexpr int kFirstCode = 32, kLastCode = 159;

// kWidth * kHeight texels, rows top to bottom, each texel two bytes
// (luminance, alpha): (0, 0) transparent or (255, 255) opaque white.
const uint8_t* Bitmap();

// Whether the texel at (x, y), 0 to 7, of code c's cell is lit; false for
// codes without a cell and for positions outside it.
bool GlyphPixel(unsigned char c, int x, int y);

} // namespace builtin_font
