#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/file_change_watcher.h"
#include "recording_window.h"
#include "tests/support/temp_dir.h"

namespace {

using core::FileChangeWatcher;
using core_testing::RecordingWindow;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct WatchedPair : ::testing::Test {
    testing_support::TempDir dir;
    std::string source = dir.write("a.txt", "a\n");
    std::string target = dir.write("b.txt", "b\n");
    RecordingWindow window;
    FileChangeWatcher watcher { 2 };

    void SetUp() override
    {
        watcher.SetTarget(&window, framework::WM_FILE_CHANGED, 1);
        watcher.SetFile(0, source);
        watcher.SetFile(1, target);
        watcher.Start();
    }
    static void touch(const std::string& path, fs::file_time_type::duration by)
    {
        fs::last_write_time(path, fs::last_write_time(path) + by);
    }
};

TEST_F(WatchedPair, ChangesMadeWhileInactiveArePostedSourceFirst)
{
    watcher.OnActivateApp(false);
    touch(target, 5s);
    touch(source, 5s);
    watcher.OnActivateApp(true);

    ASSERT_EQ(window.posted.size(), 2u);
    EXPECT_EQ(window.posted[0], (RecordingWindow::Posted { framework::WM_FILE_CHANGED, 0, 1 }));
    EXPECT_EQ(window.posted[1], (RecordingWindow::Posted { framework::WM_FILE_CHANGED, 1, 1 }));

    watcher.OnActivateApp(true);
    EXPECT_EQ(window.posted.size(), 2u) << "a reported change is recorded and not reported twice";
}

TEST_F(WatchedPair, EachChangeIsReportedOnceByTheWatchWhileActiveOrElseAtTheNextActivation)
{
    watcher.OnActivateApp(false);
    watcher.OnActivateApp(true);
    touch(source, 5s); // no watch reported it
    watcher.OnActivateApp(false);
    touch(target, 5s);
    watcher.OnFileEvent(); // inactive: left to the activation
    EXPECT_TRUE(window.posted.empty());
    watcher.OnActivateApp(true);
    watcher.OnFileEvent();
    ASSERT_EQ(window.posted.size(), 2u);
    EXPECT_EQ(window.posted[0].wParam, 0u);
    EXPECT_EQ(window.posted[1].wParam, 1u);

    touch(target, 1s);
    watcher.OnFileEvent();
    watcher.OnFileEvent();
    ASSERT_EQ(window.posted.size(), 3u);
    EXPECT_EQ(window.posted[2].wParam, 1u);
}

TEST_F(WatchedPair, NoCheckBeforeTheFirstDeactivation)
{
    touch(source, 5s);
    watcher.OnActivateApp(true);
    EXPECT_TRUE(window.posted.empty());
    EXPECT_FALSE(watcher.armed());
}

TEST_F(WatchedPair, ATimeThatGoesBackwardsCountsAsAChange)
{
    watcher.OnActivateApp(false);
    touch(target, -1h);
    watcher.OnActivateApp(true);
    ASSERT_EQ(window.posted.size(), 1u);
    EXPECT_EQ(window.posted[0].wParam, 1u);
}

TEST_F(WatchedPair, ADifferenceBelowOneSecondIsSeen)
{
    watcher.OnActivateApp(false);
    touch(source, 1ms);
    EXPECT_TRUE(watcher.Check(0));
}

TEST_F(WatchedPair, AMissingFileIsSilentAndReportedWhenItComesBackChanged)
{
    watcher.OnActivateApp(false);
    const auto recorded = watcher.time(0);
    fs::rename(source, source + ".away");
    watcher.OnActivateApp(true);
    EXPECT_TRUE(window.posted.empty());
    watcher.OnActivateApp(false);
    EXPECT_EQ(watcher.time(0), recorded);

    fs::rename(source + ".away", source);
    touch(source, 3s);
    watcher.OnActivateApp(true);
    ASSERT_EQ(window.posted.size(), 1u);
    EXPECT_EQ(window.posted[0].wParam, 0u);
}

TEST_F(WatchedPair, OwnWritesFollowedByStartAreNotReported)
{
    watcher.OnActivateApp(false);
    touch(source, 2s);
    watcher.Start();
    watcher.OnActivateApp(true);
    EXPECT_TRUE(window.posted.empty());
}

TEST(FileChangeWatcher, WithoutTargetNothingIsPostedButTheTimeIsRecorded)
{
    testing_support::TempDir dir;
    const std::string path = dir.write("a.txt", "a\n");
    FileChangeWatcher watcher(0);
    EXPECT_EQ(watcher.count(), 1);
    EXPECT_FALSE(watcher.SetFile(1, path));
    EXPECT_FALSE(watcher.SetFile(-1, path));
    ASSERT_TRUE(watcher.SetFile(0, path));
    EXPECT_FALSE(watcher.Check(0));
    EXPECT_EQ(watcher.time(0), fs::last_write_time(path));
}

} // namespace
