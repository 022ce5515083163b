#include "frame/MainFrame.h"
#include "platform/GLWindow.h"

#include <GL/gl.h>
#include <algorithm>
#include <cctype>
#include <cstring>

using namespace platform;

namespace {

bool IsNameCharacter(unsigned ch) { return ch < 128 && std::isalnum(static_cast<int>(ch)); }

// What a pad's up and down step through under the name cursor.
constexpr char kPadAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
constexpr int kPadLetters = sizeof kPadAlphabet - 1;

// F5 and F6 step the volume, F3 and F4 the gamma, each within its limits.
constexpr float kVolumeStep = 0.05f;
constexpr float kQuietestVolume = 0.75f;
constexpr float kGammaStep = 0.1f;
constexpr float kLowestGamma = 0.7f;
constexpr float kHighestGamma = 2.5f;

bool IsPage(int screen) { return screen >= CMainFrame::SCREEN_SCORES_EASY && screen <= CMainFrame::SCREEN_CREDITS; }

} // namespace

void CMainFrame::OnKeyDown(unsigned key, bool repeat)
{
    if (repeat)
        return;
    const int screen = m_screenState;
    ActOnScreenKey(key, screen);
    ChangeSettingByKey(key);
    NavigateByKey(key, screen);
}

// What a key does on the screen it was pressed on.
void CMainFrame::ActOnScreenKey(unsigned key, int screen)
{
    switch (key) {
    case VK_BACK:
        if (screen == SCREEN_GAME_OVER)
            EraseNameCharacter();
        break;
    case VK_RETURN:
        if (screen == SCREEN_SKILL_LEVEL)
            ChooseSkill();
        if (screen == SCREEN_GAME_OVER)
            RecordResult();
        break;
    case VK_PAUSE:
        if (screen == SCREEN_PLAY)
            TogglePause();
        break;
    case VK_ESCAPE:
        if (screen == SCREEN_PLAY)
            AskToQuit();
        if (screen == SCREEN_INTRO_CUBE)
            LeaveIntro();
        break;
    case VK_SPACE:
        if (screen == SCREEN_GAME_OVER)
            AddNameBlank();
        if (screen == SCREEN_PLAY)
            SelectOrConfirm(true);
        break;
    case VK_UP:
        if (screen == SCREEN_SKILL_LEVEL)
            m_gameMngr.SetSkill(std::max<int>(CScore::easy, m_gameMngr.GetSkill() - 1));
        break;
    case VK_DOWN:
        if (screen == SCREEN_SKILL_LEVEL)
            m_gameMngr.SetSkill(std::min<int>(CScore::hard, m_gameMngr.GetSkill() + 1));
        break;
    default: break;
    }
}

// The volume, gamma and full-screen keys work on every screen.
void CMainFrame::ChangeSettingByKey(unsigned key)
{
    switch (key) {
    case VK_F3: ChangeGamma(-kGammaStep); break;
    case VK_F4: ChangeGamma(kGammaStep); break;
    case VK_F5: ChangeVolume(-kVolumeStep); break;
    case VK_F6: ChangeVolume(kVolumeStep); break;
    case VK_F11: ToggleFullscreen(); break;
    default: break;
    }
}

void CMainFrame::ChooseSkill()
{
    m_screenState = SCREEN_SKILL_CHOSEN;
    ResetFadeFont();
    m_gameMngr.GetPicker().SetSkill(m_gameMngr.GetSkill());
}

void CMainFrame::AskToQuit()
{
    if (m_gameMngr.GetState() == CGameMngr::kPlay && m_gameMngr.GetPicker().GetState() == CPicker::kRunning)
        m_gameMngr.SetState(CGameMngr::kQuitPrompt);
}

void CMainFrame::NavigateByKey(unsigned key, int screen)
{
    const bool press = key == VK_RETURN || key == VK_SPACE;
    if (screen == SCREEN_MAIN_MENU && (key == VK_UP || key == VK_DOWN))
        MovePointerToItem(key == VK_UP ? -1 : 1);
    else if ((screen == SCREEN_MAIN_MENU && press) || (IsPage(screen) && (press || key == VK_ESCAPE)))
        OnLButtonDown(m_mouseX, m_mouseY);
}

// The pointer lands in the middle of the item, so the item lights and clicks as under the mouse.
void CMainFrame::MovePointerToItem(int step)
{
    const int current = ItemUnderPointer();
    const int item = current == MENU_ITEMS ? MENU_NEW_GAME : std::clamp(current + step, 0, MENU_ITEMS - 1);
    const t_menuRect& rect = m_menuRects[item];
    m_mouseX = (rect.left + rect.right) / 2;
    m_mouseY = (rect.top + rect.bottom) / 2;
}

