#include "LogoVideo.h"

#include "VideoWriter.h"
#include "art/Canvas.h"

#include <algorithm>
#include <cmath>

namespace logo_video {

namespace {

using art::Canvas;
using art::Color;
using art::Vec2;

constexpr float kPi = 3.14159265f;
constexpr int kPairs = 11;
constexpr float kHalfLength = 0.74f; // along the helix axis, in picture units
constexpr float kRadius = 0.36f;
constexpr float kTwistDegrees = 36.0f; // from one base pair to the next
constexpr float kTiltDegrees = -28.0f; // the axis leans to the right
constexpr float kBeadRadius = 0.075f;
// The backbones reach a little past the end pairs.
constexpr float kBackboneOverhang = 0.06f;
constexpr int kBackboneSteps = 90;
constexpr float kBackboneStep = (2.0f * (kHalfLength + kBackboneOverhang)) / kBackboneSteps;

// The piece colours; each pair joins red with green or blue with yellow.
const Color kPieceColours[4] = {{1.0f, 0.16f, 0.12f}, {0.2f, 1.0f, 0.28f}, {0.22f, 0.42f, 1.0f}, {1.0f, 0.84f, 0.12f}};
const int kPartner[4] = {1, 0, 3, 2};
const int kSequence[kPairs] = {0, 2, 3, 1, 0, 3, 2, 2, 1, 0, 3};
const Color kBackbone = {0.55f, 0.8f, 1.0f};

// A point of the helix on the picture, and how near the viewer it is (0 far, 1 near).
struct Placed {
    Vec2 at;
    float nearness;
};

Placed Place(float along, float angleDegrees)
{
    const float angle = angleDegrees * kPi / 180.0f;
    const float across = kRadius * std::sin(angle);
    const float depth = std::cos(angle);
    const float tilt = kTiltDegrees * kPi / 180.0f;
    // Nearer parts spread a little wider, as in perspective.
    const float spread = 1.0f + 0.12f * depth;
    const Vec2 local = {across * spread, along * spread};
    return {{local.x * std::cos(tilt) - local.y * std::sin(tilt), local.x * std::sin(tilt) + local.y * std::cos(tilt)},
        0.5f + 0.5f * depth};
}

float PairAlong(int pair) { return -kHalfLength + 2.0f * kHalfLength * pair / (kPairs - 1); }
// The first strand's angle round the axis at a point along it; the second's is opposite.
float AngleAt(float along, float turn)
{
    return (along + kHalfLength) / (2.0f * kHalfLength) * (kPairs - 1) * kTwistDegrees + turn;
}
float Depth(float angleDegrees) { return std::cos(angleDegrees * kPi / 180.0f); }

// The pixels a shape of the given reach round a point can touch.
struct Box {
    int x0, y0, x1, y1;
};

Box Around(Vec2 a, Vec2 b, float reach)
{
    auto pixel = [](float unit) { return (unit + 1.0f) * kSide / 2.0f; };
    return {std::max(0, static_cast<int>(pixel(std::min(a.x, b.x) - reach))),
        std::max(0, static_cast<int>(pixel(std::min(a.y, b.y) - reach))),
        std::min(kSide - 1, static_cast<int>(pixel(std::max(a.x, b.x) + reach)) + 1),
        std::min(kSide - 1, static_cast<int>(pixel(std::max(a.y, b.y) + reach)) + 1)};
}

float Coverage(float distance, float pixel) { return art::Clamp01(0.5f - distance / pixel); }

// An anti-aliased stroke from a to b, its colour running from ca to cb.
void Stroke(Canvas& canvas, Vec2 a, Vec2 b, float halfWidth, Color ca, Color cb)
{
    const Box box = Around(a, b, halfWidth);
    const Vec2 ab = b - a;
    const float length2 = std::max(art::Dot(ab, ab), 1e-8f);
    for (int y = box.y0; y <= box.y1; ++y)
        for (int x = box.x0; x <= box.x1; ++x) {
            const Vec2 p = canvas.UnitOf(x, y);
            const float t = art::Clamp01(art::Dot(p - a, ab) / length2);
            const float cover = Coverage(art::Length(p - (a + ab * t)) - halfWidth, canvas.PixelSize());
            if (cover > 0)
                canvas.Set(x, y, art::Mix(canvas.Get(x, y), art::Mix(ca, cb, t), cover));
        }
}

// A glossy sphere lit from the upper left, with a halo of its own colour.
void Bead(Canvas& canvas, const Placed& p, Color colour)
{
    const float radius = kBeadRadius * (0.72f + 0.28f * p.nearness);
    const float light = 0.35f + 0.65f * p.nearness;
    canvas.Spot(p.at, colour * (0.6f * light), radius * 2.2f);
    const Box box = Around(p.at, p.at, radius);
    const Vec2 shine = p.at + Vec2{-0.35f, -0.4f} * radius;
    for (int y = box.y0; y <= box.y1; ++y)
        for (int x = box.x0; x <= box.x1; ++x) {
            const Vec2 q = canvas.UnitOf(x, y);
            const float r = art::Length(q - p.at) / radius;
            const float cover = Coverage((r - 1.0f) * radius, canvas.PixelSize());
            if (cover <= 0)
                continue;
            const float facing = std::sqrt(std::max(0.0f, 1.0f - r * r));
            const float gloss = std::pow(art::Clamp01(1.0f - art::Length(q - shine) / (0.55f * radius)), 2.0f);
            const Color lit = colour * (light * (0.3f + 0.7f * facing)) + art::Grey(0.9f * gloss * light);
            canvas.Set(x, y, art::Mix(canvas.Get(x, y), lit, cover));
        }
}

// Deep blue in the middle going to black, a faint honeycomb and a thin glowing frame
// that marks the cube's edges.
Canvas Background()
{
    Canvas canvas(kSide, kSide);
    canvas.Shade([](float u, float v) {
        const float x = 2.0f * u - 1.0f, y = 2.0f * v - 1.0f;
        const float fall = art::Clamp01(1.0f - 0.55f * (x * x + y * y));
        Color c = art::Mix(Color{0.006f, 0.004f, 0.03f}, Color{0.03f, 0.05f, 0.16f}, fall * fall);
        // Distance to the nearest hexagon edge of a honeycomb 8 cells across.
        const float hx = x * 4.0f, hy = y * 4.0f / 0.8660254f;
        const float row = std::floor(hy);
        const float shift = std::fmod(row, 2.0f) == 0.0f ? 0.0f : 0.5f;
        const float fx = hx + shift - std::floor(hx + shift) - 0.5f, fy = hy - row - 0.5f;
        const float edge = std::max(std::abs(fx), std::abs(fy) * 0.75f + std::abs(fx) * 0.5f);
        c = c + Color{0.05f, 0.1f, 0.18f} * (art::SmoothStep(0.44f, 0.5f, edge) * fall * 0.5f);
        const float frame = std::max(std::abs(x), std::abs(y));
        c = c + Color{0.35f, 0.2f, 0.9f} * (std::exp(-std::pow((0.955f - frame) * 40.0f, 2.0f)) * 0.8f);
        return c;
    });
    return canvas;
}

// Specks of light that twinkle a whole number of times per loop.
void Twinkles(Canvas& canvas, float phase)
{
    art::Random random(20261210);
    for (int i = 0; i < 22; ++i) {
        const Vec2 at = {random.Uniform(-0.9f, 0.9f), random.Uniform(-0.9f, 0.9f)};
        const float beats = static_cast<float>(1 + random.Next() % 3);
        const float offset = random.Uniform(0.0f, 1.0f);
        const float brightness = 0.5f + 0.5f * std::sin(2.0f * kPi * (phase * beats + offset));
        canvas.Spot(at, Color{0.5f, 0.7f, 1.0f} * (0.5f * brightness * brightness), 0.012f);
    }
}

enum class Part { Backbone, Rung, Bead };

struct Piece {
    float depth; // drawn in order of depth, far side first
    Part part;
    int pair, strand;
    float along, angle;
};

// The two backbones as a chain of short strokes, and each pair's two half
// rungs and two beads.
std::vector<Piece> HelixPieces(float turn)
{
    std::vector<Piece> pieces;
    for (int strand = 0; strand < 2; ++strand)
        for (int s = 0; s < kBackboneSteps; ++s) {
            const float along = -kHalfLength - kBackboneOverhang + kBackboneStep * s;
            const float angle = AngleAt(along, turn) + 180.0f * strand;
            pieces.push_back({Depth(angle), Part::Backbone, 0, strand, along, angle});
        }
    for (int pair = 0; pair < kPairs; ++pair)
        for (int strand = 0; strand < 2; ++strand) {
            const float along = PairAlong(pair);
            const float angle = AngleAt(along, turn) + 180.0f * strand;
            pieces.push_back({Depth(angle) * 0.5f, Part::Rung, pair, strand, along, angle});
            pieces.push_back({Depth(angle) + 0.01f, Part::Bead, pair, strand, along, angle});
        }
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.depth < b.depth; });
    return pieces;
}

