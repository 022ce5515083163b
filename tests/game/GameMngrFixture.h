#pragma once
#include "app/DeltaTime.h"
#include "frame/MainFrame.h"
#include "game/GameMngr.h"
#include "platform/Clock.h"
#include "render/Texture.h"
#include "sound/Sound.h"

#include "../sound/WavBytes.h"
#include "GLContext.h"
#include "TempDir.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A created game manager in a 640 x 480 view set up as the game's, with a
// frame clock on a virtual clock and one-second music on a silent device.
// No texture file is loaded unless a test writes one: every texture is then
// empty and pictures show their bare vertex colours.
class GameMngrFixture : public testing::Test {
protected:
    static constexpr int kRate = 44100;
    static constexpr int kScreenPlay = 112;

    GameMngrFixture()
    {
        platform::UseClock(&m_clock);
        const std::string music = wav::File(1, kRate, 16, wav::Pcm16(std::vector<int16_t>(kRate, 2000)));
        TempDir::Write("sounds/level.wav", music);
        TempDir::Write("sounds/purify.wav", music);
        auto device = platform::AudioDevice::OpenSilent(kRate);
        m_device = device.get();
        m_sound = std::make_unique<CSoundManager>(std::move(device));
        m_gm = std::make_unique<CGameMngr>();
        m_gm->Create();
        SetInitialGLState();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 640.0 / 480.0, 0.1f, 100.0);
        glMatrixMode(GL_MODELVIEW);
        srand(11);
    }

    ~GameMngrFixture() override
    {
        m_gm.reset();
        m_sound.reset();
        platform::UseClock(nullptr);
    }

    CPicker& Picker() { return m_gm->GetPicker(); }

    // One frame of the game lasting ms, drawn on a cleared screen.
    void Frame(int ms)
    {
        m_deltaTime.Update();
        m_clock.Advance(ms);
        m_deltaTime.Update();
        m_gl.Clear();
        glLoadIdentity();
        m_gm->Update(m_screen);
    }

    // What the front end does once the skill is chosen: the first level fades in.
    void StartLevelOne(int skill = 1)
    {
        m_gm->Clear();
        m_gm->SetSkill(skill);
        Picker().SetSkill(skill);
        m_screen = kScreenPlay;
        m_gm->SetState(CGameMngr::kLevelIntro);
        m_gm->SetInterPoleatePickerColor();
        const t_levelSettings first = CGameMngr::LevelSettings(1, skill);
        Picker().SetNumPatterns(first.numPatterns);
        Picker().FillSpokes();
        Picker().SetPatternSpeed(first.patternSpeed);
    }

    // Runs 50 ms frames while the game stays in `state`; false if it never leaves it.
    bool RunWhile(int state, int maxMs = 5000)
    {
        for (int ms = 0; ms < maxMs && m_gm->GetState() == state; ms += 50)
            Frame(50);
        return m_gm->GetState() != state;
    }

    void StartPlay(int skill = 1)
    {
        StartLevelOne(skill);
        ASSERT_TRUE(RunWhile(CGameMngr::kLevelIntro));
        ASSERT_EQ(CGameMngr::kPlay, m_gm->GetState());
    }

    // A colour the strand does not want now: collecting it makes a mutation.
    int WrongColour() { return Picker().GetNextColor() % 4 + 1; }

    // Lets the mixer run on until sounds of up to `ms` have played to their end.
    void PlaySounds(int ms)
    {
        std::vector<float> out(2 * 4096);
        for (int done = 0; done < ms * kRate / 1000; done += 4096)
            m_device->Render(out.data(), 4096);
    }

    static uint32_t Red(uint32_t rgb) { return rgb >> 16; }
    static uint32_t Green(uint32_t rgb) { return (rgb >> 8) & 0xFF; }
    static uint32_t Blue(uint32_t rgb) { return rgb & 0xFF; }

    TempDir m_dir;
    platform::VirtualClock m_clock;
    GLContext m_gl;
    CDeltaTime m_deltaTime;
    CTexture m_texture;
    platform::AudioDevice* m_device = nullptr;
    std::unique_ptr<CSoundManager> m_sound;
    std::unique_ptr<CGameMngr> m_gm;
    int m_screen = kScreenPlay;
};
