// The scripted driver's language, as vexorin-play reads a script file.
#include "Script.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<Command> commands;
    std::string error;
    ParseScript(std::string(reinterpret_cast<const char*>(data), size), commands, error);
    return 0;
}
