#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <stdexcept>

namespace art {

namespace {

constexpr float kPi = 3.14159265f;
constexpr const char* kFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr float kCapHeightPerEm = 0.729f; // DejaVu Sans Bold

uint32_t Hash(uint32_t a, uint32_t b, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B9u ^ a * 0x85EBCA6Bu ^ b * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float Lattice(int i, int j, int cells, uint32_t seed)
{
    auto wrap = [cells](int k) { return static_cast<uint32_t>(((k % cells) + cells) % cells); };
    return static_cast<float>(Hash(wrap(i), wrap(j), seed) & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

// One box pass along rows (or along columns when 'vertical'); the edge
// pixels repeat outwards.
void BoxPass(std::vector<float>& values, int width, int height, int half, bool vertical)
{
    const int length = vertical ? height : width;
    const int lines = vertical ? width : height;
    std::vector<float> line(length);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int k) -> float& {
            return vertical ? values[static_cast<size_t>(k) * width + l] : values[static_cast<size_t>(l) * width + k];
        };
        for (int k = 0; k < length; ++k)
            line[k] = at(k);
        auto sample = [&](int k) { return line[std::clamp(k, 0, length - 1)]; };
        float sum = 0;
        for (int k = -half; k <= half; ++k)
            sum += sample(k);
        for (int k = 0; k < length; ++k) {
            at(k) = sum / static_cast<float>(2 * half + 1);
            sum += sample(k + half + 1) - sample(k - half);
        }
    }
}

struct FreeTypeFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FreeTypeFace()
    {
        if (FT_Init_FreeType(&library) != 0)
            throw std::runtime_error("FreeType could not start");
        if (FT_New_Face(library, kFontPath, 0, &face) != 0) {
            FT_Done_FreeType(library);
            throw std::runtime_error(std::string("font not found: ") + kFontPath);
        }
    }
    ~FreeTypeFace()
    {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;
};

// How far the pen moves after character i, kerned against the next one.
float Advance(FT_Face face, const std::string& text, size_t i, float trackingPixels)
{
    FT_Load_Char(face, static_cast<unsigned char>(text[i]), FT_LOAD_DEFAULT);
    float step = static_cast<float>(face->glyph->advance.x) / 64.0f;
    if (i + 1 < text.size()) {
        FT_Vector kern;
        FT_Get_Kerning(face, FT_Get_Char_Index(face, static_cast<unsigned char>(text[i])),
            FT_Get_Char_Index(face, static_cast<unsigned char>(text[i + 1])), FT_KERNING_DEFAULT, &kern);
        step += static_cast<float>(kern.x) / 64.0f + trackingPixels;
    }
    return step;
}

// Puts a glyph's coverage into the mask with its top left at (left, top).
void Stamp(Mask& mask, const FT_Bitmap& bitmap, int left, int top)
{
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned col = 0; col < bitmap.width; ++col) {
            const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
            if (x < 0 || y < 0 || x >= mask.Width() || y >= mask.Height())
                continue;
            const float cover = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
            mask.At(x, y) = std::max(mask.At(x, y), cover);
        }
}

} // namespace

float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
float Length(Vec2 a) { return std::sqrt(Dot(a, a)); }
Vec2 Polar(float radius, float degrees)
{
    const float a = degrees * kPi / 180.0f;
    return {radius * std::cos(a), radius * std::sin(a)};
}

Color Mix(Color a, Color b, float t) { return a * (1.0f - t) + b * t; }
float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float SmoothStep(float edge0, float edge1, float v)
{
    const float t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

Sdf Circle(Vec2 centre, float radius)
{
    return [=](Vec2 p) { return Length(p - centre) - radius; };
}

Sdf Ring(Vec2 centre, float radius, float halfWidth)
{
    return [=](Vec2 p) { return std::fabs(Length(p - centre) - radius) - halfWidth; };
}

Sdf Capsule(Vec2 a, Vec2 b, float halfWidth)
{
    return [=](Vec2 p) {
        const Vec2 pa = p - a, ba = b - a;
        const float h = std::clamp(Dot(pa, ba) / std::max(Dot(ba, ba), 1e-12f), 0.0f, 1.0f);
        return Length(pa - ba * h) - halfWidth;
    };
}

Sdf Arc(Vec2 centre, float radius, float fromDegrees, float toDegrees, float halfWidth)
{
    const Vec2 first = centre + Polar(radius, fromDegrees);
    const Vec2 last = centre + Polar(radius, toDegrees);
    return [=](Vec2 p) {
        const Vec2 d = p - centre;
        float angle = std::atan2(d.y, d.x) * 180.0f / kPi;
        while (angle < fromDegrees)
            angle += 360.0f;
        while (angle >= fromDegrees + 360.0f)
            angle -= 360.0f;
        if (angle <= toDegrees)
            return std::fabs(Length(d) - radius) - halfWidth;
        return std::min(Length(p - first), Length(p - last)) - halfWidth;
    };
}

Sdf Polygon(std::vector<Vec2> v)
{
    return [v = std::move(v)](Vec2 p) {
        float d = Dot(p - v[0], p - v[0]);
        float sign = 1.0f;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            const Vec2 e = v[j] - v[i], w = p - v[i];
            const Vec2 b = w - e * std::clamp(Dot(w, e) / Dot(e, e), 0.0f, 1.0f);
            d = std::min(d, Dot(b, b));
            const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
            if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
                sign = -sign;
        }
        return sign * std::sqrt(d);
    };
}

Sdf RegularPolygon(Vec2 centre, float radius, int sides, float rotationDegrees)
{
    std::vector<Vec2> points;
    for (int i = 0; i < sides; ++i)
        points.push_back(centre + Polar(radius, rotationDegrees + 360.0f * static_cast<float>(i) / sides));
    return Polygon(std::move(points));
}

Sdf Box(Vec2 centre, Vec2 halfSize, float cornerRadius)
{
    return [=](Vec2 p) {
        const float qx = std::fabs(p.x - centre.x) - halfSize.x + cornerRadius;
        const float qy = std::fabs(p.y - centre.y) - halfSize.y + cornerRadius;
        const float outside = Length({std::max(qx, 0.0f), std::max(qy, 0.0f)});
        return outside + std::min(std::max(qx, qy), 0.0f) - cornerRadius;
    };
}

Sdf Union(Sdf a, Sdf b)
{
    return [=](Vec2 p) { return std::min(a(p), b(p)); };
}

Sdf Subtract(Sdf a, Sdf b)
{
    return [=](Vec2 p) { return std::max(a(p), -b(p)); };
}

Sdf Intersect(Sdf a, Sdf b)
{
    return [=](Vec2 p) { return std::max(a(p), b(p)); };
}

Sdf Grow(Sdf a, float amount)
{
    return [=](Vec2 p) { return a(p) - amount; };
}

Sdf Outline(Sdf a, float halfWidth)
{
    return [=](Vec2 p) { return std::fabs(a(p)) - halfWidth; };
}

Mask::Mask(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_values(static_cast<size_t>(width) * height, 0.0f)
{
}

Mask Mask::Blurred(float radiusPixels) const
{
    Mask out = *this;
    const int half = std::max(
        0, static_cast<int>(std::lround((std::sqrt(4.0f * radiusPixels * radiusPixels + 1.0f) - 1.0f) / 2.0f)));
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(out.m_values, m_width, m_height, half, false);
        BoxPass(out.m_values, m_width, m_height, half, true);
    }
    return out;
}

Mask Lettering(int width, int height, const std::string& text, Vec2 centre, float capHeight, float tracking)
{
    const FreeTypeFace font;
    const float unitsToPixels = width / 2.0f;
    const float capPixels = capHeight * unitsToPixels;
    FT_Set_Pixel_Sizes(font.face, 0, static_cast<FT_UInt>(std::lround(capPixels / kCapHeightPerEm)));
    float total = 0;
    for (size_t i = 0; i < text.size(); ++i)
        total += Advance(font.face, text, i, tracking * unitsToPixels);

    Mask mask(width, height);
    float pen = (centre.x + 1.0f) * unitsToPixels - total / 2.0f;
    const int baseline = static_cast<int>(std::lround((centre.y + 1.0f) * height / 2.0f + capPixels / 2.0f));
    for (size_t i = 0; i < text.size(); ++i) {
        const float step = Advance(font.face, text, i, tracking * unitsToPixels);
        FT_Load_Char(font.face, static_cast<unsigned char>(text[i]), FT_LOAD_RENDER);
        const FT_GlyphSlot glyph = font.face->glyph;
        Stamp(
            mask, glyph->bitmap, static_cast<int>(std::lround(pen)) + glyph->bitmap_left, baseline - glyph->bitmap_top);
        pen += step;
    }
    return mask;
}

Canvas::Canvas(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_pixels(static_cast<size_t>(width) * height)
{
}

Vec2 Canvas::UnitOf(int x, int y) const
{
    return {(x + 0.5f) * 2.0f / m_width - 1.0f, (y + 0.5f) * 2.0f / m_height - 1.0f};
}

void Canvas::Fill(const Sdf& shape, Color c)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const float a = Coverage(shape(UnitOf(x, y)));
            if (a > 0)
                Set(x, y, Mix(Get(x, y), c, a));
        }
}

