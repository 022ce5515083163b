#pragma once
#include <ostream>
#include <string>

namespace score_tool {

// Prints the EASY, NORMAL and HARD tables of a scores file, rows in the
// order stored, names as the game shows them; false with one line saying
// what is wrong.
bool Show(const std::string& path, std::ostream& out, std::string& problem);

} // namespace score_tool
