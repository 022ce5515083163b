#include "IconTool.h"

#include "Png.h"
#include "art/Icon.h"

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

} // namespace icon_tool
