#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class CTexture;

// The orange of the game's titles and messages; above 1.0 is clamped by GL.
constexpr float kTextOrange[3] = {1.94f, 0.24f, 0.0f};

// Mode bits: blending, the glyph size, and which colour components of each
// corner are lit (none lit: all corners white). The corner bits do not run
// in order: each is where the game's modes have always had it.
constexpr unsigned long kFontBlend = 0x1;
constexpr unsigned long kFont8 = 0x2;
constexpr unsigned long kFont16 = 0x4;
constexpr unsigned long kFont32 = 0x8;
constexpr unsigned long kFontDrawSpace = 0x20;
constexpr unsigned long kFontTopLeftRed = 0x100;
constexpr unsigned long kFontTopLeftGreen = 0x200;
constexpr unsigned long kFontTopLeftBlue = 0x400;
constexpr unsigned long kFontBottomLeftRed = 0x8000;
constexpr unsigned long kFontBottomLeftGreen = 0x1000;
constexpr unsigned long kFontBottomLeftBlue = 0x2000;
constexpr unsigned long kFontBottomRightRed = 0x40000;
constexpr unsigned long kFontBottomRightGreen = 0x80000;
constexpr unsigned long kFontBottomRightBlue = 0x10000;
constexpr unsigned long kFontTopRightRed = 0x200000;
constexpr unsigned long kFontTopRightGreen = 0x400000;
constexpr unsigned long kFontTopRightBlue = 0x800000;

// The text area the game gives every font and its label box; printing does not use it.
struct TextArea {
    int left, right, top, bottom;
};
constexpr TextArea kTextArea = {0, 400, 0, 200};

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

// A font over the game's text area, in the given mode.
std::unique_ptr<CTexFont> MakeTexFont(unsigned long mode);
