#include "Canvas.h"
#include "PicturesThemes.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

using texture_file::Record;

constexpr int kLarge = 256;
constexpr int kLinear = 1;
constexpr float kPi = 3.14159265f;
constexpr float kTwoPi = 2 * kPi;

// Offsets within one tile, wrapped to the nearest copy of the tile.
float Wrapped(float d) { return d - std::round(d); }

Color Tinted(float value, float warmth)
{
    return {value * (1.0f + 0.12f * warmth), value, value * (1.0f - 0.12f * warmth)};
}

// The game draws the level background as a square 11.2 wide at depth 10 in
// a 45 degree view of a 4:3 screen; this finds where a point of the 640 x 480
// overlay lands on that square, in picture units.
constexpr float kBackHalf = 5.6f, kBackDepth = 10.0f;
const float kViewHalfHeight = kBackDepth * std::tan(22.5f * kPi / 180.0f);
const float kViewHalfWidth = kViewHalfHeight * 4.0f / 3.0f;

Vec2 OnLevelBack(float x, float y)
{
    return {(x / 320.0f - 1.0f) * kViewHalfWidth / kBackHalf, (y / 240.0f - 1.0f) * kViewHalfHeight / kBackHalf};
}

float OverlayLength(float pixels) { return pixels / 320.0f * kViewHalfWidth / kBackHalf; }

// The next-colour box (a 32-pixel piece at 365, 25) and the mutation count
// (up to two 16-pixel digits from 280, 410) as the game draws them.
const Vec2 kNextCentre = OnLevelBack(381, 41);
const float kWindowRadius = OverlayLength(27);
const Vec2 kCountCentre = OnLevelBack(296, 418);

// A dark round window with a bright rim, so whatever piece shows in it
// stands out.
void NextWindow(Canvas& canvas)
{
    const Sdf window = Circle(kNextCentre, kWindowRadius);
    const Sdf rim = Ring(kNextCentre, kWindowRadius, OverlayLength(1.5f));
    canvas.Glow(Grow(window, -OverlayLength(2)), Grey(0.02f), OverlayLength(10));
    canvas.Fill(window, Grey(0.02f));
    canvas.Glow(rim, Grey(0.5f), OverlayLength(4));
    canvas.Fill(rim, Grey(0.95f));
}

// A darker track where the ring's pieces travel (radius 150 round 200, 200),
// so blue pieces and empty places do not sink into the clouds.
void RingTrack(Canvas& canvas)
{
    const Vec2 centre = OnLevelBack(200, 200);
    const float radius = OverlayLength(150), half = OverlayLength(30), soft = OverlayLength(14);
    canvas.Multiply([=](Vec2 p) {
        const float off = std::fabs(Length(p - centre) - radius);
        return 1.0f - 0.65f * SmoothStep(half + soft, half, off);
    });
}

// A small dark plaque with a rim under the mutation count.
void CountPlaque(Canvas& canvas)
{
    const Sdf plaque = Box(kCountCentre, {OverlayLength(24), OverlayLength(14)}, OverlayLength(6));
    canvas.Fill(plaque, Grey(0.03f));
    canvas.Fill(Outline(plaque, OverlayLength(1.2f)), Grey(0.8f));
}

// Behind play: dim clouds with dark lanes and a scatter of small stars,
// coloured by the corners of the quad; the next-colour window and the
// mutation plaque sit exactly behind what the game draws there.
Record LevelBack()
{
    Canvas canvas(kLarge, kLarge);
    canvas.Shade([](float u, float v) {
        const float warp = TileFractal(u, v, 3, 4, 11);
        const float cloud = TileFractal(u + 0.35f * warp, v - 0.25f * warp, 4, 5, 12);
        const float lanes = TileFractal(u, v + 0.2f * warp, 5, 4, 13);
        const float glow = std::pow(SmoothStep(0.3f, 0.85f, cloud), 1.6f);
        const float dust = 0.45f + 0.55f * SmoothStep(0.3f, 0.65f, lanes);
        return Tinted(0.04f + 0.46f * glow * dust, warp * 2 - 1);
    });
    Random random(77);
    for (int i = 0; i < 90; ++i) {
        const Vec2 at{random.Uniform(-0.97f, 0.97f), random.Uniform(-0.97f, 0.97f)};
        const float size = random.Uniform(0.004f, 0.011f);
        const float bright = random.Uniform(0.3f, 0.9f);
        canvas.Spot(at, Grey(bright), size);
    }
    RingTrack(canvas);
    NextWindow(canvas);
    CountPlaque(canvas);
    return canvas.ToRecord("LEVELBACK", kLinear, Layout::BottomUp);
}

int Wrap(int k, int period) { return ((k % period) + period) % period; }

