#include "AssetBuild.h"

#include "TextureTool.h"
#include "art/Glyphs.h"
#include "art/Pictures.h"
#include "platform/File.h"

#include <filesystem>
#include <vector>

namespace asset_build {

namespace {

using Step = bool (*)(const std::string& dataDir, std::ostream& out, std::string& problem);

bool BuildTextures(const std::string& dataDir, std::ostream& out, std::string& problem)
{
    std::vector<texture_file::Record> records = art::GamePictures();
    for (auto& glyph : art::FontGlyphs())
        records.push_back(std::move(glyph));
    const std::string path = platform::ResolvePath(dataDir + "/TEXTURE.VXR");
    if (!texture_tool::WriteTextures(path, records, problem))
        return false;
    out << path << ": " << records.size() << " textures\n";
    return true;
}

const Step kSteps[] = {BuildTextures};

bool FindDataDir(const std::string& gameDir, std::string& dataDir, std::string& problem)
{
    dataDir = platform::ResolvePath(gameDir + "/data");
    if (std::filesystem::is_directory(dataDir))
        return true;
    dataDir = gameDir + "/data";
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    if (error)
        problem = dataDir + ": cannot be made: " + error.message();
    return !error;
}

} // namespace

bool Build(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    std::string dataDir;
    if (!FindDataDir(gameDir, dataDir, problem))
        return false;
    for (const Step step : kSteps)
        if (!step(dataDir, out, problem))
            return false;
    return true;
}

} // namespace asset_build
