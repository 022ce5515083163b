// vexorin-play: runs the game under a script, headless unless told otherwise.
#include "Driver.h"
#include "app/Version.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

const char kUsage[] = "usage: vexorin-play [--dir DIR] [--visible] [--size WxH] SCRIPT\n"
                      "       vexorin-play --help | --version\n";

int Usage()
{
    std::fputs(kUsage, stderr);
    return Driver::BadStart;
}

bool ParseSize(const std::string& text, DisplaySettings& size)
{
    return std::sscanf(text.c_str(), "%dx%d", &size.width, &size.height) == 2 && size.width > 0 && size.height > 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::printf("vexorin-play %s\n", kVexorinVersion);
        return 0;
    }
    DriverOptions options;
    std::string scriptPath;
    bool visible = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--dir" && i + 1 < argc)
            options.gameDir = argv[++i];
        else if (arg == "--visible")
            visible = true;
        else if (arg == "--size" && i + 1 < argc && ParseSize(argv[i + 1], options.size))
            options.forceSize = (++i, true);
        else if (arg[0] != '-' && scriptPath.empty())
            scriptPath = arg;
        else
            return Usage();
    }
    if (scriptPath.empty())
        return Usage();
    std::vector<Command> commands;
    std::string error;
    if (!ReadScriptFile(scriptPath, commands, error)) {
        std::fprintf(stderr, "vexorin-play: %s\n", error.c_str());
        return Driver::BadStart;
    }
    if (!visible) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    options.outputDir = std::filesystem::current_path().string();
    platform::SetMessageBoxesRecorded(true);
    int status;
    {
        Driver driver(std::move(commands), options);
        status = driver.Run();
    }
    platform::ShutdownPlatform();
    return status;
}
