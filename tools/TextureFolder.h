#pragma once
#include <string>

// A texture file as a folder of PNG pictures a player can edit, and back.
// The folder's manifest keeps what the pictures cannot: the order, the keys,
// the filters and which pictures were turned upright. Packing a folder that
// was not changed gives back the exported file byte for byte.
namespace texture_folder {

constexpr const char* kManifest = "textures.txt";

bool Export(const std::string& file, const std::string& folder, std::string& problem);
bool Pack(const std::string& folder, const std::string& file, std::string& problem);

} // namespace texture_folder
