#include "Canvas.h"
#include "PicturesThemes.h"

#include <cmath>

// Pieces are drawn white and grey on black: the game tints them with the
// piece's colour and adds them onto the scene, so black is see-through.
namespace art {

namespace {

using texture_file::Record;

constexpr int kPiece = 64;
constexpr int kMipmapped = 3;
constexpr float kPi = 3.14159265f;
const Color kWhite = Grey(1.0f);

Record MoleculePiece(const std::string& key, const Sdf& shape, float bevel)
{
    Canvas canvas(kPiece, kPiece);
    canvas.Glow(shape, Grey(0.16f), 0.16f);
    canvas.Gem(shape, Grey(0.95f), bevel);
    // A bright rim: every colour reads against the level background.
    canvas.Fill(Outline(shape, 0.04f), Grey(1.0f));
    return canvas.ToRecord(key, kMipmapped, Layout::Transposed);
}

Record EmptyPiece()
{
    Canvas canvas(kPiece, kPiece);
    Sdf dashes = Arc({}, 0.56f, 0, 24, 0.05f);
    for (int i = 1; i < 8; ++i)
        dashes = Union(dashes, Arc({}, 0.56f, 45.0f * i, 45.0f * i + 24, 0.05f));
    canvas.Glow(dashes, Grey(0.12f), 0.14f);
    canvas.Fill(dashes, Grey(0.9f));
    canvas.Fill(Circle({}, 0.1f), Grey(0.7f));
    return canvas.ToRecord("NONE", kMipmapped, Layout::Transposed);
}

Sdf Sparkle(Vec2 centre, float outer, float inner, int points, float rotation)
{
    std::vector<Vec2> star;
    for (int i = 0; i < 2 * points; ++i)
        star.push_back(centre + Polar(i % 2 ? inner : outer, rotation + 180.0f * i / points));
    return Polygon(star);
}

// An eight-pointed star of light in a ring: the purifier heals a mutation.
// It reads the same at whatever angle the ring turns it to.
Record PurifierPiece()
{
    Canvas canvas(kPiece, kPiece);
    const Sdf star = Sparkle({}, 0.56f, 0.2f, 8, 0);
    const Sdf ring = Ring({}, 0.78f, 0.05f);
    canvas.Glow(star, Grey(0.35f), 0.2f);
    canvas.Glow(ring, Grey(0.15f), 0.1f);
    canvas.Fill(ring, Grey(0.95f));
    canvas.Gem(star, Grey(0.9f), 0.1f);
    canvas.Fill(Circle({}, 0.12f), kWhite);
    return canvas.ToRecord("PURE", kMipmapped, Layout::Transposed);
}

// A round mine with eight studs and a burning core, alike at every angle.
Record BombPiece()
{
    Canvas canvas(kPiece, kPiece);
    const Sdf body = Circle({}, 0.5f);
    Sdf studs = Capsule(Polar(0.45f, 0), Polar(0.74f, 0), 0.08f);
    for (int i = 1; i < 8; ++i)
        studs = Union(studs, Capsule(Polar(0.45f, 45.0f * i), Polar(0.74f, 45.0f * i), 0.08f));
    const Sdf core = Sparkle({}, 0.26f, 0.08f, 8, 22.5f);
    canvas.Glow(body, Grey(0.12f), 0.12f);
    canvas.Gem(studs, Grey(0.75f), 0.06f);
    canvas.Gem(body, Grey(0.55f), 0.45f);
    canvas.Fill(Outline(body, 0.03f), Grey(0.9f));
    canvas.Glow(core, Grey(0.6f), 0.12f);
    canvas.Fill(core, kWhite);
    return canvas.ToRecord("BOMB", kMipmapped, Layout::Transposed);
}

// A soft ring around a bright thin core.
Record SoftRing(const std::string& key, int size, float radius, float core, float haze, float fill)
{
    Canvas canvas(size, size);
    canvas.Shade([&](float u, float v) {
        const float r = Length({u * 2 - 1, v * 2 - 1});
        const float d = (r - radius);
        const float edge = std::exp(-(d * d) / (core * core)) + 0.45f * std::exp(-(d * d) / (haze * haze));
        const float inside = fill * SmoothStep(radius, 0.0f, r) * SmoothStep(0.0f, radius, r);
        return Grey(edge + inside);
    });
    return canvas.ToRecord(key, kMipmapped, Layout::TopDown);
}

Record Spark()
{
    Canvas canvas(kPiece, kPiece);
    canvas.Shade([](float u, float v) {
        const Vec2 p{u * 2 - 1, v * 2 - 1};
        const float r2 = Dot(p, p);
        return Grey(std::exp(-r2 / 0.03f) + 0.55f * std::exp(-r2 / 0.16f));
    });
    return canvas.ToRecord("STAR", kMipmapped, Layout::TopDown);
}

// Rows of the cluster are horizontal, so the hexagon stands on a point.
Record Hexagon()
{
    Canvas canvas(128, 128);
    const Sdf hexagon = RegularPolygon({}, 0.52f, 6, -90);
    canvas.Fill(hexagon, Grey(0.1f));
    canvas.Glow(Outline(hexagon, 0.03f), Grey(0.45f), 0.2f);
    canvas.Fill(Outline(hexagon, 0.03f), kWhite);
    return canvas.ToRecord("HEX", kMipmapped, Layout::BottomUp);
}

// Wrapped round the square strand rods (s around, t along) and their caps:
// a glossy stripe down every face and a few rings along the rod.
Record MoleculeRod()
{
    Canvas canvas(kPiece, kPiece);
    canvas.Shade([](float u, float v) {
        const float face = std::fmod(u * 4.0f, 1.0f);
        const float across = std::sin(kPi * face);
        const float gloss = std::exp(-std::pow((face - 0.38f) / 0.12f, 2.0f));
        const float rings = 1.0f - 0.3f * SmoothStep(0.6f, 1.0f, std::cos(2 * kPi * 3 * v));
        return Grey((0.5f + 0.3f * across) * rings + 0.35f * gloss);
    });
    return canvas.ToRecord("MOLECULE", kMipmapped, Layout::BottomUp);
}

// A burst of jagged spikes, longest away from the rod; the marker at the
// other end of the rung is its mirror image.
Record MutationMarker(const std::string& key, bool spikesRight)
{
    Canvas canvas(kPiece, kPiece);
    Random random(1234);
    std::vector<Vec2> burst;
    const int spikes = 11;
    for (int i = 0; i < 2 * spikes; ++i) {
        const float angle = 180.0f * i / spikes + random.Uniform(-6, 6);
        const float reach = 0.4f + 0.42f * std::max(0.0f, -std::cos(angle * kPi / 180.0f));
        const float radius = i % 2 ? 0.2f : reach * random.Uniform(0.8f, 1.0f);
        burst.push_back(Vec2{0.12f, 0} + Polar(radius, angle));
    }
    const Sdf shape = Polygon(burst);
    canvas.Glow(shape, Grey(0.3f), 0.12f);
    canvas.Fill(shape, Grey(0.75f));
    canvas.Fill(Circle({0.12f, 0}, 0.2f), kWhite);
    canvas.Glow(Circle({0.12f, 0}, 0.05f), Grey(0.5f), 0.2f);
    if (spikesRight)
        canvas.Mirror();
    return canvas.ToRecord(key, kMipmapped, Layout::BottomUp);
}

} // namespace

Sdf MoleculeShape(int colour)
{
    switch (colour) {
    case 0: return Circle({}, 0.68f);
    case 1: return Grow(RegularPolygon({0, 0.12f}, 0.74f, 3, -90), 0.1f);
    case 2: return Box({}, {0.6f, 0.6f}, 0.08f);
    default: return Subtract(Grow(RegularPolygon({}, 0.66f, 6, -90), 0.06f), Circle({}, 0.3f));
    }
}

std::vector<Record> PiecePictures()
{
    // The left rod's marker stands beyond its +z end, where the texture's s
    // runs back towards the rod; the right rod's runs away from it.
    return {
        MoleculeRod(),
        MutationMarker("MUTATIONL", true),
        MutationMarker("MUTATIONR", false),
        EmptyPiece(),
        MoleculePiece("RED", MoleculeShape(0), 0.68f),
        MoleculePiece("GREEN", MoleculeShape(1), 0.5f),
        MoleculePiece("BLUE", MoleculeShape(2), 0.45f),
        MoleculePiece("YELLOW", MoleculeShape(3), 0.22f),
        PurifierPiece(),
        BombPiece(),
        SoftRing("NEXT", 128, 0.62f, 0.05f, 0.16f, 0.12f),
        SoftRing("SELECTRING", kPiece, 0.64f, 0.07f, 0.16f, 0.0f),
        SoftRing("RINGSELECT", 256, 0.5f, 0.012f, 0.07f, 0.06f),
        Hexagon(),
        Spark(),
    };
}

} // namespace art
