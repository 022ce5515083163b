#include "FrameFixture.h"
#include "platform/File.h"

#include "KillDuring.h"
#include "MountedFolder.h"

#include <deque>
#include <filesystem>
#include <ostream>

namespace {

// The player at the settings window: answers with the given messages, then closes it.
class Player : public platform::EventSource {
public:
    bool Poll(platform::Message&) override { return false; }
    bool Wait(platform::Message& m, int) override
    {
        ++asked;
        m = platform::Message{};
        m.type = platform::Message::Close;
        if (!answers.empty()) {
            m = answers.front();
            answers.pop_front();
        }
        return true;
    }
    void Key(unsigned vk)
    {
        platform::Message m;
        m.type = platform::Message::KeyDown;
        m.code = vk;
        answers.push_back(m);
    }
    std::deque<platform::Message> answers;
    int asked = 0;
};

class Settings : public FrameFixture {
protected:
    void SetUp() override
    {
        FrameFixture::SetUp();
        std::filesystem::create_directory("data");
        platform::SetEventSource(&player);
    }
    void TearDown() override
    {
        platform::SetEventSource(nullptr);
        FrameFixture::TearDown();
    }
    static std::string Config() { return TempDir::Read("data/config.dat"); }

    // Width, height and depth the frame decided.
    static std::string Decided(const CMainFrame& f)
    {
        return std::to_string(f.ScreenWidth()) + "x" + std::to_string(f.ScreenHeight()) + "x" +
            std::to_string(f.ColourDepth());
    }