// Where p lies among seed points, one per lattice cell of a tile that
// repeats all round: how far the nearest seed is, how far the nearest wall
// of its cell, and which cell it is.
struct Cell {
    float centre = 1e9f, wall = 0;
    int col = 0, row = 0;
};

template <class SeedAt>
Cell NearestCell(Vec2 p, int cols, int rows, SeedAt seedAt)
{
    Cell cell;
    Vec2 nearest;
    const int col = static_cast<int>(std::floor(p.x * cols)), row = static_cast<int>(std::floor(p.y * rows));
    for (int j = row - 2; j <= row + 2; ++j)
        for (int i = col - 2; i <= col + 2; ++i) {
            const Vec2 seed = seedAt(i, j);
            const float d = Length(p - seed);
            if (d < cell.centre)
                cell.centre = d, nearest = seed, cell.col = Wrap(i, cols), cell.row = Wrap(j, rows);
        }
    cell.wall = 1e9f;
    for (int j = row - 2; j <= row + 2; ++j)
        for (int i = col - 2; i <= col + 2; ++i) {
            const Vec2 seed = seedAt(i, j);
            const float apart = Length(seed - nearest);
            if (apart > 1e-6f)
                cell.wall = std::min(cell.wall, Dot((nearest + seed) * 0.5f - p, (seed - nearest) * (1.0f / apart)));
        }
    return cell;
}

// Menu: a honeycomb of softly lit cells over drifting haze. Seven cells
// across and eight rows down make nearly regular hexagons that tile.
Record HoneycombBackground()
{
    constexpr int cols = 7, rows = 8;
    Canvas canvas(kLarge, kLarge);
    canvas.Shade([](float u, float v) {
        const Cell cell = NearestCell({u, v}, cols, rows, [](int i, int j) {
            return Vec2{(static_cast<float>(i) + 0.5f + 0.5f * static_cast<float>(Wrap(j, 2))) / cols,
                (static_cast<float>(j) + 0.5f) / rows};
        });
        const float light =
            TileNoise(static_cast<float>(cell.col) / cols, static_cast<float>(cell.row) / rows, cols, 21);
        const float haze = TileFractal(u, v, 3, 4, 22);
        const float line = 0.55f * std::exp(-std::pow(cell.wall / 0.0045f, 2.0f)) + 0.2f * std::exp(-cell.wall / 0.03f);
        const float fill = 0.25f * light * light * SmoothStep(0.0f, 0.05f, cell.wall);
        return Grey(0.12f + 0.25f * haze + line + fill);
    });
    return canvas.ToRecord("BACKGROUND5", kLinear, Layout::BottomUp);
}

// Distance from (u, v) down to a strand v = centre + amplitude * sin(phase),
// measured across the slope and wrapped round the tile.
float StrandDistance(float u, float v, float centre, float amplitude, float phase)
{
    const float waves = 2.0f;
    const float angle = kTwoPi * waves * u + phase;
    const float slope = amplitude * kTwoPi * waves * std::cos(angle);
    return std::fabs(Wrapped(v - centre - amplitude * std::sin(angle))) / std::sqrt(1 + slope * slope);
}

// Scores: two double helices winding across, their rungs lit where they
// turn towards the viewer.
Record HelixBackground()
{
    Canvas canvas(kLarge, kLarge);
    canvas.Shade([](float u, float v) {
        float light = 0.1f + 0.18f * TileFractal(u, v, 4, 4, 31);
        for (float centre : {0.25f, 0.75f}) {
            const float phase = centre * kPi;
            const float amplitude = 0.1f;
            for (float side : {0.0f, kPi}) {
                const float d = StrandDistance(u, v, centre, amplitude, phase + side);
                const float depth = 0.6f + 0.4f * std::cos(kTwoPi * 2 * u + phase + side);
                light += depth * (0.6f * std::exp(-std::pow(d / 0.011f, 2.0f)) + 0.15f * std::exp(-d / 0.03f));
            }
            const float a = std::sin(kTwoPi * 2 * u + phase);
            const float rung = std::fabs(Wrapped(u * 24.0f) / 24.0f);
            const float between = std::fabs(Wrapped(v - centre)) < amplitude * std::fabs(a) ? 1.0f : 0.0f;
            light += 0.35f * between * std::fabs(a) * std::exp(-std::pow(rung / 0.004f, 2.0f));
        }
        return Grey(light);
    });
    return canvas.ToRecord("BACKGROUND3", kLinear, Layout::BottomUp);
}

