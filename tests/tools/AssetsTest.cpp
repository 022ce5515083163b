#include "AssetsRun.h"
#include "Png.h"
#include "TextureTool.h"
#include "art/Glyphs.h"
#include "art/Pictures.h"
#include "audio/Sounds.h"

#include "TempDir.h"
#include "TextureFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using texture_file::Record;

bool OneLine(const std::string& text)
{
    return !text.empty() && text.back() == '\n' && std::count(text.begin(), text.end(), '\n') == 1;
}

std::vector<Record> ReadBack(const std::string& path)
{
    std::vector<Record> records;
    std::string problem;
    EXPECT_TRUE(texture_tool::ForEachRecord(
        path, [&](int, const Record& r, std::string&) { return records.push_back(r), true; }, problem))
        << problem;
    return records;
}

// A record drawn by the font: stored row 0 is the glyph's left column.
Record LeftColumnGlyph(const std::string& key)
{
    Record glyph = SolidRecord(key, 4, 4, 0x000000);
    std::fill_n(glyph.pixels.begin(), 4 * 3, 0xFF);
    return glyph;
}

PngImage Picture(const std::string& path)
{
    PngImage image;
    std::string error;
    EXPECT_TRUE(ReadPng(path, image, 1 << 24, error)) << path << ": " << error;
    return image;
}

// The game built once for the whole suite: building takes a while.
class BuiltGame : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_game = (fs::temp_directory_path() / ("vexorin-built-" + std::to_string(::getpid()))).string();
        const Result built = Assets({"build", s_game});
        ASSERT_EQ(built.status, 0) << built.err;
    }
    static void TearDownTestSuite() { fs::remove_all(s_game); }
    static std::string TextureFile() { return s_game + "/data/TEXTURE.VXR"; }

    TempDir dir;
    static std::string s_game;
};
std::string BuiltGame::s_game;

TEST_F(BuiltGame, GivesAFreshFolderTheDefaultScoresButNeverTouchesAPlayersTable)
{
    EXPECT_EQ(540u, TempDir::Read(s_game + "/SCORES.VXR").size());
    TempDir::Write("mine/SCORES.VXR", "the player's own table");
    ASSERT_EQ(Assets({"build", "mine"}).status, 0);
    EXPECT_EQ("the player's own table", TempDir::Read("mine/SCORES.VXR"));
}

