#include "art/Glyphs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using texture_file::Record;

const std::vector<Record>& Glyphs()
{
    static const std::vector<Record> glyphs = art::FontGlyphs();
    return glyphs;
}

const Record& Glyph(char c) { return Glyphs().at(static_cast<size_t>(c - art::kFirstGlyph)); }

// Coverage at a point of the glyph as it shows on the screen, 0 to 1.
float At(const Record& glyph, int x, int y)
{
    return glyph.pixels[(static_cast<size_t>(x) * glyph.width + y) * 3] / 255.0f;
}

int LitInColumn(const Record& glyph, int x)
{
    int lit = 0;
    for (int y = 0; y < art::kGlyphSize; ++y)
        lit += At(glyph, x, y) > 0.5f;
    return lit;
}

int LitInRow(const Record& glyph, int y)
{
    int lit = 0;
    for (int x = 0; x < art::kGlyphSize; ++x)
        lit += At(glyph, x, y) > 0.5f;
    return lit;
}

int LowestLitRow(const Record& glyph)
{
    for (int y = art::kGlyphSize - 1; y >= 0; --y)
        if (LitInRow(glyph, y))
            return y;
    return -1;
}

TEST(FontGlyphs, AreWhiteOnBlackCellsForEveryPrintableCode)
{
    ASSERT_EQ(Glyphs().size(), 94u);
    for (size_t i = 0; i < Glyphs().size(); ++i) {
        const Record& glyph = Glyphs()[i];
        ASSERT_EQ(glyph.key, std::string(1, static_cast<char>('!' + i)));
        SCOPED_TRACE(glyph.key);
        EXPECT_EQ(glyph.filter, 1);
        ASSERT_EQ(glyph.width, 32);
        ASSERT_EQ(glyph.height, 32);
        ASSERT_EQ(glyph.pixels.size(), 32u * 32u * 3u);
        bool white = false, border = false;
        for (size_t p = 0; p < glyph.pixels.size(); p += 3) {
            EXPECT_TRUE(glyph.pixels[p] == glyph.pixels[p + 1] && glyph.pixels[p] == glyph.pixels[p + 2]);
            white |= glyph.pixels[p] == 255;
            const size_t x = p / 3 / 32, y = p / 3 % 32;
            border |= glyph.pixels[p] > 0 && (x == 0 || y == 0 || x == 31 || y == 31);
        }
        EXPECT_TRUE(white);
        EXPECT_FALSE(border) << "ink on the cell's edge bleeds into neighbours when filtered";
    }
}

TEST(FontGlyphs, HaveSmoothCurves)
{
    for (char c : std::string("OS@3")) {
        const auto& pixels = Glyph(c).pixels;
        EXPECT_GE(std::count_if(pixels.begin(), pixels.end(), [](uint8_t v) { return v > 16 && v < 240; }), 3 * 12)
            << c;
    }
}

TEST(FontGlyphs, ReadUprightThroughTheFontsTransposedDrawing)
{
    // "L": the stroke down the left, the foot along the bottom.
    const Record& l = Glyph('L');
    int firstColumn = 0;
    while (LitInColumn(l, firstColumn) == 0)
        ++firstColumn;
    EXPECT_GE(LitInColumn(l, firstColumn + 1), 15);
    EXPECT_LE(LitInColumn(l, 31 - firstColumn - 2), 6);
    EXPECT_GT(LitInRow(l, LowestLitRow(l)), LitInRow(l, LowestLitRow(l) - 8));
    // "T": the bar at the top of every column it crosses.
    const Record& t = Glyph('T');
    for (int x = 0; x < 32; ++x) {
        if (LitInColumn(t, x) == 0)
            continue;
        int top = 0;
        while (At(t, x, top) <= 0.5f)
            ++top;
        EXPECT_LE(top, 10) << "column " << x;
    }
}

TEST(FontGlyphs, ShareOneBaselineAndSitCentredInTheirCells)
{
    const int baseline = LowestLitRow(Glyph('H'));
    for (char c : std::string("EHIMLxnz"))
        EXPECT_EQ(LowestLitRow(Glyph(c)), baseline) << c;
    EXPECT_GT(LowestLitRow(Glyph('g')), baseline);
    for (const Record& glyph : Glyphs()) {
        int left = 32, right = -1;
        for (int x = 0; x < 32; ++x) {
            const auto column = glyph.pixels.begin() + x * 32 * 3;
            if (std::any_of(column, column + 32 * 3, [](uint8_t v) { return v > 0; }))
                left = std::min(left, x), right = std::max(right, x);
        }
        EXPECT_NEAR((left + right + 1) / 2.0f, 16.0f, 1.0f) << glyph.key;
    }
    // Capitals are large enough to read at 16 x 16.
    EXPECT_GE(LitInColumn(Glyph('I'), 16), 16);
}

} // namespace
