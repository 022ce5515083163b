#include "score/Score.h"
#include "platform/MessageBox.h"

#include "KillDuring.h"
#include "MountedFolder.h"
#include "TempDir.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Row {
    std::string name;
    int32_t score;
    int32_t level;
    bool operator==(const Row&) const = default;
};

using Menu = void (CScore::*)(int, CScore::DisplayName&, int32_t&, int32_t&) const;
const Menu kMenus[] = {&CScore::SetMenuEasy, &CScore::SetMenuNormal, &CScore::SetMenuHard};

std::vector<Row> Rows(const CScore& score, Menu menu)
{
    std::vector<Row> rows;
    for (int i = 0; i < CScore::kRows; ++i) {
        CScore::DisplayName name;
        Row row;
        (score.*menu)(i, name, row.score, row.level);
        row.name = name;
        rows.push_back(row);
    }
    return rows;
}

std::vector<Row> DefaultRows() { return std::vector<Row>(CScore::kRows, Row{"ZANTRIVEL", 0, 0}); }

std::string Int(int32_t value)
{
    auto bits = static_cast<uint32_t>(value);
    return {char(bits), char(bits >> 8), char(bits >> 16), char(bits >> 24)};
}

// One skill's part of the file: names, then scores, then levels.
std::string Section(const std::vector<Row>& rows)
{
    std::string bytes;
    for (const Row& row : rows)
        bytes += char(row.name.size()) + row.name;
    for (const Row& row : rows)
        bytes += Int(row.score);
    for (const Row& row : rows)
        bytes += Int(row.level);
    return bytes;
}

std::string DefaultFile() { return Section(DefaultRows()) + Section(DefaultRows()) + Section(DefaultRows()); }

std::vector<std::string> Boxes()
{
    std::vector<std::string> texts;
    for (const auto& box : platform::RecordedMessageBoxes())
        texts.push_back(box.text);
    platform::ClearRecordedMessageBoxes();
    return texts;
}

class ScoreFile : public testing::Test {
protected:
    void SetUp() override { platform::ClearRecordedMessageBoxes(); }
    void TearDown() override { platform::ClearRecordedMessageBoxes(); }
    TempDir dir;
};

// The stored table loaded, with a result added that is not saved yet.
void LoadWithAnUnsavedResult(CScore& score, const std::string& stored)
{
    TempDir::Write("SCORES.VXR", stored);
    score.Load();
    score.SetEasy("LOST", 99, 1);
}

TEST(ScoreTable, DefaultTableTakesOnlyScoresAboveTheLowestRow)
{
    CScore score;
    for (Menu menu : kMenus)
        EXPECT_EQ(DefaultRows(), Rows(score, menu));
    EXPECT_EQ(0, score.SetEasy("ZERO", 0, 3));
    EXPECT_EQ(0, score.SetEasy("MINUS", -5, 3));
    EXPECT_EQ(0, score.SetEasy("LOWEST", INT32_MIN, 1));
    score.SortEasy();
    EXPECT_EQ(DefaultRows(), Rows(score, &CScore::SetMenuEasy));
    EXPECT_EQ(1, score.SetEasy("ONE", 1, 2));
    score.SortEasy();
    EXPECT_EQ((Row{"ONE", 1, 2}), Rows(score, &CScore::SetMenuEasy)[0]);
    EXPECT_EQ((Row{"ZANTRIVEL", 0, 0}), Rows(score, &CScore::SetMenuEasy)[9]);
}

TEST(ScoreTable, TiesRankBelowAndTheDisplacedRowIsGone)
{
    CScore score;
    for (int i = 1; i <= CScore::kRows; ++i) {
        ASSERT_EQ(1, score.SetNormal("P" + std::to_string(i), i * 100, i));
        score.SortNormal();
    }
    EXPECT_EQ((Row{"P10", 1000, 10}), Rows(score, &CScore::SetMenuNormal)[0]);
    EXPECT_EQ((Row{"P1", 100, 1}), Rows(score, &CScore::SetMenuNormal)[9]);
    EXPECT_EQ(0, score.SetNormal("SAME", 100, 4)); // equal to row 9
    EXPECT_EQ(1, score.SetNormal("TIE", 500, 7));
    score.SortNormal();
    const auto rows = Rows(score, &CScore::SetMenuNormal);
    EXPECT_EQ((Row{"P5", 500, 5}), rows[5]);
    EXPECT_EQ((Row{"TIE", 500, 7}), rows[6]);
    EXPECT_EQ((Row{"P2", 200, 2}), rows[9]);
    for (const Row& row : rows)
        EXPECT_NE("P1", row.name);
}

