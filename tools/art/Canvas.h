#pragma once
#include "render/TextureFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A small toolkit for drawing the game's pictures in code. Shapes are signed
// distance functions in picture units: x and y run from -1 to 1 across the
// picture, y downwards as on the screen, and a shape is negative inside. Edges
// are anti-aliased by turning the distance into coverage over one pixel.
namespace art {

struct Vec2 {
    float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float k) { return {a.x * k, a.y * k}; }
float Dot(Vec2 a, Vec2 b);
float Length(Vec2 a);
Vec2 Polar(float radius, float degrees); // degrees turn clockwise on the screen (y down)

struct Color {
    float r = 0, g = 0, b = 0;
};
inline Color operator*(Color c, float k) { return {c.r * k, c.g * k, c.b * k}; }
inline Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Color Grey(float v) { return {v, v, v}; }
Color Mix(Color a, Color b, float t);

float Clamp01(float v);
float SmoothStep(float edge0, float edge1, float v);

using Sdf = std::function<float(Vec2)>;

Sdf Circle(Vec2 centre, float radius);
Sdf Ring(Vec2 centre, float radius, float halfWidth);
Sdf Capsule(Vec2 a, Vec2 b, float halfWidth);
// An arc of a circle from one angle to another, clockwise on the screen.
Sdf Arc(Vec2 centre, float radius, float fromDegrees, float toDegrees, float halfWidth);
Sdf Polygon(std::vector<Vec2> points);
Sdf RegularPolygon(Vec2 centre, float radius, int sides, float rotationDegrees);
Sdf Box(Vec2 centre, Vec2 halfSize, float cornerRadius);
Sdf Union(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Grow(Sdf a, float amount); // negative amounts shrink
Sdf Outline(Sdf a, float halfWidth);

// Coverage values from 0 to 1, one per pixel.
class Mask {
public:
    Mask(int width, int height);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    float At(int x, int y) const { return m_values[Index(x, y)]; }
    float& At(int x, int y) { return m_values[Index(x, y)]; }
    // A Gaussian-like blur by three box passes.
    Mask Blurred(float radiusPixels) const;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * m_width + x; }
    int m_width, m_height;
    std::vector<float> m_values;
};

// Lettering in DejaVu Sans Bold, centred on a point; cap height in units.
Mask Lettering(int width, int height, const std::string& text, Vec2 centre, float capHeight, float tracking = 0);

// How the game lays a picture on its square: what is drawn upright in the
// canvas must come out upright on the screen.
enum class Layout {
    TopDown, // stored row 0 at the top: centred squares of the 2D overlay
    BottomUp, // stored row 0 at the bottom: quads in an upward-y space
    Transposed, // stored rows run across the screen: overlay pieces, pointer, cursor
};

class Canvas {
public:
    Canvas(int width, int height);
    float PixelSize() const { return 2.0f / m_width; }
    Vec2 UnitOf(int x, int y) const;
    Color Get(int x, int y) const { return m_pixels[Index(x, y)]; }
    void Set(int x, int y, Color c) { m_pixels[Index(x, y)] = c; }

    // Blends colour c over the picture with the shape's coverage.
    void Fill(const Sdf& shape, Color c);
    void Fill(const Mask& mask, Color c);
    void Add(const Mask& mask, Color c);
    // A soft light around a shape, fading over 'radius' units outside it.
    void Glow(const Sdf& shape, Color c, float radius);
    // A small soft spot of light, as Glow around a point but only where it shows.
    void Spot(Vec2 at, Color c, float radius);
    // A shape lit like a rounded glossy solid; the bevel is in units.
    void Gem(const Sdf& shape, Color c, float bevel);
    // Sets every pixel from the position of its centre (u, v from 0 to 1, v downwards).
    void Shade(const std::function<Color(float u, float v)>& shader);
    void Multiply(const std::function<float(Vec2)>& factor);
    void Mirror(); // left to right

    texture_file::Record ToRecord(const std::string& key, int filter, Layout layout) const;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * m_width + x; }
    float Coverage(float distance) const { return Clamp01(0.5f - distance / PixelSize()); }
    int m_width, m_height;
    std::vector<Color> m_pixels;
};

// Smooth value noise over one tile (u, v from 0 to 1) that joins up with
// itself at opposite edges: 'cells' lattice cells per tile, values 0 to 1.
float TileNoise(float u, float v, int cells, uint32_t seed);
// Octaves of tiling noise, each with twice the cells of the one before.
float TileFractal(float u, float v, int cells, int octaves, uint32_t seed);
// Deterministic pseudo-random numbers for scattering details.
class Random {
public:
    explicit Random(uint32_t seed)
        : m_state(seed)
    {
    }
    uint32_t Next();
    float Uniform(float low, float high);

private:
    uint32_t m_state;
};

} // namespace art
