#include "AssetsCommand.h"
#include "audio/Sounds.h"

#include "../sound/WavBytes.h"
#include "TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Answer {
    int status;
    std::string out, err;
};

Answer WavInfo(const std::string& path)
{
    std::ostringstream out, err;
    int status = RunAssets({"wav", "info", path}, out, err);
    return {status, out.str(), err.str()};
}

TEST(WavInfo, DescribesAPlayableFile)
{
    TempDir dir;
    audio::Sound sound{"tone.wav", 2, std::vector<int16_t>(2 * 11025, 100)};
    TempDir::Write("tone.wav", audio::WavBytes(sound));
    Answer answer = WavInfo("tone.wav");
    EXPECT_EQ(0, answer.status) << answer.err;
    EXPECT_EQ("tone.wav: PCM, stereo, 22050 Hz, 16 bits, 44100 bytes of samples, 0.500 s\n", answer.out);
}

TEST(WavInfo, SaysInOneLineWhyAFileCannotBeUsed)
{
    TempDir dir;
    const std::pair<std::string, std::string> cases[] = {
        {wav::Riff(wav::Chunk("fmt ", wav::Format(2, 22050, 16, 2)) + wav::Chunk("data", "abcd")), "compressed"},
        {wav::Riff(wav::Chunk("fmt ", wav::Format(1, 44100, 24)) + wav::Chunk("data", "abc")), "24-bit"},
        {wav::Riff(wav::Chunk("fmt ", wav::Format(6, 44100, 16)) + wav::Chunk("data", "abcdefghijkl")), "6 channels"},
        {wav::Riff(wav::Chunk("fmt ", wav::Format(1, 8000, 8)) + wav::Chunk("data", "ab", 1 << 30)), "not a WAV"},
        {"just some text", "not a WAV"},
    };
    for (const auto& [bytes, reason] : cases) {
        TempDir::Write("odd.wav", bytes);
        Answer answer = WavInfo("odd.wav");
        EXPECT_EQ(1, answer.status) << reason;
        EXPECT_NE(std::string::npos, answer.err.find(reason)) << answer.err;
        EXPECT_EQ(1, std::count(answer.err.begin(), answer.err.end(), '\n')) << answer.err;
    }
    Answer missing = WavInfo("none.wav");
    EXPECT_EQ(1, missing.status);
    EXPECT_EQ("vexorin-assets: none.wav was not found.\n", missing.err);
}

} // namespace
