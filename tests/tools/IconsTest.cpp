#include "AssetsRun.h"
#include "IconTool.h"
#include "Png.h"

#include "TempDir.h"

#include <SDL.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Mean {
    float r = 0, g = 0, b = 0;
};

// The mean colour of the pixels within 'radius' units of (x, y), in the
// icon's units: -1 to 1 across, y downwards.
Mean MeanNear(const PngImage& image, float x, float y, float radius)
{
    Mean mean;
    int count = 0;
    for (int row = 0; row < image.height; ++row)
        for (int col = 0; col < image.width; ++col) {
            const float u = (col + 0.5f) * 2 / image.width - 1, v = (row + 0.5f) * 2 / image.height - 1;
            if ((u - x) * (u - x) + (v - y) * (v - y) > radius * radius)
                continue;
            const uint8_t* p = &image.rgb[(static_cast<size_t>(row) * image.width + col) * 3];
            mean.r += p[0], mean.g += p[1], mean.b += p[2];
            ++count;
        }
    return {mean.r / count, mean.g / count, mean.b / count};
}

// Every size shows the four piece colours in their places round a light
// middle, on a tile whose corners are see-through (black once composited).
TEST(Icons, EverySizeShowsTheFourPieceColoursInTheirPlaces)
{
    TempDir temp;
    const Result made = Assets({"icons", "icons"});
    ASSERT_EQ(made.status, 0) << made.err;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
        PngImage image;
        std::string error;
        ASSERT_TRUE(ReadPng("icons/" + name, image, 1 << 20, error)) << error;
        ASSERT_EQ(image.width, size);
        ASSERT_EQ(image.height, size);
        const Mean red = MeanNear(image, 0, -0.52f, 0.2f), green = MeanNear(image, 0.52f, 0, 0.2f);
        const Mean blue = MeanNear(image, 0, 0.52f, 0.2f), yellow = MeanNear(image, -0.52f, 0, 0.2f);
        EXPECT_GT(red.r, 1.5f * std::max(red.g, red.b) + 40);
        EXPECT_GT(green.g, 1.5f * std::max(green.r, green.b) + 40);
        EXPECT_GT(blue.b, std::max(2 * blue.r, blue.g + 40));
        EXPECT_GT(std::min(yellow.r, yellow.g), 1.5f * yellow.b + 20);
        EXPECT_GT(yellow.g, 0.6f * yellow.r);
        const Mean middle = MeanNear(image, 0, 0, 0.1f);
        EXPECT_GT(middle.r + middle.g + middle.b, 400);
        for (int corner : {0, size - 1})
            EXPECT_EQ(image.rgb[(static_cast<size_t>(corner) * size + corner) * 3 + 2], 0);
    }
}

// The game reads its window icon with SDL alone: a square with see-through
// corners and an opaque middle.
TEST(Icons, TheWindowIconIsABitmapWithItsTransparency)
{
    TempDir temp;
    std::string problem;
    ASSERT_TRUE(icon_tool::WriteWindowIcon("icon.bmp", problem)) << problem;
    SDL_Surface* loaded = SDL_LoadBMP("icon.bmp");
    ASSERT_NE(loaded, nullptr) << SDL_GetError();
    SDL_Surface* icon = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->w, icon_tool::kWindowIconSize);
    EXPECT_EQ(icon->h, icon_tool::kWindowIconSize);
    const auto alpha = [icon](int x, int y) {
        return static_cast<const uint8_t*>(icon->pixels)[y * icon->pitch + x * 4 + 3];
    };
    EXPECT_EQ(alpha(0, 0), 0);
    EXPECT_EQ(alpha(icon->w / 2, icon->h / 2), 255);
    SDL_FreeSurface(icon);
}

TEST(Icons, SaysWhenTheFolderCannotBeMade)
{
    TempDir temp;
    TempDir::Write("file", "");
    const Result made = Assets({"icons", "file/icons"});
    EXPECT_EQ(made.status, 1);
    EXPECT_NE(made.err.find("file/icons: cannot be made"), std::string::npos) << made.err;
}

} // namespace
