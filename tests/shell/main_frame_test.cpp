#include <chrono>
#include <filesystem>

#include <QCheckBox>
#include <QPushButton>
#include <QStatusTipEvent>
#include <functional>
#include <initializer_list>

#include "core/row_editor.h"
#include "core/side.h"
#include "framework/command_ids.h"
#include "framework/profile.h"
#include "framework/update_hints.h"
#include "grid/cell_table_box.h"
#include "panes/table_view.h"
#include "platform/font_conversion.h"
#include "shell/color_status_bar.h"
#include "shell/flat_tool_bar.h"
#include "shell/general_page.h"
#include "shell/history_combo.h"
#include "shell/options_sheet.h"
#include "shell/window_placement.h"
#include "tests/shell/running_app.h"

namespace {

using namespace framework;
using testing_support::RunningApp;

constexpr int kMessagePane = CMainFrame::kMessagePane;
constexpr int kSourceEditablePane = CMainFrame::kSourceEditablePane;
constexpr int kEditPane = CMainFrame::kEditPane;
constexpr int kOverwritePane = CMainFrame::kOverwritePane;

QColor pixelAt(QWidget& widget, QPoint point)
{
    return widget.grab().toImage().pixelColor(point);
}

QPoint insideRightEdge(const QRect& pane)
{
    return QPoint(pane.right() - 3, pane.center().y());
}

// --- dropped files ----------------------------------------------------------------------------

using DroppedFiles = RunningApp;

TEST_F(DroppedFiles, TwoAtOnceOpenAtOnceAndAThirdIsNotUsed)
{
    start({left, right});
    const std::string first = dir.write("first.txt", "1\n2\n");
    const std::string second = dir.write("second.txt", "1\n3\n");
    frame().dropFiles({first, second, left});
    EXPECT_EQ(doc().source().path(), first);
    EXPECT_EQ(doc().destination().path(), second);
    EXPECT_EQ(doc().rowCount(), 2);
    EXPECT_TRUE(doc().pendingFile().empty());
}

TEST_F(DroppedFiles, OneWaitsInWhiteOnNavyAndTheNextCompletesThePair)
{
    start({left, right});
    CColorStatusBar& bar = frame().statusBar();
    frame().dropFiles({right});
    EXPECT_EQ(bar.paneText(kMessagePane), CMainFrame::kWaitingForSecondFile);
    EXPECT_EQ(pixelAt(bar, insideRightEdge(bar.paneRect(kMessagePane))), QColor(0, 0, 0x80));
    EXPECT_EQ(doc().pendingFile(), right);
    EXPECT_EQ(doc().source().path(), left);

    frame().dropFiles({left});
    EXPECT_TRUE(doc().pendingFile().empty());
    EXPECT_EQ(doc().source().path(), right);
    EXPECT_EQ(doc().destination().path(), left);
    EXPECT_EQ(bar.paneText(kMessagePane), "Ready");
    EXPECT_NE(pixelAt(bar, insideRightEdge(bar.paneRect(kMessagePane))), QColor(0, 0, 0x80));
}

TEST_F(DroppedFiles, RefusedSaveQuestionKeepsThePairAndForgetsTheWaitingFile)
{
    start({left, right});
    doc().noteChange(core::Sides::Source, core::ChangeStep::Up);
    const std::string other = dir.write("other.txt", "z\n");
    frame().dropFiles({other});
    services.answerMessage(MessageAnswer::Cancel);
    frame().dropFiles({right});
    ASSERT_EQ(services.messageTexts().size(), 1u);
    EXPECT_EQ(services.messageTexts()[0], "This file was changed:\n" + left + "\nDo you want to save it?");
    EXPECT_EQ(doc().source().path(), left);
    EXPECT_EQ(doc().destination().path(), right);
    EXPECT_TRUE(doc().isModified());
    EXPECT_TRUE(doc().pendingFile().empty());
}

TEST_F(DroppedFiles, NothingDroppedDoesNothing)
{
    start({left, right});
    frame().dropFiles({});
    EXPECT_EQ(doc().source().path(), left);
    EXPECT_EQ(frame().statusBar().paneText(kMessagePane), "Ready");
}

// --- files changed by another program --------------------------------------------------------

class OutsideChange : public RunningApp {
protected:
    void setApplicationState(Qt::ApplicationState state)
    {
        Q_EMIT qApp->applicationStateChanged(state);
        QApplication::processEvents();
    }

