#pragma once
#include "render/TextureFile.h"

#include <string>
#include <vector>

// A record of one colour all over.
texture_file::Record SolidRecord(const std::string& key, int width, int height, uint32_t rgb, int filter = 1);
// Writes a texture file where the texture library looks for it, or elsewhere.
void WriteTextureFile(const std::vector<texture_file::Record>& records, const std::string& path = texture_file::kPath);
