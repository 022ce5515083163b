#pragma once
#include <cstddef>
#include <cstdint>

struct COLOR {
    uint8_t r, g, b, a;
};

// Small fixed-pitch text from the built-in font: positioned strings, and a
// console that keeps the last 4,096 characters and shows the lines that fit.
class CTextBox {
public:
    static constexpr int kTextSize = 4096;

    CTextBox(int left, int right, int top, int bottom);
    ~CTextBox();
    CTextBox(const CTextBox&) = delete;
    CTextBox& operator=(const CTextBox&) = delete;

    void SetColor(COLOR color) { m_color = color; }
    void SetMode(unsigned mode) { m_mode = mode; }

    void Begin();
    void End();
    void DrawStr(int x, int y, const char* text);
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Appends text, breaking lines at the right edge and dropping old lines
    // from the front to make room. Text that cannot fit even then is a
    // programming error; a build without assertions keeps what fits of it.
    void FormatStrCat(const char* text);
    void Paginate();
    void Draw();
    void PageReset() { m_scroll = 0; }
    void Resetbuffer();

    int Left() const { return m_left; }
    int Right() const { return m_right; }
    int Top() const { return m_top; }
    int Bottom() const { return m_bottom; }
    int Lines() const { return m_lines; }
    int CursorX() const { return m_cursorX; }
    const char* Text() const { return m_text; }
    const char* VisibleStart() const { return m_visibleStart; }

    // The shared font texture, made by the first box and forgotten (not
    // deleted: the GL context may be gone) with the last; 0 while none.
    static unsigned FontTexture();

private:
    void DrawText(int x, int y, const char* text, int bottom);
    size_t BreakLines(const char* text, char* work);

    int m_left, m_right, m_top, m_bottom;
    char m_text[kTextSize];
    const char* m_visibleStart;
    int m_lines;
    int m_scroll = 0;
    int m_cursorX;
    COLOR m_color{255, 255, 255, 255};
    unsigned m_mode = 0;
};
