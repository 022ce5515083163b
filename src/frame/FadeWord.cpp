#include "frame/FadeWord.h"
#include "frame/MainFrame.h"
#include "render/TexFont.h"

void DrawFadingWord(
    CTexFont& font, const t_fadeLetter* letters, int count, int y, const t_letterFade* fades, const float* colour)
{
    for (int i = 0; i < count; ++i) {
        const t_fadeLetter& letter = letters[i];
        const char text[2] = {letter.letter, '\0'};
        font.SetColorIntensity(fades[letter.entry].intensity);
        if (colour)
            font.DrawString(letter.x, y, text, colour[0], colour[1], colour[2]);
        else
            font.DrawString(letter.x, y, text);
    }
}
