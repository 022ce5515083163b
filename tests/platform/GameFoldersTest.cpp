#include "platform/GameFolders.h"
#include "platform/File.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace {

platform::EnvLookup Environment(const std::map<std::string, std::string>& values)
{
    return [values](const char* name) -> const char* {
        auto it = values.find(name);
        return it == values.end() ? nullptr : it->second.c_str();
    };
}

int Mode(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Folders used for a test are given back, so the next test starts portable.
struct InstalledGame {
    explicit InstalledGame(const platform::GameFolders& folders) { platform::UseGameFolders(&folders); }
    ~InstalledGame() { platform::UseGameFolders(nullptr); }
};

TEST(GameFolders, XdgVariablesThatAreNotAbsoluteFallBackToHome)
{
    auto folders = platform::PlayerFolders("/usr/share/vexorin",
        Environment({{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "relative/data"},
            {"XDG_STATE_HOME", ""}}));
    EXPECT_EQ("/usr/share/vexorin", folders.data);
    EXPECT_EQ("/cfg/vexorin", folders.config);
    EXPECT_EQ("/home/ann/.local/share/vexorin", folders.scores);
    EXPECT_EQ("/home/ann/.local/state/vexorin", folders.state);
    EXPECT_EQ("/home/ann/.config/vexorin", platform::PlayerFolders("", Environment({{"HOME", "/home/ann"}})).config);
}

// One installed start: data read from the data folder in any letter case,
// each player file in its own private folder, nothing in the current folder.
TEST(GameFolders, InstalledGameKeepsEachFileInItsFolder)
{
    TempDir dir;
    TempDir::Write("share/vexorin/Data/Texture.vxr", "textures");
    TempDir::Write("share/vexorin/sounds/menu.wav", "wave");
    TempDir::Write("cwd/keep", "");
    EXPECT_TRUE(platform::IsGameFolder(dir.Path() + "/share/vexorin"));
    EXPECT_FALSE(platform::IsGameFolder(dir.Path() + "/cwd"));
    auto folders =
        platform::PlayerFolders(dir.Path() + "/share/vexorin", Environment({{"HOME", dir.Path() + "/home"}}));
    platform::CreatePlayerFolders(folders);
    EXPECT_EQ(0700, Mode(dir.Path() + "/home/.local"));
    EXPECT_EQ(0700, Mode(dir.Path() + "/home/.config/vexorin"));
    EXPECT_EQ(0700, Mode(dir.Path() + "/home/.local/share/vexorin"));
    EXPECT_EQ(0700, Mode(dir.Path() + "/home/.local/state/vexorin"));
    EXPECT_EQ("", TempDir::Read(dir.Path() + "/home/.local/state/vexorin/applog.txt"));
    TempDir::Write(dir.Path() + "/home/.local/state/vexorin/applog.txt", "last run");
    platform::CreatePlayerFolders(folders);
    EXPECT_EQ("last run", TempDir::Read(dir.Path() + "/home/.local/state/vexorin/applog.txt"));

    std::filesystem::current_path("cwd");
    {
        InstalledGame installed(folders);
        EXPECT_EQ(dir.Path() + "/share/vexorin/Data/Texture.vxr", platform::ResolvePath("DATA/TEXTURE.VXR"));
        platform::File file;
        ASSERT_TRUE(file.Open("sounds/menu.wav", platform::File::modeRead));
        for (const char* name : {"data/config.dat", "SCORES.VXR.new", "applog.txt"})
            ASSERT_TRUE(file.Open(name, platform::File::modeCreate | platform::File::modeWrite)) << name;
        file.Close();
        EXPECT_TRUE(platform::RenameFile("SCORES.VXR.new", "SCORES.VXR"));
        EXPECT_EQ("/etc/passwd", platform::ResolvePath("/etc/passwd"));
    }
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator("."), {}));
    EXPECT_TRUE(TempDir::Exists(dir.Path() + "/home/.config/vexorin/config.dat"));
    EXPECT_TRUE(TempDir::Exists(dir.Path() + "/home/.local/share/vexorin/SCORES.VXR"));
    EXPECT_TRUE(TempDir::Exists(dir.Path() + "/home/.local/state/vexorin/applog.txt"));
    EXPECT_EQ("applog.txt", platform::ResolvePath("applog.txt"));
}

// A folder that cannot be made gives the file's own error, and nothing is written elsewhere instead.
TEST(GameFolders, UncreatableFolderFailsTheFileWithoutWritingElsewhere)
{
    TempDir dir;
    TempDir::Write("home/.config", "a file, not a folder");
    auto folders = platform::PlayerFolders(dir.Path(), Environment({{"HOME", dir.Path() + "/home"}}));
    platform::CreatePlayerFolders(folders);
    InstalledGame installed(folders);
    platform::File file;
    platform::FileError error = platform::FileError::none;
    EXPECT_FALSE(file.Open("data/config.dat", platform::File::modeCreate | platform::File::modeWrite, &error));
    EXPECT_EQ(platform::FileError::badPath, error);
    EXPECT_FALSE(TempDir::Exists(dir.Path() + "/data/config.dat"));
    EXPECT_FALSE(TempDir::Exists(dir.Path() + "/config.dat"));
}

} // namespace
