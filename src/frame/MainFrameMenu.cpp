#include "frame/FadeWord.h"
#include "frame/MainFrame.h"
#include "platform/Messages.h"
#include "render/ScreenSpace.h"
#include "render/TexFont.h"
#include "render/TextBox.h"

#include <GL/gl.h>

namespace {

constexpr float kLit = 1.0f;
constexpr float kDim = 0.35f;

struct t_menuItem {
    const char* text;
    int y;
};

constexpr t_menuItem kMenuItems[CMainFrame::MENU_ITEMS] = {
    {"NEW GAME", 100}, {"SCORES", 150}, {"INFORMATION", 200}, {"CREDITS", 250}, {"QUIT", 300}};

// Each word dims from both ends towards its middle; extra chain entries only delay the next screen.
constexpr t_fadeLetter kNewGame[] = {
    {'N', 20, 0}, {'E', 36, 1}, {'W', 52, 2}, {'G', 84, 3}, {'A', 100, 2}, {'M', 116, 1}, {'E', 132, 0}};
constexpr t_fadeLetter kScores[] = {
    {'S', 20, 0}, {'C', 36, 1}, {'O', 52, 2}, {'R', 68, 2}, {'E', 84, 1}, {'S', 100, 0}};
constexpr t_fadeLetter kInformation[] = {{'I', 20, 0}, {'N', 36, 1}, {'F', 52, 2}, {'O', 68, 3}, {'R', 84, 4},
    {'M', 100, 5}, {'A', 116, 4}, {'T', 132, 3}, {'I', 148, 2}, {'O', 164, 1}, {'N', 180, 0}};
constexpr t_fadeLetter kCredits[] = {
    {'C', 20, 0}, {'R', 36, 1}, {'E', 52, 2}, {'D', 68, 3}, {'I', 84, 2}, {'T', 100, 1}, {'S', 116, 0}};
constexpr t_fadeLetter kQuit[] = {{'Q', 20, 0}, {'U', 36, 1}, {'I', 52, 2}, {'T', 68, 3}};

struct t_chosenWord {
    const t_fadeLetter* letters;
    int count;
    int chain;
};

template <int N>
constexpr t_chosenWord Word(const t_fadeLetter (&letters)[N], int chain)
{
    return {letters, N, chain};
}

const t_chosenWord kChosenWords[CMainFrame::MENU_ITEMS] = {
    Word(kNewGame, 7), Word(kScores, 6), Word(kInformation, 11), Word(kCredits, 7), Word(kQuit, 4)};

// Which hexagon clusters an item drives, and where; the rest stay undrawn.
struct t_hexPlace {
    CHex* hex;
    float x, y;
};

struct t_hexDrive {
    int count;
    t_hexPlace places[3];
};

constexpr float kHexDepth = -4.0f;

const t_hexDrive kHexDrives[CMainFrame::MENU_ITEMS] = {
    {3, {{&startHex, -0.5f, 1.0f}, {&startHex2, -2.5f, 2.0f}, {&startHex3, 1.5f, 0.0f}}},
    {1, {{&startHex, 0.5f, 1.0f}}},
    {2, {{&startHex2, -0.5f, 2.0f}, {&startHex3, -0.5f, 0.0f}}},
    {1, {{&startHex3, -0.5f, 0.0f}}},
    {3, {{&startHex, -0.5f, 1.0f}, {&startHex2, 1.5f, 2.0f}, {&startHex3, -2.25f, -0.25f}}},
};

struct t_backCorner {
    float x, y;
    float s, t; // added to the scroll offset: the texture repeats four times across
};

// The background square lies this deep, wide enough to fill the view however it turns.
constexpr float kBackDepth = -13.0f;
constexpr t_backCorner kBackCorners[4] = {
    {-10.5f, -10.5f, 0, 0}, {10.5f, -10.5f, 4, 0}, {10.5f, 10.5f, 4, 4}, {-10.5f, 10.5f, 0, 4}};

constexpr CMainFrame::BackgroundColours kMenuBackground = {
    {{0.9f, 0.0f, 0.9f}, {0.0f, 0.0f, 0.5f}, {0.0f, 0.0f, 0.9f}, {0.5f, 0.0f, 0.5f}}};

struct t_handCorner {
    short dx, dy;
    float colour[3];
    float s, t;
};

// The hand's fingertip lies 25 units right of its left edge, at the pointer.
constexpr t_handCorner kHandCorners[] = {
    {-25, 0, {0.2f, 1.0f, 0.0f}, 0, 0},
    {-25, 32, {0.3f, 1.0f, 0.0f}, 1, 0},
    {7, 32, {1.0f, 1.0f, 0.0f}, 1, 1},
    {7, 0, {0.4f, 1.0f, 0.0f}, 0, 1},
};

} // namespace

float CMainFrame::TurnDegrees(CLinearInterpolation& ramp, float elapsed, float turnMs)
{
    ramp.Interpolate(elapsed);
    const float degrees = ramp.GetValue();
    RestartTurnIfPast(ramp, turnMs);
    return degrees;
}

void CMainFrame::DrawMainMenuBackGound() { DrawTurningBackground("BACKGROUND5", kMenuBackground); }

