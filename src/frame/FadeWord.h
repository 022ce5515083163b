#pragma once

class CTexFont;
struct t_letterFade;

// One letter of a word that fades out letter by letter: the letter, where it
// stands and which entry of the letter fade table dims it.
struct t_fadeLetter {
    char letter;
    int x;
    int entry;
};

// Draws count letters at height y, each at the intensity of its fade entry,
// in the font's own colours or, when colour is given, in that colour (r, g, b).
// Call between the font's Begin and End; the font keeps the last letter's intensity.
void DrawFadingWord(
    CTexFont& font, const t_fadeLetter* letters, int count, int y, const t_letterFade* fades, const float* colour);
