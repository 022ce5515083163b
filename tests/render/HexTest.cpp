#include "render/Hex.h"
#include "render/Texture.h"

#include "GLContext.h"
#include "TempDir.h"
#include "TextureFiles.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <array>
#include <climits>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Hexagon centres from the anchor: rows of 2, 3, 4, 3 and 2, every other row half a column to the left.
constexpr float kCentres[CHex::kCount][2] = {{0.0f, 0.0f}, {0.67f, 0.0f}, {-0.35f, -0.33f}, {0.32f, -0.33f},
    {0.99f, -0.33f}, {-0.7f, -0.66f}, {-0.03f, -0.66f}, {0.64f, -0.66f}, {1.31f, -0.66f}, {-0.35f, -0.99f},
    {0.32f, -0.99f}, {0.99f, -0.99f}, {0.0f, -1.32f}, {0.67f, -1.32f}};
constexpr float kX = -0.5f, kY = 1.0f, kZ = -4.0f;
constexpr std::array<int, CHex::kCount> kFirstOrder = {11, 2, 10, 1, 6, 12, 0, 3, 5, 4, 7, 13, 8, 9};

bool IsPurple(int index) { return index == 1 || index == 5 || index == 13; }

// White in the middle half of each side and black round it, so that no two
// neighbouring hexagons light the same pixels.
texture_file::Record Dot()
{
    texture_file::Record record = SolidRecord("HEX", 8, 8, 0, 0);
    for (int row = 2; row < 6; ++row)
        for (int column = 2; column < 6; ++column)
            for (int c = 0; c < 3; ++c)
                record.pixels[(row * 8 + column) * 3 + c] = 0xFF;
    return record;
}

// The fade length of each hexagon that ResetInit draws after srand(seed).
std::array<float, CHex::kCount> DurationsAfter(unsigned seed)
{
    std::srand(seed);
    std::array<float, CHex::kCount> durations{};
    for (float& d : durations)
        d = static_cast<float>(std::rand() % 1351 + 150);
    return durations;
}

// The game's menu view: a 45 degree perspective, and a cluster anchored as the menu anchors them.
class Hex : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok());
        WriteTextureFile({Dot()});
        textures.Load();
        hex.InitTexture();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 640.0 / 480.0, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
    }

    // The pixel under a point of the cluster, in eye coordinates, y from the top.
    uint32_t PixelAt(float dx, float dy) const
    {
        GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
        GLdouble projection[16];
        GLint viewport[4];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        GLdouble wx = 0, wy = 0, wz = 0;
        gluProject(kX + dx, kY + dy, kZ, identity, projection, viewport, &wx, &wy, &wz);
        return gl.Pixel(static_cast<int>(wx), GLContext::kHeight - 1 - static_cast<int>(wy));
    }

    uint32_t CentrePixel(int index) const { return PixelAt(kCentres[index][0], kCentres[index][1]); }

    void Frame(float elapsed)
    {
        gl.Clear();
        hex.Update(kX, kY, kZ, elapsed);
    }

    std::array<int, CHex::kCount> Order() const
    {
        std::array<int, CHex::kCount> order{};
        for (int k = 0; k < CHex::kCount; ++k)
            order[k] = hex.GetIndexOrder(k);
        return order;
    }

    TempDir dir;
    GLContext gl;
    CTexture textures;
    CHex hex;
};

TEST_F(Hex, StartsWithItsOwnOrderAndOnlyTheFirstInLineActive)
{
    EXPECT_EQ(kFirstOrder, Order());
    for (int i = 0; i < CHex::kCount; ++i) {
        EXPECT_EQ(i == 11, hex.GetHex(i).active) << i;
        EXPECT_EQ(1.0f, hex.GetHex(i).value) << i;
    }
}

