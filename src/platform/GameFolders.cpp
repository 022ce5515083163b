#include "platform/GameFolders.h"
#include "platform/File.h"

#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::optional<GameFolders> gFolders;

bool Absolute(const char* path) { return path && path[0] == '/'; }

std::string Home(const EnvLookup& env)
{
    if (const char* home = env("HOME"); Absolute(home))
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && Absolute(user->pw_dir) ? user->pw_dir : "/";
}

std::string BaseFolder(const EnvLookup& env, const char* variable, const char* fallback)
{
    const char* value = env(variable);
    return (Absolute(value) ? std::string(value) : Home(env) + "/" + fallback) + "/vexorin";
}

// Each missing folder on the way is made too, as the XDG rules ask (0700).
void CreatePrivateFolder(const std::string& path)
{
    std::string prefix;
    for (const auto& part : std::filesystem::path(path)) {
        prefix = (std::filesystem::path(prefix) / part).string();
        struct stat st;
        if (::stat(prefix.c_str(), &st) != 0)
            ::mkdir(prefix.c_str(), 0700);
    }
}

bool Names(const std::string& name, const char* file)
{
    const size_t length = std::string(file).size();
    return ::strncasecmp(name.c_str(), file, length) == 0 && (name.size() == length || name[length] == '.');
}

std::string InFolder(const std::string& folder, const std::string& name)
{
    return folder + "/" + name.substr(name.find_last_of('/') + 1);
}

// A new player starts from the default table installed with the game, so the
// first start has no missing file to report. A table the player has is never
// touched.
void SeedScores(const GameFolders& folders)
{
    const std::string scores = folders.scores + "/SCORES.VXR";
    std::error_code error;
    if (std::filesystem::exists(ResolvePath(scores), error) || error)
        return;
    std::filesystem::copy_file(folders.data + "/SCORES.VXR", scores, error);
}

} // namespace

bool IsGameFolder(const std::string& folder)
{
    struct stat st;
    return ::stat(ResolvePath(folder + "/data/TEXTURE.VXR").c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string InstalledDataFolder()
{
    std::error_code error;
    const auto binary = std::filesystem::read_symlink("/proc/self/exe", error);
    return (binary.parent_path() / VEXORIN_DATA_FROM_BIN).lexically_normal().string();
}

GameFolders PlayerFolders(const std::string& data, const EnvLookup& env)
{
    return {data, BaseFolder(env, "XDG_CONFIG_HOME", ".config"), BaseFolder(env, "XDG_DATA_HOME", ".local/share"),
        BaseFolder(env, "XDG_STATE_HOME", ".local/state")};
}

void CreatePlayerFolders(const GameFolders& folders)
{
    for (const std::string* folder : {&folders.config, &folders.scores, &folders.state})
        CreatePrivateFolder(*folder);
    // An empty log, as a game folder has one, so a player's first start has
    // no missing-log notice to show.
    const std::string log = folders.state + "/applog.txt";
    const int made = ::open(log.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (made >= 0)
        ::close(made);
    SeedScores(folders);
}

void UseGameFolders(const GameFolders* folders)
{
    if (folders)
        gFolders = *folders;
    else
        gFolders.reset();
}

std::string LocateGameFile(const std::string& name)
{
    if (!gFolders || name.empty() || name[0] == '/')
        return name;
    if (Names(name, "data/config.dat"))
        return InFolder(gFolders->config, name);
    if (Names(name, "SCORES.VXR"))
        return InFolder(gFolders->scores, name);
    if (Names(name, "applog.txt"))
        return InFolder(gFolders->state, name);
    return gFolders->data + "/" + name;
}

} // namespace platform
