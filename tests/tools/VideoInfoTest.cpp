#include "AssetsRun.h"
#include "platform/Video.h"

#include "TempDir.h"
#include "TestVideos.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(VideoInfo, GivesTheFiguresTheGamePlaysBy)
{
    TempDir dir;
    video::VideoFormat format;
    format.width = 40;
    format.height = 30;
    format.fps = 10;
    format.frames = 12;
    ASSERT_TRUE(WriteFlatVideo("clip.avi", format, {{1, 2, 3}}));
    EXPECT_EQ(Assets({"video", "info", "clip.avi"}).out, "clip.avi: 12 frames, 40 x 30, 1200 ms, mjpeg\n");

    format.width = format.height = 8;
    format.fps = 25;
    format.frames = platform::Video::kMaxFrames + 1;
    ASSERT_TRUE(WriteFlatVideo("long.avi", format, {{1, 2, 3}}));
    EXPECT_EQ(Assets({"video", "info", "long.avi"}).out,
        "long.avi: 601 frames, 8 x 8, 24040 ms, mjpeg (the game keeps the first 600 frames)\n");
}

TEST(VideoInfo, SaysInOneLineWhyAFileCannotBePlayed)
{
    TempDir dir;
    video::VideoFormat format;
    format.width = format.height = 16;
    ASSERT_TRUE(WriteFlatVideo("good.avi", format, {{1, 2, 3}}));
    const std::string good = TempDir::Read("good.avi");
    TempDir::Write("headless.avi", good.substr(0, good.find("movi") + 4));
    TempDir::Write("words.avi", "no pictures in here");
    TempDir::Write("folder.avi/x", "");
    const std::pair<const char*, const char*> cases[] = {{"headless.avi", "has no frame that decodes"},
        {"words.avi", "not a video"}, {"missing.avi", "missing.avi"}, {"folder.avi", "is a folder"}};
    for (const auto& [file, reason] : cases) {
        const Result result = Assets({"video", "info", file});
        EXPECT_EQ(result.status, 1) << file;
        EXPECT_EQ(result.out, "") << file;
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(Assets({"video", "info"}).status, 2);
    EXPECT_EQ(Assets({"video", "info", "a", "b"}).status, 2);
}

} // namespace
