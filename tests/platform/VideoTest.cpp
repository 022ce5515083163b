#include "platform/Video.h"

#include "../sound/WavBytes.h"
#include "TempDir.h"
#include "TestVideos.h"

#include <gtest/gtest.h>

namespace {

using platform::Video;

// Reads every frame as the game does; the pictures are kept for a look.
std::vector<std::vector<uint8_t>> ReadAll(Video& video)
{
    std::vector<std::vector<uint8_t>> frames;
    std::vector<uint8_t> pixels(Video::kFrameBytes);
    while (video.ReadFrame(pixels.data()))
        frames.push_back(pixels);
    return frames;
}

// Quadrants of four colours no full-colour table would have, in a container
// that keeps no frame count, under the game's own file name.
TEST(Video, EightBitPaletteSourceInAnyContainerDecodesToItsColours)
{
    TempDir dir;
    const Rgb topLeft{250, 120, 10}, topRight{130, 0, 250}, bottomLeft{0, 170, 160}, bottomRight{90, 90, 90};
    video::VideoFormat format;
    format.width = 64;
    format.height = 48;
    format.frames = 3;
    format.codec = video::Codec::PalettePng;
    format.container = "matroska";
    std::string problem;
    ASSERT_TRUE(video::WriteVideo(
        "logo.avi", format,
        [&](int, std::vector<uint8_t>& rgb) {
            PaintRect(rgb, 64, 0, 0, 32, 24, topLeft);
            PaintRect(rgb, 64, 32, 0, 64, 24, topRight);
            PaintRect(rgb, 64, 0, 24, 32, 48, bottomLeft);
            PaintRect(rgb, 64, 32, 24, 64, 48, bottomRight);
        },
        problem))
        << problem;

    Video video;
    ASSERT_TRUE(video.Open("LOGO.AVI"));
    EXPECT_EQ(video.CodecName(), "png");
    EXPECT_EQ(video.SourceWidth(), 64);
    EXPECT_EQ(video.SourceHeight(), 48);
    const auto frames = ReadAll(video);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(video.FrameCount(), 3);
    EXPECT_EQ(video.DurationMs(), 120);
    EXPECT_FALSE(video.Cut());
    // Bottom-up: the picture's top is at the end of the rows.
    EXPECT_TRUE(Near(At(frames[2], 64, 64), bottomLeft, 1));
    EXPECT_TRUE(Near(At(frames[2], 192, 64), bottomRight, 1));
    EXPECT_TRUE(Near(At(frames[2], 64, 192), topLeft, 1));
    EXPECT_TRUE(Near(At(frames[2], 192, 192), topRight, 1));
}

TEST(Video, ADamagedFileKeepsTheFramesBeforeTheDamage)
{
    TempDir dir;
    video::VideoFormat format;
    format.width = format.height = 32;
    format.frames = 20;
    const std::vector<Rgb> colours = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}};
    ASSERT_TRUE(WriteFlatVideo("short.avi", format, colours));
    const std::string whole = TempDir::Read("short.avi");
    const size_t frames0 = whole.find("movi");
    Truncate("short.avi", frames0 + (whole.size() - frames0) / 2);
    Video video;
    ASSERT_TRUE(video.Open("short.avi"));
    const auto frames = ReadAll(video);
    EXPECT_GE(frames.size(), 2u);
    EXPECT_LT(frames.size(), 20u);
    for (size_t i = 0; i < frames.size(); ++i)
        EXPECT_TRUE(Near(At(frames[i], 128, 128), colours[i % 3], 12)) << i;
    // The file's own figures still hold.
    EXPECT_EQ(video.FrameCount(), 20);
    EXPECT_EQ(video.DurationMs(), 800);
}

// A long video stops at the cap.
TEST(Video, StopsAtTheCapAndSaysItWasCut)
{
    TempDir dir;
    video::VideoFormat format;
    format.width = format.height = 8;
    format.frames = Video::kMaxFrames + 10;
    ASSERT_TRUE(WriteFlatVideo("long.avi", format, {{10, 10, 10}}));
    Video video;
    ASSERT_TRUE(video.Open("long.avi"));
    EXPECT_EQ(ReadAll(video).size(), size_t(Video::kMaxFrames));
    EXPECT_TRUE(video.Cut());
    EXPECT_EQ(video.FrameCount(), Video::kMaxFrames + 10);
    EXPECT_EQ(video.DurationMs(), 40 * (Video::kMaxFrames + 10));
    std::vector<uint8_t> pixels(Video::kFrameBytes);
    EXPECT_FALSE(video.ReadFrame(pixels.data()));
}

TEST(Video, FiguresThatMakeNoSenseAreTakenForTwentyFiveFramesASecond)
{
    TempDir dir;
    video::VideoFormat format;
    format.width = format.height = 8;
    format.frames = 5;
    format.fps = 100000;
    ASSERT_TRUE(WriteFlatVideo("fast.avi", format, {{10, 10, 10}}));
    Video video;
    ASSERT_TRUE(video.Open("fast.avi"));
    EXPECT_EQ(ReadAll(video).size(), 5u);
    EXPECT_EQ(video.DurationMs(), 200);
}

TEST(Video, RefusesWhatHoldsNoVideo)
{
    TempDir dir;
    TempDir::Write("text.avi", "RIFF this is not a video at all, only some words");
    TempDir::Write("sound.avi", wav::Riff(wav::Chunk("fmt ", wav::Format(1, 22050, 16)) + wav::Chunk("data", "abcd")));
    for (const char* name : {"missing.avi", "text.avi", "sound.avi"}) {
        Video video;
        EXPECT_FALSE(video.Open(name)) << name;
        std::vector<uint8_t> pixels(Video::kFrameBytes);
        EXPECT_FALSE(video.ReadFrame(pixels.data())) << name;
    }
}

} // namespace