void Canvas::Fill(const Mask& mask, Color c)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Set(x, y, Mix(Get(x, y), c, mask.At(x, y)));
}

void Canvas::Add(const Mask& mask, Color c)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Set(x, y, Get(x, y) + c * mask.At(x, y));
}

void Canvas::Glow(const Sdf& shape, Color c, float radius)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const float d = std::max(shape(UnitOf(x, y)), 0.0f) / radius;
            Set(x, y, Get(x, y) + c * std::exp(-3.0f * d * d));
        }
}

void Canvas::Spot(Vec2 at, Color c, float radius)
{
    const float reach = 2.0f * radius / PixelSize();
    const float cx = (at.x + 1.0f) / PixelSize() - 0.5f, cy = (at.y + 1.0f) / PixelSize() - 0.5f;
    for (int y = std::max(0, static_cast<int>(cy - reach));
         y <= std::min(m_height - 1, static_cast<int>(cy + reach) + 1); ++y)
        for (int x = std::max(0, static_cast<int>(cx - reach));
             x <= std::min(m_width - 1, static_cast<int>(cx + reach) + 1); ++x) {
            const float d = Length(UnitOf(x, y) - at) / radius;
            Set(x, y, Get(x, y) + c * std::exp(-3.0f * d * d));
        }
}