    // Rewrites a file with a last-write time that surely differs from the recorded one.
    void rewrite(const std::string& path, std::string_view bytes)
    {
        const auto before = std::filesystem::last_write_time(path);
        dir.write(std::filesystem::path(path).filename().string(), bytes);
        std::filesystem::last_write_time(path, before + std::chrono::seconds(5));
    }

    std::string question(const std::string& path)
    {
        return "This file was change from outside:\n" + path + "\nDo you want to reload files?";
    }

    static constexpr const char* kOutsideText = "a\nY\nc\nd\n";

    // The target holds an edit while another program rewrites it; the answers are given
    // once the program is active again.
    void returnToAnOutsideChangeWithAnEdit(std::initializer_list<MessageAnswer> answers)
    {
        start({left, right});
        ASSERT_TRUE(core::RowEditor(doc().editPair(), core::kTargetSide).setCellText(1, "edited").done);
        setApplicationState(Qt::ApplicationInactive);
        rewrite(right, kOutsideText);
        for (const MessageAnswer answer : answers)
            services.answerMessage(answer);
        setApplicationState(Qt::ApplicationActive);
        QApplication::processEvents();
    }

    void expectTargetEditKept()
    {
        EXPECT_EQ(doc().rowCount(), 3);
        EXPECT_EQ(doc().destination().lineAt(doc().destinationRows()[1])->text(), "edited");
        EXPECT_EQ(doc().destination().changes(), 1);
        EXPECT_TRUE(doc().isModified());
        EXPECT_EQ(doc().undoStore().undoCount(), 1);
    }
};

TEST_F(OutsideChange, BothFilesChangedWhileAwayGiveOneQuestionAndYesRescansBoth)
{
    start({left, right});
    setApplicationState(Qt::ApplicationInactive);
    rewrite(left, "a\nb\nc\nd\n");
    rewrite(right, "a\nX\nc\nd\ne\n");
    services.answerMessage(MessageAnswer::Yes);
    setApplicationState(Qt::ApplicationActive);
    QApplication::processEvents();
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{question(left)});
    EXPECT_EQ(doc().source().count(), 4);
    EXPECT_EQ(doc().destination().count(), 5);
    EXPECT_EQ(doc().rowCount(), 5);
}

TEST_F(OutsideChange, NoKeepsTheRowsAndTheNextActivationAsksOnlyForANewChange)
{
    start({left, right});
    setApplicationState(Qt::ApplicationInactive);
    rewrite(right, "a\nX\nc\nd\n");
    services.answerMessage(MessageAnswer::No);
    setApplicationState(Qt::ApplicationActive);
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{question(right)});
    EXPECT_EQ(doc().rowCount(), 3);

    setApplicationState(Qt::ApplicationInactive);
    setApplicationState(Qt::ApplicationActive);
    EXPECT_EQ(services.messageTexts().size(), 1u);
}

TEST_F(OutsideChange, WithUnsavedEditsNoKeepsTheEditsAndWritesNothing)
{
    returnToAnOutsideChangeWithAnEdit({MessageAnswer::No});
    EXPECT_EQ(services.messageTexts(), std::vector<std::string>{question(right)});
    expectTargetEditKept();
    EXPECT_EQ(dir.read("right.txt"), kOutsideText);
}

TEST_F(OutsideChange, WithUnsavedEditsYesAsksToSaveThemAndCancelKeepsThem)
{
    returnToAnOutsideChangeWithAnEdit({MessageAnswer::Yes, MessageAnswer::Cancel});
    EXPECT_EQ(services.messageTexts(),
              (std::vector<std::string>{question(right), "This file was changed:\n" + right + "\nDo you want to save it?"}));
    expectTargetEditKept();
    EXPECT_EQ(dir.read("right.txt"), kOutsideText);
}

