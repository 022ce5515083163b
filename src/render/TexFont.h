#pragma once
#include <cstdint>
#include <vector>

class CTexture;

// The orange of the game's titles and messages; above 1.0 is clamped by GL.
constexpr float kTextOrange[3] = {1.94f, 0.24f, 0.0f};

// Text drawn from one texture per character, in a 640 x 480 screen space,
// shaded by four corner colours and faded by an intensity.
class CTexFont {
public:
    CTexFont();
    virtual ~CTexFont() = default;

    int Create(int left, int right, int top, int bottom);
    void SetMode(unsigned long flags);
    void SetColorIntensity(float k) { m_intensity = k; }

    void Begin();
    void End();
    void DrawString(int x, int y, const char* text);
    void DrawString(int x, int y, const char* text, float r, float g, float b);
    void DrawString(int x, int y, const char* text, const float (&rgb)[3]) { Print(x, y, text, rgb); }

    unsigned long Mode() const { return m_mode; }
    int GlyphWidth() const { return m_glyphWidth; }
    int GlyphHeight() const { return m_glyphHeight; }
    // Corner 0 top-left, 1 bottom-left, 2 bottom-right, 3 top-right; r, g, b.
    const float* CornerColor(int corner) const { return m_corner[corner]; }

private:
    // One glyph to draw: its top-left corner and its character.
    struct Placed {
        int px, py;
        char c;
    };

    void Print(int x, int y, const char* text, const float* colour);
    void Place(int x, int y, const char* text);
    template <typename Emit>
    void DrawPlaced(Emit emit);
    void EmitGlyph(int px, int py, const float* colour);
    float Brightness(const float* colour) const;
    void DrawRims(float brightness);
    void EmitRim(int px, int py);

    int m_left = 0, m_top = 0, m_right = 0, m_bottom = 0;
    unsigned long m_mode = 0;
    int m_glyphWidth = 0;
    int m_glyphHeight = 0;
    float m_corner[4][3] = {};
    float m_intensity = 1.0f;
    CTexture* m_texture = nullptr;
    std::vector<Placed> m_placed; // kept between prints, so printing allocates nothing
};
