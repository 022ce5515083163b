#include "Script.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

namespace {

std::vector<Command> Parse(const std::string& text)
{
    std::vector<Command> commands;
    std::string error;
    EXPECT_TRUE(ParseScript(text, commands, error)) << error;
    return commands;
}

std::string ErrorOf(const std::string& text)
{
    std::vector<Command> commands;
    std::string error;
    EXPECT_FALSE(ParseScript(text, commands, error));
    return error;
}

TEST(Script, ReadsEveryCommandWithItsArguments)
{
    auto c = Parse("# a comment\n"
                   "seed 7\nstep 10\nframe\nframe 3   # three frames\nwait 250\n"
                   "key SPACE\nkeydown f3\nkeyup ENTER\nrepeat UP\ntype Hi there#1  # greeting\n"
                   "move 10 20\nclick\nclick 5 6\nfocus off\nclose\nshot out.png\nprint\n"
                   "expect screen == 117\nuntil fps >= width within 2000\r\n");
    ASSERT_EQ(19u, c.size());
    EXPECT_EQ(Command::Seed, c[0].kind);
    EXPECT_EQ(7, c[0].number);
    EXPECT_EQ(1, c[2].number);
    EXPECT_EQ(3, c[3].number);
    EXPECT_EQ(250, c[4].number);
    EXPECT_EQ(platform::VK_SPACE, c[5].key);
    EXPECT_EQ(0x72u, c[6].key);
    EXPECT_EQ(platform::VK_RETURN, c[7].key);
    EXPECT_EQ(Command::Repeat, c[8].kind);
    EXPECT_EQ("Hi there#1", c[9].text); // a # inside a word is text
    EXPECT_EQ(10, c[10].x);
    EXPECT_FALSE(c[11].hasPosition);
    EXPECT_TRUE(c[12].hasPosition);
    EXPECT_FALSE(c[13].on);
    EXPECT_EQ("out.png", c[15].text);
    EXPECT_EQ("screen", c[17].conditions.at(0).variable);
    EXPECT_EQ("117", c[17].conditions.at(0).value);
    EXPECT_EQ(">=", c[18].conditions.at(0).op);
    EXPECT_EQ("width", c[18].conditions.at(0).value);
    EXPECT_EQ(2000, c[18].number);
    EXPECT_EQ(20, c[18].line);
}

TEST(Script, ComparisonsJoinWithAnd)
{
    std::vector<Command> c;
    std::string error;
    ASSERT_TRUE(ParseScript("expect game == 202 and picker != 300 and score > 0\n"
                            "until screen == 114 and name == AB within 500\n",
        c, error))
        << error;
    ASSERT_EQ(3u, c[0].conditions.size());
    EXPECT_EQ("picker", c[0].conditions[1].variable);
    EXPECT_EQ("0", c[0].conditions[2].value);
    ASSERT_EQ(2u, c[1].conditions.size());
    EXPECT_EQ("AB", c[1].conditions[1].value);
    EXPECT_EQ(500, c[1].number);
    for (const char* bad : {"expect game == 202 and", "expect game == 202 or picker == 300", "expect and game == 202",
             "until game == 202 and within 5", "until game == 202 within"})
        EXPECT_FALSE(ParseScript(bad, c, error)) << bad;
}

TEST(Script, BadLinesAreNamedByNumber)
{
    EXPECT_EQ("line 2: cannot read \"jump 3\"", ErrorOf("frame\njump 3\n"));
    EXPECT_NE(std::string::npos, ErrorOf("key SHIFT").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("\n\nframe -1").find("line 3"));
    EXPECT_NE(std::string::npos, ErrorOf("frame 2.5").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("expect screen = 100").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("until screen == 100 in 50").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("shot picture.bmp").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("focus maybe").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("click 5").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("type").find("line 1"));
    // Numbers past an int are refused, not cast.
    EXPECT_NE(std::string::npos, ErrorOf("move 6222222222222222222222 110").find("line 1"));
    EXPECT_NE(std::string::npos, ErrorOf("frame 1e300").find("line 1"));
}

TEST(Script, PadButtonsTheStickAndAltKeys)
{
    auto c = Parse("pad start\npad A\nstick -1 0.5\nkey alt+ENTER\nkey ALT+F4\n");
    ASSERT_EQ(5u, c.size());
    EXPECT_EQ(platform::PAD_START, c[0].key);
    EXPECT_EQ(platform::PAD_A, c[1].key);
    EXPECT_EQ(-1, c[2].stickX);
    EXPECT_EQ(0.5, c[2].stickY);
    EXPECT_TRUE(c[3].alt);
    EXPECT_EQ(platform::VK_RETURN, c[3].key);
    EXPECT_EQ(0x73u, c[4].key);
    for (const char* bad : {"pad Z", "pad", "pad A B", "stick 0", "stick 0 1.5", "stick -2 0", "keydown ALT+ENTER",
             "key ALT+", "key ALT+TAB"})
        EXPECT_NE(std::string::npos, ErrorOf(bad).find("line 1")) << bad;
}

TEST(Script, KeyNamesAndTheCharactersTheyType)
{
    EXPECT_EQ('A', KeyCode("a"));
    EXPECT_EQ('7', KeyCode("7"));
    EXPECT_EQ(platform::VK_F1, KeyCode("F1"));
    EXPECT_EQ(platform::VK_F12, KeyCode("F12"));
    EXPECT_EQ(0u, KeyCode("F13"));
    EXPECT_EQ(0u, KeyCode("TAB"));
    EXPECT_EQ(platform::VK_PAUSE, KeyCode("PAUSE"));
    EXPECT_EQ('y', KeyCharacter('Y'));
    EXPECT_EQ(' ', KeyCharacter(platform::VK_SPACE));
    EXPECT_EQ(0x08u, KeyCharacter(platform::VK_BACK));
    EXPECT_EQ(0u, KeyCharacter(platform::VK_UP));
    EXPECT_EQ(0u, KeyCharacter(platform::VK_F1));
}

} // namespace