TEST_F(OutsideChange, WhileActiveTheWatchAsksOncePerChangeAlsoAfterAnEditorReplacedTheFile)
{
    start({left, right});
    services.answerMessage(MessageAnswer::No);
    appendTo(left, "d\n");
    ASSERT_TRUE(waitUntilAsked(question(left)));
    // The other file's change comes after any second report of the first one.
    services.answerMessage(MessageAnswer::No);
    appendTo(right, "d\n");
    ASSERT_TRUE(waitUntilAsked(question(right)));
    EXPECT_EQ(timesAsked(question(left)), 1u);

    // An editor's save: a new file renamed over the old one, which is then watched again.
    services.answerMessage(MessageAnswer::No);
    std::filesystem::rename(dir.write("left.new", "a\nb\nc\nd\ne\n"), left);
    ASSERT_TRUE(waitUntilAsked(question(left), 2));
    services.answerMessage(MessageAnswer::Yes);
    appendTo(left, "f\n");
    ASSERT_TRUE(waitUntilAsked(question(left), 3));
    QApplication::processEvents();
    EXPECT_EQ(doc().source().count(), 6) << "Yes rescans";
    EXPECT_EQ(services.messageTexts().size(), 4u);
}

TEST_F(OutsideChange, MessageNotFromTheWatcherIsIgnored)
{
    start({left, right});
    frame().send(WM_FILE_CHANGED, 1, 0);
    EXPECT_TRUE(services.messageTexts().empty());
}

// --- status bar through the frame ------------------------------------------------------------

using FrameStatusBar = RunningApp;

TEST_F(FrameStatusBar, MessageOutlastsTheIdleUpdateUntilItsTimer)
{
    start({left, right});
    CColorStatusBar& bar = frame().statusBar();
    bar.showMessage(kMessagePane, "Saved", 0x800000, 0xFFFFFF);
    bar.clearMessage(kMessagePane, 3);
    frame().updateBars();
    EXPECT_EQ(bar.paneText(kMessagePane), "Saved");
    EXPECT_EQ(pixelAt(bar, insideRightEdge(bar.paneRect(kMessagePane))), QColor(0, 0, 0x80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.paneText(kMessagePane) == "Ready"; }, 3000));
}

TEST_F(FrameStatusBar, FlyByHelpReplacesAMessageAndItsColours)
{
    start({left, right});
    CColorStatusBar& bar = frame().statusBar();
    frame().dropFiles({right});
    QStatusTipEvent tip("Rescan both files");
    QApplication::sendEvent(&frame(), &tip);
    EXPECT_EQ(bar.paneText(kMessagePane), "Rescan both files");
    EXPECT_NE(pixelAt(bar, insideRightEdge(bar.paneRect(kMessagePane))), QColor(0, 0, 0x80));
    EXPECT_FALSE(bar.isOwnerDrawn(kMessagePane));
}

TEST_F(FrameStatusBar, OverwritePaneIsLitExactlyInOverwriteMode)
{
    start({left, right});
    CColorStatusBar& bar = frame().statusBar();
    frame().updateBars();
    EXPECT_FALSE(bar.paneEnabled(kOverwritePane));
    frame().routeCommand(ID_INSERT_MODE);
    frame().updateBars();
    EXPECT_FALSE(frame().insertMode());
    EXPECT_TRUE(bar.paneEnabled(kOverwritePane));
}

TEST_F(FrameStatusBar, GreyedEditPaneStillSendsItsCommandButGreyedOverwritePaneDoesNot)
{
    start({left, right});
    std::vector<CommandId> routed;
    app->onCommand(ID_INDICATOR_OVR, [&routed] { routed.push_back(ID_INDICATOR_OVR); });
    CColorStatusBar& bar = frame().statusBar();
    bar.setPaneEnabled(kEditPane, false);
    bar.setPaneEnabled(kOverwritePane, false);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(kOverwritePane).center());
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(kEditPane).center());
    EXPECT_TRUE(routed.empty());
    EXPECT_TRUE(doc().editMode());
}