void CMainFrame::OnSysKeyDown(unsigned key)
{
    if (key == VK_RETURN)
        ToggleFullscreen();
}

void CMainFrame::ToggleFullscreen()
{
    if (!m_window.SwitchFullscreen(!m_fullscreen))
        return;
    m_fullscreen = m_fullscreen ? 0 : 1;
    // Full screen shows only the game's own pointer; a window hides the system's on the next move.
    if (m_fullscreen)
        ShowSystemCursor(false);
}

// A player who switched away cannot watch the ring: play stops as P stops it.
void CMainFrame::OnActivateApp(bool active)
{
    m_active = active ? 1 : 0;
    if (!active && m_screenState == SCREEN_PLAY && m_gameMngr.GetState() == CGameMngr::kPlay)
        TogglePause();
}

void CMainFrame::OnPadButton(unsigned button)
{
    const int screen = m_screenState;
    if (screen == SCREEN_GAME_OVER) {
        PadNameEntry(button);
        return;
    }
    if (screen == SCREEN_PLAY && m_gameMngr.GetState() == CGameMngr::kQuitPrompt) {
        if (button == PAD_A || button == PAD_Y)
            OnChar('Y', false);
        else if (button == PAD_B)
            OnChar('N', false);
        return;
    }
    switch (button) {
    case PAD_UP: OnKeyDown(VK_UP, false); break;
    case PAD_DOWN: OnKeyDown(VK_DOWN, false); break;
    case PAD_A: OnKeyDown(screen == SCREEN_SKILL_LEVEL ? VK_RETURN : VK_SPACE, false); break;
    case PAD_B: OnKeyDown(VK_ESCAPE, false); break;
    case PAD_START: OnKeyDown(screen == SCREEN_PLAY ? VK_PAUSE : VK_RETURN, false); break;
    default: break;
    }
}

// Up and down choose the character under the cursor; accepting it types it.
void CMainFrame::PadNameEntry(unsigned button)
{
    const char shown = m_name[m_nameLength];
    switch (button) {
    case PAD_UP: ChangePadCharacter(1); break;
    case PAD_DOWN: ChangePadCharacter(-1); break;
    case PAD_A:
    case PAD_RIGHT:
        if (shown == ' ' || shown == '\0')
            OnKeyDown(VK_SPACE, false);
        else
            OnChar(static_cast<unsigned char>(shown), false);
        break;
    case PAD_B:
    case PAD_LEFT: OnKeyDown(VK_BACK, false); break;
    case PAD_START: OnKeyDown(VK_RETURN, false); break;
    default: break;
    }
}

void CMainFrame::ChangePadCharacter(int step)
{
    if (m_nameLength >= kNameLength)
        return;
    const char* found = std::strchr(kPadAlphabet, m_name[m_nameLength]);
    const int at = found && *found ? static_cast<int>(found - kPadAlphabet) : kPadLetters - 1;
    m_name[m_nameLength] = kPadAlphabet[(at + step + kPadLetters) % kPadLetters];
    m_name[m_nameLength + 1] = '\0';
}

void CMainFrame::OnChar(unsigned ch, bool repeat)
{
    if (repeat)
        return;
    if (m_screenState == SCREEN_GAME_OVER) {
        if (IsNameCharacter(ch))
            TypeNameCharacter(ch);
        return;
    }
    if (m_screenState != SCREEN_PLAY)
        return;
    const int state = m_gameMngr.GetState();
    switch (std::toupper(static_cast<int>(ch))) {
    case 'N':
        if (state == CGameMngr::kQuitPrompt)
            m_gameMngr.SetState(CGameMngr::kPlay);
        break;
    case 'P': TogglePause(); break;
    case 'Y':
        if (state == CGameMngr::kQuitPrompt) {
            m_screenState = SCREEN_MAIN_MENU;
            m_gameMngr.StopLevelSound();
            m_gameMngr.Clear();
        }
        break;
    default: break;
    }
}

void CMainFrame::OnLButtonDown(int, int)
{
    switch (m_screenState) {
    case SCREEN_MAIN_MENU: ClickMenu(); break;
    case SCREEN_SCORES_EASY:
        PlaySound("CLICK");
        m_screenState = SCREEN_SCORES_NORMAL;
        ShowScores(CScore::normal);
        break;
    case SCREEN_SCORES_NORMAL:
        PlaySound("CLICK");
        m_screenState = SCREEN_SCORES_HARD;
        ShowScores(CScore::hard);
        break;
    case SCREEN_SCORES_HARD:
    case SCREEN_INFORMATION:
    case SCREEN_CREDITS:
        PlaySound("CLICK");
        m_screenState = SCREEN_MAIN_MENU;
        break;
    case SCREEN_PLAY:
        if (m_gameMngr.GetState() == CGameMngr::kPlay)
            SelectOrConfirm(false);
        break;
    default: break;
    }
}

