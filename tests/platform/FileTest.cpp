#include "platform/File.h"

#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(FilePaths, ResolveIgnoresCaseOneComponentAtATime)
{
    TempDir dir;
    TempDir::Write("data/Texture.vxr", "x");
    EXPECT_EQ("data/Texture.vxr", platform::ResolvePath("DATA/TEXTURE.VXR"));
    EXPECT_EQ("data/Texture.vxr", platform::ResolvePath("data/texture.VXR"));
    // A file still to be made keeps its own name inside the folder found.
    EXPECT_EQ("data/config.dat", platform::ResolvePath("DATA/config.dat"));
    EXPECT_EQ("nowhere/file", platform::ResolvePath("nowhere/file"));
    platform::File file;
    EXPECT_TRUE(file.Open("Data/TEXTURE.vxr", platform::File::modeRead));
}

TEST(FilePaths, ExactNameWinsOverACaseTwin)
{
    TempDir dir;
    TempDir::Write("a/x", "lower");
    TempDir::Write("A/x", "upper");
    platform::File file;
    ASSERT_TRUE(file.Open("A/x", platform::File::modeRead));
    char text[6] = {};
    file.Read(text, 5);
    EXPECT_STREQ("upper", text);
}

TEST(FileErrors, OpenFailuresNameTheirCause)
{
    TempDir dir;
    platform::File file;
    platform::FileError error = platform::FileError::none;
    EXPECT_FALSE(file.Open("missing.txt", platform::File::modeWrite, &error));
    EXPECT_EQ(platform::FileError::fileNotFound, error);
    EXPECT_EQ("missing.txt was not found.", platform::FileErrorMessage(error, "missing.txt"));
    std::filesystem::create_directory("folder");
    EXPECT_FALSE(file.Open("folder", platform::File::modeReadWrite, &error));
    EXPECT_EQ(platform::FileError::accessDenied, error);
    EXPECT_FALSE(file.Open("missing/inner.txt", platform::File::modeCreate | platform::File::modeWrite, &error));
    EXPECT_EQ(platform::FileError::fileNotFound, error);
    EXPECT_EQ("Disk full while accessing SCORES.VXR.",
        platform::FileErrorMessage(platform::FileError::diskFull, "SCORES.VXR"));
    EXPECT_EQ("An attempt was made to access DATA/TEXTURE.VXR past its end.",
        platform::FileErrorMessage(platform::FileError::endOfFile, "DATA/TEXTURE.VXR"));
}

TEST(FileLines, LineEndsOfEitherKindAreRemovedAndLongLinesCut)
{
    TempDir dir;
    TempDir::Write("lines.txt", "one\r\ntwo\nthree\r\n" + std::string(10000, 'x') + "\nlast");
    platform::File file;
    ASSERT_TRUE(file.Open("lines.txt", platform::File::modeRead));
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ("one", line);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ("two", line);
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ("three", line);
    ASSERT_TRUE(file.ReadLine(line, 16));
    EXPECT_EQ(16u, line.size());
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ("last", line);
    EXPECT_FALSE(file.ReadLine(line));
}

TEST(FileWrites, TruncateRewriteAndAppend)
{
    TempDir dir;
    TempDir::Write("f.txt", "0\n800\n600\n32");
    platform::File file;
    ASSERT_TRUE(file.Open("f.txt", platform::File::modeReadWrite));
    std::string line;
    file.ReadLine(line);
    EXPECT_TRUE(file.SetLength(0));
    EXPECT_TRUE(file.SeekToBegin());
    EXPECT_TRUE(file.WriteString("abc"));
    EXPECT_EQ(3, file.Length());
    EXPECT_TRUE(file.SeekToEnd());
    EXPECT_TRUE(file.WriteString("\nd"));
    file.Close();
    EXPECT_EQ("abc\nd", TempDir::Read("f.txt"));
}

// Every failure, wherever it comes, leaves the old file whole and no new one
// beside it, and names a cause; the file's own letter case is kept.
TEST(FileWrites, ReplaceIsAllOrNothing)
{
    using platform::FileError;
    TempDir dir;
    TempDir::Write("Table.dat", "old");
    const auto writeNew = [](platform::File& file) {
        return file.WriteString("new") ? FileError::none : platform::FailureCause();
    };
    EXPECT_EQ(
        FileError::diskFull, platform::ReplaceFile("table.dat", [](platform::File&) { return FileError::diskFull; }));
    EXPECT_EQ(
        FileError::accessDenied, platform::ReplaceFile("table.dat", writeNew, [] { return FileError::accessDenied; }));
    EXPECT_EQ("old", TempDir::Read("Table.dat"));
    EXPECT_FALSE(std::filesystem::exists("table.dat.new"));

    bool called = false;
    EXPECT_EQ(FileError::none, platform::ReplaceFile("table.dat", writeNew, [&called] {
        called = true;
        return FileError::none;
    }));
    EXPECT_TRUE(called);
    EXPECT_EQ("new", TempDir::Read("Table.dat"));
    EXPECT_FALSE(std::filesystem::exists("table.dat"));
    EXPECT_NE(FileError::none, platform::ReplaceFile("no-such-folder/x.dat", writeNew));
}

} // namespace
