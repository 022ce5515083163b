#pragma once
#include "FrameFixture.h"
#include "platform/Clock.h"

#include <filesystem>
#include <memory>

// A started game frame with the game's own pictures and sounds, driven frame
// by frame on a virtual clock, with its last drawn frame at hand.
class ScreenFixture : public FrameFixture {
protected:
    static constexpr DisplaySettings kSize = {640, 480, 32};

    void SetUp() override
    {
        FrameFixture::SetUp();
        std::filesystem::copy(VEXORIN_GAME_DIR "/data", "data", std::filesystem::copy_options::recursive);
        std::filesystem::copy(VEXORIN_GAME_DIR "/sounds", "sounds", std::filesystem::copy_options::recursive);
        std::filesystem::remove("data/config.dat");
        platform::UseClock(&clock);
        platform::GLWindow::SetCaptureFrames(true);
        frame = std::make_unique<CMainFrame>(&kSize);
        ASSERT_EQ(1, frame->Create());
    }
    void TearDown() override
    {
        frame.reset();
        platform::GLWindow::SetCaptureFrames(false);
        platform::UseClock(nullptr);
        FrameFixture::TearDown();
    }

    // Draws one frame that lasts ms.
    void Frame(double ms = 1000.0 / 60.0)
    {
        clock.Advance(ms);
        frame->RenderGLScene();
    }
    void Frames(int n, double ms = 1000.0 / 60.0)
    {
        for (int i = 0; i < n; ++i)
            Frame(ms);
    }
    // Past both intro screens to the main menu. The frame clock measures
    // every second frame, so two long frames make sure one counts.
    void ToMenu()
    {
        Frames(2, 2600);
        frame->OnKeyDown(platform::VK_ESCAPE, false);
        Frame();
    }
    // From the main menu through NEW GAME's fade to the skill choice, in frames of 50 ms.
    void ToSkillScreen()
    {
        ToMenu();
        Click(30, 110);
        for (int n = 0; n < 100 && Screen() != CMainFrame::SCREEN_SKILL_LEVEL; ++n)
            Frame(50);
        ASSERT_EQ(CMainFrame::SCREEN_SKILL_LEVEL, Screen());
    }
    // From the intro or the menu into a running game at skill.
    void StartPlay(int skill = 1)
    {
        ASSERT_NO_FATAL_FAILURE(ToSkillScreen());
        Game().SetSkill(skill);
        Key(platform::VK_RETURN);
        ASSERT_NO_FATAL_FAILURE(RunUntilPlaying());
    }
    // Through the chosen word's fade and the level intro, in long frames.
    void RunUntilPlaying()
    {
        for (int n = 0; n < 50 && Game().GetState() != CGameMngr::kPlay; ++n)
            Frames(2, 100);
        ASSERT_EQ(CMainFrame::SCREEN_PLAY, Screen());
        ASSERT_EQ(CGameMngr::kPlay, Game().GetState());
    }
    CGameMngr& Game() { return frame->GameManager(); }
    void Key(unsigned key) { frame->OnKeyDown(key, false); }
    void Type(const std::string& text)
    {
        for (unsigned char c : text)
            frame->OnChar(c, false);
    }
    void Click(int x, int y)
    {
        frame->OnMouseMove(x, y);
        frame->OnLButtonDown(x, y);
    }
    int Screen() const { return frame->ScreenState(); }

    // A drawn frame, read back once for looking at many of its pixels.
    struct Picture {
        std::vector<uint8_t> rgb;
        int width = 0, height = 0;
        // The colour at (x, y), y from the top: 0xRRGGBB; black outside the picture.
        uint32_t At(int x, int y) const
        {
            if (x < 0 || y < 0 || x >= width || y >= height)
                return 0;
            const size_t at = (static_cast<size_t>(y) * width + x) * 3;
            return (uint32_t(rgb[at]) << 16) | (uint32_t(rgb[at + 1]) << 8) | rgb[at + 2];
        }
    };
    Picture LastFrame() const
    {
        Picture picture;
        if (!frame->Window().ReadFrame(picture.rgb, picture.width, picture.height))
            picture.width = picture.height = 0;
        return picture;
    }
    uint32_t Pixel(int x, int y) const { return LastFrame().At(x, y); }

    static CSoundManager& Sound() { return *Singleton<CSoundManager>::GetSingletonPtr(); }
    static bool Playing(const char* key) { return Sound().IsBufferPlaying(key); }
    // Every sound the game loads: the front end's, the game manager's and the picker's.
    static constexpr const char* kSoundKeys[] = {
        "MENU", "CLICK", "SELECT", "END", "INTRO", "DRONE", "READER", "LEVEL", "PURIFY", "NEXT", "MUTATION", "PATTERN"};

    platform::VirtualClock clock;
    std::unique_ptr<CMainFrame> frame;
};
