#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "core/bivalo_doc.h"
#include "framework/scripted_services.h"
#include "framework/update_hints.h"
#include "panes/bivalo_view.h"
#include "panes/diff_preview.h"
#include "panes/dst_view.h"
#include "panes/view_frame.h"
#include "settings/app_settings.h"
#include "settings/color_table.h"
#include "tests/support/temp_dir.h"

namespace {

using framework::MessageId;

// The window around the panes: records what is posted to it and which pane is active.
class RecordingFrame : public panes::ViewFrame, public framework::MessageTarget, public core::DocumentHost {
public:
    void activateView(panes::CTableView* view) override { active = view; }
    panes::CTableView* activeView() const override { return active; }
    framework::MessageTarget& frameWindow() override { return *this; }
    void showContextMenu(const QPoint&) override { ++contextMenus; }
    void post(MessageId message, framework::WParam wParam, framework::LParam) override
    {
        posted.push_back({message, wParam});
    }
    framework::MessageTarget& mainWindow() override { return *this; }
    void dispatchPendingMessages() override {}
    void focusActiveView() override {}
    bool runOptionsDialog() override { return false; }
    bool createFont(const framework::LogFont&) override { return true; }
    void runEasyJoin() override {}

    panes::CTableView* active = nullptr;
    int contextMenus = 0;
    std::vector<std::pair<MessageId, framework::WParam>> posted;
};

class FilePanesTest : public ::testing::Test {
protected:
    FilePanesTest() : doc(services, frame), source(doc, frame, services), target(doc, frame, services), strip(doc)
    {
        window.resize(800, 400);
        source.createView(&window);
        target.createView(&window);
        source.setGeometry(0, 0, 400, 400);
        target.setGeometry(400, 0, 400, 400);
        strip.setParent(&window);
        strip.setGeometry(0, 0, 30, 410);
        source.initialUpdate();
        target.initialUpdate();
        window.show();
    }

    bool compare(const std::string& left, const std::string& right)
    {
        return doc.loadAndCompare(dir.write("left.txt", left), dir.write("right.txt", right));
    }

    framework::ColorRef backgroundOf(panes::CBivaloView& view, int row)
    {
        const QImage image = view.grid()->grab().toImage();
        const QRect cell = view.grid()->cellRect(0, row).translated(view.grid()->clientArea().topLeft());
        const QColor color = image.pixelColor(std::min(cell.right(), image.width() - 20), cell.center().y());
        return framework::ColorRef(color.red() | (color.green() << 8) | (color.blue() << 16));
    }

    testing_support::TempDir dir;
    framework::ScriptedServices services;
    RecordingFrame frame;
    core::CBivaloDoc doc;
    QWidget window;
    panes::CBivaloView source;
    panes::CDstView target;
    panes::CDiffPreview strip;
};

TEST_F(FilePanesTest, RowsTakeTheBackgroundOfTheirState)
{
    ASSERT_TRUE(compare("same\nleft only\nsame 2\n", "same\nsame 2\nright only\n"));
    ASSERT_EQ(doc.rowCount, 4);
    const settings::CColorTable& colors = settings::colorTable();
    target.grid()->send(grid::TCM_SETCURCELL, 0, 3);    // keep the current-cell frame off row 0
    EXPECT_EQ(backgroundOf(source, 0), colors.backgroundFor(0, 0));
    EXPECT_EQ(backgroundOf(source, 1), colors.backgroundFor(1, 0));
    EXPECT_EQ(backgroundOf(source, 3), colors.backgroundFor(1, 0));    // a virtual row: state 1's background
}

TEST_F(FilePanesTest, VirtualRowShowsDashesOnlyWhileHiddenAndStateOnesBackground)
{
    ASSERT_TRUE(compare("a\nb\nc\n", "a\nc\n"));
    settings::appSettings().Hidden = 0;
    EXPECT_EQ(target.GetCellText(1, 0), nullptr);
    settings::appSettings().Hidden = 1;
    EXPECT_STREQ(target.GetCellText(1, 0), "----");
    settings::appSettings().Hidden = 0;
    EXPECT_STREQ(source.GetCellText(1, 0), "b");
    EXPECT_EQ(target.GetCellText(0, 0), std::string("a"));
}

TEST_F(FilePanesTest, IdenticalFilesAtTheFirstComparisonAskToClose)
{
    ASSERT_TRUE(compare("x\ny\n", "x\ny\n"));
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{panes::CBivaloView::kFilesIdentical});
    ASSERT_EQ(frame.posted.size(), 1u);
    EXPECT_EQ(frame.posted[0].first, framework::WM_CLOSE);
}

TEST_F(FilePanesTest, ShiftKeepsTheProgramOpenAndALaterComparisonNeverCloses)
{
    services.setShiftDown(true);
    ASSERT_TRUE(compare("x\n", "x\n"));
    EXPECT_TRUE(frame.posted.empty());
    services.setShiftDown(false);
    ASSERT_TRUE(compare("y\n", "y\n"));
    EXPECT_TRUE(frame.posted.empty());
    EXPECT_EQ(services.messageTexts().size(), 2u);
}

TEST_F(FilePanesTest, DifferencesMoveTheTargetToTheFirstOne)
{
    ASSERT_TRUE(compare("a\nb\nc\nd\n", "a\nb\nX\nd\n"));
    EXPECT_TRUE(services.messageTexts().empty());
    EXPECT_EQ(target.grid()->position().row, 2);
}

TEST_F(FilePanesTest, ScrollingFollowsTheOtherPaneOnlyWhileSynchronised)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "line " + std::to_string(i) + "\n";
    ASSERT_TRUE(compare(text, text + "end\n"));
    target.grid()->send(grid::TCM_SETCURCELL, 0, 200);
    EXPECT_EQ(source.grid()->position().row, 200);
    EXPECT_EQ(source.grid()->position().originY, target.grid()->position().originY);
    doc.syncScroll = false;
    target.grid()->send(grid::TCM_SETCURCELL, 0, 20);
    EXPECT_EQ(source.grid()->position().row, 200);
}

TEST_F(FilePanesTest, CaptionNamesTheFileAndTheLine)
{
    ASSERT_TRUE(compare("a\nb\n", "a\nc\n"));
    EXPECT_EQ(target.captionText(), " " + doc.destination.path() + " : 2");
}

TEST_F(FilePanesTest, StripClickSendsThePanesToTheRowAndFocusToTheSource)
{
    std::string left, right;
    for (int i = 0; i < 100; ++i) {
        left += "l" + std::to_string(i) + "\n";
        right += (i == 60 ? "changed\n" : "l" + std::to_string(i) + "\n");
    }
    ASSERT_TRUE(compare(left, right));
    EXPECT_TRUE(strip.blockMap().pixelsPerRow());
    EXPECT_EQ(strip.blockMap().scale(), 4);
    QTest::mouseClick(&strip, Qt::RightButton, Qt::NoModifier, QPoint(15, strip.blockMap().rowToY(50)));
    EXPECT_EQ(target.grid()->position().row, 60);
    EXPECT_EQ(frame.active, &source);
}

} // namespace