void Helix(Canvas& canvas, float turn)
{
    const float stepAngle = AngleAt(kBackboneStep, 0.0f) - AngleAt(0.0f, 0.0f);
    for (const Piece& piece : HelixPieces(turn)) {
        const Placed here = Place(piece.along, piece.angle);
        const float light = 0.25f + 0.75f * here.nearness;
        const int base = kSequence[piece.pair];
        const Color colour = kPieceColours[piece.strand == 0 ? base : kPartner[base]];
        if (piece.part == Part::Backbone) {
            const Placed next = Place(piece.along + kBackboneStep, piece.angle + stepAngle);
            Stroke(canvas, here.at, next.at, 0.018f, kBackbone * light, kBackbone * (0.25f + 0.75f * next.nearness));
        } else if (piece.part == Part::Rung) {
            // Half a rung, from the bead to the axis where the partners meet.
            const Vec2 middle = (here.at + Place(piece.along, piece.angle + 180.0f).at) * 0.5f;
            Stroke(canvas, here.at, middle, 0.014f, colour * light, colour * (0.55f * light));
        } else {
            Bead(canvas, here, colour);
        }
    }
}

// A soft bloom around everything bright, then a gentle curve into bytes.
void Finish(Canvas& canvas, std::vector<uint8_t>& rgb)
{
    for (int channel = 0; channel < 3; ++channel) {
        art::Mask bright(kSide, kSide);
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                const Color c = canvas.Get(x, y);
                const float v = channel == 0 ? c.r : channel == 1 ? c.g : c.b;
                bright.At(x, y) = std::max(0.0f, v - 0.35f);
            }
        const Color tint = {channel == 0 ? 1.1f : 0.0f, channel == 1 ? 1.1f : 0.0f, channel == 2 ? 1.1f : 0.0f};
        canvas.Add(bright.Blurred(7.0f), tint);
    }
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const Color c = canvas.Get(x, y);
            uint8_t* p = &rgb[(static_cast<size_t>(y) * kSide + x) * 3];
            for (const float v : {c.r, c.g, c.b})
                *p++ = static_cast<uint8_t>(std::lround(255.0f * (1.0f - std::exp(-1.6f * std::max(v, 0.0f)))));
        }
}

} // namespace

void DrawFrame(int frame, std::vector<uint8_t>& rgb)
{
    static const Canvas background = Background();
    Canvas canvas = background;
    const float phase = static_cast<float>(frame) / kFrames;
    Twinkles(canvas, phase);
    Helix(canvas, 360.0f * phase);
    Finish(canvas, rgb);
}

bool Write(const std::string& path, std::string& problem)
{
    video::VideoFormat format;
    format.width = format.height = kSide;
    format.fps = kFps;
    format.frames = kFrames;
    return video::WriteVideo(path, format, DrawFrame, problem);
}

} // namespace logo_video
