#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/merge_doc.h"
#include "framework/merge_command_ids.h"
#include "grid/cell_table_box.h"
#include "grid/table_box_messages.h"
#include "panes/diff_block_map.h"
#include "panes/diff_preview.h"
#include "panes/merge_pane.h"
#include "shell/merge_app.h"
#include "shell/load_progress_bar.h"
#include "shell/merge_frame.h"
#include "settings/color_table.h"
#include "tests/shell/running_app.h"
#include "tests/shell/slow_source.h"

// The merge window as a user drives it: keys to the window, a save, the file on disk.
namespace {

using core::MergePane;
using framework::MessageAnswer;

// Three conflicts (lines 2, 6 and 10), a change of LOCAL's (line 4) and of REMOTE's (line 8),
// and LOCAL's last line without its line end.
constexpr const char* kBase = "l1\nl2\nl3\nl4\nl5\nl6\nl7\nl8\nl9\nl10\nl11\nl12\n";
constexpr const char* kLocal = "l1\nL2\nl3\nL4\nl5\nL6\nl7\nl8\nl9\nL10\nl11\nl12";
constexpr const char* kRemote = "l1\nR2\nl3\nl4\nl5\nR6\nl7\nR8\nl9\nR10\nl11\nl12\n";

class MergeWindow : public ::testing::Test {
protected:
    MergeWindow() { testing_support::useFreshSettingsFile(); }

    ~MergeWindow() override
    {
        app.reset();
        settings::colorTable().reset();
    }

    void start(std::string_view local = kLocal)
    {
        startOn(dir.write("base", kBase), dir.write("local", local), dir.write("remote", kRemote));
    }

    void startOn(const std::string& base, const std::string& local, const std::string& remote)
    {
        output = dir.file("merged");
        app = std::make_unique<shell::MergeApp>(services);
        std::string error;
        ASSERT_TRUE(app->start({"--merge", "-o", output, "-L", "ours", "-L", "base", "-L", "theirs", base, local,
                                remote},
                               error))
            << error;
        QApplication::setActiveWindow(&frame());
        pane(MergePane::Result).grid()->setFocus();
        QApplication::processEvents();
    }

    // Starts on a BASE that arrives only as the test writes it, and waits until its load shows.
    void startOnSlowBase(testing_support::SlowSource& base, const std::string& remote)
    {
        base.write(kBase);
        startOn(base.path(), dir.write("local", kLocal), remote);
        ASSERT_TRUE(frame().isVisible()) << "the window does not wait for the load";
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame().loadProgressBar().isVisible(); }, 5000));
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(frame().windowHandle(), key, modifiers);
        QApplication::processEvents();
    }

    CMergeFrame& frame() { return app->frame(); }
    panes::CMergePane& pane(MergePane column) { return frame().pane(column); }
    int currentRow() { return pane(MergePane::Result).grid()->position().row; }
    std::string cellText(MergePane column, int row)
    {
        const char* text = pane(column).GetCellText(row, 0);
        return text != nullptr ? text : "";
    }
    std::string saved() { return testing_support::readFile(output); }
    // The background the column gives the grid for a row.
    framework::ColorRef background(MergePane column, int row)
    {
        grid::TableColorRequest request;
        EXPECT_NE(pane(column).send(grid::TBM_CELLCOLOR, framework::WParam(grid::packCell(0, row)),
                                    reinterpret_cast<framework::LParam>(&request)),
                  0);
        return request.color;
    }

    testing_support::TempDir dir;
    testing_support::ModalScriptedServices services;
    std::unique_ptr<shell::MergeApp> app;
    std::string output;
};

