#include "render/TextBox.h"
#include "render/BuiltinFont.h"

#include "render/ScreenSpace.h"

#include <GL/gl.h>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kAdvance = 8;
constexpr int kLineHeight = 9;

// One font texture serves every box. It is forgotten, not deleted, with the
// last box: boxes outlive the GL context at shutdown.
GLuint gFontTexture = 0;
int gLiveBoxes = 0;

void MakeFontTexture()
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(1, &gFontTexture);
    glBindTexture(GL_TEXTURE_2D, gFontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, builtin_font::kWidth, builtin_font::kHeight, 0,
        GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, builtin_font::Bitmap());
}

bool Printable(unsigned char c) { return c >= 33 && c <= 126; }
bool TakesRoom(unsigned char c) { return c == ' ' || Printable(c); }

void EmitGlyph(unsigned char c, int px, int py)
{
    const float col = float((c - 32) % 8), row = float((c - 32) / 8);
    const float s0 = col * 8 / 64, s1 = (col * 8 + 8) / 64;
    const float t0 = row * 8 / 128, t1 = (row * 8 + kLineHeight) / 128;
    glTexCoord2f(s0, t0);
    glVertex2i(px, py);
    glTexCoord2f(s0, t1);
    glVertex2i(px, py + kLineHeight);
    glTexCoord2f(s1, t1);
    glVertex2i(px + kAdvance, py + kLineHeight);
    glTexCoord2f(s1, t0);
    glVertex2i(px + kAdvance, py);
}

} // namespace

CTextBox::CTextBox(int left, int right, int top, int bottom)
    : m_left(left)
    , m_right(right - (right - left) % kAdvance)
    , m_top(top)
    , m_bottom(bottom - (bottom - top) % kLineHeight)
    , m_lines((m_bottom - top) / kLineHeight)
    , m_cursorX(left)
{
    m_text[0] = '\0';
    m_visibleStart = m_text;
    if (gFontTexture == 0)
        MakeFontTexture();
    ++gLiveBoxes;
}

CTextBox::~CTextBox()
{
    if (--gLiveBoxes == 0)
        gFontTexture = 0;
}

unsigned CTextBox::FontTexture() { return gFontTexture; }

void CTextBox::Begin()
{
    screen_space::Push();
    glBindTexture(GL_TEXTURE_2D, gFontTexture);
    screen_space::SetTextState();
    if (!(m_mode & 0x1)) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
}

void CTextBox::End() { screen_space::Pop(); }

// Draws text from (x, y); with a bottom limit, stops at the first line that would pass it.
void CTextBox::DrawText(int x, int y, const char* text, int bottom)
{
    glColor4ub(m_color.r, m_color.g, m_color.b, m_color.a);
    glBegin(GL_QUADS);
    int px = x, py = y;
    for (const char* p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == ' ') {
            px += kAdvance;
        } else if (Printable(c)) {
            EmitGlyph(c, px, py);
            px += kAdvance;
        } else if (c == '\n') {
            px = x;
            py += kLineHeight;
            if (bottom >= 0 && py + kLineHeight > bottom)
                break;
        }
    }
    glEnd();
}

void CTextBox::DrawStr(int x, int y, const char* text)
{
    Begin();
    DrawText(x, y, text, -1);
    End();
}

void CTextBox::Printf(const char* format, ...)
{
    char formatted[kTextSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(formatted, sizeof formatted, format, args);
    va_end(args);
    FormatStrCat(formatted);
}

// Copies text into work, breaking lines at the right edge. A character and
// the break after it are kept or cut off together, so that the cursor always
// matches the text kept.
size_t CTextBox::BreakLines(const char* text, char* work)
{
    size_t length = 0;
    const char* p = text;
    for (; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        int cursor = c == '\n' ? m_left : m_cursorX + (TakesRoom(c) ? kAdvance : 0);
        const bool wrap = cursor >= m_right;
        if (length + 1 + wrap >= kTextSize)
            break;
        work[length++] = *p;
        if (wrap) {
            work[length++] = '\n';
            cursor = m_left;
        }
        m_cursorX = cursor;
    }
    assert(!*p && "CTextBox::FormatStrCat: string too long!!!");
    work[length] = '\0';
    return length;
}

void CTextBox::FormatStrCat(const char* text)
{
    char work[kTextSize];
    size_t added = BreakLines(text, work);
    size_t stored = std::strlen(m_text);
    size_t keepFrom = 0;
    while (stored - keepFrom + added >= kTextSize) {
        const char* lineEnd = std::strchr(m_text + keepFrom, '\n');
        // Nothing left to drop: only the new text can stay.
        assert(lineEnd && "CTextBox::FormatStrCat: string too long!!!");
        keepFrom = lineEnd ? size_t(lineEnd - m_text) + 1 : stored;
    }
    std::memmove(m_text, m_text + keepFrom, stored - keepFrom);
    std::memcpy(m_text + stored - keepFrom, work, added + 1);
    m_visibleStart = m_text;
}

void CTextBox::Paginate()
{
    int wanted = m_lines + m_scroll;
    m_visibleStart = m_text;
    for (const char* p = m_text + std::strlen(m_text); p > m_text; --p) {
        if (p[-1] == '\n' && --wanted == 0) {
            m_visibleStart = p;
            return;
        }
    }
}

void CTextBox::Draw()
{
    Paginate();
    Begin();
    DrawText(m_left, m_top, m_visibleStart, m_bottom);
    End();
}

void CTextBox::Resetbuffer()
{
    m_text[0] = '\0';
    m_visibleStart = m_text;
    m_cursorX = m_left;
}