// Information: living cells with glowing walls and a nucleus each.
Record CellBackground()
{
    constexpr int grid = 5;
    std::vector<Vec2> jitter;
    for (int j = 0; j < grid; ++j)
        for (int i = 0; i < grid; ++i) {
            const float u = static_cast<float>(i) / grid, v = static_cast<float>(j) / grid;
            jitter.push_back({0.15f + 0.7f * TileNoise(u, v, grid, 41), 0.15f + 0.7f * TileNoise(u, v, grid, 42)});
        }
    Canvas canvas(kLarge, kLarge);
    canvas.Shade([&](float u, float v) {
        const Cell cell = NearestCell({u, v}, grid, grid, [&](int i, int j) {
            const Vec2 offset = jitter[static_cast<size_t>(Wrap(j, grid) * grid + Wrap(i, grid))];
            return Vec2{(static_cast<float>(i) + offset.x) / grid, (static_cast<float>(j) + offset.y) / grid};
        });
        const float texture = TileFractal(u, v, 6, 3, 43);
        const float membrane =
            0.55f * std::exp(-std::pow(cell.wall / 0.006f, 2.0f)) + 0.2f * std::exp(-cell.wall / 0.025f);
        const float nucleus = 0.45f * SmoothStep(0.05f, 0.03f, cell.centre) + 0.15f * std::exp(-cell.centre / 0.06f);
        return Grey(0.08f + 0.22f * texture + membrane + nucleus);
    });
    return canvas.ToRecord("BACKGROUND2", kLinear, Layout::BottomUp);
}

// Credits: light rippling like caustics under water, made of waves with
// whole numbers of periods per tile.
Record CausticBackground()
{
    Canvas canvas(kLarge, kLarge);
    canvas.Shade([](float u, float v) {
        struct Wave {
            float a, b, phase;
        };
        constexpr Wave coarse[] = {{3, 1, 0.3f}, {-1, 3, 1.9f}, {2, -3, 4.1f}, {4, 2, 2.6f}};
        constexpr Wave fine[] = {{5, 2, 0.7f}, {-3, 6, 2.2f}, {6, -1, 5.0f}};
        float f = 0, g = 0;
        for (const Wave& w : coarse)
            f += std::cos(kTwoPi * (w.a * u + w.b * v) + w.phase);
        for (const Wave& w : fine)
            g += std::cos(kTwoPi * (w.a * u + w.b * v) + w.phase + f);
        const float lines = std::exp(-f * f * 6.0f), ripples = std::exp(-g * g * 10.0f);
        return Grey(0.12f + 0.1f * (f + 4) / 8 + 0.5f * lines + 0.22f * ripples);
    });
    return canvas.ToRecord("BACKGROUND4", kLinear, Layout::BottomUp);
}

// The reader panel fills the screen once it has slid in; the middle is
// covered by the text's black backdrop, so its details sit in the margins.
Record ReaderPanel()
{
    Canvas canvas(kLarge, kLarge);
    const Sdf body = Box({0, 0}, {0.93f, 0.93f}, 0.06f);
    const Sdf screen = Box({0.025f, -0.08f}, {0.6f, 0.45f}, 0.03f);
    const Sdf bezel = Outline(Box({0.025f, -0.08f}, {0.625f, 0.475f}, 0.045f), 0.01f);
    canvas.Fill(body, Grey(0.16f));
    canvas.Multiply([](Vec2 p) { return 0.8f + 0.2f * std::cos(p.y * kLarge * kPi / 2); });
    canvas.Glow(bezel, Grey(0.25f), 0.04f);
    canvas.Fill(bezel, Grey(0.9f));
    canvas.Fill(screen, Grey(0.04f));
    canvas.Fill(Outline(body, 0.01f), Grey(0.75f));
    // Status lights above the screen, a grille on the left, a level meter
    // on the right and the label underneath.
    for (int i = 0; i < 5; ++i) {
        const Sdf light = Circle({-0.45f + 0.1f * i, -0.61f}, 0.02f);
        canvas.Glow(light, Grey(0.25f + 0.1f * i), 0.03f);
        canvas.Fill(light, Grey(0.95f));
    }
    canvas.Fill(Box({0.55f, -0.61f}, {0.15f, 0.018f}, 0.018f), Grey(0.6f));
    for (int i = 0; i < 9; ++i)
        canvas.Fill(Box({-0.76f, -0.42f + 0.1f * i}, {0.09f, 0.018f}, 0.018f), Grey(0.5f));
    for (int i = 0; i < 10; ++i) {
        const float level = i < 7 ? 0.85f : 0.35f;
        canvas.Fill(Box({0.78f, 0.3f - 0.08f * i}, {0.05f, 0.025f}, 0.01f), Grey(level));
    }
    canvas.Fill(Lettering(kLarge, kLarge, "DNA READER", {0.025f, 0.49f}, 0.07f, 0.02f), Grey(0.9f));
    for (int i = 0; i < 12; ++i)
        canvas.Fill(Box({-0.55f + 0.1f * i, 0.6f}, {0.035f, 0.02f}, 0.01f), Grey(0.45f));
    return canvas.ToRecord("READER", kLinear, Layout::BottomUp);
}

