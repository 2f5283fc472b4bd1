#include <gtest/gtest.h>

#include <array>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include "framework/command_ids.h"
#include "framework/scripted_services.h"
#include "shell/color_status_bar.h"
#include "shell/flat_tool_bar.h"
#include "shell/link_static.h"

namespace {

using namespace framework;

constexpr std::array<CommandId, 4> kPanes = {0, ID_INDICATOR_CHANGED, ID_EDIT_MODE_INDICATOR, ID_SOURCE_READ_ONLY};

QColor pixelAt(QWidget& widget, QPoint point)
{
    return widget.grab().toImage().pixelColor(point);
}

class ColorStatusBarTest : public ::testing::Test {
protected:
    ColorStatusBarTest()
    {
        bar.setIndicators(kPanes);
        bar.resize(600, bar.sizeHint().height());
        bar.setCommandSink([this](CommandId id) { sent.push_back(id); });
    }

    void click(int pane)
    {
        QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(pane).center());
    }

    CColorStatusBar bar;
    std::vector<CommandId> sent;
};

TEST_F(ColorStatusBarTest, PanesTakeTheirTextsFromTheStringTable)
{
    EXPECT_EQ(bar.paneText(1), "Changed");
    EXPECT_EQ(bar.paneText(2), "EDIT");
    EXPECT_EQ(bar.paneOfCommand(ID_EDIT_MODE_INDICATOR), 2);
    EXPECT_EQ(bar.paneOfCommand(ID_RESCAN), -1);
    EXPECT_LT(bar.paneRect(0).right(), bar.paneRect(1).left());
    EXPECT_LT(bar.paneRect(2).right(), bar.paneRect(3).left());
}

TEST_F(ColorStatusBarTest, MessageIsDrawnInItsColours)
{
    bar.showMessage(0, "Waiting for second file...", 0x800000, 0xFFFFFF);
    EXPECT_EQ(bar.paneFlags(0), unsigned(CColorStatusBar::ShowsMessage | CColorStatusBar::HasBackground));
    EXPECT_TRUE(bar.isOwnerDrawn(0));
    const QRect pane = bar.paneRect(0);
    EXPECT_EQ(pixelAt(bar, QPoint(pane.right() - 3, pane.center().y())), QColor(0, 0, 0x80));
}

TEST_F(ColorStatusBarTest, ClearingAtOnceShowsReadyAndPlainLook)
{
    bar.showMessage(0, "Hello", 0x800000, 0xFFFFFF);
    bar.clearMessage(0, 0);
    EXPECT_EQ(bar.paneText(0), "Ready");
    const QRect pane = bar.paneRect(0);
    EXPECT_NE(pixelAt(bar, QPoint(pane.right() - 3, pane.center().y())), QColor(0, 0, 0x80));
    EXPECT_FALSE(bar.isOwnerDrawn(0));
}

TEST_F(ColorStatusBarTest, DelayedClearWaitsForItsTimer)
{
    bar.showMessage(0, "Saved", CColorStatusBar::kDefaultColor, 0x0000FF);
    bar.clearMessage(0, 3);
    QApplication::processEvents();
    EXPECT_EQ(bar.paneText(0), "Saved");
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.paneText(0) == "Ready"; }, 2000));
}

TEST_F(ColorStatusBarTest, MessageOverwrittenByOtherTextLosesItsColours)
{
    bar.showMessage(0, "Hello", 0x800000, 0xFFFFFF);
    bar.setPaneText(0, "Something else");
    bar.grab();
    EXPECT_FALSE(bar.isOwnerDrawn(0));
}

TEST_F(ColorStatusBarTest, FittedColourPaneIsAsWideAsItsText)
{
    bar.setPaneColor(1, 0x0000FF, true);
    EXPECT_EQ(bar.paneWidth(1), bar.fontMetrics().horizontalAdvance("Changed"));
    EXPECT_EQ(bar.textColor(1), 0x0000FFu);
    const QImage image = bar.grab().toImage();
    const QRect pane = bar.paneRect(1);
    bool red = false;
    for (int x = pane.left(); x <= pane.right(); ++x)
        for (int y = pane.top(); y <= pane.bottom(); ++y)
            red = red || image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);
}

TEST_F(ColorStatusBarTest, ClickSendsTheCommandOnlyWhenFlagged)
{
    click(1);
    EXPECT_TRUE(sent.empty());
    bar.setClick(1, true, false);
    click(1);
    EXPECT_EQ(sent, std::vector<CommandId>{ID_INDICATOR_CHANGED});
}

