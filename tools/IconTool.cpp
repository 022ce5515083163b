#include "IconTool.h"

#include "Png.h"
#include "art/Icon.h"

#include <SDL.h>
#include <filesystem>

namespace icon_tool {

bool Write(const std::string& dir, std::ostream& out, std::string& problem)
{
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        problem = dir + ": cannot be made: " + error.message();
        return false;
    }
    for (int size : kSizes) {
        const std::string path = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
        if (!WritePngRgba(path, art::IconRgba(size), size, size)) {
            problem = path + ": cannot be written";
            return false;
        }
        out << path << '\n';
    }
    return true;
}

bool WriteWindowIcon(const std::string& path, std::string& problem)
{
    std::vector<uint8_t> rgba = art::IconRgba(kWindowIconSize);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        rgba.data(), kWindowIconSize, kWindowIconSize, 32, kWindowIconSize * 4, SDL_PIXELFORMAT_RGBA32);
    const bool written = surface && SDL_SaveBMP(surface, path.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (!written)
        problem = path + ": cannot be written";
    return written;
}

} // namespace icon_tool
