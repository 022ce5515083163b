#pragma once
#include <string>

namespace platform {

// The program's name as its executable is called, without folder or extension.
const std::string& ApplicationName();
void SetApplicationName(const std::string& argv0);
// Before anything of SDL starts: names the game to the desktop and the audio
// server, and lets SIGINT, SIGTERM and SIGHUP ask for an orderly shutdown.
void StartPlatform();
// Set once one of those signals came; the game's event source then closes the window.
bool ShutdownRequested();
// Opens the desktop's display: X11 or Wayland, unless SDL_VIDEODRIVER names
// another driver. False when there is none.
bool OpenDisplay();
// Gives the system back the pages the allocator keeps free, after much has been let go.
void ReturnFreeMemory();
// Closes the windowing and sound libraries at the very end.
void ShutdownPlatform();

} // namespace platform
