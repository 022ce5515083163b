#include "render/TextBox.h"

#include "GLContext.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>
#include <vector>
#include <gtest/gtest.h>
#include <string>

namespace {

class TextBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl.Ok()); }

    GLContext gl;
    CTextBox info{130, 540, 62, 365};
};

TEST_F(TextBox, EdgesSnapToWholeCharacters)
{
    EXPECT_EQ(538, info.Right());
    EXPECT_EQ(359, info.Bottom());
    EXPECT_EQ(33, info.Lines());
    EXPECT_EQ(130, info.CursorX());
    EXPECT_STREQ("", info.Text());
}

TEST_F(TextBox, LinesBreakAfterTheLastCharacterThatFitsHoweverTheTextArrives)
{
    const std::string letters(60, 'a');
    const std::string expected = std::string(51, 'a') + "\n" + std::string(9, 'a');
    info.FormatStrCat(letters.c_str());
    EXPECT_EQ(expected, info.Text());
    EXPECT_EQ(130 + 9 * 8, info.CursorX());

    CTextBox oneByOne(130, 540, 62, 365);
    for (char c : letters)
        oneByOne.FormatStrCat(std::string(1, c).c_str());
    EXPECT_EQ(expected, oneByOne.Text());

    // Without a line break the next append goes on with the same line.
    info.Resetbuffer();
    info.FormatStrCat("ab");
    info.FormatStrCat("cd");
    EXPECT_STREQ("abcd", info.Text());
}

TEST_F(TextBox, ControlAndHighCharactersAreKeptButTakeNoRoom)
{
    info.Printf("%s%d\t\x01\xE9", "x", 42);
    EXPECT_STREQ("x42\t\x01\xE9", info.Text());
    EXPECT_EQ(130 + 3 * 8, info.CursorX());
    info.FormatStrCat("\n");
    EXPECT_EQ(130, info.CursorX());
}

TEST_F(TextBox, AFullBufferDropsWholeLinesFromTheFront)
{
    // 100 lines of 39 characters and a break: 4,000 characters.
    for (int i = 0; i < 100; ++i)
        info.Printf("%03d%s\n", i, std::string(36, 'x').c_str());
    ASSERT_EQ(4000u, std::strlen(info.Text()));
    // 200 letters take four lines, 203 characters: three old lines must go.
    info.Printf("%s", std::string(200, 'y').c_str());
    const std::string text = info.Text();
    EXPECT_EQ(4000u - 3 * 40 + 203, text.size());
    EXPECT_EQ("003", text.substr(0, 3));
    EXPECT_EQ(
        std::string(51, 'y') + "\n" + std::string(51, 'y') + "\n" + std::string(51, 'y') + "\n" + std::string(47, 'y'),
        text.substr(text.size() - 203));
}

TEST_F(TextBox, TextThatCannotFitNeverPassesTheBuffer)
{
    // A long piece fills lines by itself; what falls off the front is old text only.
    const std::string huge(5000, 'z');
    info.FormatStrCat("old\n");
    info.FormatStrCat(huge.c_str());
    EXPECT_LT(std::strlen(info.Text()), 4096u);
    EXPECT_EQ(std::string::npos, std::string(info.Text()).find("old"));
}

TEST_F(TextBox, PaginationShowsTheLastLinesThatFit)
{
    for (int i = 1; i <= 40; ++i)
        info.Printf("L%d\n", i);
    info.Paginate();
    EXPECT_EQ(0, std::strncmp(info.VisibleStart(), "L9\n", 3));

    info.Resetbuffer();
    info.Printf("one\ntwo");
    info.Paginate();
    EXPECT_EQ(info.Text(), info.VisibleStart());
}

// Whether anything is drawn inside the box from (x0, y0) up to, not including, (x1, y1).
bool AnyLit(const GLContext&, int x0, int y0, int x1, int y1)
{
    std::vector<uint8_t> rgb(size_t(x1 - x0) * (y1 - y0) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, GLContext::kHeight - y1, x1 - x0, y1 - y0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return std::any_of(rgb.begin(), rgb.end(), [](uint8_t v) { return v != 0; });
}

TEST_F(TextBox, DrawStrPlacesEachCharacterInItsCell)
{
    CTextBox label(0, 400, 0, 200);
    label.DrawStr(20, 360, "Hi");
    EXPECT_TRUE(AnyLit(gl, 20, 360, 28, 369));
    EXPECT_TRUE(AnyLit(gl, 28, 360, 36, 369));
    EXPECT_FALSE(AnyLit(gl, 10, 350, 20, 380));
    EXPECT_FALSE(AnyLit(gl, 36, 350, 50, 380));
    EXPECT_FALSE(AnyLit(gl, 20, 369, 40, 380));
    // Every cell's left column is blank.
    EXPECT_FALSE(AnyLit(gl, 20, 360, 21, 369));
    EXPECT_EQ(0xFFFFFFu, gl.Pixel(22, 365)); // the H's left stem

    gl.Clear();
    label.SetColor({0, 255, 0, 255});
    label.DrawStr(100, 100, "a\tb\xE9 c");
    EXPECT_TRUE(AnyLit(gl, 100, 100, 108, 109));
    EXPECT_TRUE(AnyLit(gl, 108, 100, 116, 109));
    EXPECT_FALSE(AnyLit(gl, 116, 100, 124, 109));
    EXPECT_TRUE(AnyLit(gl, 124, 100, 132, 109));
    EXPECT_FALSE(AnyLit(gl, 132, 100, 150, 109));
    EXPECT_EQ(0x00FF00u, gl.Pixel(126, 106) | gl.Pixel(127, 106) | gl.Pixel(128, 106));
}

TEST_F(TextBox, DrawShowsTheVisibleLinesAndStopsAtTheBottom)
{
    CTextBox small(100, 200, 100, 127); // three lines
    small.Printf("A\nB\nC\nD\nE");
    small.Draw();
    // C, D and E show; A and B scrolled away.
    EXPECT_TRUE(AnyLit(gl, 100, 100, 108, 109));
    EXPECT_TRUE(AnyLit(gl, 100, 118, 108, 127));
    EXPECT_FALSE(AnyLit(gl, 100, 127, 120, 160));
    EXPECT_FALSE(AnyLit(gl, 108, 100, 200, 127));
}

TEST(TextBoxFont, TheSharedFontIsMadeOnceAndForgottenWithTheLastBox)
{
    {
        GLContext gl;
        ASSERT_TRUE(gl.Ok());
        CTextBox first(0, 400, 0, 200);
        unsigned font = CTextBox::FontTexture();
        EXPECT_TRUE(glIsTexture(font));
        CTextBox second(0, 400, 0, 200);
        EXPECT_EQ(font, CTextBox::FontTexture());
        GLint alignment = 0;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        EXPECT_EQ(1, alignment);
    }
    EXPECT_EQ(0u, CTextBox::FontTexture());
    GLContext again;
    CTextBox box(0, 400, 0, 200);
    EXPECT_TRUE(glIsTexture(CTextBox::FontTexture()));
}

} // namespace
