#include "Icon.h"

#include "Canvas.h"
#include "PicturesThemes.h"

#include <cmath>

namespace art {

namespace {

const Sdf kTile = Box({}, {0.94f, 0.94f}, 0.3f);
constexpr float kOrbit = 0.52f;

struct Piece {
    Color colour;
    float degrees; // where on the ring, clockwise from the right
};

// Red at the top, then green, blue and yellow clockwise, in the order of the piece types.
const Piece kPieces[] = {
    {{1.0f, 0.16f, 0.12f}, -90},
    {{0.22f, 0.95f, 0.3f}, 0},
    {{0.3f, 0.55f, 1.0f}, 90},
    {{1.0f, 0.88f, 0.12f}, 180},
};

// A shape drawn around the origin, moved to 'centre' and scaled.
Sdf Placed(const Sdf& shape, Vec2 centre, float scale)
{
    return [=](Vec2 p) { return shape((p - centre) * (1.0f / scale)) * scale; };
}

void DrawTile(Canvas& canvas)
{
    canvas.Shade([](float u, float v) {
        const float d = std::hypot(u - 0.5f, v - 0.5f);
        return Mix(Color{0.16f, 0.1f, 0.3f}, Color{0.03f, 0.03f, 0.09f}, Clamp01(d * 1.6f));
    });
}

// At 16 pixels only flat round dots with a dark rim stay readable.
void DrawDots(Canvas& canvas)
{
    for (const Piece& piece : kPieces) {
        const Vec2 at = Polar(kOrbit, piece.degrees);
        canvas.Fill(Circle(at, 0.36f), Grey(0.0f));
        canvas.Fill(Circle(at, 0.3f), piece.colour);
    }
    canvas.Glow(Circle({}, 0.08f), Grey(0.5f), 0.12f);
    canvas.Fill(Circle({}, 0.11f), Grey(1.0f));
}

void DrawMolecules(Canvas& canvas)
{
    canvas.Glow(Ring({}, kOrbit, 0.01f), Color{0.3f, 0.35f, 0.6f}, 0.05f);
    canvas.Fill(Ring({}, kOrbit, 0.012f), Color{0.55f, 0.6f, 0.9f});
    for (int i = 0; i < 4; ++i) {
        const Piece& piece = kPieces[i];
        const Sdf shape = Placed(MoleculeShape(i), Polar(kOrbit, piece.degrees), 0.4f);
        canvas.Glow(shape, piece.colour * 0.35f, 0.1f);
        canvas.Fill(Grow(shape, 0.03f), Grey(0.0f));
        canvas.Gem(shape, piece.colour, 0.12f);
    }
    canvas.Glow(Circle({}, 0.05f), Color{0.7f, 0.8f, 1.0f}, 0.16f);
    canvas.Fill(Circle({}, 0.07f), Grey(1.0f));
}

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

} // namespace

std::vector<uint8_t> IconRgba(int size)
{
    Canvas canvas(size, size);
    DrawTile(canvas);
    if (size < 32)
        DrawDots(canvas);
    else
        DrawMolecules(canvas);
    std::vector<uint8_t> rgba;
    rgba.reserve(static_cast<size_t>(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const Color c = canvas.Get(x, y);
            const float alpha = Clamp01(0.5f - kTile(canvas.UnitOf(x, y)) / canvas.PixelSize());
            for (float v : {c.r, c.g, c.b, alpha})
                rgba.push_back(Byte(v));
        }
    return rgba;
}

} // namespace art
