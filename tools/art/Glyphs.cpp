#include "Glyphs.h"

#include "Canvas.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace art {

namespace {

// A black border keeps linear filtering with repeating wrap from pulling
// the opposite edge of a glyph into view.
constexpr int kMargin = 1;
constexpr int kRoom = kGlyphSize - 2 * kMargin;
// Glyphs are drawn on a larger square, measured, then cut out of it.
constexpr int kWork = 2 * kGlyphSize;
constexpr float kLargestCap = 24.0f, kCapStep = 0.5f; // pixels

struct Ink {
    int left = kWork, top = kWork, right = 0, bottom = 0; // right and bottom exclusive
    bool Empty() const { return right <= left; }
};

Ink Measure(const Mask& mask)
{
    Ink ink;
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x)
            if (mask.At(x, y) > 0) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink;
}

struct Drawn {
    std::vector<Mask> masks;
    std::vector<Ink> inks;
    int top = kWork, bottom = 0; // the band every glyph's ink lies in
};

// Every glyph on a common baseline, the cap height given in pixels.
Drawn DrawAll(float capPixels)
{
    Drawn drawn;
    for (char c = kFirstGlyph; c <= kLastGlyph; ++c) {
        drawn.masks.push_back(Lettering(kWork, kWork, std::string(1, c), {0, 0}, capPixels * 2.0f / kWork));
        const Ink ink = Measure(drawn.masks.back());
        if (ink.Empty())
            throw std::runtime_error(std::string("the font has no glyph for ") + c);
        drawn.inks.push_back(ink);
        drawn.top = std::min(drawn.top, ink.top);
        drawn.bottom = std::max(drawn.bottom, ink.bottom);
    }
    return drawn;
}

bool Fits(const Drawn& drawn)
{
    if (drawn.bottom - drawn.top > kRoom)
        return false;
    return std::all_of(
        drawn.inks.begin(), drawn.inks.end(), [](const Ink& ink) { return ink.right - ink.left <= kRoom; });
}

// The largest lettering whose every glyph fits inside the margin.
Drawn DrawLargestFitting()
{
    for (float cap = kLargestCap; cap > 0; cap -= kCapStep) {
        Drawn drawn = DrawAll(cap);
        if (Fits(drawn))
            return drawn;
    }
    throw std::runtime_error("the font's glyphs do not fit a 32 x 32 cell");
}

float Sample(const Mask& mask, int x, int y)
{
    return x >= 0 && y >= 0 && x < mask.Width() && y < mask.Height() ? mask.At(x, y) : 0.0f;
}

// Cuts the cell out of the work square: the ink band centred from top to
// bottom, the glyph's own ink centred from side to side.
Mask Cell(const Mask& work, const Ink& ink, int bandTop, int bandHeight)
{
    const int dx = (ink.left + ink.right - kGlyphSize) / 2;
    const int dy = bandTop - (kGlyphSize - bandHeight) / 2;
    Mask cell(kGlyphSize, kGlyphSize);
    for (int y = 0; y < kGlyphSize; ++y)
        for (int x = 0; x < kGlyphSize; ++x)
            cell.At(x, y) = Sample(work, x + dx, y + dy);
    return cell;
}

} // namespace

std::vector<texture_file::Record> FontGlyphs()
{
    const Drawn drawn = DrawLargestFitting();
    std::vector<texture_file::Record> glyphs;
    for (size_t i = 0; i < drawn.masks.size(); ++i) {
        Canvas canvas(kGlyphSize, kGlyphSize);
        canvas.Fill(Cell(drawn.masks[i], drawn.inks[i], drawn.top, drawn.bottom - drawn.top), Grey(1.0f));
        const std::string key(1, static_cast<char>(kFirstGlyph + i));
        glyphs.push_back(canvas.ToRecord(key, 1, Layout::Transposed));
    }
    return glyphs;
}

} // namespace art
