#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "core/atomic_file.h"
#include "tests/support/temp_dir.h"

namespace core {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

bool replace(const std::string& path, std::string_view bytes)
{
    AtomicFile file(path);
    return file.open() && file.write(bytes) && file.commit();
}

int entriesIn(const fs::path& folder)
{
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

mode_t modeOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

TEST(AtomicFile, ReplacesContentAndKeepsPermissionBits)
{
    TempDir dir;
    const std::string path = dir.write("a.txt", "old\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(replace(path, "new\n"));
    EXPECT_EQ(dir.read("a.txt"), "new\n");
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(AtomicFile, CreatesANewFileWithTheUsualPermissions)
{
    TempDir dir;
    const mode_t mask = ::umask(022);
    const bool written = replace(dir.file("new.txt"), "x\n");
    ::umask(mask);
    ASSERT_TRUE(written);
    EXPECT_EQ(dir.read("new.txt"), "x\n");
    EXPECT_EQ(modeOf(dir.file("new.txt")), 0644u);
}

TEST(AtomicFile, FailsIntoAMissingFolder)
{
    TempDir dir;
    EXPECT_FALSE(replace(dir.file("missing/a.txt"), "x\n"));
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

TEST(AtomicFile, RefusesAReadOnlyFileAndLeavesItUntouched)
{
    TempDir dir;
    const std::string path = dir.write("ro.txt", "keep me\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);

    EXPECT_FALSE(replace(path, "lost\n"));
    EXPECT_EQ(dir.read("ro.txt"), "keep me\n");
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(AtomicFile, FailsInAReadOnlyFolderAndLeavesTheFileUntouched)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "a privileged user may write into any folder";
    TempDir dir;
    const std::string path = dir.write("a.txt", "keep me\n");
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_FALSE(replace(path, "lost\n"));
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(dir.read("a.txt"), "keep me\n");
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(AtomicFile, UnfinishedWriteLeavesTheOldFileAndNoTemporary)
{
    TempDir dir;
    const std::string path = dir.write("a.txt", "old\n");
    {
        AtomicFile file(path);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("half"));
    }
    EXPECT_EQ(dir.read("a.txt"), "old\n");
    EXPECT_EQ(entriesIn(dir.path()), 1);
}

TEST(AtomicFile, WritesThroughASymbolicLink)
{
    TempDir dir;
    const std::string real = dir.write("real.txt", "old\n");
    fs::create_symlink(real, dir.path() / "link.txt");

    ASSERT_TRUE(replace(dir.file("link.txt"), "new\n"));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
    EXPECT_EQ(dir.read("real.txt"), "new\n");
}

TEST(AtomicFile, RefusesToReplaceAFolder)
{
    TempDir dir;
    fs::create_directory(dir.path() / "sub");
    EXPECT_FALSE(replace(dir.file("sub"), "x\n"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
}

} // namespace
} // namespace core
