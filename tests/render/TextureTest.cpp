#include "render/Texture.h"
#include "platform/MessageBox.h"

#include "GLContext.h"
#include "TempDir.h"
#include "TextureFiles.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

namespace {

using texture_file::Record;

GLuint Bound()
{
    GLint id = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &id);
    return static_cast<GLuint>(id);
}

GLint Param(GLenum name)
{
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

// The bound texture's level 0, rows in t order, three bytes a texel.
std::vector<uint8_t> Image(int width, int height)
{
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

std::vector<std::string> BoxTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : platform::RecordedMessageBoxes())
        texts.push_back(box.text);
    return texts;
}

class Texture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok());
        platform::ClearRecordedMessageBoxes();
    }

    TempDir dir;
    GLContext gl;
    CTexture textures;
};

TEST_F(Texture, LoadMakesOneTexturePerRecordAndUseBindsByExactKey)
{
    WriteTextureFile({SolidRecord("STAR", 4, 4, 0xFF0000), SolidRecord("HEX", 8, 2, 0x00FF00, 0),
        SolidRecord("STAR", 2, 2, 0x0000FF)});
    textures.Load();
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(3, textures.Count());
    EXPECT_EQ((std::vector<std::string>{"STAR", "HEX", "STAR"}), textures.Names());

    textures.Use("STAR");
    GLuint star = Bound();
    EXPECT_NE(0u, star);
    // The later of two records with one key wins.
    EXPECT_EQ((std::vector<uint8_t>{0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255}), Image(2, 2));
    textures.Use(std::string("HEX"));
    EXPECT_NE(star, Bound());
    EXPECT_EQ(GL_NEAREST, Param(GL_TEXTURE_MAG_FILTER));
    EXPECT_EQ(GL_NEAREST, Param(GL_TEXTURE_MIN_FILTER));

    size_t entries = textures.TableSize();
    textures.Use("star");
    EXPECT_EQ(0u, Bound());
    textures.Use(std::string("star"));
    EXPECT_EQ(0u, Bound());
    EXPECT_EQ(entries + 1, textures.TableSize());
}

TEST_F(Texture, PixelsArriveRowForRowWhateverTheWidth)
{
    Record record{"ODD", 1, 2, 3, {}};
    for (int i = 0; i < 18; ++i)
        record.pixels.push_back(uint8_t(i * 10));
    Record mipmapped = SolidRecord("MIP", 4, 4, 0x808080, 3);
    mipmapped.pixels[0] = 200;
    WriteTextureFile({record, SolidRecord("LIN", 4, 4, 0x102030), mipmapped});
    GLint before = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &before);
    textures.Load();

    GLint after = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &after);
    EXPECT_EQ(before, after);
    textures.Use("ODD");
    EXPECT_EQ(record.pixels, Image(2, 3));
    textures.Use("LIN");
    EXPECT_EQ(GL_LINEAR, Param(GL_TEXTURE_MAG_FILTER));
    EXPECT_EQ(GL_LINEAR, Param(GL_TEXTURE_MIN_FILTER));
    textures.Use("MIP");
    EXPECT_EQ(GL_LINEAR_MIPMAP_NEAREST, Param(GL_TEXTURE_MIN_FILTER));
    EXPECT_EQ(200, Image(4, 4)[0]);
    GLint level2 = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 2, GL_TEXTURE_WIDTH, &level2);
    EXPECT_EQ(1, level2);
}

TEST_F(Texture, AnUnknownFilterGivesASmoothTextureWithItsImage)
{
    WriteTextureFile({SolidRecord("ODDFILTER", 4, 4, 0x336699, 2), SolidRecord("AFTER", 4, 4, 0xFFFFFF)});
    textures.Load();
    textures.Use("ODDFILTER");
    EXPECT_EQ(GL_LINEAR, Param(GL_TEXTURE_MIN_FILTER));
    EXPECT_EQ(0x33, Image(4, 4)[0]);
    textures.Use("AFTER");
    EXPECT_EQ(0xFF, Image(4, 4)[0]);
}

TEST_F(Texture, EmptyFileAndMissingFileLeaveTheLibraryEmpty)
{
    textures.Load();
    EXPECT_EQ((std::vector<std::string>{"DATA/TEXTURE.VXR was not found."}), BoxTexts());
    EXPECT_EQ(0u, textures.TableSize());

    platform::ClearRecordedMessageBoxes();
    WriteTextureFile({});
    textures.Load();
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(0, textures.Count());
    EXPECT_EQ(0u, textures.TableSize());
    textures.Use("STAR");
    EXPECT_EQ(0u, Bound());
}

