#include <functional>
#include <string>
#include <vector>

#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "framework/command_ids.h"
#include "grid/cell_edit.h"
#include "shell/easy_join_dlg.h"
#include "tests/shell/merge_by_hand.h"

namespace {

using namespace framework;
using core::EasyJoinWalk;

// EasyJoin in the running program, its buttons pressed as the user presses them.
class EasyJoin : public testing_support::MergeByHand {
protected:
    // Gives the menu's EasyJoin command; `user` works the dialog while it is open, and a
    // dialog still open afterwards is cancelled. False when no dialog came up.
    bool runEasyJoin(const std::function<void(CEasyJoinDlg&)>& user)
    {
        bool shown = false;
        QTimer::singleShot(0, &frame(), [&] {
            auto* dialog = qobject_cast<CEasyJoinDlg*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            shown = true;
            user(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        frame().routeCommand(ID_EASY_JOIN, CommandOrigin::Menu);
        // The window manager's part: the main window is active again once the dialog is gone.
        QApplication::setActiveWindow(&frame());
        QApplication::processEvents();
        return shown;
    }

    // A press on a closed dialog would be a fault of the test's script.
    static void click(CEasyJoinDlg& dialog, QPushButton& button)
    {
        ASSERT_TRUE(dialog.isVisible()) << "pressed after the dialog closed";
        QTest::mouseClick(&button, Qt::LeftButton);
        QApplication::processEvents();
    }

    // Presses ">>" until the dialog closes; the number of presses.
    static int copyUntilClosed(CEasyJoinDlg& dialog)
    {
        int presses = 0;
        while (dialog.isVisible() && presses < 100) {
            click(dialog, dialog.copyToTargetButton());
            ++presses;
        }
        return presses;
    }

    // Skip on every difference of the walk, then Yes to the review question.
    void skipAllThenReview(CEasyJoinDlg& dialog, std::size_t differences)
    {
        services.answerMessage(MessageAnswer::Yes);
        for (std::size_t i = 0; i < differences; ++i)
            click(dialog, dialog.skipButton());
        ASSERT_TRUE(dialog.walk().isReviewing());
    }

    void startInEditMode()
    {
        startOnPair();
        press(Qt::Key_F9);
        ASSERT_TRUE(doc().editMode());
    }

    void saveAll()
    {
        press(Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(doc().destination().changes(), 0);
    }

    // The painted background of the row, at the right end of the pane where no text is.
    static QRgb paintedBackground(grid::TCell& grid, int row)
    {
        const QRect cell = grid.cellRect(0, row).translated(grid.clientArea().topLeft());
        const QImage picture = grid.grab().toImage();
        return picture.pixel(grid.clientArea().right() - 4, cell.center().y()) & 0xFFFFFF;
    }

    std::vector<std::string> questions() const
    {
        std::vector<std::string> asked;
        for (const std::string& text : services.messageTexts())
            if (text == EasyJoinWalk::kReviewSkipped)
                asked.push_back(text);
        return asked;
    }
};

TEST_F(EasyJoin, GreaterThanOnEveryDifferenceThenSaveAllTakesTheSourcesLines)
{
    startInEditMode();
    const std::vector<int> starts = differenceStarts();
    int presses = 0;
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        EXPECT_EQ(currentRow(), starts.front());
        presses = copyUntilClosed(dialog);
    }));
    EXPECT_EQ(presses, int(starts.size()));
    EXPECT_TRUE(questions().empty());
    saveAll();
    EXPECT_EQ(dir.read("right.txt"), kMerged);
    EXPECT_EQ(dir.read("left.txt"), kLeft);
}

TEST_F(EasyJoin, SkippingEverySecondDifferenceAndResolvingItInTheReviewMergesTheSame)
{
    startInEditMode();
    const std::vector<int> starts = differenceStarts();
    ASSERT_EQ(starts.size(), 3u);
    services.answerMessage(MessageAnswer::Yes);
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        click(dialog, dialog.copyToTargetButton());
        click(dialog, dialog.skipButton());
        click(dialog, dialog.copyToTargetButton());
        ASSERT_TRUE(dialog.walk().isReviewing());
        EXPECT_EQ(currentRow(), starts[1]);
        click(dialog, dialog.copyToTargetButton());
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(questions().size(), 1u);
    saveAll();
    EXPECT_EQ(dir.read("right.txt"), kMerged);
}

TEST_F(EasyJoin, IdenticalFilesCloseTheDialogAtTheFirstPressWithoutAQuestion)
{
    left = dir.write("left.txt", "same\nlines\n");
    right = dir.write("right.txt", "same\nlines\n");
    // Shift held at start-up keeps the program open on identical files.
    services.setShiftDown(true);
    start({left, right});
    services.setShiftDown(false);
    ASSERT_GT(doc().rowCount(), 0);
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        click(dialog, dialog.copyToTargetButton());
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_TRUE(questions().empty());
    EXPECT_FALSE(doc().isModified());
}

TEST_F(EasyJoin, SkippingAllThenYesWalksTheSkippedRowsAndGreaterThanOnEachEndsIt)
{
    startInEditMode();
    const std::vector<int> starts = differenceStarts();
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        skipAllThenReview(dialog, starts.size());
        ASSERT_EQ(questions().size(), 1u);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            EXPECT_EQ(currentRow(), starts[i]);
            click(dialog, dialog.copyToTargetButton());
        }
        EXPECT_FALSE(dialog.isVisible());
    }));
    saveAll();
    EXPECT_EQ(dir.read("right.txt"), kMerged);
}

