#include "frame/MainFrame.h"

#include <GL/gl.h>

void CMainFrame::RenderGLScene()
{
    if (!m_active)
        return;
    m_deltaTime.Update();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    RunScreen();
    m_window.Swap();
    m_window.Invalidate();
}

// Each screen state runs its own screen; a state with none draws nothing.
void CMainFrame::RunScreen()
{
    const int screen = m_screenState;
    // The menu music runs on, unbroken, across every menu screen.
    if (screen >= SCREEN_MAIN_MENU && screen <= SCREEN_CREDITS)
        m_sound.PlayBuffer("MENU", 0);
    switch (screen) {
    case SCREEN_MAIN_MENU: DrawMainMenu(); break;
    case SCREEN_FADE_NEW_GAME: FadeNew(); break;
    case SCREEN_FADE_SCORES: FadeScores(); break;
    case SCREEN_FADE_INFORMATION: FadeInfo(); break;
    case SCREEN_FADE_CREDITS: FadeCredits(); break;
    case SCREEN_FADE_QUIT: FadeQuit(); break;
    case SCREEN_SCORES_EASY: DrawEasyScoresPage(); break;
    case SCREEN_SCORES_NORMAL: DrawNormalScoresPage(); break;
    case SCREEN_SCORES_HARD: DrawHardScoresPage(); break;
    case SCREEN_INFORMATION: DrawInfoPage(); break;
    case SCREEN_CREDITS: DrawCreditsPage(); break;
    case SCREEN_SKILL_LEVEL: DrawSkillLevel(); break;
    case SCREEN_PLAY: m_gameMngr.Update(m_screenState); break;
    case SCREEN_SKILL_CHOSEN: DrawSkillChosen(); break;
    case SCREEN_GAME_OVER: DrawGameOver(); break;
    case SCREEN_INTRO_CUBE: DrawIntroCube(); break;
    case SCREEN_INTRO_LOGO: DrawIntroLogo(); break;
    default: break;
    }
    if (screen >= SCREEN_MAIN_MENU && screen <= SCREEN_CREDITS)
        DrawGLMouse();
}

void CMainFrame::ResetFadeFont()
{
    for (t_letterFade& fade : m_letterFades) {
        fade.intensity = 1.0f;
        fade.ramp.Setup(1.0f, 0.0f, 250.0f);
    }
}

// Each letter starts once the one before has dimmed below 0.3, judged on this frame's values.
bool CMainFrame::FadeChainStep(int n)
{
    const float elapsed = Elapsed();
    for (int k = 0; k < n; ++k) {
        t_letterFade& fade = m_letterFades[k];
        if (k > 0 && !(m_letterFades[k - 1].intensity < 0.3f))
            continue;
        fade.ramp.Interpolate(elapsed);
        fade.intensity = fade.ramp.GetValue();
    }
    return m_letterFades[n - 1].intensity <= 0.0f;
}

float CMainFrame::Elapsed() const { return m_deltaTime.GetDeltaTime(); }

void CMainFrame::PlaySound(const char* key) { m_sound.PlayBuffer(key, 0); }
