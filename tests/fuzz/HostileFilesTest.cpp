// Each reader, handed 100 MB of garbage or a file that announces huge counts
// and sizes, answers in under a second and under 50 MB of extra memory.
#include "Script.h"
#include "frame/MainFrame.h"
#include "platform/Audio.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "render/GLVideo.h"
#include "render/Texture.h"
#include "score/Score.h"
#include "sound/Sound.h"

#include "GLContext.h"
#include "TempDir.h"
#include "TextureFolder.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

long PeakKb()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 100 MB of noise, written a megabyte at a time so the test itself stays small.
void WriteGarbage(const std::string& path)
{
    TempDir::Write(path, "");
    std::ofstream out(path, std::ios::binary);
    std::vector<uint64_t> block(1 << 17);
    uint64_t state = 0x9E3779B97F4A7C15u;
    for (int megabyte = 0; megabyte < 100; ++megabyte) {
        for (uint64_t& word : block) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size() * 8));
    }
}

// Runs read and checks its time and the growth of the process's peak memory.
// Under the sanitizers freed memory is held back on purpose and every step is
// slower, so there only the time is checked, and loosely.
template <class Read>
void ExpectBounded(const char* what, Read read)
{
    const long before = PeakKb();
    const auto started = std::chrono::steady_clock::now();
    read();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(seconds, kSanitized ? 5.0 : 1.0) << what;
    if (!kSanitized) {
        EXPECT_LT(PeakKb() - before, 50 * 1024) << what;
    }
    platform::ClearRecordedMessageBoxes();
}

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

class HostileFile : public testing::Test {
protected:
    TempDir dir;
};

TEST_F(HostileFile, ScoresFile)
{
    WriteGarbage(CScore::kPath);
    ExpectBounded("garbage", [] { CScore().Load(); });
    // A first name promising two gigabytes.
    TempDir::Write(CScore::kPath, "\xFF\xFF\xFF\xFF\xFF\xFF\x7F" + std::string(1000, 'n'));
    ExpectBounded("huge name", [] { CScore().Load(); });
}

TEST_F(HostileFile, TextureFile)
{
    GLContext context;
    ASSERT_TRUE(context.Ok());
    CTexture textures;
    WriteGarbage(texture_file::kPath);
    ExpectBounded("garbage", [&] { textures.Load(); });
    // 65,535 records, the first a square of 2^31 - 1 pixels a side.
    TempDir::Write(texture_file::kPath, "\xFF\xFF\x01k" + U32(1) + U32(0x7FFFFFFF) + U32(0x7FFFFFFF));
    platform::ClearRecordedMessageBoxes();
    textures.Load();
    ASSERT_EQ(1u, platform::RecordedMessageBoxes().size());
    EXPECT_NE(std::string::npos, platform::RecordedMessageBoxes()[0].text.find("passes the 256 x 256 limit"));
    ExpectBounded("huge record", [&] { textures.Load(); });
    textures.DeleteAllTextures();
}

TEST_F(HostileFile, SoundFile)
{
    CSoundManager sounds(platform::AudioDevice::OpenSilent(platform::AudioDevice::kPreferredRate));
    ASSERT_TRUE(sounds.Create());
    WriteGarbage("sound.wav");
    ExpectBounded("garbage", [&] { EXPECT_FALSE(sounds.LoadWaveIntoBuffer("sound.wav", "s")); });
    // Four gigabytes of samples announced, and a rate of four billion a second.
    const std::string format =
        std::string("\x01\x00\x02\x00", 4) + U32(0xFFFFFFFFu) + U32(0xFFFFFFFCu) + std::string("\x04\x00\x10\x00", 4);
    TempDir::Write(
        "sound.wav", "RIFF" + U32(0xFFFFFFFFu) + "WAVEfmt " + U32(16) + format + "data" + U32(0xFFFFFFF0u) + "abcd");
    ExpectBounded("huge sizes", [&] { EXPECT_FALSE(sounds.LoadWaveIntoBuffer("sound.wav", "s")); });
}

