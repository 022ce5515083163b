#include "render/TexFont.h"
#include "render/Texture.h"

#include "render/ScreenSpace.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>

namespace {

// The mode bit of each corner's red, green and blue.
constexpr unsigned long kCornerBits[4][3] = {
    {kFontTopLeftRed, kFontTopLeftGreen, kFontTopLeftBlue},
    {kFontBottomLeftRed, kFontBottomLeftGreen, kFontBottomLeftBlue},
    {kFontBottomRightRed, kFontBottomRightGreen, kFontBottomRightBlue},
    {kFontTopRightRed, kFontTopRightGreen, kFontTopRightBlue},
};

// The glyph size of each size bit; a later bit that is set wins.
constexpr struct {
    unsigned long bit;
    int pixels;
} kGlyphSizes[] = {{kFont8, 8}, {kFont16, 16}, {kFont32, 32}};

// The printable characters, space included.
constexpr unsigned char kFirstPrintable = 32;
constexpr unsigned char kLastPrintable = 126;

// The rim: its darkest, how fast it darkens with the letters' brightness,
// and one pixel of width for each this many pixels of glyph.
constexpr float kRimDarkest = 0.85f;
constexpr float kRimGain = 2.5f;
constexpr int kGlyphPixelsPerRimPixel = 16;

// Texture coordinates of the corners: the glyph textures are stored on their side.
constexpr float kCornerTex[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

bool AnyColourBit(unsigned long flags)
{
    for (const auto& corner : kCornerBits)
        for (unsigned long bit : corner)
            if (flags & bit)
                return true;
    return false;
}

} // namespace

CTexFont::CTexFont() = default;

std::unique_ptr<CTexFont> MakeTexFont(unsigned long mode)
{
    auto font = std::make_unique<CTexFont>();
    font->Create(kTextArea.left, kTextArea.right, kTextArea.top, kTextArea.bottom);
    font->SetMode(mode);
    return font;
}

int CTexFont::Create(int left, int right, int top, int bottom)
{
    m_left = left;
    m_right = right;
    m_top = top;
    m_bottom = bottom;
    m_texture = CTexture::GetSingletonPtr();
    return 1;
}

void CTexFont::SetMode(unsigned long flags)
{
    m_mode = flags;
    for (const auto& size : kGlyphSizes)
        if (flags & size.bit)
            m_glyphWidth = m_glyphHeight = size.pixels;
    const bool white = !AnyColourBit(flags);
    for (int corner = 0; corner < 4; ++corner)
        for (int c = 0; c < 3; ++c)
            m_corner[corner][c] = white || (flags & kCornerBits[corner][c]) ? 1.0f : 0.0f;
}

void CTexFont::Begin()
{
    screen_space::Push();
    screen_space::SetTextState();
}

void CTexFont::End()
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    screen_space::Pop();
}

void CTexFont::DrawString(int x, int y, const char* text) { Print(x, y, text, nullptr); }

void CTexFont::DrawString(int x, int y, const char* text, float r, float g, float b)
{
    const float colour[3] = {r, g, b};
    Print(x, y, text, colour);
}

// Prints in the corner colours, or all in one colour when one is given.
void CTexFont::Print(int x, int y, const char* text, const float* colour)
{
    Place(x, y, text);
    if (m_mode & kFontBlend) {
        glEnable(GL_BLEND);
        const float brightness = Brightness(colour);
        if (brightness > 0.0f)
            DrawRims(brightness);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    }
    DrawPlaced([&](const Placed& g) { EmitGlyph(g.px, g.py, colour); });
    // Leave bound what binding each character in turn would: the next Begin
    // sets its sampling on that texture. The last glyph drawn is often it.
    const char last = *text ? text[std::strlen(text) - 1] : '\0';
    if (last && m_texture && (m_placed.empty() || m_placed.back().c != last)) {
        const char key[2] = {last, '\0'};
        m_texture->Use(key);
    }
}

// Lays out the glyphs the text draws. The pen moves on over a space (drawn
// only in the space mode) and any printable character, and back to the
// start of the next line at a line break; other characters are skipped.
void CTexFont::Place(int x, int y, const char* text)
{
    m_placed.clear();
    int px = x, py = y;
    for (const char* p = text; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        if (c == '\n') {
            px = x;
            py += m_glyphHeight;
        }
        if (c < kFirstPrintable || c > kLastPrintable)
            continue;
        if (c != ' ' || (m_mode & kFontDrawSpace))
            m_placed.push_back({px, py, *p});
        px += m_glyphWidth;
    }
}

// Every glyph has its own texture, so each needs its own bind; a run of one
// character shares it and one quads group. Drawn in reading order: the
// software renderer pays several times over for glyphs drawn out of order.
template <typename Emit>
void CTexFont::DrawPlaced(Emit emit)
{
    for (size_t i = 0; i < m_placed.size();) {
        const char key[2] = {m_placed[i].c, '\0'};
        if (m_texture)
            m_texture->Use(key);
        glBegin(GL_QUADS);
        for (const char c = m_placed[i].c; i < m_placed.size() && m_placed[i].c == c; ++i)
            emit(m_placed[i]);
        glEnd();
    }
}

// The brightest the letters are drawn, 0 to 1.
float CTexFont::Brightness(const float* colour) const
{
    float brightest = 0.0f;
    for (int i = 0; i < 3; ++i)
        brightest = std::max(
            brightest, colour ? colour[i] : std::max({m_corner[0][i], m_corner[1][i], m_corner[2][i], m_corner[3][i]}));
    return std::min(1.0f, brightest * m_intensity);
}

// A dark rim round every glyph (the glyph drawn a little larger, darkening
// what lies behind it) keeps dim letters readable over bright backgrounds.
// It is as strong as the letters are bright, so text faded to black leaves
// nothing. All rims go first, under one blend, and the letters cover them.
void CTexFont::DrawRims(float brightness)
{
    const float dark = kRimDarkest * std::min(1.0f, kRimGain * brightness);
    glBlendFunc(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glColor3f(dark, dark, dark);
    DrawPlaced([&](const Placed& g) { EmitRim(g.px, g.py); });
}

void CTexFont::EmitRim(int px, int py)
{
    const int d = std::max(1, m_glyphWidth / kGlyphPixelsPerRimPixel);
    const int w = m_glyphWidth + 2 * d, h = m_glyphHeight + 2 * d;
    const int corners[4][2] = {{px - d, py - d}, {px - d, py - d + h}, {px - d + w, py - d + h}, {px - d + w, py - d}};
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(kCornerTex[i][0], kCornerTex[i][1]);
        glVertex3i(corners[i][0], corners[i][1], 0);
    }
}

void CTexFont::EmitGlyph(int px, int py, const float* colour)
{
    const int corners[4][2] = {
        {px, py}, {px, py + m_glyphHeight}, {px + m_glyphWidth, py + m_glyphHeight}, {px + m_glyphWidth, py}};
    const float k = m_intensity;
    if (colour)
        glColor3f(colour[0] * k, colour[1] * k, colour[2] * k);
    for (int i = 0; i < 4; ++i) {
        if (!colour)
            glColor3f(m_corner[i][0] * k, m_corner[i][1] * k, m_corner[i][2] * k);
        glTexCoord2f(kCornerTex[i][0], kCornerTex[i][1]);
        glVertex3i(corners[i][0], corners[i][1], 0);
    }
}