// The first intro logo, shown in its own colours and again, tinted, on
// the credits page: the letters in a ring of light.
Record QtxPlate()
{
    Canvas canvas(kLarge, kLarge);
    const Sdf orbit = [](Vec2 p) { return std::fabs(Length({p.x, p.y * 2.6f}) - 0.82f) / 2.0f - 0.012f; };
    canvas.Glow(orbit, {0.1f, 0.25f, 0.6f}, 0.06f);
    canvas.Fill(orbit, {0.55f, 0.85f, 1.0f});
    const Mask letters = Lettering(kLarge, kLarge, "QTX", {0, 0}, 0.52f, 0.03f);
    canvas.Add(letters.Blurred(7), {0.2f, 0.5f, 1.0f});
    canvas.Add(letters.Blurred(2), {0.3f, 0.5f, 0.8f});
    Canvas fill(kLarge, kLarge);
    fill.Shade([](float, float v) {
        return Mix({1.0f, 1.0f, 1.0f}, {0.15f, 0.55f, 1.0f}, SmoothStep(0.35f, 0.65f, v));
    });
    for (int y = 0; y < kLarge; ++y)
        for (int x = 0; x < kLarge; ++x)
            canvas.Set(x, y, Mix(canvas.Get(x, y), fill.Get(x, y), letters.At(x, y)));
    canvas.Fill(Capsule({-0.55f, 0.42f}, {0.55f, 0.42f}, 0.008f), {0.6f, 0.8f, 1.0f});
    canvas.Multiply([](Vec2 p) { return SmoothStep(0.99f, 0.9f, std::max(std::fabs(p.x), std::fabs(p.y))); });
    return canvas.ToRecord("QTX", kLinear, Layout::BottomUp);
}

// The maker's logo, a sun rising over the moor above the name. The game
// draws the plate larger than the screen and lower, so its bottom quarter
// is never seen: everything stands in the upper part.
Record BrightmoorPlate()
{
    Canvas canvas(kLarge, kLarge);
    const Vec2 sun{0, -0.3f};
    auto ridge = [](float base, float phase) {
        return [=](Vec2 p) {
            return p.y - (base + 0.04f * std::sin(p.x * 4.5f + phase) + 0.02f * std::sin(p.x * 11.0f + phase));
        };
    };
    const Sdf farMoor = ridge(-0.3f, 0.0f), nearMoor = ridge(-0.22f, 2.0f);
    Sdf rays = Capsule(sun + Polar(0.36f, 270), sun + Polar(0.56f, 270), 0.018f);
    for (int i = 1; i <= 7; ++i) {
        const float angle = 180.0f + 22.5f * i;
        rays = Union(rays, Capsule(sun + Polar(0.36f, angle), sun + Polar(i % 2 ? 0.46f : 0.56f, angle), 0.018f));
    }
    const Sdf disc = Intersect(Circle(sun, 0.28f), farMoor);
    canvas.Glow(disc, Grey(0.3f), 0.12f);
    canvas.Fill(rays, Grey(0.8f));
    canvas.Gem(disc, Grey(0.9f), 0.25f);
    canvas.Fill(Subtract(Box({0, -0.04f}, {1, 0.3f}, 0), farMoor), Grey(0.14f));
    canvas.Fill(Outline(farMoor, 0.008f), Grey(0.6f));
    canvas.Fill(Subtract(Box({0, 0.0f}, {1, 0.25f}, 0), nearMoor), Grey(0.05f));
    canvas.Fill(Outline(nearMoor, 0.01f), Grey(0.9f));
    canvas.Multiply([](Vec2 p) { return SmoothStep(0.95f, 0.7f, std::fabs(p.x)) * SmoothStep(0.12f, -0.02f, p.y); });
    const Mask word = Lettering(kLarge, kLarge, "BRIGHTMOOR", {0, 0.1f}, 0.15f, 0.012f);
    canvas.Add(word.Blurred(4), Grey(0.45f));
    canvas.Fill(word, Grey(1.0f));
    canvas.Fill(Capsule({-0.75f, 0.27f}, {0.75f, 0.27f}, 0.008f), Grey(0.7f));
    return canvas.ToRecord("BRIGHTMOOR", kLinear, Layout::BottomUp);
}

} // namespace

std::vector<Record> ScreenPictures()
{
    return {LevelBack(), CellBackground(), HelixBackground(), CausticBackground(), HoneycombBackground(), ReaderPanel(),
        QtxPlate(), BrightmoorPlate()};
}

} // namespace art
