#pragma once
#include <cstdint>
#include <vector>

namespace art {

// The game's icon, drawn for one size: a dark rounded tile with the four
// piece colours round a point of light. Rows top to bottom, 8-bit RGBA,
// transparent outside the tile. Small sizes get simpler, bolder shapes.
std::vector<uint8_t> IconRgba(int size);

} // namespace art
