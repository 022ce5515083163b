#include "Canvas.h"
#include "PicturesThemes.h"

#include <cmath>

namespace art {

namespace {

using texture_file::Record;

constexpr int kSize = 64;
constexpr int kMipmapped = 3;
constexpr float kStroke = 0.11f;
constexpr float kRadius = 0.56f;
// The circular arrows run clockwise on the screen from the lower left, over
// the top, to the lower right; the arrowhead stands on the end.
constexpr float kFrom = 135.0f;
constexpr float kTo = 385.0f;

Sdf ArrowHead(Vec2 base, float directionDegrees, float length, float halfWidth)
{
    const Vec2 along = Polar(1, directionDegrees), across = Polar(1, directionDegrees + 90);
    return Polygon({base + along * length, base + across * halfWidth, base - across * halfWidth});
}

// An arrowhead standing on the ring at an angle, pointing clockwise (or
// counter-clockwise for a negative scale).
Sdf RingHead(float radius, float degrees, float scale = 1.0f)
{
    const float size = std::fabs(scale);
    return ArrowHead(Polar(radius, degrees), degrees + (scale > 0 ? 90 : -90), 0.34f * size, 0.27f * size);
}

Sdf Normal() { return Union(Arc({}, kRadius, kFrom, kTo, kStroke), RingHead(kRadius, kTo)); }

// Two steps at a time: two arrowheads in a row.
Sdf Skip()
{
    const float first = kTo - 42.0f;
    return Union(Arc({}, kRadius, kFrom, kTo, kStroke), Union(RingHead(kRadius, first), RingHead(kRadius, kTo)));
}

// Across the ring and back, drifting round: a double arrow through the
// middle inside a thin turning arrow.
Sdf Pole()
{
    const Vec2 a = Polar(0.5f, 225), b = Polar(0.5f, 45);
    const Sdf across = Union(Capsule(a * 0.55f, b * 0.55f, 0.09f),
        Union(ArrowHead(a * 0.5f, 225, 0.3f, 0.22f), ArrowHead(b * 0.5f, 45, 0.3f, 0.22f)));
    const float outer = 0.74f;
    const Sdf turn = Union(Arc({}, outer, 250, 380, 0.06f), RingHead(outer, 380, 0.62f));
    return Union(across, turn);
}

// The alternating pull: a short step back inside a long step on.
Sdf SuckUp()
{
    const float outer = 0.66f, inner = 0.3f;
    const Sdf on = Union(Arc({}, outer, kFrom + 20, kTo - 5, 0.085f), RingHead(outer, kTo - 5, 0.8f));
    const Sdf back = Union(Arc({}, inner, 250, 360, 0.075f), RingHead(inner, 250, -0.6f));
    return Union(on, back);
}

// A clockwise symbol and its mirror image for counter-clockwise.
std::vector<Record> PatternPair(const std::string& name, const Sdf& shape)
{
    Canvas canvas(kSize, kSize);
    canvas.Glow(shape, Grey(0.22f), 0.14f);
    canvas.Fill(shape, Grey(0.95f));
    std::vector<Record> pair{canvas.ToRecord(name + "CW", kMipmapped, Layout::Transposed)};
    canvas.Mirror();
    pair.push_back(canvas.ToRecord(name + "CCW", kMipmapped, Layout::Transposed));
    return pair;
}

Record SkillArrow()
{
    Canvas canvas(kSize, kSize);
    const Sdf arrow =
        Union(Box({-0.33f, 0}, {0.4f, 0.15f}, 0.05f), Polygon({{0.8f, 0}, {0.05f, 0.52f}, {0.05f, -0.52f}}));
    canvas.Glow(arrow, Grey(0.25f), 0.14f);
    canvas.Gem(arrow, Grey(0.85f), 0.14f);
    return canvas.ToRecord("ARROW", kMipmapped, Layout::BottomUp);
}

// The pointer's hot spot is the top edge, 25 of its 32 units from the left:
// the index finger's tip is there, the fist below and to the left.
Record PointingHand()
{
    Canvas canvas(kSize, kSize);
    const float tipX = 25.0f / 32.0f * 2 - 1;
    // Back to front, each part with a dark rim that parts it from the next.
    const Sdf parts[] = {
        Capsule({tipX, -0.75f}, {tipX, 0.2f}, 0.15f),
        Capsule({0.24f, -0.08f}, {0.24f, 0.3f}, 0.14f),
        Capsule({-0.05f, -0.02f}, {-0.05f, 0.35f}, 0.14f),
        Capsule({-0.33f, 0.08f}, {-0.33f, 0.4f}, 0.13f),
        Box({0.14f, 0.52f}, {0.52f, 0.34f}, 0.28f),
        Capsule({0.56f, 0.5f}, {0.04f, 0.38f}, 0.12f),
    };
    for (const Sdf& part : parts) {
        canvas.Fill(Grow(part, 0.05f), Grey(0.4f));
        canvas.Fill(part, Grey(0.92f));
    }
    return canvas.ToRecord("HAND", kMipmapped, Layout::Transposed);
}

Record BlockCursor()
{
    Canvas canvas(kSize, kSize);
    const Sdf block = Box({0, 0.04f}, {0.66f, 0.82f}, 0.12f);
    canvas.Gem(block, Grey(0.95f), 0.22f);
    return canvas.ToRecord("CURSER", kMipmapped, Layout::Transposed);
}

} // namespace

std::vector<Record> SymbolPictures()
{
    std::vector<Record> pictures;
    for (auto& [name, shape] :
        {std::pair{"NORMAL", Normal()}, {"SKIP", Skip()}, {"POLE", Pole()}, {"SUCKUP", SuckUp()}})
        for (auto& record : PatternPair(name, shape))
            pictures.push_back(std::move(record));
    pictures.push_back(SkillArrow());
    pictures.push_back(PointingHand());
    pictures.push_back(BlockCursor());
    return pictures;
}

} // namespace art
