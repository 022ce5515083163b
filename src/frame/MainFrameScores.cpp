#include "app/Assert.h"
#include "frame/MainFrame.h"
#include "render/TexFont.h"

#include <GL/gl.h>
#include <string>

namespace {

const float kPageText[3] = {1.94f, 1.24f, 0.0f};
const float kEasyCorner[3] = {0.6f, 0.0f, 0.0f};
const float kNormalCorner[3] = {0.0f, 0.0f, 0.6f};
const float kHardCorner[3] = {0.6f, 0.0f, 0.6f};

void PrintPageText(CTexFont& font, int x, int y, const char* text) { font.DrawString(x, y, text, kPageText); }

} // namespace

void CMainFrame::DrawEasyScoresPage() { DrawScoresPage("EASY", kEasyCorner); }

void CMainFrame::DrawNormalScoresPage() { DrawScoresPage("NORMAL", kNormalCorner); }

void CMainFrame::DrawHardScoresPage() { DrawScoresPage("HARD", kHardCorner); }

void CMainFrame::DrawScoresPage(const char* title, const float (&corner)[3])
{
    DrawTurningBackground("BACKGROUND3",
        {{{0.0f, 0.9f, 0.0f}, {0.0f, 0.6f, 0.0f}, {0.0f, 0.9f, 0.0f}, {corner[0], corner[1], corner[2]}}});

    m_pLargeFont->Begin();
    m_pLargeFont->SetColorIntensity(1.0f);
    PrintPageText(*m_pLargeFont, 250, 25, title);
    m_pSmallFont->SetColorIntensity(1.0f);
    for (int i = 0; i < CScore::kRows; ++i) {
        const int y = 100 + 20 * i;
        PrintPageText(*m_pSmallFont, 150, y, m_rowNames[i]);
        PrintPageText(*m_pSmallFont, 370, y, std::to_string(m_rowScores[i]).c_str());
        const std::string level = m_rowLevels[i] == 0 ? "-" : std::to_string(m_rowLevels[i]);
        PrintPageText(*m_pSmallFont, 500, y, level.c_str());
    }
    m_pLargeFont->End();
}

void CMainFrame::ShowScores(int skill)
{
    using SetMenu = void (CScore::*)(int, CScore::DisplayName&, int32_t&, int32_t&) const;
    static const struct {
        void (CScore::*sort)();
        SetMenu setMenu;
    } kTables[CScore::kSkills] = {
        {&CScore::SortEasy, &CScore::SetMenuEasy},
        {&CScore::SortNormal, &CScore::SetMenuNormal},
        {&CScore::SortHard, &CScore::SetMenuHard},
    };
    VX_ASSERT(skill >= 0 && skill < CScore::kSkills);
    (m_score.*kTables[skill].sort)();
    for (int i = 0; i < CScore::kRows; ++i)
        (m_score.*kTables[skill].setMenu)(i, m_rowNames[i], m_rowScores[i], m_rowLevels[i]);
}
