#include "Glyphs.h"

#include "Canvas.h"

#include <algorithm>
#include <cmath>
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
// Capitals fill most of the cell, so words read as words and stay legible
// when the font is drawn at 16 pixels.
constexpr float kCapPixels = 25.0f, kCapStep = 0.5f;
constexpr int kCapTop = 2; // the cell row the capitals start on
// Every glyph is drawn one cell apart, so letters are widened to close the
// gaps a proportional face leaves between them.
constexpr float kWiden = 1.2f;

struct Ink {
    int left = kWork, top = kWork, right = 0, bottom = 0; // right and bottom exclusive
    bool Empty() const { return right <= left; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
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

float Sample(const Mask& mask, int x, int y)
{
    return x >= 0 && y >= 0 && x < mask.Width() && y < mask.Height() ? mask.At(x, y) : 0.0f;
}

// One pixel heavier to the right and down: strokes survive being drawn small.
Mask Emboldened(const Mask& mask)
{
    Mask out(mask.Width(), mask.Height());
    for (int y = 0; y < mask.Height(); ++y)
        for (int x = 0; x < mask.Width(); ++x)
            out.At(x, y) =
                std::max({mask.At(x, y), Sample(mask, x - 1, y), Sample(mask, x, y - 1), Sample(mask, x - 1, y - 1)});
    return out;
}

Mask Draw(char c, float capPixels)
{
    return Emboldened(Lettering(kWork, kWork, std::string(1, c), {0, 0}, capPixels * 2.0f / kWork));
}

struct Placed {
    Mask mask{kWork, kWork};
    Ink ink;
    int shift = 0; // work rows above the cell's first row
};

// At the common size on the common baseline when the glyph fits the cell;
// tall glyphs are drawn smaller and moved up or down just enough to fit.
Placed Place(char c, int capTopInWork)
{
    Placed p;
    for (float cap = kCapPixels; cap > 0; cap -= kCapStep) {
        p.mask = Draw(c, cap);
        p.ink = Measure(p.mask);
        if (p.ink.Empty())
            throw std::runtime_error(std::string("the font has no glyph for ") + c);
        if (p.ink.Height() <= kRoom)
            break;
    }
    const int shift = capTopInWork - kCapTop;
    p.shift = std::clamp(shift, p.ink.bottom - (kGlyphSize - kMargin), p.ink.top - kMargin);
    return p;
}

// The share of source column [from, to) covered by column x.
float Overlap(float from, float to, int x) { return std::max(0.0f, std::min(to, x + 1.0f) - std::max(from, float(x))); }

// Cuts the cell out of the work square, the ink widened and centred from
// side to side; glyphs that would be wider than the room are narrowed to it.
Mask Cell(const Placed& p)
{
    const float squeeze = 1.0f / std::min(kWiden, static_cast<float>(kRoom) / p.ink.Width());
    const float width = p.ink.Width() / squeeze;
    const float left = (kGlyphSize - width) / 2.0f;
    Mask cell(kGlyphSize, kGlyphSize);
    for (int y = 0; y < kGlyphSize; ++y)
        for (int x = 0; x < kGlyphSize; ++x) {
            const float from = p.ink.left + (x - left) * squeeze, to = from + squeeze;
            float sum = 0;
            for (int sx = static_cast<int>(std::floor(from)); sx < to; ++sx)
                sum += Overlap(from, to, sx) * Sample(p.mask, sx, y + p.shift);
            cell.At(x, y) = std::min(1.0f, sum / squeeze);
        }
    return cell;
}

// Light from the top left: edges facing it are bright, those facing away
// darker, so the font's corner colours read as light on raised letters.
Mask Bevelled(const Mask& cell)
{
    const Mask soft = cell.Blurred(1.0f);
    Mask out(cell.Width(), cell.Height());
    for (int y = 0; y < cell.Height(); ++y)
        for (int x = 0; x < cell.Width(); ++x) {
            const float facing = Sample(soft, x + 1, y + 1) - Sample(soft, x - 1, y - 1);
            out.At(x, y) = cell.At(x, y) * std::clamp(0.8f + 0.9f * facing, 0.55f, 1.0f);
        }
    return out;
}

} // namespace

std::vector<texture_file::Record> FontGlyphs()
{
    const int capTopInWork = Measure(Draw('H', kCapPixels)).top;
    std::vector<texture_file::Record> glyphs;
    for (char c = kFirstGlyph; c <= kLastGlyph; ++c) {
        Canvas canvas(kGlyphSize, kGlyphSize);
        canvas.Fill(Bevelled(Cell(Place(c, capTopInWork))), Grey(1.0f));
        glyphs.push_back(canvas.ToRecord(std::string(1, c), 1, Layout::Transposed));
    }
    return glyphs;
}

} // namespace art