TEST_F(Hex, ALitClusterShowsEveryHexagonInItsColourAtItsPlace)
{
    Frame(16.0f);
    for (int i = 0; i < CHex::kCount; ++i) {
        EXPECT_EQ(IsPurple(i) ? 0xFF00FFu : 0x0000FFu, CentrePixel(i)) << i;
        // The lit middle of the sprite reaches 0.225 from the centre each way.
        const float x = kCentres[i][0], y = kCentres[i][1];
        for (float d : {-0.21f, 0.21f}) {
            EXPECT_NE(0u, PixelAt(x + d, y)) << i << " at " << d;
            EXPECT_NE(0u, PixelAt(x, y + d)) << i << " at " << d;
        }
        for (float d : {-0.24f, 0.24f}) {
            EXPECT_EQ(0u, PixelAt(x + d, y)) << i << " at " << d;
            EXPECT_EQ(0u, PixelAt(x, y + d)) << i << " at " << d;
        }
    }
    EXPECT_EQ(0u, PixelAt(0.335f, 0.0f)); // between the two hexagons of the top row
    EXPECT_EQ(0u, PixelAt(-0.7f, 0.0f)); // left of the top row
    EXPECT_EQ(0u, PixelAt(1.31f, -1.32f)); // right of the bottom row
}

