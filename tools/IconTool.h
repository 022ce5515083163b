#pragma once
#include <ostream>
#include <string>

namespace icon_tool {

// The sizes a desktop's icon theme looks for.
inline constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

// Writes the game's icon at every size as DIR/NxN.png, making DIR when
// missing; false with the reason when a file cannot be written.
bool Write(const std::string& dir, std::ostream& out, std::string& problem);

// The size of the window icon the game shows in the title bar and task switcher.
inline constexpr int kWindowIconSize = 64;

// Writes the window icon as a 32-bit BMP with alpha, which the game reads
// without an image library; false with the reason when it cannot be written.
bool WriteWindowIcon(const std::string& path, std::string& problem);

} // namespace icon_tool
