#include "sound/Wave.h"

#include "TempDir.h"
#include "WavBytes.h"

#include <gtest/gtest.h>

namespace {

const std::string kSamples = "\x01\x02\x03\x04\x05\x06";
const std::string kFormat = wav::Chunk("fmt ", wav::Format(2, 22050, 8));
const std::string kData = wav::Chunk("data", kSamples);

// Opens file and checks that the samples read are the data chunk's.
void ExpectOpensWithSamples(const std::string& file)
{
    TempDir::Write("t.wav", file);
    CWave wave;
    ASSERT_TRUE(wave.Open("t.wav"));
    EXPECT_EQ(kSamples.size(), wave.GetDataSize());
    std::string read(kSamples.size(), '\0');
    EXPECT_TRUE(wave.Read(read.data(), static_cast<uint32_t>(read.size())));
    EXPECT_EQ(kSamples, read);
    EXPECT_TRUE(wave.Close());
}

bool Opens(const std::string& file)
{
    TempDir::Write("t.wav", file);
    CWave wave;
    return wave.Open("t.wav");
}

TEST(WaveReader, CanonicalFileGivesFormatSizeAndSamples)
{
    TempDir dir;
    TempDir::Write("t.wav", wav::File(2, 22050, 8, kSamples));
    CWave wave;
    ASSERT_TRUE(wave.Open("t.wav"));
    platform::WaveFormat format;
    wave.GetFormat(format);
    EXPECT_EQ(1, format.formatTag);
    EXPECT_EQ(2, format.channels);
    EXPECT_EQ(22050u, format.samplesPerSec);
    EXPECT_EQ(44100u, format.avgBytesPerSec);
    EXPECT_EQ(2, format.blockAlign);
    EXPECT_EQ(8, format.bitsPerSample);
    EXPECT_EQ(0, format.extraSize);
    EXPECT_EQ(kSamples.size(), wave.GetDataSize());
    char bytes[6];
    EXPECT_TRUE(wave.Read(bytes, 4));
    // Asking for more than remains is a short read; the file stays open.
    EXPECT_FALSE(wave.Read(bytes, 4));
    EXPECT_TRUE(wave.Close());
}

TEST(WaveReader, ChunksAreFoundInAnyOrderAmongOthers)
{
    TempDir dir;
    const std::string list = wav::Chunk("LIST", "INFO" + wav::Chunk("ISFT", "abc"));
    ExpectOpensWithSamples(wav::Riff(list + kFormat + kData));
    ExpectOpensWithSamples(wav::Riff(kFormat + list + kData));
    ExpectOpensWithSamples(wav::Riff(kData + kFormat + list));
    // A 16-byte "fmt " may end the file; it has no extra-data size.
    ExpectOpensWithSamples(wav::Riff(kData + kFormat));
    // An odd-sized chunk is followed by a pad byte that is not part of the next chunk.
    ExpectOpensWithSamples(wav::Riff(kFormat + wav::Chunk("junk", "odd") + kData));
}

TEST(WaveReader, MalformedFilesAreRefused)
{
    TempDir dir;
    EXPECT_FALSE(Opens("RIFX" + wav::Riff(kFormat + kData).substr(4)));
    EXPECT_FALSE(Opens(wav::Riff(kFormat + kData, "AVI ")));
    EXPECT_FALSE(Opens(wav::Riff(wav::Chunk("fmt ", wav::Format(2, 22050, 8).substr(0, 14)) + kData)));
    EXPECT_FALSE(Opens(wav::Riff(kFormat)));
    EXPECT_FALSE(Opens(wav::Riff(kData)));
    EXPECT_FALSE(Opens("RIFF\x10"));
    EXPECT_FALSE(Opens(""));
    CWave wave;
    EXPECT_FALSE(wave.Open("missing.wav"));
}

TEST(WaveReader, DataSizeBeyondTheFileIsRefused)
{
    TempDir dir;
    EXPECT_FALSE(Opens(wav::Riff(kFormat + wav::Chunk("data", kSamples, kSamples.size() + 1))));
    EXPECT_FALSE(Opens(wav::Riff(kFormat + wav::Chunk("data", kSamples, 0xFFFFFFF0u))));
    // A chunk before "data" claiming more than the file holds hides it.
    EXPECT_FALSE(Opens(wav::Riff(kFormat + wav::Chunk("junk", "ab", 0x7FFFFFF0) + kData)));
}

TEST(WaveReaderDeathTest, CloseWithoutAnOpenFileIsAProgrammingError)
{
    CWave wave;
    EXPECT_DEATH(wave.Close(), "Assertion failed");
}

} // namespace