TEST_F(Texture, TheFolderAndFileAreFoundWhateverTheirCase)
{
    WriteTextureFile({SolidRecord("STAR", 4, 4, 0xFFFFFF)}, "data/texture.vxr");
    textures.Load();
    EXPECT_TRUE(BoxTexts().empty());
    EXPECT_EQ(1u, textures.TableSize());
}

TEST_F(Texture, AFileThatEndsEarlyIsReportedAndKeepsTheTexturesBeforeIt)
{
    WriteTextureFile({SolidRecord("FIRST", 4, 4, 0xFFFFFF), SolidRecord("SECOND", 4, 4, 0xFFFFFF)});
    std::string bytes = TempDir::Read("DATA/TEXTURE.VXR");
    TempDir::Write("DATA/TEXTURE.VXR", bytes.substr(0, bytes.size() - 1));
    textures.Load();
    EXPECT_EQ((std::vector<std::string>{"An attempt was made to access DATA/TEXTURE.VXR past its end."}), BoxTexts());
    textures.Use("FIRST");
    EXPECT_NE(0u, Bound());
    textures.Use("SECOND");
    EXPECT_EQ(0u, Bound());
}

TEST_F(Texture, ARecordOfImpossibleSizeStopsTheLoadThereWithItsNameShown)
{
    const std::pair<int, int> sizes[] = {{0, 4}, {4, -1}, {257, 256}, {65536, 65536}};
    for (auto [width, height] : sizes) {
        platform::ClearRecordedMessageBoxes();
        textures.DeleteAllTextures();
        Record bad{"BAD", 1, width, height, {}};
        bad.pixels.assign(64, 0x7F);
        WriteTextureFile({SolidRecord("GOOD", 4, 4, 0xFFFFFF), bad, SolidRecord("LATER", 4, 4, 0xFFFFFF)});
        textures.Load();
        ASSERT_EQ(1u, BoxTexts().size()) << width << " x " << height;
        EXPECT_NE(std::string::npos, BoxTexts()[0].find("record 1 (\"BAD\")")) << BoxTexts()[0];
        textures.Use("GOOD");
        EXPECT_NE(0u, Bound());
        textures.Use("LATER");
        EXPECT_EQ(0u, Bound());
    }
}

TEST_F(Texture, DeleteAllTexturesAndLoadingAgainFreeEveryEarlierTexture)
{
    WriteTextureFile({SolidRecord("A", 4, 4, 0xFFFFFF), SolidRecord("B", 4, 4, 0xFFFFFF)});
    textures.Load();
    textures.Use("A");
    GLuint a = Bound();
    textures.DeleteAllTextures();
    EXPECT_FALSE(glIsTexture(a));
    EXPECT_TRUE(textures.Names().empty());
    textures.Use("A");
    EXPECT_EQ(0u, Bound());

    textures.Load();
    textures.Use("B");
    const GLuint b = Bound();
    EXPECT_NE(0u, b);
    EXPECT_EQ(2, textures.Count());

    // Loading over a loaded library replaces its textures rather than leaking them.
    WriteTextureFile({SolidRecord("C", 4, 4, 0xFFFFFF)});
    textures.Load();
    EXPECT_FALSE(glIsTexture(b));
    textures.Use("B");
    EXPECT_EQ(0u, Bound());
    textures.Use("C");
    EXPECT_NE(0u, Bound());
}

TEST(TextureTable, BucketsFollowTheSizeRule)
{
    EXPECT_EQ(13, CTexture::BucketsFor(0));
    EXPECT_EQ(13, CTexture::BucketsFor(10));
    EXPECT_EQ(13, CTexture::BucketsFor(11));
    EXPECT_EQ(15, CTexture::BucketsFor(12));
    EXPECT_EQ(153, CTexture::BucketsFor(128));
    EXPECT_EQ(157, CTexture::BucketsFor(130));
}

TEST_F(Texture, DrawTexQuadMapsTheFirstStoredTexelToTheLowerLeftCorner)
{
    Record quarters{"Q", 0, 2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}};
    WriteTextureFile({quarters});
    textures.Load();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    textures.Use("Q");
    DrawTexQuad(0.5f, 0);
    glDisable(GL_TEXTURE_2D);
    // The square covers x 160..480 and y 120..360 of the window; y grows upwards in the view.
    EXPECT_EQ(0xFF0000u, gl.Pixel(200, 340));
    EXPECT_EQ(0x00FF00u, gl.Pixel(440, 340));
    EXPECT_EQ(0x0000FFu, gl.Pixel(200, 140));
    EXPECT_EQ(0xFFFFFFu, gl.Pixel(440, 140));
    EXPECT_EQ(0u, gl.Pixel(150, 240));
}

} // namespace
