// The display settings file as the frame reads it before the window exists.
#include "FuzzInput.h"
#include "frame/MainFrame.h"
#include "platform/File.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PutInput("data/config.dat", data, size);
    static const DisplaySettings kForced{800, 600, 32};
    static CMainFrame* const frame = new CMainFrame(&kForced);
    platform::File file;
    if (file.Open("data/config.dat", platform::File::modeRead))
        frame->ReadConfigFile(file);
    return 0;
}
