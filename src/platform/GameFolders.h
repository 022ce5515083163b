#pragma once
#include <functional>
#include <string>

namespace platform {

// Where an installed game keeps its files: the read-only data in one folder,
// each player's own files in the XDG base directories.
struct GameFolders {
    std::string data; // data/TEXTURE.VXR, data/logo.avi, sounds/, manual.html
    std::string config; // config.dat
    std::string scores; // SCORES.VXR, with its .new and .damaged beside it
    std::string state; // applog.txt
};

using EnvLookup = std::function<const char*(const char*)>;

// A folder holding data/TEXTURE.VXR, in any letter case, is a game folder.
bool IsGameFolder(const std::string& folder);
// The data folder installed with the running binary (<prefix>/share/vexorin).
std::string InstalledDataFolder();
// The player's folders under the XDG base directories; relative values are
// ignored, as the XDG rules say.
GameFolders PlayerFolders(const std::string& data, const EnvLookup& env);
// Makes the player's folders that are missing, readable by the player alone,
// and an empty log in a state folder that has none.
void CreatePlayerFolders(const GameFolders& folders);
// From now on the game's file names stand for files in these folders; null
// keeps them in the current folder (a game folder, the portable game).
void UseGameFolders(const GameFolders* folders);
// The path that a game file name stands for; other paths stay as given.
std::string LocateGameFile(const std::string& name);

} // namespace platform