// Each conflict taken by its own key: the result holds each line with its input's bytes, the
// last one without a line end as LOCAL has it, and the status bar counts down to none.
TEST_F(MergeWindow, KeysResolveEveryConflictAndSaveWritesTheResult)
{
    start();
    EXPECT_EQ(frame().statusText(), "Unresolved conflicts: 3");
    EXPECT_EQ(cellText(MergePane::Local, currentRow()), "L2") << "the window opens on the first conflict";
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "");

    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "L2");
    press(Qt::Key_F8, Qt::ControlModifier);
    EXPECT_EQ(cellText(MergePane::Remote, currentRow()), "R6") << "next conflict skips LOCAL's change";
    press(Qt::Key_Right, Qt::AltModifier);
    press(Qt::Key_F8, Qt::ControlModifier);
    press(Qt::Key_Left, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "L10");
    EXPECT_EQ(cellText(MergePane::Result, currentRow() + 1), "R10");
    EXPECT_EQ(frame().statusText(), "No conflicts left");

    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saved(), "l1\nL2\nl3\nL4\nl5\nR6\nl7\nR8\nl9\nL10\nR10\nl11\nl12");
    EXPECT_FALSE(app->document().isModified());
    frame().close();
    EXPECT_TRUE(services.messageTexts().empty()) << "nothing to ask after a clean save";
    EXPECT_EQ(app->exitStatus(), 0);
}

// The result goes to disk in LOCAL's encoding.
TEST_F(MergeWindow, AUtf16LocalIsSavedInUtf16)
{
    start(testing_support::utf16le(kLocal));
    for (int conflict = 0; conflict < 3; ++conflict) {
        press(Qt::Key_Left, Qt::AltModifier);
        press(Qt::Key_F8, Qt::ControlModifier);
    }
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saved(), testing_support::utf16le("l1\nL2\nl3\nL4\nl5\nL6\nl7\nR8\nl9\nL10\nl11\nl12"));
}

// F8 and F7 walk every change, automatic ones too; a take is undone and redone by its keys.
TEST_F(MergeWindow, ChangesAreWalkedAndTakesUndone)
{
    start();
    const int first = currentRow();
    press(Qt::Key_F8);
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "L4") << "LOCAL's change is taken by itself";
    press(Qt::Key_F8);
    press(Qt::Key_F8);
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "R8");
    press(Qt::Key_F7);
    press(Qt::Key_F7);
    press(Qt::Key_F7);
    EXPECT_EQ(currentRow(), first);

    press(Qt::Key_Right, Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(cellText(MergePane::Result, first), "R2");
    EXPECT_EQ(cellText(MergePane::Result, first + 1), "L2");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cellText(MergePane::Result, first), "");
    EXPECT_EQ(frame().statusText(), "Unresolved conflicts: 3");
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(cellText(MergePane::Result, first + 1), "L2");
    EXPECT_EQ(frame().statusText(), "Unresolved conflicts: 2");
}

