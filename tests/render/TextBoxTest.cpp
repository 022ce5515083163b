#include "render/TextBox.h"

#include "GLContext.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class TextBox : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(gl.Ok()); }

    // 100 lines of 39 characters and a break: 4,000 characters.
    void FillWithHundredLines()
    {
        for (int i = 0; i < 100; ++i)
            info.Printf("%03d%s\n", i, std::string(36, 'x').c_str());
        ASSERT_EQ(4000u, std::strlen(info.Text()));
    }

    GLContext gl;
    CTextBox info{130, 540, 62, 365};
};

// Whether anything is drawn from (x0, y0) up to, not including, (x1, y1).
bool AnyLit(int x0, int y0, int x1, int y1)
{
    std::vector<uint8_t> rgb(size_t(x1 - x0) * (y1 - y0) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x0, GLContext::kHeight - y1, x1 - x0, y1 - y0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return std::any_of(rgb.begin(), rgb.end(), [](uint8_t v) { return v != 0; });
}

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
    FillWithHundredLines();
    // 200 letters take four lines, 203 characters: three old lines must go.
    info.Printf("%s", std::string(200, 'y').c_str());
    const std::string text = info.Text();
    EXPECT_EQ(4000u - 3 * 40 + 203, text.size());
    EXPECT_EQ("003", text.substr(0, 3));
    EXPECT_EQ(
        std::string(51, 'y') + "\n" + std::string(51, 'y') + "\n" + std::string(51, 'y') + "\n" + std::string(47, 'y'),
        text.substr(text.size() - 203));
}

TEST_F(TextBox, TextFillsTheBufferUpToItsLastCharacter)
{
    FillWithHundredLines();
    info.Printf("%s", std::string(94, 'y').c_str()); // and a break: 4,095 in all
    EXPECT_EQ("000", std::string(info.Text(), 3));
    info.Printf("y"); // 4,096 would not fit
    EXPECT_EQ("001", std::string(info.Text(), 3));

    // 4,017 letters with their 78 breaks are the longest text that fits alone.
    info.Resetbuffer();
    info.FormatStrCat(std::string(4017, 'a').c_str());
    EXPECT_EQ(4095u, std::strlen(info.Text()));
    EXPECT_EQ(130 + 39 * 8, info.CursorX());
    info.FormatStrCat("\n");
    EXPECT_EQ(4095u - 52 + 1, std::strlen(info.Text()));
}

#ifdef NDEBUG
// Without assertions, text that cannot fit keeps what fits of it and no more.
TEST_F(TextBox, TextTooLongForTheBufferKeepsWhatFits)
{
    info.FormatStrCat("old\n");
    info.FormatStrCat(std::string(5000, 'z').c_str());
    std::string expected;
    for (int line = 0; line < 78; ++line)
        expected += std::string(51, 'z') + "\n";
    expected += std::string(39, 'z');
    EXPECT_EQ(expected, info.Text());
    EXPECT_EQ(130 + 39 * 8, info.CursorX());

    // A line too long to be dropped goes whole.
    CTextBox wide(0, 64000, 0, 200);
    wide.FormatStrCat(std::string(3000, 'a').c_str());
    wide.FormatStrCat(std::string(1200, 'b').c_str());
    EXPECT_EQ(std::string(1200, 'b'), wide.Text());
}
#else
using TextBoxDeathTest = TextBox;

TEST_F(TextBoxDeathTest, TextTooLongForTheBufferIsAProgrammingError)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe"); // the GL driver runs threads
    const std::string huge(5000, 'z');
    EXPECT_DEATH(info.FormatStrCat(huge.c_str()), "string too long");

    CTextBox wide(0, 64000, 0, 200);
    wide.FormatStrCat(std::string(3000, 'a').c_str());
    const std::string more(1200, 'b');
    EXPECT_DEATH(wide.FormatStrCat(more.c_str()), "string too long");
}
#endif

TEST_F(TextBox, DrawShowsTheLastLinesThatFit)
{
    for (int i = 1; i <= 40; ++i)
        info.Printf("L%d\n", i);
    info.Draw();
    // L9 to L40 on the first 32 lines, the 33rd empty.
    EXPECT_EQ(0, std::strncmp(info.VisibleStart(), "L9\n", 3));
    EXPECT_TRUE(AnyLit(130, 62, 146, 71));
    EXPECT_FALSE(AnyLit(146, 62, 154, 71)); // "L9" has no third character
    EXPECT_TRUE(AnyLit(146, 71, 154, 80)); // "L10" has
    EXPECT_TRUE(AnyLit(130, 341, 154, 350));
    EXPECT_FALSE(AnyLit(0, 350, 640, 480));
    EXPECT_FALSE(AnyLit(0, 0, 640, 62));

    // A line being typed is the last piece shown.
    gl.Clear();
    CTextBox small(100, 200, 100, 127); // three lines
    small.Printf("A\nB\nC\nD\nE");
    small.Draw();
    EXPECT_TRUE(AnyLit(100, 100, 108, 109));
    EXPECT_TRUE(AnyLit(100, 118, 108, 127));
    EXPECT_FALSE(AnyLit(100, 127, 120, 160));
    EXPECT_FALSE(AnyLit(108, 100, 200, 127));

    small.Resetbuffer();
    small.Printf("one\ntwo");
    small.Paginate();
    EXPECT_EQ(small.Text(), small.VisibleStart());
}

TEST_F(TextBox, DrawStrPlacesEachCharacterInItsCell)
{
    CTextBox label(0, 400, 0, 200);
    label.DrawStr(20, 360, "Hi");
    EXPECT_TRUE(AnyLit(20, 360, 28, 369));
    EXPECT_TRUE(AnyLit(28, 360, 36, 369));
    EXPECT_FALSE(AnyLit(10, 350, 20, 380));
    EXPECT_FALSE(AnyLit(36, 350, 50, 380));
    EXPECT_FALSE(AnyLit(20, 369, 40, 380));
    // Every cell's left column is blank.
    EXPECT_FALSE(AnyLit(20, 360, 21, 369));
    EXPECT_EQ(0xFFFFFFu, gl.Pixel(22, 365)); // the H's left stem

    gl.Clear();
    label.SetColor({0, 255, 0, 255});
    label.DrawStr(100, 100, "a\tb\xE9 c");
    EXPECT_TRUE(AnyLit(100, 100, 108, 109));
    EXPECT_TRUE(AnyLit(108, 100, 116, 109));
    EXPECT_FALSE(AnyLit(116, 100, 124, 109));
    EXPECT_TRUE(AnyLit(124, 100, 132, 109));
    EXPECT_FALSE(AnyLit(132, 100, 150, 109));
    EXPECT_EQ(0x00FF00u, gl.Pixel(126, 106) | gl.Pixel(127, 106) | gl.Pixel(128, 106));
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