TEST_F(Hex, TheAnchorIsInEyeCoordinatesAndTheCallersMatrixSurvives)
{
    glTranslatef(1.0f, -0.5f, 0.0f);
    Frame(0.0f);
    EXPECT_EQ(0x0000FFu, CentrePixel(0));
    EXPECT_EQ(0xFF00FFu, CentrePixel(13));

    GLfloat matrix[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    EXPECT_EQ(1.0f, matrix[12]);
    EXPECT_EQ(-0.5f, matrix[13]);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(Hex, EachHexagonIsDrawnAsBrightAsItsValueOverWhatIsThere)
{
    Frame(0.0f);
    Frame(120.0f);
    glClearColor(0.0f, 0.2f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    hex.Update(kX, kY, kZ, 0.0f);
    for (int i = 0; i < CHex::kCount; ++i) {
        const float value = hex.GetHex(i).value;
        ASSERT_GT(value, 0.0f) << i;
        const uint32_t pixel = CentrePixel(i);
        EXPECT_NEAR(value * 255, pixel & 0xFF, 2) << i;
        EXPECT_NEAR(IsPurple(i) ? value * 255 : 0, pixel >> 16, 2) << i;
        EXPECT_NEAR(0x33, pixel >> 8 & 0xFF, 1) << i; // adds to the background, never hides it
    }
}

TEST_F(Hex, AFadedClusterShowsNothing)
{
    for (int frame = 0; frame < 400; ++frame)
        Frame(16.0f);
    for (int i = 0; i < CHex::kCount; ++i) {
        EXPECT_LT(hex.GetHex(i).value, 0.0f) << i; // the fade runs on past its end
        EXPECT_EQ(0u, CentrePixel(i)) << i;
    }
}

TEST_F(Hex, TheSecondAndThirdWaitForTheirPredecessorToDimAndTheRestStartAtOnce)
{
    const int startOrder[CHex::kCount] = {2, 3, 10, 8, 13, 11, 7, 1, 6, 0, 5, 9, 4, 12};
    for (int k = 0; k < CHex::kCount; ++k)
        hex.SetIndexOrder(k, startOrder[k]);
    hex.ResetInit();

    Frame(0.0f); // nothing fades, but the rest of the line is started
    for (int k = 0; k < CHex::kCount; ++k) {
        EXPECT_EQ(k != 1 && k != 2, hex.GetHex(startOrder[k]).active) << k;
        EXPECT_EQ(1.0f, hex.GetHex(startOrder[k]).value) << k;
    }

    const t_hex& first = hex.GetHex(startOrder[0]);
    const t_hex& second = hex.GetHex(startOrder[1]);
    const t_hex& third = hex.GetHex(startOrder[2]);
    bool firstDim = false, secondDim = false;
    for (int frame = 0; frame < 500; ++frame) {
        firstDim = firstDim || first.value < 0.3f;
        secondDim = secondDim || second.value < 0.3f;
        Frame(10.0f);
        ASSERT_EQ(firstDim, second.active != 0) << frame;
        ASSERT_EQ(secondDim, third.active != 0) << frame;
        if (!firstDim) {
            ASSERT_EQ(1.0f, second.value) << frame;
        }
    }
    EXPECT_TRUE(secondDim);
    EXPECT_LT(third.value, 0.0f);
}

TEST_F(Hex, EveryHexagonFadesOverItsOwnRandomTimeOf150To1500Ms)
{
    const std::array<float, CHex::kCount> durations = DurationsAfter(2024);
    std::srand(2024);
    hex.ResetInit();
    Frame(0.0f);
    Frame(100.0f);
    for (int k = 0; k < CHex::kCount; ++k) {
        const int i = kFirstOrder[k];
        const float expected = k == 1 || k == 2 ? 1.0f : 1.0f - 100.0f / durations[i];
        EXPECT_NEAR(expected, hex.GetHex(i).value, 1e-5f) << i;
    }

    // The order turns by one each time, so that every hexagon is among those
    // that start at once most of the time.
    for (unsigned seed = 1; seed <= 40; ++seed) {
        for (int k = 0; k < CHex::kCount; ++k)
            hex.SetIndexOrder(k, static_cast<int>((k + seed) % CHex::kCount));
        std::srand(seed);
        hex.ResetInit();
        Frame(0.0f);
        std::array<bool, CHex::kCount> started{};
        for (int i = 0; i < CHex::kCount; ++i)
            started[i] = hex.GetHex(i).active != 0;
        Frame(149.0f);
        for (int i = 0; i < CHex::kCount; ++i)
            if (started[i]) {
                ASSERT_GT(hex.GetHex(i).value, 0.0f) << "seed " << seed << " hexagon " << i;
            }
        Frame(1351.0f);
        for (int i = 0; i < CHex::kCount; ++i)
            if (started[i]) {
                ASSERT_LE(hex.GetHex(i).value, 1e-5f) << "seed " << seed << " hexagon " << i;
            }
    }
}

TEST_F(Hex, ResetInitRelightsEverythingWithFreshDurations)
{
    for (int frame = 0; frame < 100; ++frame)
        Frame(16.0f);

    const std::array<float, CHex::kCount> durations = DurationsAfter(77);
    std::srand(77);
    hex.ResetInit();
    for (int i = 0; i < CHex::kCount; ++i) {
        EXPECT_EQ(i == kFirstOrder[0], hex.GetHex(i).active) << i;
        EXPECT_EQ(1.0f, hex.GetHex(i).value) << i;
    }
    Frame(0.0f);
    for (int i = 0; i < CHex::kCount; ++i)
        EXPECT_EQ(IsPurple(i) ? 0xFF00FFu : 0x0000FFu, CentrePixel(i)) << i;
    Frame(50.0f);
    EXPECT_NEAR(1.0f - 50.0f / durations[kFirstOrder[0]], hex.GetHex(kFirstOrder[0]).value, 1e-5f);
}

TEST_F(Hex, ANewOrderTakesEffectAtTheNextResetInit)
{
    EXPECT_EQ(1, hex.SetIndexOrder(0, 4));
    EXPECT_EQ(1, hex.GetHex(11).active);
    EXPECT_EQ(0, hex.GetHex(4).active);

    hex.ResetInit();
    EXPECT_EQ(0, hex.GetHex(11).active);
    EXPECT_EQ(1, hex.GetHex(4).active);
}

TEST_F(Hex, AnOrderOutsideTheClusterIsRefused)
{
    const int bad[][2] = {{-1, 0}, {14, 0}, {INT_MIN, 3}, {INT_MAX, 3}, {0, -1}, {0, 14}, {13, INT_MAX}, {5, INT_MIN}};
    for (const auto& call : bad)
        EXPECT_EQ(0, hex.SetIndexOrder(call[0], call[1])) << call[0] << ", " << call[1];
    EXPECT_EQ(kFirstOrder, Order());

    EXPECT_EQ(1, hex.SetIndexOrder(13, 0));
    EXPECT_EQ(1, hex.SetIndexOrder(0, 13));
    EXPECT_EQ(0, hex.GetIndexOrder(13));
    EXPECT_EQ(13, hex.GetIndexOrder(0));

    // Still drawn whole, with its texture.
    hex.ResetInit();
    Frame(0.0f);
    EXPECT_EQ(0x0000FFu, CentrePixel(0));
    EXPECT_EQ(0u, PixelAt(0.335f, 0.0f));
}

} // namespace