TEST_F(BuiltGame, HoldsEveryPictureThenEveryGlyphTheSameOnEveryRun)
{
    ASSERT_EQ(Assets({"build", "again"}).status, 0);
    EXPECT_TRUE(TempDir::Read("again/data/TEXTURE.VXR") == TempDir::Read(TextureFile()));
    EXPECT_TRUE(TempDir::Read("again/data/logo.avi") == TempDir::Read(s_game + "/data/logo.avi"));
    EXPECT_EQ(Assets({"video", "info", "again/data/logo.avi"}).out,
        "again/data/logo.avi: 75 frames, 256 x 256, 3000 ms, mjpeg\n");
    EXPECT_TRUE(TempDir::Read("again/data/icon.bmp") == TempDir::Read(s_game + "/data/icon.bmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator("again/data"), fs::directory_iterator()), 3)
        << "a temporary file is left";
    for (const audio::Sound& sound : audio::GameSounds())
        EXPECT_TRUE(TempDir::Read("again/sounds/" + sound.file) == audio::WavBytes(sound)) << sound.file;
    EXPECT_EQ(std::distance(fs::directory_iterator("again/sounds"), fs::directory_iterator()), 12);

    std::vector<Record> expected = art::GamePictures();
    for (Record& glyph : art::FontGlyphs())
        expected.push_back(std::move(glyph));
    const std::vector<Record> written = ReadBack(TextureFile());
    ASSERT_EQ(written.size(), expected.size());
    for (size_t i = 0; i < written.size(); ++i) {
        EXPECT_EQ(written[i].key, expected[i].key);
        EXPECT_EQ(written[i].filter, expected[i].filter);
        EXPECT_TRUE(written[i].pixels == expected[i].pixels) << written[i].key;
    }
    EXPECT_EQ(written.back().key, "~");
}

TEST_F(BuiltGame, ExportShowsGlyphsUprightAndPackGivesBackTheSameFile)
{
    ASSERT_EQ(Assets({"textures", "export", TextureFile(), "folder"}).status, 0);
    const Result packed = Assets({"textures", "pack", "folder", "packed.vxr"});
    ASSERT_EQ(packed.status, 0) << packed.err;
    EXPECT_TRUE(TempDir::Read("packed.vxr") == TempDir::Read(TextureFile()));

    // Find "L", "T" and "H" through the manifest; their pictures read normally.
    std::istringstream manifest(TempDir::Read("folder/textures.txt"));
    std::string line, l, t, h;
    while (std::getline(manifest, line)) {
        if (line.ends_with(" upright L"))
            l = line.substr(0, line.find(' '));
        if (line.ends_with(" upright T"))
            t = line.substr(0, line.find(' '));
        if (line.ends_with(" upright H"))
            h = line.substr(0, line.find(' '));
    }
    ASSERT_FALSE(l.empty() || t.empty() || h.empty());
    auto ink = [](const PngImage& image, int left, int top, int right, int bottom) {
        int sum = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                sum += image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
        return sum;
    };
    const PngImage upright = Picture("folder/" + l);
    EXPECT_GT(ink(upright, 0, 0, 16, 32), 2 * ink(upright, 16, 0, 32, 32)) << "L's stroke is not on the left";
    const PngImage bar = Picture("folder/" + t);
    EXPECT_GT(ink(bar, 0, 0, 32, 16), 2 * ink(bar, 0, 16, 32, 32)) << "T's bar is not at the top";
    // Capitals fill at least three quarters of the cell's height.
    const PngImage capital = Picture("folder/" + h);
    int inkedRows = 0;
    for (int y = 0; y < capital.height; ++y)
        inkedRows += ink(capital, 0, y, capital.width, y + 1) > 0;
    EXPECT_GE(inkedRows * 4, capital.height * 3);
}

TEST(AssetBuild, UsesTheDataFolderInAnyLetterCaseAndSaysWhenItCannot)
{
    TempDir dir;
    fs::create_directories("game/DATA");
    const Result built = Assets({"build", "game"});
    ASSERT_EQ(built.status, 0) << built.err;
    EXPECT_TRUE(TempDir::Exists("game/DATA/TEXTURE.VXR"));
    EXPECT_TRUE(TempDir::Exists("game/DATA/logo.avi"));
    EXPECT_FALSE(TempDir::Exists("game/data"));
    EXPECT_TRUE(TempDir::Exists("game/DATA/icon.bmp"));
    EXPECT_EQ(5, std::count(built.out.begin(), built.out.end(), '\n')) << "a line for each step: " << built.out;

    TempDir::Write("plain", "not a folder");
    const Result refused = Assets({"build", "plain"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(OneLine(refused.err)) << refused.err;
}

TEST(TextureList, GivesOneLinePerRecordWhateverTheKey)
{
    TempDir dir;
    WriteTextureFile(
        {SolidRecord("STAR", 4, 4, 0xFFFFFF, 1), SolidRecord("A", 2, 8, 0, 0), SolidRecord("odd key\n", 1, 1, 0, 3)},
        "t.vxr");
    const Result listed = Assets({"textures", "list", "t.vxr"});
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out,
        "    0 STAR         1   4   4\n"
        "    1 A            0   2   8\n"
        "    2 odd\\x20key\\x0A 3   1   1\n");
    EXPECT_EQ(listed.err, "");
}

class TextureFolder : public testing::Test {
protected:
    void SetUp() override
    {
        WriteTextureFile({LeftColumnGlyph("A"), SolidRecord("WALL", 4, 2, 0x102030, 0)}, "t.vxr");
        ASSERT_EQ(Assets({"textures", "export", "t.vxr", "x"}).status, 0);
        std::istringstream manifest(TempDir::Read("x/textures.txt"));
        for (std::string line; std::getline(manifest, line);)
            if (line[0] != '#')
                pictures.push_back("x/" + line.substr(0, line.find(' ')));
        ASSERT_EQ(pictures.size(), 2u);
        TempDir::Write("out.vxr", "previous");
    }
    void ExpectRefused(const std::string& naming)
    {
        const Result packed = Assets({"textures", "pack", "x", "out.vxr"});
        EXPECT_EQ(packed.status, 1);
        EXPECT_TRUE(OneLine(packed.err)) << packed.err;
        EXPECT_NE(packed.err.find(naming), std::string::npos) << packed.err;
        EXPECT_EQ(TempDir::Read("out.vxr"), "previous");
        EXPECT_FALSE(TempDir::Exists("out.vxr.new"));
    }
    TempDir dir;
    std::vector<std::string> pictures;
};

TEST_F(TextureFolder, PackTurnsReplacedGlyphsBackAndTakesNewSizes)
{
    // The glyph drawn upright with a top bar comes back with the bar at the
    // start of every stored row.
    std::vector<uint8_t> topBar(8 * 8 * 3, 0);
    std::fill_n(topBar.begin(), 8 * 3, 0xFF);
    ASSERT_TRUE(WritePng(pictures[0], topBar, 8, 8));
    ASSERT_TRUE(WritePng(pictures[1], std::vector<uint8_t>(16 * 2 * 3, 0x80), 16, 2));
    const Result packed = Assets({"textures", "pack", "x", "out.vxr"});
    ASSERT_EQ(packed.status, 0) << packed.err;
    const std::vector<Record> records = ReadBack("out.vxr");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].key, "A");
    ASSERT_EQ(records[0].width, 8);
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(records[0].pixels[row * 24], 0xFF) << row;
        EXPECT_EQ(records[0].pixels[row * 24 + 3], 0) << row;
    }
    EXPECT_EQ(records[1].key, "WALL");
    EXPECT_EQ(records[1].filter, 0);
    EXPECT_EQ(records[1].width, 16);
    EXPECT_EQ(records[1].height, 2);
}

