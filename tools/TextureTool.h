#pragma once
#include "render/TextureFile.h"

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Reading, writing and listing texture files for the asset tool. Every
// operation that can fail returns false with one line saying what is wrong
// and where in 'problem'.
namespace texture_tool {

// Called with each record in file order; only one record is held at a time,
// so a damaged count never makes the reader allocate what it promises.
using Visit = std::function<bool(int index, const texture_file::Record& record, std::string& problem)>;
bool ForEachRecord(const std::string& path, const Visit& visit, std::string& problem);

// Writes beside the file first and renames, so a failure never leaves a
// half-written texture file where the game looks.
bool WriteTextures(const std::string& path, const std::vector<texture_file::Record>& records, std::string& problem);

// The font's glyphs lie transposed in the file; tools show them upright.
bool IsGlyph(const std::string& key);
std::vector<uint8_t> Transposed(const std::vector<uint8_t>& rgb, int width, int height);

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // rows top to bottom
};
// A record as a person sees it: glyphs upright, other pictures as stored.
Picture Viewed(const texture_file::Record& record);

// Printable bytes as they are; others, spaces and backslashes as \xNN, so
// any key fits on one line and can be read back exactly.
std::string Escaped(const std::string& key);
// A key fit for a one-line message: escaped, long keys cut.
std::string Printable(const std::string& key);

// One line per record: index, key, filter, width, height; the records
// before a damaged one are listed before the damage is reported.
bool List(const std::string& path, std::ostream& out, std::string& problem);

} // namespace texture_tool