void Canvas::Gem(const Sdf& shape, Color c, float bevel)
{
    // Light from the upper left and in front, as on the screen.
    const float lx = -0.45f, ly = -0.6f, lz = 0.66f;
    const float hl = std::sqrt(lx * lx + ly * ly + (lz + 1) * (lz + 1));
    const float hx = lx / hl, hy = ly / hl, hz = (lz + 1) / hl;
    const float h = PixelSize() * 0.5f;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const Vec2 p = UnitOf(x, y);
            const float d = shape(p);
            const float a = Coverage(d);
            if (a <= 0)
                continue;
            Vec2 g{shape({p.x + h, p.y}) - shape({p.x - h, p.y}), shape({p.x, p.y + h}) - shape({p.x, p.y - h})};
            const float gl = Length(g);
            g = gl > 1e-9f ? g * (1.0f / gl) : Vec2{};
            const float t = 1.0f - Clamp01(-d / bevel); // 1 at the rim, 0 on the top
            const float slope = std::min(t / std::sqrt(std::max(1.0f - t * t, 1e-3f)), 4.0f);
            float nx = g.x * slope, ny = g.y * slope, nz = 1.0f;
            const float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= nl, ny /= nl, nz /= nl;
            const float diffuse = std::max(nx * lx + ny * ly + nz * lz, 0.0f);
            const float specular = std::pow(std::max(nx * hx + ny * hy + nz * hz, 0.0f), 28.0f);
            const Color lit = c * (0.42f + 0.7f * diffuse) + Grey(0.75f * specular);
            Set(x, y, Mix(Get(x, y), lit, a));
        }
}

void Canvas::Shade(const std::function<Color(float u, float v)>& shader)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Set(x, y, shader((x + 0.5f) / m_width, (y + 0.5f) / m_height));
}

void Canvas::Multiply(const std::function<float(Vec2)>& factor)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            Set(x, y, Get(x, y) * factor(UnitOf(x, y)));
}

void Canvas::Mirror()
{
    for (int y = 0; y < m_height; ++y)
        std::reverse(m_pixels.begin() + static_cast<long>(Index(0, y)),
            m_pixels.begin() + static_cast<long>(Index(0, y) + m_width));
}

texture_file::Record Canvas::ToRecord(const std::string& key, int filter, Layout layout) const
{
    texture_file::Record record;
    record.key = key;
    record.filter = filter;
    const bool transposed = layout == Layout::Transposed;
    record.width = transposed ? m_height : m_width;
    record.height = transposed ? m_width : m_height;
    record.pixels.reserve(static_cast<size_t>(m_width) * m_height * 3);
    auto byte = [](float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); };
    for (int row = 0; row < record.height; ++row)
        for (int col = 0; col < record.width; ++col) {
            Color c;
            switch (layout) {
            case Layout::TopDown: c = Get(col, row); break;
            case Layout::BottomUp: c = Get(col, m_height - 1 - row); break;
            case Layout::Transposed: c = Get(row, col); break;
            }
            record.pixels.push_back(byte(c.r));
            record.pixels.push_back(byte(c.g));
            record.pixels.push_back(byte(c.b));
        }
    return record;
}

float TileNoise(float u, float v, int cells, uint32_t seed)
{
    const float x = u * cells, y = v * cells;
    const int i = static_cast<int>(std::floor(x)), j = static_cast<int>(std::floor(y));
    const float fx = SmoothStep(0, 1, x - i), fy = SmoothStep(0, 1, y - j);
    const float top = Lattice(i, j, cells, seed) * (1 - fx) + Lattice(i + 1, j, cells, seed) * fx;
    const float bottom = Lattice(i, j + 1, cells, seed) * (1 - fx) + Lattice(i + 1, j + 1, cells, seed) * fx;
    return top * (1 - fy) + bottom * fy;
}

float TileFractal(float u, float v, int cells, int octaves, uint32_t seed)
{
    float sum = 0, weight = 0, amplitude = 1;
    for (int k = 0; k < octaves; ++k) {
        sum += amplitude * TileNoise(u, v, cells << k, seed + static_cast<uint32_t>(k) * 7919u);
        weight += amplitude;
        amplitude *= 0.5f;
    }
    return sum / weight;
}

uint32_t Random::Next()
{
    m_state = m_state * 1664525u + 1013904223u;
    return Hash(m_state, 0, 17);
}

float Random::Uniform(float low, float high)
{
    return low + (high - low) * static_cast<float>(Next() & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

} // namespace art
