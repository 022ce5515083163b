#include "AssetBuild.h"

#include "IconTool.h"
#include "TextureTool.h"
#include "art/Glyphs.h"
#include "art/Pictures.h"
#include "audio/Sounds.h"
#include "platform/File.h"
#include "render/Archive.h"
#include "score/Score.h"
#include "video/LogoVideo.h"

#include <filesystem>
#include <vector>

namespace asset_build {

namespace {

// The folder a step writes into, found in any letter case, made when missing.
bool FindFolder(const std::string& gameDir, const std::string& name, std::string& folder, std::string& problem)
{
    folder = platform::ResolvePath(gameDir + "/" + name);
    if (std::filesystem::is_directory(folder))
        return true;
    folder = gameDir + "/" + name;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error)
        problem = folder + ": cannot be made: " + error.message();
    return !error;
}

using Step = bool (*)(const std::string& gameDir, std::ostream& out, std::string& problem);

bool BuildTextures(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    std::string dataDir;
    if (!FindFolder(gameDir, "data", dataDir, problem))
        return false;
    std::vector<texture_file::Record> records = art::GamePictures();
    for (auto& glyph : art::FontGlyphs())
        records.push_back(std::move(glyph));
    const std::string path = platform::ResolvePath(dataDir + "/TEXTURE.VXR");
    if (!texture_tool::WriteTextures(path, records, problem))
        return false;
    out << path << ": " << records.size() << " textures\n";
    return true;
}

bool BuildSounds(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    std::string soundsDir;
    if (!FindFolder(gameDir, "sounds", soundsDir, problem))
        return false;
    const std::vector<audio::Sound> sounds = audio::GameSounds();
    for (const audio::Sound& sound : sounds) {
        const std::string path = platform::ResolvePath(soundsDir + "/" + sound.file);
        if (!audio::WriteWav(path, sound)) {
            problem = path + ": cannot be written";
            return false;
        }
    }
    out << soundsDir << ": " << sounds.size() << " sounds\n";
    return true;
}

bool BuildVideo(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    std::string dataDir;
    if (!FindFolder(gameDir, "data", dataDir, problem))
        return false;
    const std::string path = platform::ResolvePath(dataDir + "/logo.avi");
    if (!logo_video::Write(path, problem)) {
        problem = path + ": " + problem;
        return false;
    }
    out << path << ": " << logo_video::kFrames << " frames\n";
    return true;
}

bool BuildWindowIcon(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    std::string dataDir;
    if (!FindFolder(gameDir, "data", dataDir, problem))
        return false;
    const std::string path = dataDir + "/icon.bmp";
    if (!icon_tool::WriteWindowIcon(path, problem))
        return false;
    out << path << ": the window icon\n";
    return true;
}

// A fresh game folder gets the default high-score table, so the first start
// has no missing file to report; a table that exists is the player's and is never touched.
bool BuildScores(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    const std::string path = platform::ResolvePath(gameDir + "/" + CScore::kPath);
    if (std::filesystem::exists(path))
        return true;
    if (!WriteDefaultScores(path, problem))
        return false;
    out << path << ": the default high scores\n";
    return true;
}

const Step kSteps[] = {BuildTextures, BuildSounds, BuildVideo, BuildWindowIcon, BuildScores};

} // namespace

bool WriteDefaultScores(const std::string& path, std::string& problem)
{
    platform::File file;
    if (!file.Open(path, platform::File::modeWrite | platform::File::modeCreate)) {
        problem = path + ": cannot be written";
        return false;
    }
    CScore defaults;
    CArchive ar(file, CArchive::store);
    defaults.Serialize(ar);
    ar.Close();
    return true;
}

bool Build(const std::string& gameDir, std::ostream& out, std::string& problem)
{
    for (const Step step : kSteps)
        if (!step(gameDir, out, problem))
            return false;
    return true;
}

} // namespace asset_build
