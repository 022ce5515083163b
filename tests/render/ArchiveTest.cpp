#include "render/Archive.h"

#include "TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using platform::File;

// What a store archive writes when fed by 'fill'.
std::string Stored(const std::function<void(CArchive&)>& fill)
{
    File file;
    EXPECT_TRUE(file.Open("out.bin", File::modeWrite | File::modeCreate));
    CArchive ar(file, CArchive::store);
    fill(ar);
    ar.Close();
    file.Close();
    return TempDir::Read("out.bin");
}

// Runs 'read' on a load archive over the given bytes.
void Loaded(const std::string& bytes, const std::function<void(CArchive&)>& read)
{
    TempDir::Write("in.bin", bytes);
    File file;
    ASSERT_TRUE(file.Open("in.bin", File::modeRead));
    CArchive ar(file, CArchive::load);
    read(ar);
    ar.Close();
}

std::string ReadString(const std::string& bytes)
{
    std::string value = "unset";
    Loaded(bytes, [&](CArchive& ar) { ar >> value; });
    return value;
}

class Archive : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(Archive, NumbersAreLittleEndianWithoutPadding)
{
    std::string bytes = Stored(
        [](CArchive& ar) { ar << int32_t(1) << int32_t(-1) << uint16_t(3) << uint8_t(0xAB) << int32_t(0x12345678); });
    EXPECT_EQ(std::string("\x01\0\0\0\xFF\xFF\xFF\xFF\x03\0\xAB\x78\x56\x34\x12", 15), bytes);

    int32_t one = 0, minus = 0, big = 0;
    uint16_t word = 0;
    uint8_t byte = 0;
    Loaded(bytes, [&](CArchive& ar) { ar >> one >> minus >> word >> byte >> big; });
    EXPECT_EQ(1, one);
    EXPECT_EQ(-1, minus);
    EXPECT_EQ(3, word);
    EXPECT_EQ(0xAB, byte);
    EXPECT_EQ(0x12345678, big);
}

TEST_F(Archive, StringPrefixGrowsAtTheTwoThresholds)
{
    struct Case {
        size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, std::string("\x00", 1)},
        {254, "\xFE"},
        {255, std::string("\xFF\xFF\x00", 3)},
        {65533, "\xFF\xFD\xFF"},
        {65534, std::string("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, std::string("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const Case& c : cases) {
        std::string text(c.length, 'q');
        std::string bytes = Stored([&](CArchive& ar) { ar << text; });
        EXPECT_EQ(c.prefix + text, bytes) << c.length;
        EXPECT_EQ(text, ReadString(bytes)) << c.length;
    }
}

TEST_F(Archive, WideStringsAreReadAndNarrowed)
{
    // "Hé€" in UTF-16: the euro sign has no 8-bit form.
    std::string wide = std::string("\xFF\xFE\xFF\x03H\0\xE9\0\xAC\x20", 10);
    EXPECT_EQ("H\xE9?", ReadString(wide));
    EXPECT_EQ("", ReadString(std::string("\xFF\xFE\xFF\x00", 4)));
    // A long wide string takes the word form of the inner prefix.
    std::string body;
    for (int i = 0; i < 300; ++i)
        body += std::string("z\0", 2);
    EXPECT_EQ(std::string(300, 'z'), ReadString(std::string("\xFF\xFE\xFF\xFF\x2C\x01", 6) + body));
}

TEST_F(Archive, ValuesAndStringsCrossTheBufferBoundary)
{
    std::string big(5000, 'x');
    std::string bytes = Stored([&](CArchive& ar) {
        for (int i = 0; i < 4093; ++i)
            ar << uint8_t(i);
        ar << int32_t(-123456789) << big << std::string("tail") << uint16_t(0xBEEF);
    });
    ASSERT_EQ(4093u + 4 + 3 + 5000 + 5 + 2, bytes.size());
    int32_t straddling = 0;
    std::string longText, tail;
    uint16_t last = 0;
    Loaded(bytes, [&](CArchive& ar) {
        uint8_t skip;
        for (int i = 0; i < 4093; ++i) {
            ar >> skip;
            ASSERT_EQ(uint8_t(i), skip);
        }
        ar >> straddling >> longText >> tail >> last;
    });
    EXPECT_EQ(-123456789, straddling);
    EXPECT_EQ(big, longText);
    EXPECT_EQ("tail", tail);
    EXPECT_EQ(0xBEEF, last);
}

TEST_F(Archive, RunningPastTheEndRaisesEndOfFileAndKeepsEarlierValues)
{
    int32_t first = 0, second = 7;
    try {
        Loaded(std::string("\x05\0\0\0\x01\0\0", 7), [&](CArchive& ar) { ar >> first >> second; });
        FAIL() << "no end-of-file error";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(platform::FileError::endOfFile, e.m_cause);
    }
    EXPECT_EQ(5, first);
    EXPECT_EQ(7, second);

    // Extra bytes after the last value are never looked at.
    Loaded(std::string("\x02\0\0\0garbage", 11), [&](CArchive& ar) { ar >> first; });
    EXPECT_EQ(2, first);
}

TEST_F(Archive, AStringLongerThanTheFileFailsWithoutTakingItsLengthOnTrust)
{
    std::string kept = "kept";
    // Announces four gigabytes less one, holds three characters.
    std::string bytes = std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "abc";
    TempDir::Write("in.bin", bytes);
    File file;
    ASSERT_TRUE(file.Open("in.bin", File::modeRead));
    CArchive ar(file, CArchive::load);
    EXPECT_THROW(ar >> kept, CArchiveException);
    EXPECT_EQ("kept", kept);
    EXPECT_THROW(ReadString(std::string("\x05"
                                        "abcd")),
        CArchiveException);
    EXPECT_THROW(ReadString(std::string("\xFF\x10", 2)), CArchiveException);
}

TEST_F(Archive, RawReadReportsHowMuchArrived)
{
    std::string bytes(10000, 'r');
    bytes[9999] = 'E';
    Loaded(bytes, [&](CArchive& ar) {
        uint8_t first;
        ar >> first;
        std::string rest(12000, '\0');
        EXPECT_EQ(9999u, ar.Read(rest.data(), rest.size()));
        EXPECT_EQ('E', rest[9998]);
        EXPECT_EQ(0u, ar.Read(rest.data(), 1));
    });
}

TEST_F(Archive, AFailedWriteIsReportedNotSwallowed)
{
    File file;
    ASSERT_TRUE(file.Open("/dev/full", File::modeWrite));
    CArchive ar(file, CArchive::store);
    ar << std::string(100, 'x');
    try {
        ar.Close();
        FAIL() << "the full disk went unnoticed";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(platform::FileError::diskFull, e.m_cause);
    }
}

} // namespace
