#include "art/Pictures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using texture_file::Record;

const std::vector<std::string> kKeys = {"MOLECULE", "MUTATIONL", "MUTATIONR", "LEVELBACK", "NONE", "RED", "GREEN",
    "BLUE", "YELLOW", "PURE", "BOMB", "NEXT", "SELECTRING", "RINGSELECT", "NORMALCW", "NORMALCCW", "SKIPCW", "SKIPCCW",
    "POLECW", "POLECCW", "SUCKUPCW", "SUCKUPCCW", "ARROW", "BRIGHTMOOR", "QTX", "HAND", "CURSER", "BACKGROUND2",
    "BACKGROUND3", "BACKGROUND4", "BACKGROUND5", "READER", "HEX", "STAR"};
const std::set<std::string> kBackgrounds = {"BACKGROUND2", "BACKGROUND3", "BACKGROUND4", "BACKGROUND5"};
// Pictures that cover their whole quad; every other one is a sprite on black.
const std::set<std::string> kFullBleed = {
    "BACKGROUND2", "BACKGROUND3", "BACKGROUND4", "BACKGROUND5", "LEVELBACK", "MOLECULE"};

const std::vector<Record>& Pictures()
{
    static const std::vector<Record> pictures = art::GamePictures();
    return pictures;
}

const Record& Find(const std::string& key)
{
    const auto& pictures = Pictures();
    const auto it = std::find_if(pictures.begin(), pictures.end(), [&](const Record& r) { return r.key == key; });
    if (it == pictures.end())
        throw std::runtime_error("no picture " + key);
    return *it;
}

// Brightest channel of the stored pixel, 0 to 1.
float Value(const Record& r, int col, int row)
{
    const size_t at = (static_cast<size_t>(row) * r.width + col) * 3;
    return std::max({r.pixels[at], r.pixels[at + 1], r.pixels[at + 2]}) / 255.0f;
}

bool PowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST(GamePictures, HoldEveryKeyOfTheTableOnce)
{
    std::vector<std::string> keys;
    for (const Record& r : Pictures())
        keys.push_back(r.key);
    std::sort(keys.begin(), keys.end());
    std::vector<std::string> expected = kKeys;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
}

TEST(GamePictures, LoadTheSameAtStartUpAndAfterAReload)
{
    for (const Record& r : Pictures()) {
        SCOPED_TRACE(r.key);
        EXPECT_TRUE(PowerOfTwo(r.width) && r.width <= 256) << r.width;
        EXPECT_TRUE(PowerOfTwo(r.height) && r.height <= 256) << r.height;
        EXPECT_EQ(r.pixels.size(), static_cast<size_t>(r.width) * r.height * 3);
        EXPECT_LE(r.pixels.size(), texture_file::kMaxPixelBytes);
        EXPECT_TRUE(r.filter == 1 || r.filter == 3) << r.filter;
    }
}

TEST(GamePictures, AreTheSameOnEveryRun)
{
    const std::vector<Record> again = art::GamePictures();
    ASSERT_EQ(again.size(), Pictures().size());
    for (size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(again[i].key, Pictures()[i].key);
        EXPECT_EQ(again[i].filter, Pictures()[i].filter);
        EXPECT_TRUE(again[i].pixels == Pictures()[i].pixels) << again[i].key;
    }
}

// Mean step between neighbouring pixels across one column (or row) pair.
float Step(const Record& r, int a, int b, bool columns)
{
    const int length = columns ? r.height : r.width;
    float sum = 0;
    for (int k = 0; k < length; ++k)
        sum += columns ? std::fabs(Value(r, a, k) - Value(r, b, k)) : std::fabs(Value(r, k, a) - Value(r, k, b));
    return sum / length;
}

TEST(GamePictures, BackgroundsRepeatWithoutASeam)
{
    for (const std::string& key : kBackgrounds) {
        SCOPED_TRACE(key);
        const Record& r = Find(key);
        for (bool columns : {true, false}) {
            const int size = columns ? r.width : r.height;
            float sharpest = 0;
            for (int k = 0; k + 1 < size; ++k)
                sharpest = std::max(sharpest, Step(r, k, k + 1, columns));
            EXPECT_GT(sharpest, 0.0f);
            EXPECT_LE(Step(r, size - 1, 0, columns), sharpest);
        }
    }
}