TEST_F(TextureFolder, PackRefusesPicturesNoTextureMayHave)
{
    ASSERT_TRUE(WritePng(pictures[0], std::vector<uint8_t>(300 * 300 * 3, 0), 300, 300));
    ExpectRefused(pictures[0]);
    ASSERT_TRUE(WritePng(pictures[0], std::vector<uint8_t>(256 * 257 * 3, 0), 256, 257));
    ExpectRefused("256 x 257");
    TempDir::Write(pictures[0], "\x89PNG not really");
    ExpectRefused(pictures[0]);
    fs::remove(pictures[0]);
    ExpectRefused(pictures[0]);
    // Nearest and linear textures need power-of-two sides.
    ASSERT_TRUE(WritePng(pictures[0], std::vector<uint8_t>(4 * 4 * 3, 0), 4, 4));
    ASSERT_TRUE(WritePng(pictures[1], std::vector<uint8_t>(6 * 4 * 3, 0), 6, 4));
    ExpectRefused(pictures[1]);
}

TEST_F(TextureFolder, PackRefusesADamagedManifest)
{
    const std::string manifest = TempDir::Read("x/textures.txt");
    TempDir::Write("x/textures.txt", manifest + "000-A.png one upright A\n");
    ExpectRefused("line");
    TempDir::Write("x/textures.txt", manifest + "../t.vxr 1 stored X\n");
    ExpectRefused("line");
    TempDir::Write("x/textures.txt", manifest + "000-A.png 1 upright bad\\escape\n");
    ExpectRefused("line");
    fs::remove("x/textures.txt");
    ExpectRefused("textures.txt");
}

// A good two-record file: count, then "STAR" and "MOON" records of 4 x 4.
std::string TwoRecords()
{
    WriteTextureFile({SolidRecord("STAR", 4, 4, 0x123456), SolidRecord("MOON", 4, 4, 0x654321)}, "good.vxr");
    return TempDir::Read("good.vxr");
}

constexpr size_t kSecondWidth = 2 + 65 + 5 + 4;

