#pragma once
#include <string>

namespace platform {

// The program's name as its executable is called, without folder or extension.
const std::string& ApplicationName();
void SetApplicationName(const std::string& argv0);
// Closes the windowing and sound libraries at the very end.
void ShutdownPlatform();

} // namespace platform