// Every page with the turning background shares its two ramps, so it moves
// on smoothly from one screen to the next. This frame keeps the values
// taken; a restart shows from the next frame on.
void CMainFrame::DrawTurningBackground(const char* texture, const BackgroundColours& colours)
{
    const float elapsed = Elapsed();
    const float angle = TurnDegrees(m_backAngle, elapsed, kBackTurnMs);
    m_backScroll.Interpolate(elapsed);
    const float scroll = m_backScroll.GetValue();
    if (scroll > 1.0f)
        m_backScroll.Setup(0.0f, 1.0f, kBackScrollMs);

    glPushMatrix();
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    m_texture.Use(texture);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        const t_backCorner& corner = kBackCorners[i];
        glColor3fv(colours.corner[i]);
        glTexCoord2f(scroll + corner.s, scroll + corner.t);
        glVertex3f(corner.x, corner.y, kBackDepth);
    }
    glEnd();
    glPopMatrix();
}

void CMainFrame::DrawMainMenu()
{
    DrawMainMenuBackGound();
    m_pLargeFont->Begin();
    DrawMenuTitle();
    const int lit = ItemUnderPointer();
    for (int item = 0; item < MENU_ITEMS; ++item)
        DrawMenuItem(item, item == lit ? kLit : kDim);
    m_pLargeFont->End();
    UpdateHex();
    DrawVersionLabel();
}

void CMainFrame::DrawMenuTitle()
{
    m_pLargeFont->SetColorIntensity(kLit);
    m_pLargeFont->DrawString(175, 25, "VEXORIN");
}

void CMainFrame::DrawMenuItem(int item, float intensity)
{
    m_pSmallFont->SetColorIntensity(intensity);
    m_pSmallFont->DrawString(20, kMenuItems[item].y, kMenuItems[item].text);
}

bool CMainFrame::DrawItemFade(int chosen)
{
    const t_chosenWord& word = kChosenWords[chosen];
    DrawMainMenuBackGound();
    m_pLargeFont->Begin();
    DrawMenuTitle();
    for (int item = 0; item < MENU_ITEMS; ++item)
        if (item != chosen)
            DrawMenuItem(item, kDim);
    DrawFadingWord(*m_pSmallFont, word.letters, word.count, kMenuItems[chosen].y, m_letterFades, nullptr);
    m_pLargeFont->End();
    const bool over = FadeChainStep(word.chain);
    UpdateHex();
    DrawVersionLabel();
    return over;
}

void CMainFrame::FadeNew()
{
    if (!DrawItemFade(MENU_NEW_GAME))
        return;
    m_screenState = SCREEN_SKILL_LEVEL;
    m_gameMngr.SetState(CGameMngr::kIdle);
    m_arrowRamp.Setup(kArrowHigh, kArrowLow, kArrowSwingMs);
}

void CMainFrame::FadeScores()
{
    if (!DrawItemFade(MENU_SCORES))
        return;
    m_screenState = SCREEN_SCORES_EASY;
    ShowScores(CScore::easy);
}

void CMainFrame::FadeInfo()
{
    if (!DrawItemFade(MENU_INFORMATION))
        return;
    m_screenState = SCREEN_INFORMATION;
    ResetInfoPage();
}

void CMainFrame::FadeCredits()
{
    if (DrawItemFade(MENU_CREDITS))
        m_screenState = SCREEN_CREDITS;
}

// The program ends through the window's close, which shuts everything down in order.
void CMainFrame::FadeQuit()
{
    if (!DrawItemFade(MENU_QUIT))
        return;
    m_sound.StopIfPlaying("CLICK");
    platform::Message close;
    close.type = platform::Message::Close;
    platform::PostMessage(close);
}

void CMainFrame::UpdateHex()
{
    const int item = ItemUnderPointer();
    if (item == MENU_ITEMS) {
        startHex.ResetInit();
        startHex2.ResetInit();
        startHex3.ResetInit();
        return;
    }
    const float elapsed = Elapsed();
    const t_hexDrive& drive = kHexDrives[item];
    for (int i = 0; i < drive.count; ++i)
        drive.places[i].hex->Update(drive.places[i].x, drive.places[i].y, kHexDepth, elapsed);
}

void CMainFrame::DrawVersionLabel()
{
    m_pLabelBox->SetColor({255, 255, 255, 255});
    m_pLabelBox->Begin();
    m_pLabelBox->DrawStr(530, 450, "V2.0.0");
    m_pLabelBox->End();
}

void CMainFrame::DrawGLMouse()
{
    screen_space::Push();
    screen_space::SetTextState();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    m_texture.Use("HAND");
    glBegin(GL_QUADS);
    for (const t_handCorner& corner : kHandCorners) {
        glColor3fv(corner.colour);
        glTexCoord2f(corner.s, corner.t);
        glVertex2s(static_cast<short>(m_mouseX + corner.dx), static_cast<short>(m_mouseY + corner.dy));
    }
    glEnd();
    glDisable(GL_BLEND);
    screen_space::Pop();
}

int CMainFrame::ItemUnderPointer() const
{
    for (int item = 0; item < MENU_ITEMS; ++item)
        if (m_menuRects[item].Contains(m_mouseX, m_mouseY))
            return item;
    return MENU_ITEMS;
}
