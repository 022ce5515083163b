#include "TextureFiles.h"
#include "platform/File.h"
#include "render/Archive.h"

#include <filesystem>

texture_file::Record SolidRecord(const std::string& key, int width, int height, uint32_t rgb, int filter)
{
    texture_file::Record record{key, filter, width, height, {}};
    for (int i = 0; i < width * height; ++i)
        record.pixels.insert(record.pixels.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
    return record;
}

void WriteTextureFile(const std::vector<texture_file::Record>& records, const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty())
        std::filesystem::create_directories(folder);
    platform::File file;
    file.Open(path, platform::File::modeWrite | platform::File::modeCreate);
    CArchive ar(file, CArchive::store);
    texture_file::Write(ar, records);
    ar.Close();
}
