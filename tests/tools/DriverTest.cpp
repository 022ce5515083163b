#include "Driver.h"
#include "Png.h"
#include "art/PicturesThemes.h"
#include "platform/MessageBox.h"

#include "TempDir.h"
#include "TextureFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Runs a script on the real game in a fresh game folder.
Driver::Status Play(const std::string& script, bool forceSize = true, DisplaySettings size = {640, 480, 32})
{
    std::vector<Command> commands;
    std::string error;
    EXPECT_TRUE(ParseScript(script, commands, error)) << error;
    DriverOptions options;
    options.outputDir = std::filesystem::current_path().string();
    options.forceSize = forceSize;
    options.size = size;
    Driver driver(std::move(commands), options);
    return driver.Run();
}

class DriverTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory("data"); }
    TempDir dir;
};

TEST_F(DriverTest, ScriptRunsThroughAndShutsTheGameDown)
{
    EXPECT_EQ(Driver::Ok,
        Play("expect screen == 117 and screen == intro_logo and game == idle and picker != selected\nframe 3\n"
             "expect width == 640\nshot a.png\n"));
    EXPECT_TRUE(TempDir::Exists("a.png"));
    // The log closes with the game: its last line is the last start-up step.
    std::string log = TempDir::Read("applog.txt");
    EXPECT_EQ("PASSED", log.substr(log.size() - 6));
}

TEST_F(DriverTest, FailedChecksStopTheScriptWithStatusOne)
{
    EXPECT_EQ(Driver::Failed, Play("expect screen == 100\nshot never.png\n"));
    EXPECT_FALSE(TempDir::Exists("never.png"));
    EXPECT_EQ(Driver::Failed, Play("until screen == 100 within 100\n"));
    EXPECT_EQ(Driver::Failed, Play("expect nosuch == 1\n"));
    EXPECT_EQ(Driver::Failed, Play("expect screen == idle\n"));
}

TEST_F(DriverTest, UntilRunsFramesAndFocusStopsThem)
{
    EXPECT_EQ(Driver::Ok, Play("focus off\nframe\nexpect active == 0\nfocus on\nframe\nuntil fps > 50 within 3000\n"));
}

TEST_F(DriverTest, WithoutADataFolderTheGameDoesNotStart)
{
    std::filesystem::remove("data");
    platform::ClearRecordedMessageBoxes();
    EXPECT_EQ(Driver::BadStart, Play("frame\n", false));
    ASSERT_FALSE(platform::RecordedMessageBoxes().empty());
    EXPECT_EQ("Error", platform::RecordedMessageBoxes().back().caption);
}

// How far from (x, y) a bright edge is, stepping (dx, dy) a pixel at a time
// from 'from' pixels out; -1 if none is found.
int DistanceToBrightEdge(const PngImage& image, int x, int y, int dx, int dy, int from)
{
    for (int d = from; d < image.width / 4; ++d) {
        const uint8_t* p = &image.rgb[(static_cast<size_t>(y + d * dy) * image.width + x + d * dx) * 3];
        if (std::max({p[0], p[1], p[2]}) > 128)
            return d;
    }
    return -1;
}

// The level background's round window lies behind the next-colour box at
// both sizes: its rim is as far from the box's centre on every side.
TEST_F(DriverTest, NextColourWindowSitsBehindTheNextColourBox)
{
    std::vector<texture_file::Record> pictures = art::PiecePictures();
    for (texture_file::Record& picture : art::ScreenPictures())
        if (picture.key == "LEVELBACK")
            pictures.push_back(std::move(picture));
    WriteTextureFile(pictures);
    for (const DisplaySettings size : {DisplaySettings{640, 480, 32}, DisplaySettings{1024, 768, 32}}) {
        SCOPED_TRACE(size.width);
        // Long steps through the front end keep the test quick.
        ASSERT_EQ(Driver::Ok,
            Play("step 50\nuntil screen == 116 within 3000\nkey ESCAPE\nframe\nmove 60 110\nclick\n"
                 "until screen == 111 within 2000\nkey ENTER\nuntil game == 202 within 5000\n"
                 "step 16.667\nframe 30\nshot box.png\n",
                true, size));
        PngImage image;
        std::string error;
        ASSERT_TRUE(ReadPng("box.png", image, 1 << 22, error)) << error;
        const float scale = image.width / 640.0f;
        const int x = static_cast<int>(381 * scale), y = static_cast<int>(41 * scale),
                  from = static_cast<int>(20 * scale);
        const int left = DistanceToBrightEdge(image, x, y, -1, 0, from);
        const int right = DistanceToBrightEdge(image, x, y, 1, 0, from);
        const int up = DistanceToBrightEdge(image, x, y, 0, -1, from);
        const int down = DistanceToBrightEdge(image, x, y, 0, 1, from);
        ASSERT_TRUE(left > 0 && right > 0 && up > 0 && down > 0);
        EXPECT_NEAR(left, right, 4); // the rim's centre within 2 pixels of the box's
        EXPECT_NEAR(up, down, 4);
    }
}

} // namespace