std::string WithInt(std::string bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

TEST(DamagedTextureFile, GivesOneLineAndStatusOneForEveryCommand)
{
    TempDir dir;
    const std::string good = TwoRecords();
    std::string huge = good.substr(0, 67);
    huge[0] = static_cast<char>(60000 & 0xFF), huge[1] = static_cast<char>(60000 >> 8);
    std::string endlessKey = good.substr(0, 67) + "\xFF\xFF\xFF\xFF\xFF\xFF\x7F";
    // One stray pixel byte: an impossible record is refused before its pixels.
    WriteTextureFile({Record{std::string("a\0\nb", 4), 1, 0, 0, {0}}}, "oddkey.vxr");
    ASSERT_TRUE(WritePng("foreign.png", std::vector<uint8_t>(16 * 16 * 3, 7), 16, 16));
    fs::create_directory("folder");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {good.substr(0, good.size() - 1), "record 1 of 2 (\"MOON\"): the file ends early"},
        {WithInt(good, kSecondWidth, 0), "record 1 of 2 (\"MOON\"): size 0 x 4 is impossible"},
        {WithInt(good, kSecondWidth, 65536), "record 1 of 2 (\"MOON\"): size 65536 x 4"},
        {WithInt(good, kSecondWidth + 4, 0x80000000u), "record 1 of 2 (\"MOON\")"},
        {huge, "record 1 of 60000: the file ends early"},
        {endlessKey, "record 1 of 2: the file ends early"},
        {TempDir::Read("oddkey.vxr"), "record 0 of 1 (\"a\\x00\\x0Ab\"): size 0 x 0"},
        {"", "too short to hold a record count"},
        {"\x01", "too short to hold a record count"},
    };
    int n = 0;
    for (const auto& [bytes, naming] : cases) {
        const std::string name = "bad" + std::to_string(n++) + ".vxr";
        TempDir::Write(name, bytes);
        for (const std::vector<std::string>& command : {std::vector<std::string>{"textures", "list", name},
                 {"textures", "export", name, "out"}, {"textures", "sheet", name, "sheet.png"}}) {
            const Result result = Assets(command);
            SCOPED_TRACE(command[1] + " " + naming);
            EXPECT_EQ(result.status, 1);
            EXPECT_TRUE(OneLine(result.err)) << result.err;
            EXPECT_NE(result.err.find(name + ": " + naming), std::string::npos) << result.err;
        }
    }
    for (const std::string name : {"missing.vxr", "folder", "foreign.png"}) {
        const Result result = Assets({"textures", "list", name});
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_TRUE(OneLine(result.err)) << result.err;
        EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
    }
    // What comes before the damage is still listed.
    TempDir::Write("short.vxr", good.substr(0, good.size() - 1));
    EXPECT_EQ(Assets({"textures", "list", "short.vxr"}).out, "    0 STAR         1   4   4\n");
}

TEST(AssetsCommand, MisusedGivesTheUsageAndStatusTwo)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"build"}, {"build", "a", "b"},
             {"textures", "list"}, {"textures", "pack", "x"}, {"textures", "unknown", "x"}, {"sounds"}}) {
        const Result result = Assets(args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err.rfind("usage: vexorin-assets", 0), 0u) << result.err;
    }
    // Asked for, the usage and the version go to standard output with status 0.
    const Result help = Assets({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: vexorin-assets", 0), 0u) << help.out;
    EXPECT_EQ(Assets({"--version"}).out, "vexorin-assets 2.0.0\n");
    EXPECT_EQ(Assets({"--version", "x"}).status, 2);
}

TEST(TextureSheet, ShowsGlyphsUprightAndOtherPicturesAsStored)
{
    TempDir dir;
    // Both start with a white stored row: the glyph's is its left column.
    WriteTextureFile({LeftColumnGlyph("x"), LeftColumnGlyph("ROW")}, "t.vxr");
    ASSERT_EQ(Assets({"textures", "sheet", "t.vxr", "sheet.png"}).status, 0);
    const PngImage sheet = Picture("sheet.png");
    // The white part of each cell: tall and thin for the glyph, flat for the other.
    auto whiteBox = [&](int left, int right) {
        int x0 = sheet.width, x1 = -1, y0 = sheet.height, y1 = -1;
        for (int y = 0; y < sheet.height; ++y)
            for (int x = left; x < right; ++x)
                if (sheet.rgb[(static_cast<size_t>(y) * sheet.width + x) * 3] == 0xFF)
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
        return std::pair(x1 - x0 + 1, y1 - y0 + 1);
    };
    const auto glyph = whiteBox(0, sheet.width / 8);
    const auto stored = whiteBox(sheet.width / 8, sheet.width / 4);
    EXPECT_EQ(glyph.second, 4 * glyph.first);
    EXPECT_EQ(stored.first, 4 * stored.second);
}

} // namespace
