#include "game/Picker.h"
#include "render/TexFont.h"

#include <cstdio>
#include <string>

namespace {

void PrintNumber(CTexFont* font, int x, int y, int value)
{
    if (font)
        font->DrawString(x, y, std::to_string(value).c_str(), kTextOrange);
}

void Print(CTexFont* font, int x, int y, const char* text)
{
    if (font)
        font->DrawString(x, y, text);
}

} // namespace

CTexFont* CPicker::Font(int n, float intensity)
{
    CTexFont* font = m_fonts[n - 1].get();
    if (font)
        font->SetColorIntensity(intensity);
    return font;
}

void CPicker::PrintRoundText(const char* text, int x, int y, const float (&rgb)[3])
{
    CTexFont* font = Font(3, 1.0f);
    if (!font)
        return;
    font->Begin();
    font->DrawString(x, y, text, rgb);
    font->End();
}

float CPicker::AdvanceTextColour()
{
    Advance(m_textColorRamp);
    return m_textColorRamp.GetValue();
}

// The penalty of a wrong pick at the current skill.
void CPicker::PrintPenalty(int x, int y, float intensity)
{
    char text[16];
    std::snprintf(text, sizeof text, "-%d POINTS", 5 * (m_skill + 1));
    Print(Font(1, intensity), x, y, text);
}

void CPicker::DrawMutationText()
{
    const int type = CurrentType();
    if (!IsPieceSelected() || type < kRed || type > kYellow || type == m_nextColor)
        return;
    const float intensity = AdvanceTextColour();
    Print(Font(1, intensity), 75, 95, "MUTATION");
    PrintPenalty(50, 300, intensity);
}

void CPicker::DrawPatternText()
{
    if (IsPieceSelected() && CurrentType() >= kFirstPattern)
        Print(Font(2, AdvanceTextColour()), 100, 95, "PATTERN");
}

void CPicker::DrawPurifyText()
{
    if (IsPieceSelected() && CurrentType() == kPurifier)
        Print(Font(5, AdvanceTextColour()), 100, 95, "PURIFY");
}

void CPicker::DrawBombText()
{
    if (IsPieceSelected() && CurrentType() == kBomb)
        Print(Font(4, AdvanceTextColour()), 100, 95, "BOMB");
}

// Labelled, as the missed count is, so the number on its plaque says what it counts.
void CPicker::DrawTotalMutations()
{
    CTexFont* label = Font(3, 0.6f);
    if (label)
        label->DrawString(120, 410, "MUTATIONS:", kTextOrange);
    PrintNumber(Font(3, 1.0f), 280, 410, m_countMutations);
}

void CPicker::DrawBonus()
{
    if (!IsPieceSelected())
        return;
    const int type = CurrentType();
    if (type == kEmptyPlace)
        PrintPenalty(65, 95, m_ringSelectIntensity);
    if (type != m_nextColor || type == kBomb || type == kPurifier)
        return;
    if (m_misses == 0) {
        char text[16];
        std::snprintf(text, sizeof text, "BONUS %d", FirstPassBonus());
        Print(Font(5, m_ringSelectIntensity), 65, 95, text);
    }
    if (m_misses >= GetMissLimit()) {
        Print(Font(1, m_ringSelectIntensity), 25, 95, "AUTO MUTATION");
        PrintPenalty(50, 300, m_ringSelectIntensity);
    }
    CTexFont* font = Font(3, m_ringSelectIntensity);
    if (font)
        font->DrawString(100, 270, "MISSED:", kTextOrange);
    PrintNumber(font, 250, 270, m_misses);
}