TEST_F(FrameStatusBar, EditableSwitchesAreCheckBoxesWithTipsThatSendTheirCommands)
{
    start({left, right});
    CColorStatusBar& bar = frame().statusBar();
    EXPECT_TRUE(bar.paneFlags(kSourceEditablePane) & CColorStatusBar::CheckBox);
    EXPECT_EQ(bar.tip(kSourceEditablePane), "Source is editable");
    EXPECT_EQ(bar.tip(CMainFrame::kTargetEditablePane), "Target is editable");
    // The switches work in edit mode only.
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(kSourceEditablePane).center());
    EXPECT_FALSE(doc().sourceReadOnly());
    doc().setEditMode(true);
    frame().updateBars();
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::NoModifier, bar.paneRect(kSourceEditablePane).center());
    EXPECT_TRUE(doc().sourceReadOnly());
}

// --- Find box ---------------------------------------------------------------------------------

using FindBox = RunningApp;

TEST_F(FindBox, FindTextIsAnsweredFromTheBox)
{
    start({left, right});
    std::string text = "unchanged";
    EXPECT_EQ(frame().send(WM_GET_FIND_TEXT, 0, 0), 0);
    EXPECT_EQ(frame().send(WM_GET_FIND_TEXT, 0, LParam(&text)), 0);
    EXPECT_EQ(text, "unchanged");
    frame().findBox().setEditText("needle");
    EXPECT_EQ(frame().send(WM_GET_FIND_TEXT, 0, LParam(&text)), 1);
    EXPECT_EQ(text, "needle");
}

TEST_F(FindBox, FindCommandAndItsKeysFocusTheBox)
{
    start({left, right});
    frame().activateWindow();
    QApplication::setActiveWindow(&frame());
    frame().routeCommand(ID_FIND_BOX);
    EXPECT_TRUE(frame().findBox().isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == &frame().findBox());
}

// --- settings round trips ------------------------------------------------------------------------

using InterfaceState = RunningApp;

TEST_F(InterfaceState, NormalPlacementIsRestoredAtTheNextStart)
{
    start({left, right});
    frame().setWindowState(Qt::WindowNoState);
    frame().setGeometry(40, 50, 700, 500);
    QApplication::processEvents();
    restart({left, right});
    EXPECT_EQ(readProfileInt(settingsFilePath(), "MAINWND", "wp.right", 0), 740);
    EXPECT_FALSE(frame().windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frame().geometry(), QRect(40, 50, 700, 500));
}

TEST_F(InterfaceState, PlacementOffThePrimaryScreenOpensMaximized)
{
    const std::string ini = settingsFilePath();
    writeProfileInt(ini, "MAINWND", "wp.showCmd", 1);
    writeProfileInt(ini, "MAINWND", "wp.left", 20000);
    writeProfileInt(ini, "MAINWND", "wp.right", 20600);
    writeProfileInt(ini, "MAINWND", "wp.top", 10);
    writeProfileInt(ini, "MAINWND", "wp.bottom", 410);
    start({left, right});
    EXPECT_TRUE(frame().windowState() & Qt::WindowMaximized);
}

TEST_F(InterfaceState, FirstStartIsMaximizedOverANormalGeometryOfThreeQuartersCentred)
{
    start({left, right});
    EXPECT_TRUE(frame().windowState() & Qt::WindowMaximized);
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect normal = shell::firstStartGeometry(available);
    EXPECT_EQ(frame().normalGeometry(), normal);
    EXPECT_TRUE(available.contains(normal));
    EXPECT_EQ(normal.center(), available.center());
    // Restored, it takes that size (where it lands is up to the window system).
    frame().setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_EQ(frame().geometry().size(), normal.size());
}

// --- the panes' font -------------------------------------------------------------------------

using PaneFont = RunningApp;

framework::LogFont sourcePaneFont(CMainFrame& frame)
{
    return frame.activeView()->grid()->font(1).logFont();
}

framework::LogFont targetPaneFont(core::CBivaloDoc& doc)
{
    framework::LogFont font;
    doc.updateAllViews(nullptr, kHintFillFont, &font);
    return font;
}

