#include <gtest/gtest.h>

#include <filesystem>

#include "shell/startup_command_line.h"
#include "tests/support/temp_dir.h"

namespace {

using shell::StartupCommandLine;

TEST(StartupCommandLine, NamesFillInOrderAndSwitchesAreSkipped)
{
    const auto names = StartupCommandLine::parse({"-x", "left.txt", "", "--flag", "right.txt"});
    EXPECT_EQ(names.firstName, "left.txt");
    EXPECT_EQ(names.secondName, "right.txt");
    EXPECT_EQ(names.thirdName, "");
    EXPECT_TRUE(names.hasPair());
}

TEST(StartupCommandLine, AbsolutePathsAreNamesNotSwitches)
{
    const auto names = StartupCommandLine::parse({"/tmp/a.txt", "/tmp/b.txt"});
    EXPECT_EQ(names.firstName, "/tmp/a.txt");
    EXPECT_EQ(names.secondName, "/tmp/b.txt");
}

TEST(StartupCommandLine, FourthNameReplacesTheThird)
{
    const auto names = StartupCommandLine::parse({"a", "b", "c", "d"});
    EXPECT_EQ(names.thirdName, "d");
}

TEST(StartupCommandLine, OneNameIsNoPair)
{
    EXPECT_FALSE(StartupCommandLine::parse({"a"}).hasPair());
    EXPECT_FALSE(StartupCommandLine::parse({}).hasPair());
}

class FolderInPairTest : public ::testing::Test {
protected:
    FolderInPairTest()
    {
        std::filesystem::create_directories(dir.path() / "x");
        std::filesystem::create_directories(dir.path() / "base" / "x");
        file = dir.write("x/y.txt", "text\n");
        folder = dir.file("base");
    }

    testing_support::TempDir dir;
    std::string file;
    std::string folder;
};

TEST_F(FolderInPairTest, FolderTakesTheFileOfTheSameName)
{
    const std::string inFolder = dir.write("base/y.txt", "other\n");
    std::string first = file;
    std::string second = folder + "/";
    shell::resolveFolderInPair(first, second);
    EXPECT_EQ(first, file);
    EXPECT_EQ(second, inFolder);
}

TEST_F(FolderInPairTest, FolderFirstLooksFurtherUpTheFilesPath)
{
    const std::string deeper = dir.write("base/x/y.txt", "other\n");
    std::string first = folder;
    std::string second = file;
    shell::resolveFolderInPair(first, second);
    EXPECT_EQ(first, deeper);
    EXPECT_EQ(second, file);
}

TEST_F(FolderInPairTest, NothingFoundKeepsTheFolder)
{
    std::string first = file;
    std::string second = folder;
    shell::resolveFolderInPair(first, second);
    EXPECT_EQ(second, folder);
}

TEST_F(FolderInPairTest, SameKindsAndMissingNamesStay)
{
    std::string first = dir.file("missing1");
    std::string second = dir.file("missing2");
    shell::resolveFolderInPair(first, second);
    EXPECT_EQ(first, dir.file("missing1"));

    std::string missing = dir.file("missing");
    std::string existingFolder = folder;
    dir.write("base/missing", "x\n");
    shell::resolveFolderInPair(missing, existingFolder);
    EXPECT_EQ(existingFolder, folder);

    std::string file2 = dir.write("z.txt", "z\n");
    std::string file1 = file;
    shell::resolveFolderInPair(file1, file2);
    EXPECT_EQ(file2, dir.file("z.txt"));
}

} // namespace
