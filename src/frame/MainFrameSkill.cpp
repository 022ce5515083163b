#include "frame/FadeWord.h"
#include "frame/MainFrame.h"
#include "render/TexFont.h"

#include <GL/gl.h>

namespace {

const float kDimSkill = 0.2f;

const int kWordX = 200;

// A skill's word on the choice screen, the arrow's height beside it, and how
// the word fades once chosen: its letters with their fade entries and the chain's length.
struct t_skillWord {
    const char* word;
    int y;
    float arrowHeight;
    t_fadeLetter letters[6];
    int letterCount;
    int chainLength;
};

const t_skillWord kSkillWords[] = {
    {"EASY", 150, 1.125f, {{'E', 200, 0}, {'A', 216, 1}, {'S', 232, 2}, {'Y', 248, 3}}, 4, 4},
    // Fades from both ends inwards; entries 4 and 5 dim no letter and only hold play back a little longer.
    {"NORMAL", 190, 0.57f, {{'N', 200, 0}, {'O', 216, 1}, {'R', 232, 2}, {'M', 248, 3}, {'A', 264, 2}, {'L', 280, 1}},
        6, 6},
    {"HARD", 230, 0.0f, {{'H', 200, 0}, {'A', 216, 1}, {'R', 232, 2}, {'D', 248, 3}}, 4, 4},
};

} // namespace

void CMainFrame::DrawSkillLevel()
{
    m_sound.StopIfPlaying("MENU");
    m_gameMngr.Update(m_screenState);
    const int skill = m_gameMngr.GetSkill();
    m_pLargeFont->Begin();
    DrawOrangeTitle("SKILL LEVEL");
    for (int s = 0; s < CScore::kSkills; ++s) {
        m_pSmallFont->SetColorIntensity(s == skill ? 1.0f : kDimSkill);
        m_pSmallFont->DrawString(kWordX, kSkillWords[s].y, kSkillWords[s].word, kTextOrange);
    }
    m_pLargeFont->End();
    m_arrowRamp.Interpolate(Elapsed());
    DrawArrow(kSkillWords[skill].arrowHeight);
}

void CMainFrame::DrawSkillChosen()
{
    m_gameMngr.Update(m_screenState);
    m_sound.StopIfPlaying("MENU");
    const int skill = m_gameMngr.GetSkill();
    const t_skillWord& chosen = kSkillWords[skill];
    m_pLargeFont->Begin();
    DrawOrangeTitle("SKILL LEVEL");
    m_pSmallFont->SetColorIntensity(kDimSkill);
    for (int s = 0; s < CScore::kSkills; ++s)
        if (s != skill)
            m_pSmallFont->DrawString(kWordX, kSkillWords[s].y, kSkillWords[s].word, kTextOrange);
    const bool faded = FadeChainStep(chosen.chainLength);
    DrawFadingWord(*m_pSmallFont, chosen.letters, chosen.letterCount, chosen.y, m_letterFades, kTextOrange);
    if (faded)
        StartLevelOne();
    m_pLargeFont->End();
    DrawArrow(chosen.arrowHeight);
}

void CMainFrame::DrawOrangeTitle(const char* title)
{
    m_pLargeFont->SetColorIntensity(1.0f);
    m_pLargeFont->DrawString(50, 90, title, kTextOrange);
}

void CMainFrame::DrawArrow(float height)
{
    if (m_arrowRamp.GetValue() < kArrowLow)
        m_arrowRamp.Setup(kArrowLow, kArrowHigh, kArrowSwingMs);
    if (m_arrowRamp.GetValue() > kArrowHigh)
        m_arrowRamp.Setup(kArrowHigh, kArrowLow, kArrowSwingMs);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPushMatrix();
    glTranslatef(m_arrowRamp.GetValue(), height, -8.0f);
    m_texture.Use("ARROW");
    glColor3fv(kTextOrange);
    DrawTexQuad(0.3f, 0.0f);
    glPopMatrix();
    glDisable(GL_BLEND);
}

void CMainFrame::StartLevelOne()
{
    m_screenState = SCREEN_PLAY;
    m_gameMngr.SetState(CGameMngr::kLevelIntro);
    m_gameMngr.SetInterPoleatePickerColor();
    const t_levelSettings first = CGameMngr::LevelSettings(1, m_gameMngr.GetSkill());
    CPicker& picker = m_gameMngr.GetPicker();
    picker.SetNumPatterns(first.numPatterns);
    picker.FillSpokes();
    // As for every later level, the speed follows the deal.
    picker.SetPatternSpeed(first.patternSpeed);
}
