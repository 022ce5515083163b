#pragma once
#include "app/DeltaTime.h"
#include "game/DNA.h"
#include "game/Picker.h"
#include "platform/Clock.h"
#include "render/Texture.h"
#include "sound/Sound.h"

#include "../sound/WavBytes.h"
#include "TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A created picker with its strand, frame clock and silent sounds, driven by a virtual clock.
class PickerFixture : public testing::Test {
protected:
    static constexpr int kRate = 44100;

    PickerFixture()
    {
        platform::UseClock(&m_clock);
        const std::string tone = wav::File(1, kRate, 16, wav::Pcm16(std::vector<int16_t>(200, 1000)));
        for (const char* name : {"next", "mutation", "pattern", "select"})
            TempDir::Write(std::string("sounds/") + name + ".wav", tone);
        auto device = platform::AudioDevice::OpenSilent(kRate);
        m_device = device.get();
        m_sound = std::make_unique<CSoundManager>(std::move(device));
        m_sound->LoadWaveIntoBuffer("sounds/select.wav", "SELECT");
        m_dna = std::make_unique<CDNA>();
        m_picker = std::make_unique<CPicker>();
        m_picker->Create();
        srand(7);
    }

    ~PickerFixture() override
    {
        m_picker.reset();
        m_dna.reset();
        m_sound.reset();
        platform::UseClock(nullptr);
    }

    // The next frame lasts ms.
    void SetFrameTime(int ms)
    {
        m_deltaTime.Update();
        m_clock.Advance(ms);
        m_deltaTime.Update();
    }

    void Frame(int ms)
    {
        SetFrameTime(ms);
        m_picker->Update();
    }

    // Plays every sound to its end.
    void FinishSounds()
    {
        std::vector<float> out(2 * 4096);
        m_device->Render(out.data(), 4096);
    }

    // Lays out the ring, picks a next colour from it and starts the highlight.
    void Ring(const std::vector<int>& types)
    {
        for (int i = 0; i < CPicker::kNumSpokes; ++i)
            m_picker->SetSpokeType(i, types[i % types.size()]);
        m_picker->PickNextColor();
        m_picker->SetAllSpokesIsSelected(0);
        m_picker->StartPicker();
    }

    void SetCurrentType(int type) { m_picker->SetSpokeType(m_picker->GetCurrentSpoke(), type); }

    // Score change of collecting a piece of the given type at the current spoke.
    long Collect(int type)
    {
        SetCurrentType(type);
        long before = m_picker->GetScore();
        m_picker->ClearDeselect();
        return m_picker->GetScore() - before;
    }

    // Select, confirm and let the piece fly back out until it is collected.
    void PickAndCollect()
    {
        if (m_picker->GetState() == CPicker::kRunning) {
            ASSERT_EQ(1, m_picker->Select());
        }
        FinishSounds();
        ASSERT_EQ(1, m_picker->Confirm());
        for (int n = 0; n < 20 && m_picker->GetState() == CPicker::kConfirmed; ++n)
            Frame(100);
        ASSERT_NE(CPicker::kConfirmed, m_picker->GetState());
    }

    // Runs frames until the highlight leaves its spoke; needs a pattern that moves it.
    void PassHighlight()
    {
        const int from = m_picker->GetCurrentSpoke();
        for (int n = 0; n < 400 && m_picker->GetCurrentSpoke() == from; ++n) {
            Frame(50);
            if (m_picker->GetState() != CPicker::kRunning)
                return;
        }
    }

    void FillStrand(const std::vector<int>& values)
    {
        for (int v : values)
            m_dna->addMolecule(v);
    }

    TempDir m_dir;
    platform::VirtualClock m_clock;
    CDeltaTime m_deltaTime;
    CTexture m_texture;
    platform::AudioDevice* m_device = nullptr;
    std::unique_ptr<CSoundManager> m_sound;
    std::unique_ptr<CDNA> m_dna;
    std::unique_ptr<CPicker> m_picker;
};