TEST(GamePictures, SpritesAreLightOnABlackBorder)
{
    for (const Record& r : Pictures()) {
        if (kFullBleed.count(r.key))
            continue;
        SCOPED_TRACE(r.key);
        float border = 0, peak = 0;
        for (int row = 0; row < r.height; ++row)
            for (int col = 0; col < r.width; ++col) {
                const float v = Value(r, col, row);
                peak = std::max(peak, v);
                if (row == 0 || col == 0 || row == r.height - 1 || col == r.width - 1)
                    border = std::max(border, v);
            }
        EXPECT_LE(border, 4.0f / 255.0f);
        EXPECT_GE(peak, 0.75f);
    }
}

TEST(GamePictures, CounterClockwiseSymbolsMirrorTheClockwiseOnes)
{
    // Pieces lie with the stored rows running across the screen, so a
    // left-to-right mirror on the screen reverses the rows.
    for (std::string name : {"NORMAL", "SKIP", "POLE", "SUCKUP"}) {
        SCOPED_TRACE(name);
        const Record& cw = Find(name + "CW");
        const Record& ccw = Find(name + "CCW");
        ASSERT_EQ(cw.width, ccw.width);
        ASSERT_EQ(cw.height, ccw.height);
        const size_t rowBytes = static_cast<size_t>(cw.width) * 3;
        for (int row = 0; row < cw.height; ++row)
            ASSERT_TRUE(std::equal(cw.pixels.begin() + row * rowBytes, cw.pixels.begin() + (row + 1) * rowBytes,
                ccw.pixels.begin() + (cw.height - 1 - row) * rowBytes))
                << "row " << row;
        EXPECT_NE(cw.pixels, ccw.pixels);
    }
}

TEST(GamePictures, PointerFingertipIsAtTheHotSpot)
{
    // The pointer is a 32-unit square drawn with its top edge at the mouse
    // and its left edge 25 units to the left; s runs down, t across.
    const Record& hand = Find("HAND");
    const float scale = hand.width / 32.0f;
    for (int screenY = 0; screenY < hand.width; ++screenY) {
        int lit = 0, sumX = 0;
        for (int screenX = 0; screenX < hand.height; ++screenX)
            if (Value(hand, screenY, screenX) > 0.5f)
                ++lit, sumX += screenX;
        if (lit) {
            EXPECT_LE(screenY / scale, 2.5f);
            EXPECT_NEAR(static_cast<float>(sumX) / lit / scale, 25.0f, 1.0f);
            return;
        }
    }
    FAIL() << "the pointer is blank";
}

TEST(GamePictures, SkillArrowPointsRight)
{
    // s runs to the right; the head is the tallest part, right of the middle.
    const Record& arrow = Find("ARROW");
    int tallest = 0, headColumn = 0, tip = 0;
    for (int col = 0; col < arrow.width; ++col) {
        int lit = 0;
        for (int row = 0; row < arrow.height; ++row)
            lit += Value(arrow, col, row) > 0.5f;
        if (lit > tallest)
            tallest = lit, headColumn = col;
        if (lit)
            tip = col;
    }
    EXPECT_GT(headColumn, arrow.width / 2);
    EXPECT_GT(tip, headColumn);
}

TEST(GamePictures, MakersLogoKeepsOutOfTheUnseenBottom)
{
    // The intro draws this plate larger than the screen and lower, so its
    // bottom fifth (the first stored rows) is never seen.
    const Record& plate = Find("BRIGHTMOOR");
    float unseen = 0, seen = 0;
    for (int row = 0; row < plate.height; ++row)
        for (int col = 0; col < plate.width; ++col) {
            float& brightest = row < plate.height / 5 ? unseen : seen;
            brightest = std::max(brightest, Value(plate, col, row));
        }
    EXPECT_LE(unseen, 0.02f);
    EXPECT_GE(seen, 0.9f);
}

TEST(GamePictures, MoleculesDifferByShapeNotOnlyByTint)
{
    const std::vector<std::string> molecules = {"RED", "GREEN", "BLUE", "YELLOW"};
    for (size_t a = 0; a < molecules.size(); ++a)
        for (size_t b = a + 1; b < molecules.size(); ++b) {
            const Record& first = Find(molecules[a]);
            const Record& second = Find(molecules[b]);
            int differ = 0;
            for (int row = 0; row < first.height; ++row)
                for (int col = 0; col < first.width; ++col)
                    differ += (Value(first, col, row) > 0.3f) != (Value(second, col, row) > 0.3f);
            EXPECT_GT(differ, first.width * first.height / 16) << molecules[a] << " and " << molecules[b];
        }
}

} // namespace
