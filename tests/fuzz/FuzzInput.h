#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Each fuzz target runs in a scratch folder of its own, where the game's
// readers find the input under the name they open. Message boxes are
// recorded, never shown, and forgotten after every input.
void PutInput(const std::string& path, const uint8_t* data, size_t size);
// The same for a reader that takes the input from memory.
void PrepareInput();