// BASE shows on demand as a fourth column; taking it and typing over a line in the result are
// saved too, and closing with conflicts left asks, keeps the window on No, and ends with 1.
TEST_F(MergeWindow, BaseAndTypedLinesReachTheFileAndClosingWithConflictsAsks)
{
    start();
    EXPECT_FALSE(frame().baseShown());
    press(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(frame().baseShown());
    EXPECT_EQ(cellText(MergePane::Base, currentRow()), "l2");
    press(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "l2");

    press(Qt::Key_F8, Qt::ControlModifier);
    auto* editor = qobject_cast<QLineEdit*>(pane(MergePane::Result).grid()->activeEditor());
    ASSERT_NE(editor, nullptr) << "the result is edited in place";
    QTest::keyClicks(editor, "typed");
    press(Qt::Key_Return);
    EXPECT_EQ(frame().statusText(), "Unresolved conflicts: 1");
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saved(), "l1\nl2\nl3\nL4\nl5\ntyped\nl7\nR8\nl9\n"
                       "<<<<<<< ours\nL10\n=======\nR10\n>>>>>>> theirs\nl11\nl12");

    // Esc closes the window, as in the compare window, but asks first.
    services.answerMessage(MessageAnswer::No);
    press(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(frame().isVisible());
    ASSERT_FALSE(services.messageTexts().empty()) << "Esc asks before it closes";
    EXPECT_EQ(services.messageTexts().back(), "1 conflict is left unresolved.\nClose the merge anyway?");
    services.answerMessage(MessageAnswer::Yes);
    press(Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(app->exitStatus(), 1);
}

// Rows take the colour of what happened to them, in every column and in the strip: each
// side's change, an open conflict, then a chunk the user resolved.
TEST_F(MergeWindow, RowsAndTheStripAreColouredByWhatHappened)
{
    start();
    settings::CColorTable& colors = settings::colorTable();
    for (int state = 0; state < settings::CColorTable::kStates; ++state)
        colors.background[2 * state] = framework::ColorRef(0x101010 * (state + 1));
    const int conflict = currentRow();
    const int localOnly = conflict + 2;
    const int remoteOnly = conflict + 6;
    const panes::DiffBlockMap& strip = frame().strip().blockMap();
    const std::pair<int, int> expected[] = {
        {0, int(core::LineState::Same)},
        {conflict, int(core::LineState::Changed)},
        {localOnly, int(core::LineState::SourceOnly)},
        {remoteOnly, int(core::LineState::TargetOnly)},
    };
    for (const auto& [row, state] : expected) {
        for (MergePane column : {MergePane::Local, MergePane::Result, MergePane::Remote})
            EXPECT_EQ(background(column, row), colors.backgroundFor(state, 0)) << "row " << row;
        EXPECT_EQ(strip.valueAt(row), state) << "row " << row;
    }

    press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(background(MergePane::Result, conflict), colors.backgroundFor(int(core::LineState::Edited), 0));
    EXPECT_EQ(strip.valueAt(conflict), panes::DiffBlockMap::kSourceOnly) << "no longer marked as a conflict";
}

// A large input loads beside the window, which shows what it reads; once the input is all
// there, the merge shows at its first conflict with the keys going to the result.
TEST_F(MergeWindow, ASlowInputLoadsWhileTheWindowShowsItsProgress)
{
    testing_support::SlowSource base(dir.file("base"));
    startOnSlowBase(base, dir.write("remote", kRemote));
    EXPECT_EQ(frame().loadProgressBar().text(), "Reading base, local and remote: 0 MB");
    EXPECT_EQ(frame().statusText(), "");
    EXPECT_EQ(frame().pane(MergePane::Local).captionText(), "LOCAL: " + dir.file("local"));
    EXPECT_FALSE(frame().routeCommand(framework::ID_MERGE_SAVE)) << "nothing to save yet";

    base.finish();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame().loading(); }, 10000));
    EXPECT_FALSE(frame().loadProgressBar().isVisible());
    EXPECT_EQ(frame().statusText(), "Unresolved conflicts: 3");
    EXPECT_EQ(cellText(MergePane::Local, currentRow()), "L2");
    press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(cellText(MergePane::Result, currentRow()), "L2");
}

// Esc or the Cancel button stops the load at once: the window closes without a question,
// OUTPUT is not written, and git hears that nothing was merged.
TEST_F(MergeWindow, StoppingASlowLoadClosesTheWindowUnmerged)
{
    const std::function<void()> stops[] = {
        [&] { QTest::keyClick(&frame(), Qt::Key_Escape); },
        [&] { QTest::mouseClick(frame().loadProgressBar().findChild<QPushButton*>("cancelLoad"), Qt::LeftButton); },
    };
    for (std::size_t k = 0; k < std::size(stops); ++k) {
        testing_support::SlowSource base(dir.file("base" + std::to_string(k)));
        startOnSlowBase(base, dir.write("remote", kRemote));
        stops[k]();
        EXPECT_FALSE(frame().isVisible()) << k;
        EXPECT_FALSE(frame().loading()) << k;
        EXPECT_FALSE(std::filesystem::exists(output)) << k;
        EXPECT_TRUE(services.messageTexts().empty()) << k;
        EXPECT_EQ(app->exitStatus(), 1) << k;
        base.finish();
        // The stopped load's thread is waited for.
        app.reset();
    }
}

// A file that cannot be read is told as before the window showed, and the window closes.
TEST_F(MergeWindow, AnUnreadableInputOfASlowLoadIsToldAndEndsTheMerge)
{
    testing_support::SlowSource base(dir.file("base"));
    startOnSlowBase(base, dir.file("missing"));
    base.finish();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !frame().loading(); }, 10000));
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{"Remote File Not Found!"});
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(app->exitStatus(), 2);
    EXPECT_EQ(app->error(), "bivalo: the merge could not be loaded");
}

} // namespace
