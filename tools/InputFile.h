#pragma once
#include "platform/File.h"

#include <string>

// Opens a game file a tool reads; false with a one-line problem for a
// folder ("KIND" names what the file should have been) or an open failure.
bool OpenInputFile(const std::string& path, const std::string& kind, platform::File& file, std::string& problem);
