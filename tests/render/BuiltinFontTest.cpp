#include "render/BuiltinFont.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

using namespace builtin_font;

std::string CellOf(int code)
{
    std::string cell;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x)
            cell += GlyphPixel(static_cast<unsigned char>(code), x, y) ? '#' : '.';
    return cell;
}

TEST(BuiltinFont, PrintableCodesHaveDistinctGlyphsAndTheRestAreBlank)
{
    const std::string blank(kCell * kCell, '.');
    std::set<std::string> glyphs;
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        std::string cell = CellOf(code);
        bool printable = code >= 33 && code <= 126;
        EXPECT_EQ(cell != blank, printable) << "code " << code;
        if (printable) {
            EXPECT_TRUE(glyphs.insert(cell).second) << "code " << code << " looks like another glyph";
        }
    }
}

TEST(BuiltinFont, EveryCellKeepsItsTopRowAndLeftColumnBlank)
{
    for (int code = kFirstCode; code <= kLastCode; ++code)
        for (int i = 0; i < kCell; ++i) {
            EXPECT_FALSE(GlyphPixel(static_cast<unsigned char>(code), i, 0)) << "code " << code;
            EXPECT_FALSE(GlyphPixel(static_cast<unsigned char>(code), 0, i)) << "code " << code;
        }
}

TEST(BuiltinFont, BitmapTexelsAreClearOrOpaqueWhiteAndMatchTheGlyphs)
{
    const uint8_t* bitmap = Bitmap();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* texel = bitmap + 2 * (y * kWidth + x);
            ASSERT_TRUE((texel[0] == 0 && texel[1] == 0) || (texel[0] == 255 && texel[1] == 255))
                << "texel " << x << "," << y;
            int code = kFirstCode + (y / kCell) * (kWidth / kCell) + x / kCell;
            EXPECT_EQ(texel[1] == 255, GlyphPixel(static_cast<unsigned char>(code), x % kCell, y % kCell))
                << "texel " << x << "," << y;
        }
}

TEST(BuiltinFont, CodesWithoutACellAndPositionsOutsideOneAreUnlit)
{
    for (int x = -1; x <= kCell; ++x)
        for (int y = -1; y <= kCell; ++y) {
            EXPECT_FALSE(GlyphPixel(31, x, y));
            EXPECT_FALSE(GlyphPixel(160, x, y));
            EXPECT_FALSE(GlyphPixel(255, x, y));
        }
    // 'A' is lit somewhere, but never outside its cell.
    for (int i = -1; i <= kCell; ++i) {
        EXPECT_FALSE(GlyphPixel('A', -1, i));
        EXPECT_FALSE(GlyphPixel('A', kCell, i));
        EXPECT_FALSE(GlyphPixel('A', i, kCell));
    }
}

} // namespace
