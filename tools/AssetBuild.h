#pragma once
#include <ostream>
#include <string>

namespace asset_build {

// Makes the game's data in a game folder: each step writes its files into
// one of its folders ("data", "sounds"; found in any letter case, made when
// missing) and says what it wrote. The same bytes come out on every run.
bool Build(const std::string& gameDir, std::ostream& out, std::string& problem);

// Writes the default high-score table to path, replacing what is there;
// false with the reason when it cannot be written.
bool WriteDefaultScores(const std::string& path, std::string& problem);

} // namespace asset_build