    Player player;
};

TEST_F(Settings, NoFileGivesTheDefaultsInTheDialogAndStoresTheChoice)
{
    player.Key(platform::VK_UP); // screen area: 800x600 -> 640x480
    player.Key(platform::VK_TAB); // to the colour depth
    player.Key(platform::VK_UP); // 32 -> 24
    player.Key(platform::VK_UP); // 24 -> 16
    player.Key(platform::VK_RETURN); // OK
    CMainFrame frame;
    EXPECT_GT(player.asked, 0);
    EXPECT_EQ("640x480x16", Decided(frame));
    EXPECT_EQ("0\n640\n480\n16", Config());
}

TEST_F(Settings, ClosingTheDialogKeepsWhatTheClicksSet)
{
    player.Key(platform::VK_DOWN); // 800x600 -> 1024x768, then the close box
    CMainFrame frame;
    EXPECT_EQ("1024x768x32", Decided(frame));
    EXPECT_EQ("0\n1024\n768\n32", Config());
}

TEST_F(Settings, SkipFlagStartsWithoutDialogAndLeavesTheFileAlone)
{
    TempDir::Write("data/config.dat", "1\n1024\n768\n24\n");
    CMainFrame frame;
    EXPECT_EQ(0, player.asked);
    EXPECT_EQ("1024x768x24", Decided(frame));
    EXPECT_EQ("1\n1024\n768\n24\n", Config());
}

TEST_F(Settings, WindowsLineEndsAreAcceptedWhenTheValuesAreValid)
{
    TempDir::Write("data/config.dat", "1\r\n640\r\n480\r\n16\r\n");
    CMainFrame frame;
    EXPECT_EQ(0, player.asked);
    EXPECT_EQ("640x480x16", Decided(frame));
}

TEST_F(Settings, UnlistedPairIsValidButTheDialogOffersTheDefaultArea)
{
    TempDir::Write("data/config.dat", "0\n640\n768\n16");
    CMainFrame frame; // closed at once
    EXPECT_GT(player.asked, 0);
    EXPECT_EQ("800x600x16", Decided(frame));
    EXPECT_EQ("0\n800\n600\n16", Config());
}

struct Damage {
    const char* name;
    std::string content;
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class DamagedSettings : public Settings, public testing::WithParamInterface<Damage> { };

TEST_P(DamagedSettings, AreReplacedByTheDefaultFile)
{
    TempDir::Write("data/config.dat", GetParam().content);
    CMainFrame frame; // the dialog shows the defaults and is closed
    EXPECT_EQ("800x600x32", Decided(frame));
    EXPECT_EQ("0\n800\n600\n32", Config());
}

INSTANTIATE_TEST_SUITE_P(Contents, DamagedSettings,
    testing::Values(Damage{"TrailingSpace", "1\n800 \n600\n32"}, Damage{"ThreeLines", "1\n800\n600"},
        Damage{"ThreeLinesEnded", "1\n800\n600\n"}, Damage{"Sign", "1\n+800\n600\n32"},
        Damage{"LeadingZero", "1\n0800\n600\n32"}, Damage{"FlagTwo", "2\n800\n600\n32"},
        Damage{"DepthEight", "1\n800\n600\n8"}, Damage{"Empty", ""}, Damage{"OneLine", "1 800 600 32"},
        Damage{"Binary", std::string("\x01\xff\x00\x7f", 4)}, Damage{"HugeLine", std::string(1 << 20, '1')},
        Damage{"Spaces", "   \n   \n   \n   "}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(Settings, ValidLinesAreKeptEvenWhenAnotherIsNot)
{
    TempDir::Write("data/config.dat", "1\n640\n480\n16");
    CMainFrame frame;
    TempDir::Write("data/config.dat", "1\n1024\n999\n24");
    platform::File file;
    ASSERT_TRUE(file.Open("data/config.dat", platform::File::modeRead));
    EXPECT_EQ(0, frame.ReadConfigFile(file));
    EXPECT_EQ("1024x480x24", Decided(frame));
}

TEST_F(Settings, WithoutTheDataFolderTheGameCannotStart)
{
    std::filesystem::remove("data");
    CMainFrame frame;
    EXPECT_TRUE(frame.CannotStart());
    EXPECT_EQ(0, player.asked);
    ASSERT_EQ(1u, platform::RecordedMessageBoxes().size());
    EXPECT_EQ("Error", platform::RecordedMessageBoxes()[0].caption);
    EXPECT_NE(std::string::npos, platform::RecordedMessageBoxes()[0].text.find("data/config.dat"));
}

// A choice that cannot be stored (a full disk, a read-only folder) is shown
// in a box; the stored file stays as it was and the game starts as chosen.
TEST_F(Settings, AChoiceThatCannotBeStoredKeepsTheFileAndPlaysOn)
{
    const std::string stored = "0\n640\n480\n16";
    TempDir::Write("data/config.dat", stored);
    std::filesystem::create_symlink("/dev/full", "data/config.dat.new");
    player.Key(platform::VK_DOWN); // 640x480 -> 800x600
    player.Key(platform::VK_RETURN);
    CMainFrame frame;
    EXPECT_FALSE(frame.CannotStart());
    EXPECT_EQ("800x600x16", Decided(frame));
    EXPECT_EQ(stored, Config());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status("data/config.dat.new")));
    ASSERT_EQ(1u, platform::RecordedMessageBoxes().size());
    EXPECT_EQ("Disk full while accessing data/config.dat.", platform::RecordedMessageBoxes()[0].text);
}

// A read-only data folder (read-only for root too): the settings are read
// from it, and a choice that cannot be stored there is shown in a box while
// the game starts as chosen. Each start runs in a child process.
TEST_F(Settings, AReadOnlyDataFolderIsReadAndAChoiceThereIsReportedNotStored)
{
    const std::string folder = std::filesystem::absolute("data");
    const auto startsAs = [folder](const std::string& stored, const std::string& decided,
                              const std::vector<std::string>& boxes) {
        TempDir::Write("data/config.dat", stored);
        return mounted_folder::CheckReadOnly(folder, [&] {
            CMainFrame frame;
            std::vector<std::string> shown;
            for (const auto& box : platform::RecordedMessageBoxes())
                shown.push_back(box.text);
            return !frame.CannotStart() && Decided(frame) == decided && shown == boxes && Config() == stored;
        });
    };
    const auto skipping = startsAs("1\n640\n480\n16", "640x480x16", {});
    if (skipping == mounted_folder::Outcome::unavailable)
        GTEST_SKIP() << "no user and mount namespaces here to make a read-only folder";
    EXPECT_EQ(mounted_folder::Outcome::passed, skipping);
    player.Key(platform::VK_DOWN); // 640x480 -> 800x600
    player.Key(platform::VK_RETURN);
    EXPECT_EQ(mounted_folder::Outcome::passed,
        startsAs("0\n640\n480\n16", "800x600x16", {"Access to data/config.dat was denied."}));
}

// The same on a real file system with no room left.
TEST_F(Settings, AChoiceOnAFullFileSystemKeepsTheFileAndPlaysOn)
{
    const std::string stored = "0\n640\n480\n16";
    player.Key(platform::VK_DOWN); // 640x480 -> 800x600
    player.Key(platform::VK_RETURN);
    const auto outcome = mounted_folder::CheckFull(
        std::filesystem::absolute("data"),
        [&stored] {
            TempDir::Write("data/config.dat", stored);
            return true;
        },
        [&] {
            CMainFrame frame;
            const auto& boxes = platform::RecordedMessageBoxes();
            return !frame.CannotStart() && Decided(frame) == "800x600x16" && Config() == stored && boxes.size() == 1 &&
                boxes[0].text == "Disk full while accessing data/config.dat.";
        });
    if (outcome == mounted_folder::Outcome::unavailable)
        GTEST_SKIP() << "no user and mount namespaces here to mount a small file system";
    EXPECT_EQ(mounted_folder::Outcome::passed, outcome);
}

TEST_F(Settings, AWriteKilledAtAnyMomentLeavesTheOldSettingsOrTheNew)
{
    const std::string old = "1\n640\n480\n16";
    const DisplaySettings forced{800, 600, 32};
    CMainFrame frame(&forced);
    TempDir memory(TempDir::MemoryBase());
    std::filesystem::create_directory("data");
    const auto write = [&frame] { frame.WriteConfigFile(0, 1024, 768, 24); };
    const auto span = kill_during::TimeInChild(write);
    const std::string written = Config();
    ASSERT_EQ("0\n1024\n768\n24", written);
    constexpr int kKills = 200;
    for (int i = 0; i < kKills; ++i) {
        TempDir::Write("data/config.dat", old);
        kill_during::KillAfter(write, span * i * 5 / (kKills * 4));
        const std::string left = Config();
        ASSERT_TRUE(left == old || left == written) << "killed after " << i << "/" << kKills;
        ASSERT_TRUE(frame.WriteConfigFile(0, 640, 480, 16));
        ASSERT_FALSE(std::filesystem::exists("data/config.dat.new"));
    }
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
}

} // namespace
