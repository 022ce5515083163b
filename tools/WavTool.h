#pragma once
#include <ostream>
#include <string>

namespace wav_tool {

// One line on what the WAV file holds; false with the reason the game could
// not use it.
bool Info(const std::string& path, std::ostream& out, std::string& problem);

} // namespace wav_tool