TEST_F(ColorStatusBarTest, DisabledPaneClicksOnlyWithTheWhileDisabledFlag)
{
    bar.setClick(1, true, false);
    bar.setPaneEnabled(1, false);
    click(1);
    EXPECT_TRUE(sent.empty());

    bar.setClick(2, false, false);
    EXPECT_EQ(bar.paneFlags(2), unsigned(CColorStatusBar::SingleClick | CColorStatusBar::ClickWhenDisabled));
    bar.setPaneEnabled(2, false);
    click(2);
    EXPECT_EQ(sent, std::vector<CommandId>{ID_EDIT_MODE_INDICATOR});
}

TEST_F(ColorStatusBarTest, DoubleClickFlagWantsADoubleClick)
{
    bar.setClick(1, true, true);
    click(1);
    EXPECT_TRUE(sent.empty());
    QTest::mouseDClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(1).center());
    EXPECT_EQ(sent, std::vector<CommandId>{ID_INDICATOR_CHANGED});
}

TEST_F(ColorStatusBarTest, CheckBoxPaneClicksAndShowsItsState)
{
    bar.makeCheckBox(3);
    EXPECT_EQ(bar.paneFlags(3), unsigned(CColorStatusBar::CheckBox | CColorStatusBar::SingleClick));
    const QImage unchecked = bar.grab().toImage();
    bar.setCheck(ID_SOURCE_READ_ONLY, true);
    EXPECT_TRUE(bar.paneFlags(3) & CColorStatusBar::Checked);
    const QImage checked = bar.grab().toImage();
    const QRect pane = bar.paneRect(3);
    EXPECT_NE(unchecked.copy(pane), checked.copy(pane));
    click(3);
    EXPECT_EQ(sent, std::vector<CommandId>{ID_SOURCE_READ_ONLY});
    bar.setCheck(ID_SOURCE_READ_ONLY, false);
    EXPECT_FALSE(bar.paneFlags(3) & CColorStatusBar::Checked);
}

TEST_F(ColorStatusBarTest, DisabledOwnerDrawnPaneIsGreyed)
{
    bar.setOwnerDrawnDefault(2);
    const QImage enabled = bar.grab().toImage();
    bar.setPaneEnabled(2, false);
    const QImage disabled = bar.grab().toImage();
    const QRect pane = bar.paneRect(2);
    EXPECT_NE(enabled.copy(pane), disabled.copy(pane));
}

TEST_F(ColorStatusBarTest, TipsAreKeptToTheirLength)
{
    bar.setTip(3, "Source is editable");
    EXPECT_EQ(bar.tip(3), "Source is editable");
    bar.setTip(1, std::string(100, 'x'));
    EXPECT_EQ(bar.tip(1).size(), CColorStatusBar::kMaxTipLength);
}

TEST(FlatToolBar, SwitchesLookAtRunTime)
{
    CFlatToolBar bar;
    bar.addAction("One");
    bar.addSeparator();
    bar.addAction("Two");
    bar.resize(200, 40);
    const auto buttons = bar.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(buttons.isEmpty());
    EXPECT_FALSE(buttons.front()->autoRaise());
    const QImage classic = bar.grab().toImage();
    bar.setFlat(true);
    for (QToolButton* button : bar.findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(button->autoRaise());
    EXPECT_NE(bar.grab().toImage(), classic);
    bar.setFlat(false);
    EXPECT_FALSE(buttons.front()->autoRaise());
}

TEST(LinkStatic, OpensItsAddressAndTurnsPurple)
{
    ScriptedServices services;
    CLinkStatic link(services, "Home page", Qt::AlignHCenter, "https://example.org/bivalo", Qt::PointingHandCursor);
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.linkColor(), CLinkStatic::kLinkColor);
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(services.openedAddresses(), std::vector<std::string>{"https://example.org/bivalo"});
    EXPECT_EQ(link.linkColor(), CLinkStatic::kVisitedColor);
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkStatic, WithoutAddressOpensItsOwnText)
{
    ScriptedServices services;
    CLinkStatic link(services, "mailto:someone@example.org", Qt::AlignHCenter, "", Qt::PointingHandCursor);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(services.openedAddresses(), std::vector<std::string>{"mailto:someone@example.org"});
}

TEST(LinkStatic, WithoutAddressOrTextOpensNothing)
{
    ScriptedServices services;
    CLinkStatic link(services, "", Qt::AlignHCenter, "", Qt::PointingHandCursor);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_TRUE(services.openedAddresses().empty());
    EXPECT_EQ(link.linkColor(), CLinkStatic::kLinkColor);
}

TEST(LinkStatic, FailedOpenKeepsTheColour)
{
    struct NoDesktop : ScriptedServices {
        bool openAddress(const std::string&) override { return false; }
    } services;
    CLinkStatic link(services, "Home page", Qt::AlignHCenter, "https://example.org/bivalo", Qt::PointingHandCursor);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(link.linkColor(), CLinkStatic::kLinkColor);
}

} // namespace
