#include "sound/Sound.h"

#include "TempDir.h"
#include "WavBytes.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

namespace {

const int kRate = 44100;
const int kFrames = 1000;

// Frame k of the ramp holds k / 32768, so the output tells which frame plays.
std::string Ramp(int frames = kFrames)
{
    std::vector<int16_t> samples;
    for (int k = 0; k < frames; ++k)
        samples.push_back(static_cast<int16_t>(k));
    return wav::File(1, kRate, 16, wav::Pcm16(samples));
}

std::string Constant(int16_t value)
{
    return wav::File(1, kRate, 16, wav::Pcm16(std::vector<int16_t>(kFrames, value)));
}

class SoundLibrary : public testing::Test {
protected:
    SoundLibrary()
    {
        auto device = platform::AudioDevice::OpenSilent(kRate);
        m_device = device.get();
        m_sound = std::make_unique<CSoundManager>(std::move(device));
        TempDir::Write("sounds/ramp.wav", Ramp());
    }

    // The left side of the next frames the device plays.
    std::vector<float> Render(size_t frames)
    {
        std::vector<float> stereo(2 * frames);
        m_device->Render(stereo.data(), frames);
        std::vector<float> left;
        for (size_t i = 0; i < frames; ++i)
            left.push_back(stereo[2 * i]);
        return left;
    }

    int NextRampFrame() { return static_cast<int>(std::lround(Render(1)[0] * 32768.0f)); }

    void Lose(const std::string& key) { m_sound->Buffers().at(key).buffer->MarkLost(); }

    TempDir m_dir;
    platform::AudioDevice* m_device;
    std::unique_ptr<CSoundManager> m_sound;
};

TEST_F(SoundLibrary, RepeatedPlayDoesNotRestartAndStopKeepsThePosition)
{
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "MENU"));
    ASSERT_TRUE(m_sound->PlayBuffer("MENU", 0));
    Render(100);
    ASSERT_TRUE(m_sound->PlayBuffer("MENU", 0));
    EXPECT_EQ(100, NextRampFrame());
    ASSERT_TRUE(m_sound->StopBuffer("MENU"));
    EXPECT_FALSE(m_sound->IsBufferPlaying("MENU"));
    EXPECT_EQ(std::vector<float>(50, 0.0f), Render(50));
    ASSERT_TRUE(m_sound->PlayBuffer("MENU", 0));
    EXPECT_TRUE(m_sound->IsBufferPlaying("MENU"));
    EXPECT_EQ(101, NextRampFrame());
}

TEST_F(SoundLibrary, OneShotEndsByItselfAndReplaysFromTheStartWhileLoopsWrap)
{
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "END"));
    ASSERT_TRUE(m_sound->PlayBuffer("END", 0));
    std::vector<float> out = Render(kFrames + 10);
    EXPECT_FLOAT_EQ((kFrames - 1) / 32768.0f, out[kFrames - 1]);
    EXPECT_EQ(0.0f, out[kFrames]);
    EXPECT_FALSE(m_sound->IsBufferPlaying("END"));
    ASSERT_TRUE(m_sound->PlayBuffer("END", 0));
    EXPECT_EQ(0, NextRampFrame());

    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "DRONE"));
    ASSERT_TRUE(m_sound->StopBuffer("END"));
    ASSERT_TRUE(m_sound->PlayBuffer("DRONE", 1));
    out = Render(2 * kFrames + 5);
    for (int i : {kFrames - 1, kFrames, kFrames + 1, 2 * kFrames + 4})
        EXPECT_FLOAT_EQ((i % kFrames) / 32768.0f, out[i]) << "frame " << i;
    EXPECT_TRUE(m_sound->IsBufferPlaying("DRONE"));
}

TEST_F(SoundLibrary, VolumeIsAttenuationAndSoundsAreSummedAndClipped)
{
    TempDir::Write("sounds/loud.wav", Constant(24576));
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/loud.wav", "A"));
    ASSERT_TRUE(m_sound->PlayBuffer("A", 1));
    // Gain 10^(attenuation / 2000), attenuation trunc(level * 10000) - 10000.
    const std::pair<float, float> gains[] = {
        {1.0f, 1.0f}, {0.5f, std::pow(10.0f, -2.5f)}, {0.25f, std::pow(10.0f, -3.75f)}, {0.0f, 0.0f}};
    for (auto [level, gain] : gains) {
        ASSERT_TRUE(m_sound->SetBufferVolume("A", level));
        EXPECT_NEAR(0.75f * gain, Render(1)[0], gain * 1e-4f) << "level " << level;
    }
    EXPECT_FALSE(m_sound->SetBufferVolume("A", 1.5f));
    EXPECT_FALSE(m_sound->SetBufferVolume("A", -0.1f));
    EXPECT_FALSE(m_sound->SetBufferVolume("A", std::nanf("")));

    ASSERT_TRUE(m_sound->SetBufferVolume("A", 1.0f));
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/loud.wav", "B"));
    ASSERT_TRUE(m_sound->PlayBuffer("B", 0));
    EXPECT_FLOAT_EQ(1.0f, Render(1)[0]);
}