TEST_F(EasyJoin, SkipOnTheLastSkippedRowGoesBackToTheFirstAndOnlyCancelEndsTheReview)
{
    startInEditMode();
    const std::vector<int> starts = differenceStarts();
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        skipAllThenReview(dialog, starts.size());
        for (int round = 0; round < 2; ++round) {
            for (std::size_t i = 1; i <= starts.size(); ++i) {
                click(dialog, dialog.skipButton());
                EXPECT_EQ(currentRow(), starts[i % starts.size()]);
            }
        }
        EXPECT_TRUE(dialog.isVisible());
        click(dialog, dialog.cancelButton());
        EXPECT_FALSE(dialog.isVisible());
    }));
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_FALSE(doc().isModified());
}

TEST_F(EasyJoin, AnsweringNoEndsTheWalkWithTheSkippedDifferencesLeft)
{
    startInEditMode();
    services.answerMessage(MessageAnswer::No);
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        while (dialog.isVisible())
            click(dialog, dialog.skipButton());
    }));
    EXPECT_EQ(questions().size(), 1u);
    EXPECT_FALSE(doc().isModified());
}

// The walk closes the cell editor that had the focus while its dialog is up.
TEST_F(EasyJoin, AfterTheWalkAndItsQuestionTheFocusIsBackInThePane)
{
    startInEditMode();
    QTest::keyClicks(QApplication::focusWidget(), "x");
    ASSERT_NE(qobject_cast<grid::CCellEdit*>(QApplication::focusWidget()), nullptr);
    services.answerMessage(MessageAnswer::No);
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        while (dialog.isVisible())
            click(dialog, dialog.skipButton());
    }));
    EXPECT_TRUE(pane(2).isAncestorOf(QApplication::focusWidget()));
    press(Qt::Key_Tab);
    EXPECT_TRUE(pane(1).isAncestorOf(QApplication::focusWidget()));
}

TEST_F(EasyJoin, WithTheTargetReadOnlyGreaterThanIsDisabledAndLessThanWorks)
{
    startInEditMode();
    doc().setReadOnly(core::kTargetSide, true);
    const int first = differenceStarts().front();
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        EXPECT_FALSE(dialog.copyToTargetButton().isEnabled());
        ASSERT_TRUE(dialog.copyToSourceButton().isEnabled());
        click(dialog, dialog.copyToSourceButton());
    }));
    EXPECT_EQ(std::string(pane(1).GetCellText(first, 0)), "TWO");
    EXPECT_EQ(doc().source().changes(), 1);
    EXPECT_EQ(doc().destination().changes(), 0);
}

TEST_F(EasyJoin, WithoutEditModeTheWalkStillMergesAndEditModeIsOffAgainAfterwards)
{
    startOnPair();
    ASSERT_FALSE(doc().editMode());
    const std::size_t differences = differenceStarts().size();
    int presses = 0;
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        EXPECT_TRUE(doc().editMode());
        presses = copyUntilClosed(dialog);
    }));
    EXPECT_EQ(presses, int(differences));
    EXPECT_FALSE(doc().editMode());
    saveAll();
    EXPECT_EQ(dir.read("right.txt"), kMerged);
}

