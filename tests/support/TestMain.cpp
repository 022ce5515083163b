#include "platform/MessageBox.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Real rendering and audio, without a display or a sound card.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::SetMessageBoxesRecorded(true);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
