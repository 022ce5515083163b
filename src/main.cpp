#include "app/Version.h"
#include "app/VexorinApp.h"
#include "platform/File.h"
#include "platform/GameFolders.h"
#include "platform/Messages.h"
#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

const char kUsage[] = "usage: vexorin [--windowed] [--data DIR]\n"
                      "       vexorin --help | --version\n"
                      "  --windowed  play in a window of the chosen screen area instead of full screen\n"
                      "  --data DIR  read the game's data from DIR instead of the installed data\n";

struct Options {
    bool windowed = false;
    std::string data;
};

// The status to end with at once, or nothing when the game is to run.
std::optional<int> ParseCommandLine(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("Vexorin %s\n", kVexorinVersion);
            return 0;
        }
        if (arg == "--windowed") {
            options.windowed = true;
        } else if (arg == "--data" && i + 1 < argc) {
            options.data = argv[++i];
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    return std::nullopt;
}

// Started inside a game folder the game keeps every file right there; else
// it reads the installed data, or DIR of --data. Empty: the portable game.
std::optional<std::string> DataFolder(const Options& options)
{
    if (options.data.empty() && platform::IsGameFolder("."))
        return std::string();
    std::string data = options.data.empty() ? platform::InstalledDataFolder() : options.data;
    if (!platform::IsGameFolder(data)) {
        std::fprintf(stderr, "Vexorin finds no game data in %s: data/TEXTURE.VXR is missing.\n", data.c_str());
        return std::nullopt;
    }
    return data;
}

int RunGame(bool windowed)
{
    auto events = platform::MakeSdlEventSource();
    platform::SetEventSource(events.get());
    CVexorinApp app;
    app.m_windowed = windowed;
    int status = app.InitInstance() ? app.Run() : (app.ExitInstance(), 1);
    if (platform::ShutdownRequested())
        status = 0;
    if (status != 0)
        std::fprintf(
            stderr, "Vexorin could not start; %s says how far it got.\n", platform::ResolvePath("applog.txt").c_str());
    platform::SetEventSource(nullptr);
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    platform::SetApplicationName(argv[0]);
    Options options;
    if (auto status = ParseCommandLine(argc, argv, options))
        return *status;
    const auto data = DataFolder(options);
    if (!data)
        return 1;
    platform::StartPlatform();
    if (!platform::OpenDisplay()) {
        std::fputs("Vexorin needs a graphical display (X11 or Wayland); none was found.\n", stderr);
        return 1;
    }
    platform::GameFolders folders;
    if (!data->empty()) {
        folders = platform::PlayerFolders(*data, std::getenv);
        platform::CreatePlayerFolders(folders);
        platform::UseGameFolders(&folders);
    }
    const int status = RunGame(options.windowed);
    platform::ShutdownPlatform();
    return status;
}
