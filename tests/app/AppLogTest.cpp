#include "app/AppLog.h"
#include "platform/MessageBox.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class AppLogTest : public testing::Test {
protected:
    void SetUp() override { platform::ClearRecordedMessageBoxes(); }
    TempDir dir;
};

std::tm At(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

TEST(AppLogFormat, CreationTextPadsHourMinuteAndDayButNotYear)
{
    EXPECT_EQ("Log Created: 09:05 Dec 08, 2026", CAppLog::CreationText(At(2026, 12, 8, 9, 5)));
    EXPECT_EQ("Log Created: 23:59 Jan 31, 999", CAppLog::CreationText(At(999, 1, 31, 23, 59)));
    EXPECT_EQ("Log Created: 00:00 Jul 01, 2030", CAppLog::CreationText(At(2030, 7, 1, 0, 0)));
}

TEST_F(AppLogTest, FirstRunReportsTheMissingFileOnceThenWritesHeaderAndLines)
{
    {
        CAppLog log;
        log.report("Saved the current display state");
        log.report("seed the random numbers");
    }
    ASSERT_EQ(1u, platform::RecordedMessageBoxes().size());
    EXPECT_EQ("applog.txt was not found.", platform::RecordedMessageBoxes()[0].text);
    std::string text = TempDir::Read("applog.txt");
    std::string header = "vexorin Log\nLog Created: ";
    ASSERT_EQ(header, text.substr(0, header.size()));
    size_t body = text.find("\n\n\n");
    ASSERT_NE(std::string::npos, body);
    EXPECT_EQ("Saved the current display state\nseed the random numbers", text.substr(body + 3));
}

TEST_F(AppLogTest, SecondRunHoldsOnlyItsOwnLines)
{
    {
        CAppLog log;
        log.report("first run");
    }
    platform::ClearRecordedMessageBoxes();
    {
        CAppLog log;
        log.report("second run");
    }
    EXPECT_TRUE(platform::RecordedMessageBoxes().empty());
    std::string text = TempDir::Read("applog.txt");
    EXPECT_EQ(std::string::npos, text.find("first run"));
    EXPECT_EQ("\n\n\nsecond run", text.substr(text.size() - 13));
}

TEST_F(AppLogTest, UnwritableLogShowsABoxPerMessageAndGoesOn)
{
    // A folder in the log's place cannot be opened as a file, even by root.
    std::filesystem::create_directory("applog.txt");
    CAppLog log;
    size_t atStart = platform::RecordedMessageBoxes().size();
    EXPECT_GE(atStart, 1u);
    log.report("one");
    log.report("two");
    ASSERT_EQ(atStart + 2, platform::RecordedMessageBoxes().size());
    EXPECT_EQ("Access to applog.txt was denied.", platform::RecordedMessageBoxes().back().text);
}

} // namespace