TEST_F(PaneFont, WithoutAChosenFontThePanesUseTheDesktopsFixedFontAndTheFindBoxItsNormalOne)
{
    start({left, right});
    const framework::LogFont fixed = platform::desktopFixedFont();
    EXPECT_TRUE(QFontInfo(platform::toQFont(fixed)).fixedPitch());
    EXPECT_EQ(sourcePaneFont(frame()), fixed);
    EXPECT_EQ(targetPaneFont(doc()), fixed);
    EXPECT_FALSE(QFontInfo(frame().findBox().font()).fixedPitch());
    // The desktop's own font, at its size, as the toolbar beside it.
    EXPECT_EQ(QFontInfo(frame().findBox().font()).family(), QFontInfo(QApplication::font()).family());
    EXPECT_EQ(QFontInfo(frame().findBox().font()).pixelSize(), QFontInfo(QApplication::font()).pixelSize());
    // Rows are as tall as the font needs.
    const QFontMetrics metrics(platform::toQFont(fixed));
    EXPECT_GE(frame().activeView()->grid()->rowHeight(0), metrics.height());
    app->exitInstance();
    EXPECT_EQ(readProfileInt(settingsFilePath(), "Font", "Height", 0), 0);
}

TEST_F(PaneFont, ChosenFontWinsAndIsKeptAcrossARestart)
{
    framework::LogFont chosen = platform::toLogFont(QFont("DejaVu Sans"));
    chosen.Height = -21;
    services.answerFont(chosen);
    start({left, right});
    ASSERT_TRUE(frame().routeCommand(ID_FONT));
    EXPECT_EQ(sourcePaneFont(frame()), chosen);
    restart({left, right});
    EXPECT_EQ(readProfileInt(settingsFilePath(), "Font", "Height", 0), -21);
    EXPECT_EQ(sourcePaneFont(frame()), chosen);
    EXPECT_EQ(targetPaneFont(doc()), chosen);
}

TEST_F(InterfaceState, FindHistoryIsMostRecentFirstAcrossARestart)
{
    start({left, right});
    for (const char* text : {"abc", "def", "ABC"}) {
        settings::appSettings().FindText = text;
        frame().routeCommand(ID_TAKE_FIND_TEXT);
    }
    restart({left, right});
    EXPECT_EQ(readProfileInt(settingsFilePath(), "Combos", "Combo_Find", 0), 2);
    CHistoryCombo& box = frame().findBox();
    ASSERT_EQ(box.count(), 2);
    EXPECT_EQ(box.itemText(0), "def");
    EXPECT_EQ(box.itemText(1), "abc");
    EXPECT_EQ(box.currentIndex(), 1);
}

TEST_F(InterfaceState, MoveNextIsWrittenAtOnce)
{
    start({left, right});
    frame().routeCommand(ID_MOVE_NEXT);
    EXPECT_EQ(readProfileInt(settingsFilePath(), "options", "MoveNext", -1), settings::appSettings().MoveNext);
    frame().routeCommand(ID_MOVE_NEXT);
    EXPECT_EQ(readProfileInt(settingsFilePath(), "options", "MoveNext", -1), settings::appSettings().MoveNext);
}

} // namespace

// --- options ------------------------------------------------------------------------------------

namespace {

using OptionsCommand = RunningApp;

// Does this to the options sheet once it is up.
void onOptionsSheet(const std::function<void(COptionsSheet&)>& action)
{
    QTimer::singleShot(0, [action] {
        auto* sheet = dynamic_cast<COptionsSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        action(*sheet);
    });
}

TEST_F(OptionsCommand, OkTakesEffectAtOnceAndCancelChangesNothing)
{
    start({left, right});
    ASSERT_FALSE(frame().toolBar().isFlat());
    onOptionsSheet([](COptionsSheet& sheet) {
        sheet.generalPage().flatToolbar().setChecked(true);
        sheet.okButton().click();
    });
    EXPECT_TRUE(frame().routeCommand(ID_OPTIONS, CommandOrigin::Menu));
    QApplication::processEvents();
    EXPECT_TRUE(frame().toolBar().isFlat());
    EXPECT_EQ(readProfileInt(settingsFilePath(), "options", "Cool", 0), 1);

    onOptionsSheet([](COptionsSheet& sheet) {
        sheet.generalPage().flatToolbar().setChecked(false);
        sheet.cancelButton().click();
    });
    frame().routeCommand(ID_OPTIONS, CommandOrigin::Menu);
    QApplication::processEvents();
    EXPECT_TRUE(frame().toolBar().isFlat());
    EXPECT_EQ(settings::appSettings().Cool, 1);
}

} // namespace