// The menu answers to the pointer's drawn place, the last position a move reported.
void CMainFrame::ClickMenu()
{
    static const struct {
        MenuItem item;
        int screen;
    } kChoices[] = {{MENU_QUIT, SCREEN_FADE_QUIT}, {MENU_NEW_GAME, SCREEN_FADE_NEW_GAME},
        {MENU_SCORES, SCREEN_FADE_SCORES}, {MENU_INFORMATION, SCREEN_FADE_INFORMATION},
        {MENU_CREDITS, SCREEN_FADE_CREDITS}};
    for (const auto& choice : kChoices) {
        if (m_menuRects[choice.item].Contains(m_mouseX, m_mouseY)) {
            PlaySound("CLICK");
            m_screenState = choice.screen;
            ResetFadeFont();
            return;
        }
    }
}

void CMainFrame::OnMouseMove(int x, int y)
{
    m_mouseX = x;
    m_mouseY = y;
    if (!m_fullscreen)
        ShowSystemCursor(false);
}

void CMainFrame::OnNcMouseMove(int hitTest)
{
    if (!m_fullscreen && (hitTest == HTCAPTION || hitTest == HTMINBUTTON))
        ShowSystemCursor(true);
}

// Space tries both in one press; a click only the one that applies.
void CMainFrame::SelectOrConfirm(bool both)
{
    if (m_gameMngr.GetState() != CGameMngr::kPlay)
        return;
    CPicker& picker = m_gameMngr.GetPicker();
    const bool selected = picker.Select() == 1;
    if (both || !selected)
        picker.Confirm();
}

void CMainFrame::TogglePause()
{
    const int state = m_gameMngr.GetState();
    if (m_gameMngr.GetPicker().GetState() != CPicker::kRunning ||
        (state != CGameMngr::kPlay && state != CGameMngr::kPaused))
        return;
    ++m_pauseCount;
    m_gameMngr.SetState(m_pauseCount % 2 == 0 ? CGameMngr::kPaused : CGameMngr::kPlay);
    if (m_pauseCount >= 3)
        m_pauseCount = 1;
}

void CMainFrame::TypeNameCharacter(unsigned ch)
{
    if (m_nameLength >= kNameLength) {
        PlaySound("END");
        return;
    }
    PlaySound("CLICK");
    m_name[m_nameLength] = static_cast<char>(std::toupper(static_cast<int>(ch)));
    m_nameLength = std::min(m_nameLength + 1, kNameLength);
    m_name[std::min(m_nameLength + 1, kNameLength + 1)] = '\0';
    m_cursorX = std::min(m_cursorX + kNameCursorStep, kNameCursorEnd);
}

void CMainFrame::EraseNameCharacter()
{
    if (m_nameLength <= 0)
        return;
    PlaySound("END");
    m_nameLength = std::max(m_nameLength - 1, 0);
    m_name[m_nameLength] = ' ';
    m_name[std::min(m_nameLength + 1, kNameLength + 1)] = '\0';
    m_cursorX = std::max(m_cursorX - kNameCursorStep, kNameX);
}

void CMainFrame::AddNameBlank()
{
    if (m_nameLength >= kNameLength)
        return;
    m_name[m_nameLength] = ' ';
    m_name[std::min(m_nameLength + 1, kNameLength + 1)] = '\0';
    m_nameLength = std::min(m_nameLength + 1, kNameLength);
    m_cursorX += kNameCursorStep;
}

void CMainFrame::ChangeVolume(float step)
{
    m_volumeFactor = std::clamp(m_volumeFactor + step, kQuietestVolume, 1.0f);
    SetFrontEndVolume(m_volumeFactor);
    m_gameMngr.SetVolume(m_volumeFactor);
    m_gameMngr.GetPicker().SetVolume(m_volumeFactor);
}

void CMainFrame::ChangeGamma(float step)
{
    m_gamma = std::clamp(m_gamma + step, kLowestGamma, kHighestGamma);
    if (!SetGamma(m_gamma, 0.0f))
        ApplyGammaToTextures();
}

// A display that refuses gamma ramps gets the gamma baked into every texture
// and the light instead; the time spent reloading is not counted as play.
void CMainFrame::ApplyGammaToTextures()
{
    const float started = ClockSeconds();
    m_texture.ReloadWithGamma(m_gamma);
    const GLfloat light[] = {m_gamma, m_gamma, m_gamma, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, light);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light);
    const float spent = ClockSeconds() - started;
    m_deltaTime.SetStartFrameTime(m_deltaTime.GetStartFrameTime() + spent);
}