TEST_F(HostileFile, SettingsFile)
{
    const DisplaySettings forced{800, 600, 32};
    CMainFrame frame(&forced);
    WriteGarbage("data/config.dat");
    ExpectBounded("garbage", [&] {
        platform::File file;
        ASSERT_TRUE(file.Open("data/config.dat", platform::File::modeRead));
        EXPECT_EQ(0, frame.ReadConfigFile(file));
    });
}

TEST_F(HostileFile, VideoFile)
{
    GLContext context;
    ASSERT_TRUE(context.Ok());
    WriteGarbage("logo.avi");
    ExpectBounded("garbage", [] { CGLVideo().OpenAVI("logo.avi"); });
    // An AVI header announcing a huge picture and a million frames.
    std::string header = "RIFF" + U32(0xFFFFFFF0u) + "AVI LIST" + U32(200) + "hdrlavih" + U32(56) + U32(40000) +
        U32(0) + U32(0) + U32(0x10) + U32(1000000) + U32(0) + U32(1) + U32(0) + U32(1u << 20) + U32(1u << 20);
    TempDir::Write("logo.avi", header + std::string(16, '\0'));
    ExpectBounded("huge header", [] { CGLVideo().OpenAVI("logo.avi"); });
}

// The asset tool packing a folder a modder hands it.
TEST_F(HostileFile, TextureFolder)
{
    std::string problem;
    WriteGarbage("folder/textures.txt");
    ExpectBounded("garbage manifest", [&] { EXPECT_FALSE(texture_folder::Pack("folder", "out.vxr", problem)); });
    TempDir::Write("folder/textures.txt", "p.png 3 stored key\n");
    WriteGarbage("folder/p.png");
    ExpectBounded("garbage picture", [&] { EXPECT_FALSE(texture_folder::Pack("folder", "out.vxr", problem)); });
    // A picture announcing 2^31 - 1 pixels a side.
    TempDir::Write("folder/p.png",
        std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\x7f\xff\xff\xff\x7f\xff\xff\xff\x08\x02\0\0\0", 29));
    ExpectBounded("huge picture", [&] { EXPECT_FALSE(texture_folder::Pack("folder", "out.vxr", problem)); });
    // More entries than a texture file can hold, every one naming the huge picture.
    std::string entries;
    for (int i = 0; i < 70000; ++i)
        entries += "p.png 3 stored k\n";
    TempDir::Write("folder/textures.txt", entries);
    ExpectBounded("too many entries", [&] { EXPECT_FALSE(texture_folder::Pack("folder", "out.vxr", problem)); });
    EXPECT_NE(std::string::npos, problem.find("at most 65535 pictures")) << problem;
}

// The tester's scripts: garbage, a script longer than any script, and one of
// counts and times past what any number type holds.
TEST_F(HostileFile, PlayScript)
{
    std::vector<Command> commands;
    std::string error;
    WriteGarbage("garbage.play");
    ExpectBounded("garbage", [&] { EXPECT_FALSE(ReadScriptFile("garbage.play", commands, error)); });
    std::string prints;
    while (prints.size() <= static_cast<size_t>(kMaxScriptBytes))
        prints += "print\n";
    TempDir::Write("long.play", prints);
    ExpectBounded("long", [&] { EXPECT_FALSE(ReadScriptFile("long.play", commands, error)); });
    EXPECT_EQ("long.play: longer than a script can be (1048576 bytes)", error);
    std::string huge;
    while (huge.size() < static_cast<size_t>(kMaxScriptBytes) - 100)
        huge += "frame 2147483647\nwait 1e308\nuntil level == 1e400 within 1e999\n";
    TempDir::Write("huge.play", huge);
    ExpectBounded("huge counts", [&] { EXPECT_TRUE(ReadScriptFile("huge.play", commands, error)) << error; });
}

} // namespace
