#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "core/bivalo_doc.h"
#include "framework/command_ids.h"
#include "framework/profile.h"
#include "framework/scripted_services.h"
#include "shell/bivalo_app.h"
#include "shell/color_status_bar.h"
#include "shell/history_combo.h"
#include "shell/main_frame.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace framework;

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest()
    {
        left = dir.write("left.txt", "a\nb\nc\n");
        right = dir.write("right.txt", "a\nX\nc\n");
    }

    void start(std::vector<std::string> arguments)
    {
        ASSERT_TRUE(app.initInstance(arguments));
        QApplication::processEvents();
    }

    testing_support::TempDir dir;
    std::string left;
    std::string right;
    ScriptedServices services;
    CBivaloApp app{services};
};

TEST_F(MainFrameTest, StartsWithThePairAndTheTitle)
{
    start({left, right});
    EXPECT_EQ(app.mainFrame().windowTitle(), "Bivalo 1.15");
    EXPECT_EQ(app.document().rowCount, 3);
    EXPECT_EQ(app.mainFrame().statusBar().paneCount(), CMainFrame::kStatusPaneCount);
}

TEST_F(MainFrameTest, OneDroppedFileWaitsForTheSecond)
{
    start({left, right});
    app.mainFrame().dropFiles({right});
    EXPECT_EQ(app.mainFrame().statusBar().paneText(0), CMainFrame::kWaitingForSecondFile);
    EXPECT_EQ(app.document().pendingFile, right);
    app.mainFrame().dropFiles({left});
    EXPECT_TRUE(app.document().pendingFile.empty());
    EXPECT_EQ(app.document().source.path(), right);
    EXPECT_EQ(app.document().destination.path(), left);
    EXPECT_EQ(app.mainFrame().statusBar().paneText(0), "Ready");
}

TEST_F(MainFrameTest, OutsideChangeAsksOnceAndYesRescans)
{
    start({left, right});
    services.answerMessage(MessageAnswer::No);
    app.mainFrame().send(WM_FILE_CHANGED, 0, 1);
    app.mainFrame().send(WM_FILE_CHANGED, 1, 0);    // not from the watcher: ignored
    ASSERT_EQ(services.messageTexts().size(), 1u);
    EXPECT_EQ(services.messageTexts()[0],
              "This file was change from outside:\n" + left + "\nDo you want to reload files?");
}

TEST_F(MainFrameTest, FindTextIsAnsweredFromTheFindBox)
{
    start({left, right});
    std::string text = "unchanged";
    EXPECT_EQ(app.mainFrame().send(WM_GET_FIND_TEXT, 0, 0), 0);
    EXPECT_EQ(app.mainFrame().send(WM_GET_FIND_TEXT, 0, LParam(&text)), 0);
    EXPECT_EQ(text, "unchanged");
    app.mainFrame().findBox().setEditText("needle");
    EXPECT_EQ(app.mainFrame().send(WM_GET_FIND_TEXT, 0, LParam(&text)), 1);
    EXPECT_EQ(text, "needle");
}

TEST_F(MainFrameTest, PlacementIsSavedAtClose)
{
    start({left, right});
    app.mainFrame().close();
    EXPECT_GE(readProfileInt(settingsFilePath(), "MAINWND", "wp.showCmd", -1), 1);
}

} // namespace
