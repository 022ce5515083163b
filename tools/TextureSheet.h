#pragma once
#include <string>

namespace texture_sheet {

// Every texture of a file on one PNG contact sheet, each in a cell with its
// key and size under it, glyphs upright. Large pictures are shown halved
// (or less), small ones doubled.
bool Make(const std::string& file, const std::string& png, std::string& problem);

} // namespace texture_sheet
