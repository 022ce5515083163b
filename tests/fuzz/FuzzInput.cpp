#include "FuzzInput.h"
#include "platform/MessageBox.h"

#include "TempDir.h"

#include <cstdlib>
#include <fstream>

void PrepareInput()
{
    static TempDir* const scratch = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        platform::SetMessageBoxesRecorded(true);
        return new TempDir;
    }();
    (void)scratch;
    platform::ClearRecordedMessageBoxes();
}

void PutInput(const std::string& path, const uint8_t* data, size_t size)
{
    PrepareInput();
    TempDir::Write(path, std::string(reinterpret_cast<const char*>(data), size));
}