TEST_F(EasyJoin, WithNoSyncBothPanesStillWalkTogether)
{
    startInEditMode();
    frame().routeCommand(ID_NO_SYNC, CommandOrigin::Menu);
    ASSERT_FALSE(doc().syncScroll());
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        while (dialog.isVisible())
            click(dialog, dialog.copyToSourceButton());
    }));
    saveAll();
    EXPECT_EQ(dir.read("left.txt"), "one\nTWO\nthree\nextra\nfour\n    indented\nsix\n");
}

TEST_F(EasyJoin, AnOutsideChangeDuringTheWalkIsAskedAboutOnceWhenItEnds)
{
    startInEditMode();
    const std::size_t differences = differenceStarts().size();
    services.answerMessage(MessageAnswer::No); // to the held question: keep the merge
    int presses = 0;
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        click(dialog, dialog.copyToTargetButton());
        // The user leaves, another program writes, the user comes back.
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
        appendTo(right, "external\r\n");
        Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
        QApplication::processEvents();
        EXPECT_TRUE(services.messageTexts().empty()) << "no question under the dialog";
        presses = 1 + copyUntilClosed(dialog);
    }));
    EXPECT_EQ(presses, int(differences));
    EXPECT_EQ(services.messageTexts(), std::vector<std::string> { reloadQuestion(right) });

    services.answerMessage(MessageAnswer::Yes); // overwrite the outside change
    saveAll();
    EXPECT_EQ(dir.read("right.txt"), kMerged);
}

TEST_F(EasyJoin, BothFilesReadOnlyGiveAMessageAndNoDialog)
{
    startInEditMode();
    doc().setReadOnly(core::kSourceSide, true);
    doc().setReadOnly(core::kTargetSide, true);
    EXPECT_FALSE(runEasyJoin([](CEasyJoinDlg&) {}));
    EXPECT_EQ(services.messageTexts(), std::vector<std::string> { EasyJoinWalk::kBothReadOnly });
}

TEST_F(EasyJoin, MoveNextIsHeldWhileTheDialogIsOpenAndTheSettingStaysAsItWas)
{
    startInEditMode();
    settings::appSettings().MoveNext = 1;
    ASSERT_TRUE(runEasyJoin([this](CEasyJoinDlg&) {
        EXPECT_TRUE(doc().moveNextHeld());
        EXPECT_EQ(settings::appSettings().MoveNext, 1);
    }));
    EXPECT_FALSE(doc().moveNextHeld());
    EXPECT_EQ(settings::appSettings().MoveNext, 1);
}

TEST_F(EasyJoin, TheDialogSitsAtTheTopOfTheScreenCentredAndThePanesForgetItAfterwards)
{
    startInEditMode();
    const QRgb easyJoinBackground = 0x404040;
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        for (const int column : { 1, 2 })
            EXPECT_EQ(paintedBackground(*pane(column).grid(), currentRow()), easyJoinBackground) << column;
        const QRect screen = dialog.screen()->geometry();
        const QRect frame = dialog.frameGeometry();
        EXPECT_EQ(frame.top(), screen.top());
        EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
        EXPECT_EQ(dialog.windowTitle(), "EasyJoin !");
        click(dialog, dialog.skipButton());
    }));
    for (const int column : { 1, 2 })
        EXPECT_NE(paintedBackground(*pane(column).grid(), currentRow()), easyJoinBackground) << column;
    // Next Diff on the last difference does nothing once the walk is over.
    const int last = differenceStarts().back();
    pane(2).goToRowCentred(last);
    press(Qt::Key_F8);
    EXPECT_EQ(currentRow(), last);
}

TEST_F(EasyJoin, TheWalkKeepsTheCurrentDifferenceInViewOnALongPair)
{
    std::string source;
    std::string target;
    for (int line = 0; line < 400; ++line) {
        source += "line " + std::to_string(line) + "\n";
        target += (line % 37 == 5 ? "changed " : "line ") + std::to_string(line) + "\n";
    }
    left = dir.write("left.txt", source);
    right = dir.write("right.txt", target);
    startShown();
    press(Qt::Key_F9);
    ASSERT_TRUE(runEasyJoin([&](CEasyJoinDlg& dialog) {
        while (dialog.isVisible()) {
            const grid::TCellPosition& shown = pane(2).grid()->position();
            EXPECT_GE(shown.row, shown.firstRow);
            EXPECT_LE(shown.row, shown.lastRow);
            click(dialog, dialog.copyToTargetButton());
        }
    }));
    saveAll();
    EXPECT_TRUE(dir.read("right.txt") == source);
}

} // namespace
