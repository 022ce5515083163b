#pragma once
#include "Synth.h"

// The game's sounds one by one, before they are finished for the file.
namespace audio {

// Music: loops of whole bars that join up at the seam.
Stereo MenuMusic();
Stereo LevelMusic();
Stereo PurifyMusic();

// The intro and the information page.
Stereo IntroSwell();
Stereo DarkDrone(); // a loop too
Stereo ReaderSlide();

// Short effects.
Stereo Click();
Stereo Select();
Stereo MutationWarning();
Stereo CursorEnd();
Stereo NextChime();
Stereo PatternSparkle();

} // namespace audio
