#pragma once

// The release the game and its tools answer --version with.
constexpr const char kVexorinVersion[] = "2.0.0";
