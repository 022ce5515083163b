#include "ScreenFixture.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// A frame summed over a grid of 4 x 3 blocks of 160 x 160: red, green and
// blue of each block, as the mean of its pixels times 100.
using Summary = std::array<int, 36>;

// The menu with NEW GAME lit and its hexagons, and a moment of play, as they
// were drawn before text drawing was reworked for speed.
constexpr Summary kMenu = {4120, 781, 10470, 3020, 943, 8757, 3273, 485, 8037, 1132, 0, 7217, 4721, 378, 6058, 3529, 44,
    11318, 2696, 0, 8707, 2189, 0, 10505, 6090, 0, 7219, 4786, 0, 6923, 4030, 0, 7353, 2702, 72, 10087};
constexpr Summary kPlay = {524, 438, 1449, 711, 195, 1606, 737, 400, 3446, 1453, 287, 5710, 1701, 215, 1494, 1901, 214,
    2784, 2011, 638, 3847, 1433, 489, 2459, 3601, 420, 1677, 3902, 516, 2408, 3833, 102, 4713, 4128, 339, 5541};

class KeyFrames : public ScreenFixture {
protected:
    Summary Summarise() const
    {
        const Picture picture = LastFrame();
        Summary summary{};
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) {
                const uint32_t rgb = picture.At(x, y);
                const int block = (y / 160 * 4 + x / 160) * 3;
                for (int c = 0; c < 3; ++c)
                    summary[block + c] += static_cast<int>(rgb >> (16 - 8 * c) & 0xFF);
            }
        for (int& v : summary)
            v = v * 100 / (160 * 160);
        return summary;
    }
    static void ExpectClose(const Summary& expected, const Summary& drawn)
    {
        std::string printed;
        for (int v : drawn)
            printed += std::to_string(v) + ", ";
        for (size_t i = 0; i < drawn.size(); ++i)
            EXPECT_NEAR(expected[i], drawn[i], 30) << "block " << i / 3 << " channel " << i % 3 << "\n" << printed;
    }
};

TEST_F(KeyFrames, MenuAndPlayLookAsTheyDid)
{
    ToMenu();
    frame->OnMouseMove(60, 110);
    Frames(20);
    ExpectClose(kMenu, Summarise());
    ASSERT_NO_FATAL_FAILURE(StartPlay());
    Frames(30);
    ExpectClose(kPlay, Summarise());
}

} // namespace
