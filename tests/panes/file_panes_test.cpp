#include <gtest/gtest.h>

#include <QTest>

#include "framework/update_hints.h"
#include "tests/panes/pane_fixture.h"

namespace {

using FilePanesTest = pane_tests::PaneTest;

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

// A UTF-16 file and a UTF-8 file of the same text: each caption names its file's form, and
// the message says what differs besides the text.
TEST_F(FilePanesTest, IdenticalTextsInOtherEncodingsSayWhatDiffersAndCaptionsNameTheForms)
{
    services.setShiftDown(true);
    ASSERT_TRUE(compare(std::string("\xFF\xFEx\0\r\0\n\0", 8), "x\n"));
    EXPECT_EQ(source.captionFormText(), "UTF-16 LE BOM \xC2\xB7 CR LF");
    EXPECT_EQ(target.captionFormText(), "UTF-8 \xC2\xB7 LF");
    EXPECT_EQ(services.messageTexts(),
              std::vector<std::string>{std::string(panes::CBivaloView::kFilesIdentical)
                                       + "\nThe texts are the same; the files differ in encoding, BOM and line ends: "
                                         "source UTF-16 LE BOM \xC2\xB7 CR LF, target UTF-8 \xC2\xB7 LF"});
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
