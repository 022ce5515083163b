#include "Driver.h"
#include "platform/MessageBox.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Runs a script on the real game in a fresh game folder.
Driver::Status Play(const std::string& script, bool forceSize = true)
{
    std::vector<Command> commands;
    std::string error;
    EXPECT_TRUE(ParseScript(script, commands, error)) << error;
    DriverOptions options;
    options.outputDir = std::filesystem::current_path().string();
    options.forceSize = forceSize;
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
    EXPECT_EQ(Driver::Ok, Play("expect screen == 117\nframe 3\nexpect width == 640\nshot a.png\n"));
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

} // namespace