TEST_F(SoundLibrary, ReleasingAPlayingSoundSilencesIt)
{
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "INTRO"));
    ASSERT_TRUE(m_sound->PlayBuffer("INTRO", 1));
    Render(10);
    m_sound->ReleaseBuffer("INTRO");
    EXPECT_EQ(std::vector<float>(20, 0.0f), Render(20));
    EXPECT_FALSE(m_sound->IsBufferPlaying("INTRO"));
    EXPECT_FALSE(m_sound->PlayBuffer("INTRO", 0));
}

TEST_F(SoundLibrary, MissingKeysGetEmptyEntriesAndEveryRequestFails)
{
    EXPECT_FALSE(m_sound->PlayBuffer("NONE", 0));
    ASSERT_EQ(1u, m_sound->Buffers().count("NONE"));
    EXPECT_EQ(nullptr, m_sound->Buffers().at("NONE").buffer);
    EXPECT_FALSE(m_sound->IsBufferPlaying("NONE"));
    EXPECT_FALSE(m_sound->StopBuffer("NONE"));
    EXPECT_FALSE(m_sound->SetBufferVolume("NONE", 1.0f));
    EXPECT_FALSE(m_sound->RestoreBuffer("NONE"));
    EXPECT_FALSE(m_sound->IsBufferPlaying("OTHER"));
    EXPECT_EQ(2u, m_sound->Buffers().size());
}

TEST_F(SoundLibrary, ALoadReplacesTheEntryOnlyWhenItSucceeds)
{
    TempDir::Write("sounds/short.wav", Ramp(10));
    TempDir::Write("sounds/wide.wav", wav::File(1, kRate, 24, std::string(30, '\0')));
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "CLICK"));
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/short.wav", "CLICK"));
    EXPECT_EQ(20u, m_sound->Buffers().at("CLICK").dataSize);
    EXPECT_FALSE(m_sound->LoadWaveIntoBuffer("sounds/wide.wav", "CLICK"));
    EXPECT_FALSE(m_sound->LoadWaveIntoBuffer("sounds/missing.wav", "CLICK"));
    EXPECT_EQ("sounds/short.wav", m_sound->Buffers().at("CLICK").fileName);
    // Formats the mixer cannot play leave their key without a sound.
    EXPECT_FALSE(m_sound->LoadWaveIntoBuffer("sounds/wide.wav", "WIDE"));
    EXPECT_FALSE(m_sound->PlayBuffer("WIDE", 0));
}

TEST_F(SoundLibrary, ALostBufferIsRefilledFromItsFileOnTheNextPlay)
{
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "READER"));
    ASSERT_TRUE(m_sound->PlayBuffer("READER", 0));
    Render(300);
    Lose("READER");
    EXPECT_FALSE(m_sound->IsBufferPlaying("READER"));
    ASSERT_TRUE(m_sound->PlayBuffer("READER", 0));
    EXPECT_EQ(0, NextRampFrame());
    EXPECT_EQ(1, NextRampFrame());
    // A file grown since the buffer was made is not written past its end.
    TempDir::Write("sounds/ramp.wav", Ramp(4 * kFrames));
    Lose("READER");
    EXPECT_FALSE(m_sound->PlayBuffer("READER", 0));
    TempDir::Write("sounds/ramp.wav", "gone");
    Lose("READER");
    EXPECT_FALSE(m_sound->RestoreBuffer("READER"));
}

TEST_F(SoundLibrary, AfterTheDeviceIsGoneEveryRequestFails)
{
    ASSERT_TRUE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "LEVEL"));
    ASSERT_TRUE(m_sound->PlayBuffer("LEVEL", 0));
    ASSERT_TRUE(m_sound->Destroy());
    EXPECT_FALSE(m_sound->Create());
    EXPECT_FALSE(m_sound->IsBufferPlaying("LEVEL"));
    EXPECT_FALSE(m_sound->PlayBuffer("LEVEL", 0));
    EXPECT_FALSE(m_sound->StopBuffer("LEVEL"));
    EXPECT_FALSE(m_sound->SetBufferVolume("LEVEL", 1.0f));
    EXPECT_FALSE(m_sound->LoadWaveIntoBuffer("sounds/ramp.wav", "PURIFY"));
    m_sound->ReleaseBuffer("LEVEL");
}

TEST(SoundWithoutDevice, EveryRequestFails)
{
    TempDir dir;
    TempDir::Write("sounds/ramp.wav", Ramp());
    CSoundManager sound(nullptr);
    EXPECT_FALSE(sound.Create());
    EXPECT_FALSE(sound.LoadWaveIntoBuffer("sounds/ramp.wav", "MENU"));
    EXPECT_FALSE(sound.PlayBuffer("MENU", 0));
    EXPECT_FALSE(sound.IsBufferPlaying("MENU"));
}

TEST(SoundOnTheSystemDevice, OpensAndPlaysInRealTime)
{
    TempDir dir;
    TempDir::Write("sounds/ramp.wav", Ramp(2205));
    CSoundManager sound;
    ASSERT_TRUE(sound.Create());
    ASSERT_TRUE(sound.LoadWaveIntoBuffer("sounds/ramp.wav", "MENU"));
    ASSERT_TRUE(sound.PlayBuffer("MENU", 0));
    for (int i = 0; i < 200 && sound.IsBufferPlaying("MENU"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(sound.IsBufferPlaying("MENU"));
    sound.ReleaseBuffer("MENU");
    EXPECT_TRUE(sound.Destroy());
}

} // namespace