TEST(ScoreTable, AResultEntersOnlyTheTableOfItsSkill)
{
    CScore score;
    EXPECT_EQ(1, score.SetHard("HARDY", 900, 8));
    score.SortEasy();
    score.SortNormal();
    score.SortHard();
    EXPECT_EQ(DefaultRows(), Rows(score, &CScore::SetMenuEasy));
    EXPECT_EQ(DefaultRows(), Rows(score, &CScore::SetMenuNormal));
    EXPECT_EQ((Row{"HARDY", 900, 8}), Rows(score, &CScore::SetMenuHard)[0]);
}

TEST(ScoreDisplay, NamesAreCutToTwelvePrintableCharactersNeverPastTheRow)
{
    CScore score;
    score.SetEasy("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 50, 1);
    score.SortEasy();
    score.SetEasy(std::string("\x01M\xFFI\tX\0E", 8) + "\x7F" + "D ", 40, 1);
    score.SortEasy();
    score.SetEasy("", 30, 1);
    score.SortEasy();
    struct {
        CScore::DisplayName name;
        char guard[4] = {'g', 'g', 'g', 'g'};
    } row;
    int32_t points = 0, level = 0;
    score.SetMenuEasy(0, row.name, points, level);
    EXPECT_STREQ("ABCDEFGHIJKL", row.name);
    EXPECT_EQ(std::string("gggg"), std::string(row.guard, 4));
    EXPECT_EQ(50, points);
    score.SetMenuEasy(1, row.name, points, level);
    EXPECT_STREQ("MIXED ", row.name); // a trailing blank typed by the player stays
    score.SetMenuEasy(2, row.name, points, level);
    EXPECT_STREQ("", row.name);
    // Hidden bytes make no room: twelve printable characters still fill the row.
    CScore other;
    other.SetHard(std::string(20, '\x05') + "0123456789ABCDEF", 1, 1);
    other.SortHard();
    other.SetMenuHard(0, row.name, points, level);
    EXPECT_STREQ("0123456789AB", row.name);
}

TEST_F(ScoreFile, TheDefaultTableIs540BytesAndReadsBack)
{
    CScore score;
    score.Load();
    EXPECT_EQ(std::vector<std::string>{"SCORES.VXR was not found."}, Boxes());
    ASSERT_EQ(1, score.Save());
    const std::string bytes = TempDir::Read("SCORES.VXR");
    ASSERT_EQ(540u, bytes.size());
    EXPECT_EQ(std::string("\x09ZANTRIVEL", 10), bytes.substr(0, 10));
    EXPECT_EQ(DefaultFile(), bytes);
    EXPECT_FALSE(TempDir::Exists("SCORES.VXR.new"));
    EXPECT_FALSE(TempDir::Exists("SCORES.VXR.damaged"));

    CScore again;
    again.SetEasy("GONE", 5, 5);
    again.Load();
    EXPECT_TRUE(Boxes().empty());
    for (Menu menu : kMenus)
        EXPECT_EQ(DefaultRows(), Rows(again, menu));
}

TEST_F(ScoreFile, FieldsAreStoredSkillBySkillNamesScoresThenLevels)
{
    CScore score;
    score.Load();
    score.SetEasy("AL", 7, 2);
    score.SetNormal("BEA", -1, 0);
    score.SetHard(std::string(255, 'h'), 0x01020304, 9);
    ASSERT_EQ(1, score.Save());
    auto easy = DefaultRows();
    easy[9] = {"AL", 7, 2};
    auto normal = DefaultRows();
    auto hard = DefaultRows();
    hard[9] = {std::string(255, 'h'), 0x01020304, 9};
    std::string expected = Section(easy) + Section(normal) + Section(hard);
    // A 255-character name takes the long length prefix.
    const size_t at = expected.find(char(255) + std::string(255, 'h'));
    expected.replace(at, 1, "\xFF\xFF\x00", 3);
    EXPECT_EQ(expected, TempDir::Read("SCORES.VXR"));

    CScore loaded;
    loaded.Load();
    CScore::DisplayName name;
    int32_t points = 0, level = 0;
    loaded.SetMenuHard(0, name, points, level);
    EXPECT_EQ(0x01020304, points);
    EXPECT_EQ(9, level);
    loaded.SetMenuEasy(0, name, points, level);
    EXPECT_STREQ("AL", name);
}

TEST_F(ScoreFile, AFileThatEndsEarlyIsReportedKeptAsideAndNeverOverwritten)
{
    auto easy = DefaultRows();
    easy[0] = {"KEEPER", 4000, 12};
    const std::string full = Section(easy) + Section(DefaultRows()) + Section(DefaultRows());
    const std::string damaged = full.substr(0, full.size() - 1);
    TempDir::Write("SCORES.VXR", damaged);
    TempDir::Write("SCORES.VXR.damaged", "an older one");

    CScore score;
    score.Load();
    EXPECT_EQ(std::vector<std::string>{"An attempt was made to access SCORES.VXR past its end."}, Boxes());
    EXPECT_TRUE(score.MaySave());
    // Nothing half-read is kept: the table is the default one.
    EXPECT_EQ(DefaultRows(), Rows(score, &CScore::SetMenuEasy));
    EXPECT_EQ(damaged, TempDir::Read("SCORES.VXR"));

    score.SetEasy("NEW", 10, 1);
    score.SortEasy();
    ASSERT_EQ(1, score.Save());
    EXPECT_EQ(damaged, TempDir::Read("SCORES.VXR.damaged"));
    easy = DefaultRows();
    easy[0] = {"NEW", 10, 1};
    EXPECT_EQ(Section(easy) + Section(DefaultRows()) + Section(DefaultRows()), TempDir::Read("SCORES.VXR"));

    // Kept aside once: the next save leaves the damaged copy alone.
    ASSERT_EQ(1, score.Save());
    EXPECT_EQ(damaged, TempDir::Read("SCORES.VXR.damaged"));
}

// Files the game writes never go on after the tables: one that does is
// garbage that happens to start like a table, and is kept aside as damaged.
TEST_F(ScoreFile, ExtraBytesAfterTheTablesMakeADamagedFile)
{
    auto hard = DefaultRows();
    hard[0] = {"X", 3, 3};
    const std::string stored = Section(DefaultRows()) + Section(DefaultRows()) + Section(hard) + "trailing";
    TempDir::Write("SCORES.VXR", stored);
    CScore score;
    score.SetHard("BEFORE", 1, 1);
    score.Load();
    EXPECT_EQ(std::vector<std::string>{"SCORES.VXR is damaged: it holds more than its three tables."}, Boxes());
    EXPECT_EQ((Row{"BEFORE", 1, 1}), Rows(score, &CScore::SetMenuHard)[0]);
    ASSERT_EQ(1, score.Save());
    EXPECT_EQ(stored, TempDir::Read("SCORES.VXR.damaged"));
}

TEST_F(ScoreFile, AnUnsortedFileIsSortedSoAResultDisplacesTheLowestRow)
{
    std::vector<Row> normal;
    for (int i = 0; i < CScore::kRows; ++i)
        normal.push_back({"R" + std::to_string(i), (i + 1) * 10, 1}); // lowest first
    TempDir::Write("SCORES.VXR", Section(DefaultRows()) + Section(normal) + Section(DefaultRows()));
    CScore score;
    score.Load();
    EXPECT_EQ(1, score.SetNormal("MID", 55, 2));
    score.SortNormal();
    const auto rows = Rows(score, &CScore::SetMenuNormal);
    EXPECT_EQ((Row{"R9", 100, 1}), rows[0]);
    EXPECT_EQ((Row{"MID", 55, 2}), rows[5]);
    EXPECT_EQ((Row{"R1", 20, 1}), rows[9]);
}

TEST_F(ScoreFile, NothingIsSavedBeforeTheTableWasLoaded)
{
    TempDir::Write("SCORES.VXR", "stored scores");
    CScore score;
    EXPECT_FALSE(score.MaySave());
    EXPECT_EQ(0, score.Save());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ("stored scores", TempDir::Read("SCORES.VXR"));
}

TEST_F(ScoreFile, AFailedWriteLeavesTheStoredFileAsItWas)
{
    const std::string stored = DefaultFile();
    CScore score;
    LoadWithAnUnsavedResult(score, stored);
    // Every byte written to the temporary file meets a full disk.
    fs::create_symlink("/dev/full", "SCORES.VXR.new");
    EXPECT_EQ(0, score.Save());
    EXPECT_EQ(std::vector<std::string>{"Disk full while accessing SCORES.VXR."}, Boxes());
    EXPECT_EQ(stored, TempDir::Read("SCORES.VXR"));
    EXPECT_FALSE(fs::exists(fs::symlink_status("SCORES.VXR.new")));

    // Once the disk has room again the same table is saved.
    ASSERT_EQ(1, score.Save());
    CScore loaded;
    loaded.Load();
    EXPECT_EQ((Row{"LOST", 99, 1}), Rows(loaded, &CScore::SetMenuEasy)[0]);
}

// The folder is read-only for root too, in a child process of its own.
TEST_F(ScoreFile, AReadOnlyFolderFailsTheSaveWithAMessageAndKeepsTheFile)
{
    const std::string stored = DefaultFile();
    CScore score;
    LoadWithAnUnsavedResult(score, stored);
    const auto outcome = mounted_folder::CheckReadOnly(fs::absolute("."), [&] {
        return score.Save() == 0 && Boxes() == std::vector<std::string>{"Access to SCORES.VXR was denied."} &&
            TempDir::Read("SCORES.VXR") == stored;
    });
    if (outcome == mounted_folder::Outcome::unavailable)
        GTEST_SKIP() << "no user and mount namespaces here to make a read-only folder";
    EXPECT_EQ(mounted_folder::Outcome::passed, outcome);
    EXPECT_EQ(stored, TempDir::Read("SCORES.VXR"));
    ASSERT_EQ(1, score.Save());
}

// A real file system with no room left: the table written beside the stored
// one cannot be completed, and the stored one stays whole.
TEST_F(ScoreFile, AFullFileSystemFailsTheSaveWithAMessageAndKeepsTheFile)
{
    const std::string stored = DefaultFile();
    CScore score;
    LoadWithAnUnsavedResult(score, stored);
    const auto outcome = mounted_folder::CheckFull(
        fs::absolute("."),
        [&stored] {
            TempDir::Write("SCORES.VXR", stored);
            return TempDir::Read("SCORES.VXR") == stored;
        },
        [&] {
            return score.Save() == 0 && Boxes() == std::vector<std::string>{"Disk full while accessing SCORES.VXR."} &&
                TempDir::Read("SCORES.VXR") == stored && !fs::exists("SCORES.VXR.new");
        });
    if (outcome == mounted_folder::Outcome::unavailable)
        GTEST_SKIP() << "no user and mount namespaces here to mount a small file system";
    EXPECT_EQ(mounted_folder::Outcome::passed, outcome);
}

// A save killed at any moment leaves the whole old table or the whole new
// one, and whatever it left behind does not stop the next save.
TEST_F(ScoreFile, ASaveKilledAtAnyMomentLeavesTheOldTableOrTheNewOne)
{
    TempDir memory(TempDir::MemoryBase());
    const std::string old = DefaultFile();
    TempDir::Write("SCORES.VXR", old);
    CScore score;
    score.Load();
    score.SetEasy("NEW", 77, 3);
    score.SortEasy();
    const auto save = [&score] { score.Save(); };
    const auto span = kill_during::TimeInChild(save);
    const std::string saved = TempDir::Read("SCORES.VXR");
    ASSERT_NE(old, saved);
    int olds = 0, news = 0;
    constexpr int kKills = 200;
    for (int i = 0; i < kKills; ++i) {
        TempDir::Write("SCORES.VXR", old);
        // From the start of the save to a quarter past its end.
        kill_during::KillAfter(save, span * i * 5 / (kKills * 4));
        const std::string left = TempDir::Read("SCORES.VXR");
        ASSERT_TRUE(left == old || left == saved) << "killed after " << i << "/" << kKills;
        ++(left == old ? olds : news);
        CScore next;
        next.Load();
        ASSERT_TRUE(Boxes().empty());
        ASSERT_EQ(1, next.Save());
        ASSERT_EQ(left, TempDir::Read("SCORES.VXR"));
        ASSERT_FALSE(TempDir::Exists("SCORES.VXR.new"));
    }
    EXPECT_GT(news, 0);
    EXPECT_GT(olds, 0);
    std::printf("a save takes %lld us; kills left the old table %d times, the new one %d times\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(span).count()), olds, news);
}

TEST_F(ScoreFile, ADamagedFileStaysInPlaceUntilASaveSucceeds)
{
    TempDir::Write("SCORES.VXR", "short");
    CScore score;
    score.Load();
    Boxes();
    fs::create_symlink("/dev/full", "SCORES.VXR.new");
    EXPECT_EQ(0, score.Save());
    EXPECT_EQ("short", TempDir::Read("SCORES.VXR"));
    EXPECT_FALSE(TempDir::Exists("SCORES.VXR.damaged"));
    ASSERT_EQ(1, score.Save());
    EXPECT_EQ("short", TempDir::Read("SCORES.VXR.damaged"));
    EXPECT_EQ(DefaultFile(), TempDir::Read("SCORES.VXR"));
}

TEST_F(ScoreFile, AFileNamedInOtherCaseIsReadAndReplacedNotTwinned)
{
    auto easy = DefaultRows();
    easy[0] = {"LOWER", 8, 1};
    TempDir::Write("scores.vxr", Section(easy) + Section(DefaultRows()) + Section(DefaultRows()));
    CScore score;
    score.Load();
    EXPECT_EQ(easy, Rows(score, &CScore::SetMenuEasy));
    score.SetEasy("ADDED", 9, 1);
    ASSERT_EQ(1, score.Save());
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator("."))
        files += entry.is_regular_file();
    EXPECT_EQ(1u, files);
    EXPECT_NE(std::string::npos, TempDir::Read("scores.vxr").find("ADDED"));
}

} // namespace
