#include "AssetsRun.h"
#include "platform/MessageBox.h"
#include "score/Score.h"

#include "TempDir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {


// A scores file written by the game itself.
std::string SavedTable()
{
    CScore score;
    score.Load();
    platform::ClearRecordedMessageBoxes();
    score.SetNormal("ACE", 12345, 7);
    score.SortNormal();
    score.SetNormal("LONGER THAN TWELVE", 99, 2);
    score.SortNormal();
    score.SetHard("LOW", -3, 1);
    EXPECT_EQ(1, score.Save());
    return TempDir::Read(CScore::kPath);
}

TEST(ScoreShow, PrintsTheThreeTablesAsTheGameShowsThem)
{
    TempDir dir;
    SavedTable();
    const Result answer = Assets({"scores", "show", "SCORES.VXR"});
    ASSERT_EQ(0, answer.status) << answer.err;
    EXPECT_TRUE(answer.err.empty());
    std::istringstream lines(answer.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(33u, all.size());
    EXPECT_EQ("EASY", all[0]);
    EXPECT_EQ("  1  ZANTRIVEL              0  -", all[1]);
    EXPECT_EQ(" 10  ZANTRIVEL              0  -", all[10]);
    EXPECT_EQ("NORMAL", all[11]);
    EXPECT_EQ("  1  ACE                12345  7", all[12]);
    EXPECT_EQ("  2  LONGER THAN           99  2", all[13]);
    EXPECT_EQ("HARD", all[22]);
    // Rows are shown in the order stored: a negative score is never entered.
    EXPECT_EQ(" 10  ZANTRIVEL              0  -", all[32]);
}

TEST(ScoreShow, ADamagedFileGetsOneLineAndStatusOne)
{
    TempDir dir;
    const std::string whole = SavedTable();
    std::filesystem::create_directory("folder");
    const std::pair<std::string, std::string> cases[] = {
        {whole.substr(0, whole.size() - 1), "ends after " + std::to_string(whole.size() - 1) + " bytes"},
        {"", "ends after 0 bytes"},
        // A name whose length promises four gigabytes.
        {std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7) + "abc", "ends after 10 bytes"},
        {whole + "x", "goes on after its three tables"},
    };
    for (const auto& [bytes, reason] : cases) {
        TempDir::Write("bad.vxr", bytes);
        const Result answer = Assets({"scores", "show", "bad.vxr"});
        EXPECT_EQ(1, answer.status) << reason;
        EXPECT_TRUE(answer.out.empty()) << answer.out;
        EXPECT_NE(std::string::npos, answer.err.find(reason)) << answer.err;
        EXPECT_EQ(1, std::count(answer.err.begin(), answer.err.end(), '\n')) << answer.err;
    }
    EXPECT_EQ("vexorin-assets: none.vxr was not found.\n", Assets({"scores", "show", "none.vxr"}).err);
    const Result folder = Assets({"scores", "show", "folder"});
    EXPECT_EQ(1, folder.status);
    EXPECT_EQ("vexorin-assets: folder is a folder, not a scores file\n", folder.err);
    EXPECT_EQ(2, Assets({"scores", "show"}).status);
}

} // namespace
