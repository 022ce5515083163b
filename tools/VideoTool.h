#pragma once
#include <ostream>
#include <string>

namespace video_tool {

// One line on the video as the game would play it; false with the reason
// the game could not use it.
bool Info(const std::string& path, std::ostream& out, std::string& problem);

} // namespace video_tool
